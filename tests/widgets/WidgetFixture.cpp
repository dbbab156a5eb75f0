#include "WidgetFixture.h"

#include "SetBuilder.h"
#include "Unprivileged.h"

#include "core/ControlType.h"
#include "widgets/WidgetFactory.h"
#include "widgets/ScreenRenderer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace tavlora;

WidgetFixture::WidgetFixture()
{
    QDir(dir_.path()).mkpath(QStringLiteral("Bitmaps/MillBitmaps"));
    ctx_.vornFolder = dir_.path().toStdString();
    QObject::connect(&ctx_, &WidgetContext::pictureFailed, [this](const QString& path, const QString& error) {
        reported_ << path + QStringLiteral(": ") + error;
    });
}

bool WidgetFixture::RanAsNobody()
{
    using tavlora::test::Unprivileged;
    if (!Unprivileged::IsRoot())
        return false;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter = std::string("--gtest_filter=") + info->test_suite_name() + "." + info->name();
    EXPECT_EQ(Unprivileged::RunSelf({filter}), 0) << "the run as nobody failed";
    return true;
}

QString WidgetFixture::WriteVornFile(const QString& relative, const QImage& image)
{
    const QString path = dir_.filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(image.save(path)) << path.toStdString();
    return path;
}

QString WidgetFixture::WriteBitmap(const QString& relative, const QImage& image)
{
    return WriteVornFile(QStringLiteral("Bitmaps/") + relative, image);
}

QString WidgetFixture::WriteRawBitmap(const QString& relative, const QByteArray& bytes)
{
    const QString path = dir_.filePath(QStringLiteral("Bitmaps/") + relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

void WidgetFixture::WriteStandardLeds(int width, int height)
{
    const struct {
        const char* name;
        QColor lit;
    } leds[] = {{"LegacyGreen.bmp", QColor(0, 200, 0)},
                {"LegacyRed.bmp", QColor(200, 0, 0)},
                {"LegacyYellow.bmp", QColor(230, 230, 0)},
                {"LegacyRedGreen.bmp", QColor(200, 0, 0)}};
    for (const auto& led : leds) {
        QImage img = Solid(width, height, QColor(128, 128, 128));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width / 2; ++x)
                img.setPixelColor(x, y, led.lit);
        WriteVornFile(QString::fromLatin1(led.name), img);
    }
}

ControlRecord& WidgetFixture::Add(int type, int left, int top, int right, int bottom, int screen)
{
    return test::SetBuilder::Add(set_, type, screen, Rect{left, top, right, bottom});
}

void WidgetFixture::Rebuild()
{
    ctx_.BeginLoad();
    WidgetFactory::RebuildWidgets(set_, ctx_);
    // What the document's load does after: the records take the creation rules.
    for (auto& rec : set_.controls)
        ApplyCreationRules(*rec);
}

QImage WidgetFixture::Render(QSize size, int screen)
{
    return ScreenRenderer::Render(set_, ctx_, screen, size);
}

QImage WidgetFixture::Solid(int w, int h, QColor colour, QImage::Format format)
{
    QImage img(w, h, format);
    img.fill(colour);
    return img;
}

int WidgetFixture::CountNot(const QImage& image, const QRect& area, QColor colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (QColor(image.pixel(x, y)) != colour)
                ++n;
    return n;
}
