#include "CliRun.h"
#include "PdfPages.h"

#include "core/AtomicFile.h"
#include "core/ScreenSetFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using tavlora::test::PdfPages;

namespace {

// Screens of a set file that hold controls.
std::set<int> UsedScreens(const QString& path)
{
    std::string bytes, error;
    tavlora::ScreenSet set;
    std::set<int> used;
    if (!tavlora::AtomicFile::ReadAll(path.toStdString(), bytes, error)
        || !tavlora::ScreenSetFile::Read(bytes.data(), bytes.size(), set).ok)
        return used;
    for (const auto& rec : set.controls)
        used.insert(rec->screen);
    return used;
}

QStringList Render(const QString& set, const QStringList& more)
{
    return QStringList{"render", set, "--vorn3", CliRun::Source("share/vorn3")} + more;
}

} // namespace

TEST(RenderPdf, AllWritesOnePagePerUsedScreen)
{
    QTemporaryDir dir;
    for (const char* example : {"examples/mill.set", "examples/turn.lset"}) {
        const QString set = CliRun::Source(example);
        const std::set<int> used = UsedScreens(set);
        ASSERT_GE(used.size(), 2u) << example;
        ASSERT_TRUE(used.count(0)) << example; // the persistent layer gets a page of its own
        const QString out = dir.filePath("all.pdf");
        const CliRun run = CliRun::Of(Render(set, {"--all", "-o", out}));
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.out.trimmed(), QDir::toNativeSeparators(out));
        EXPECT_EQ(PdfPages::Count(PdfPages::Read(out)), int(used.size())) << example;

        const auto pages = PdfPages::Rasterize(out);
        if (!pages)
            continue; // without pdftoppm the page count has to do
        ASSERT_EQ(pages->size(), qsizetype(used.size()));
        for (qsizetype i = 0; i < pages->size(); ++i) {
            // The screen covers most of the page and its controls show in many colours.
            EXPECT_GT(PdfPages::Inked((*pages)[i]), 0.4) << example << " page " << i + 1;
            EXPECT_GE(PdfPages::Colours((*pages)[i]), 16) << example << " page " << i + 1;
        }
    }
}

TEST(RenderPdf, OneScreenMakesOnePageAndTheExtensionDecides)
{
    QTemporaryDir dir;
    const QString set = CliRun::Source("examples/mill.set");
    const QString upper = dir.filePath("screen2.PDF");
    ASSERT_EQ(CliRun::Of(Render(set, {"--screen", "2", "--size", "800x600", "-o", upper})).status, 0);
    EXPECT_EQ(PdfPages::Count(PdfPages::Read(upper)), 1);
    if (const auto text = PdfPages::Text(upper)) {
        EXPECT_TRUE(text->contains("Screen 2"));
        EXPECT_TRUE(text->contains("mill.set"));
    }
    // A .png output stays a picture.
    const QString png = dir.filePath("screen2.png");
    ASSERT_EQ(CliRun::Of(Render(set, {"--screen", "2", "-o", png})).status, 0);
    EXPECT_TRUE(PdfPages::Read(png).startsWith("\x89PNG"));
}

TEST(RenderPdf, BadInputWritesNothingAndKeepsAnOldFile)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("old.pdf");
    {
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old contents");
    }
    const QString bad = dir.filePath("bad.set");
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\x05\x00\x00\x00 truncated", 14);
    }
    const CliRun run = CliRun::Of(Render(bad, {"--all", "-o", out}));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("bad.set")) << run.err.toStdString();
    EXPECT_EQ(PdfPages::Read(out), QByteArray("old contents"));

    const QString nowhere = dir.filePath("no/such/folder/x.pdf");
    const CliRun unwritable = CliRun::Of(Render(CliRun::Source("examples/mill.set"), {"--all", "-o", nowhere}));
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(unwritable.err.contains("x.pdf")) << unwritable.err.toStdString();
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary left
}

TEST(RenderPdf, HelpNamesThePdfOutput)
{
    const CliRun help = CliRun::Of({"render", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("OUT.pdf"));
    const CliRun main = CliRun::Of({"--help"});
    EXPECT_TRUE(main.out.contains("PNG or PDF"));
}
