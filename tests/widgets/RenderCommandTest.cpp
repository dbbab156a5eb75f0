#include "WidgetFixture.h"

#include "RenderCommand.h"

#include "core/AtomicFile.h"
#include "core/ControlType.h"
#include "core/ScreenSetFile.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <unistd.h>

using namespace tavlora;

namespace {

class RenderCommandTest : public WidgetFixture {
protected:
    // Runs the command with stderr captured.
    int Run(const QStringList& args)
    {
        std::fflush(stderr);
        const QString errPath = dir_.filePath("stderr.txt");
        const int saved = dup(2);
        FILE* f = std::fopen(errPath.toLocal8Bit().constData(), "w");
        dup2(fileno(f), 2);
        const int rc = RunRenderCommand(args);
        std::fflush(stderr);
        dup2(saved, 2);
        close(saved);
        std::fclose(f);
        QFile in(errPath);
        in.open(QIODevice::ReadOnly);
        errors_ = QString::fromLocal8Bit(in.readAll());
        return rc;
    }

    QString WriteSet()
    {
        ScreenSet set;
        auto add = [&set](int type, Rect r, int screen) -> ControlRecord& {
            auto rec = std::make_unique<ControlRecord>();
            rec->type = type;
            rec->rect = r;
            rec->screen = screen;
            return set.Append(std::move(rec));
        };
        add(TypeMdi, Rect{0, 0, 50, 20}, 0);
        add(TypeImage, Rect{60, 0, 80, 20}, 1).image = "Pic.png";
        add(TypeImage, Rect{60, 30, 80, 50}, 3).image = "Gone\\Away.jpg";
        add(TypeLabel, Rect{0, 30, 50, 50}, 3);
        set.colours.Set(ColourSet::ScreenBack, MakeColourRef(1, 2, 3));
        const QString path = dir_.filePath("sample.set");
        std::string error;
        EXPECT_TRUE(AtomicFile::WriteAll(path.toStdString(), ScreenSetFile::Write(set).bytes, error));
        return path;
    }

    QString errors_;
};

} // namespace

TEST_F(RenderCommandTest, RendersOneScreenAtTheRequestedSize)
{
    WriteBitmap("Pic.png", Solid(4, 4, Qt::red));
    const QString set = WriteSet();
    const QString out = dir_.filePath("one.png");
    ASSERT_EQ(Run({set, "--size", "200x100", "--vorn3", dir_.path(), "-o", out}), 0) << errors_.toStdString();
    QImage img(out);
    ASSERT_EQ(img.size(), QSize(200, 100));
    EXPECT_EQ(At(img, 150, 90), QColor(1, 2, 3));
    EXPECT_EQ(At(img, 70, 10), QColor(Qt::red));
    EXPECT_EQ(At(img, 0, 0), QColor(176, 176, 255)); // persistent MDI line
    EXPECT_TRUE(errors_.contains("Away.jpg")) << errors_.toStdString(); // listed, not fatal
}

TEST_F(RenderCommandTest, AllWritesOnePicturePerScreenInUse)
{
    const QString set = WriteSet();
    const QString outDir = dir_.filePath("renders");
    ASSERT_EQ(Run({set, "--all", "--vorn3", dir_.path(), "-o", outDir}), 0) << errors_.toStdString();
    const QStringList files = QDir(outDir).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, QStringList({"sample-screen1.png", "sample-screen3.png"}));
    EXPECT_EQ(QImage(QDir(outDir).filePath("sample-screen3.png")).size(), QSize(1024, 768));
    EXPECT_TRUE(errors_.contains("Pic.png"));
}

TEST_F(RenderCommandTest, UsageAndInputErrors)
{
    const QString set = WriteSet();
    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({set}), 2);                                   // no -o
    EXPECT_EQ(Run({set, "--size", "0x10", "-o", "x.png"}), 2);
    EXPECT_EQ(Run({set, "--size", "99999x10", "-o", "x.png"}), 2);
    EXPECT_EQ(Run({set, "--screen", "two", "-o", "x.png"}), 2);
    EXPECT_EQ(Run({set, "--bogus", "-o", "x.png"}), 2);
    EXPECT_EQ(Run({dir_.filePath("nothing.set"), "-o", dir_.filePath("x.png")}), 1);
    QFile bad(dir_.filePath("bad.set"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("\x05\x00\x00\x00 truncated", 14);
    bad.close();
    EXPECT_EQ(Run({bad.fileName(), "--vorn3", dir_.path(), "-o", dir_.filePath("x.png")}), 1);
    EXPECT_TRUE(errors_.contains("bad.set"));
    EXPECT_FALSE(QFile::exists(dir_.filePath("x.png")));
}
