#include "CliRun.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// The DOM headless Chromium ends with for a page, with a profile of its own.
QString DumpDom(const QString& chromium, const QUrl& page)
{
    QTemporaryDir profile;
    QProcess p;
    p.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                       "--user-data-dir=" + profile.path(), "--dump-dom", page.toString()});
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The target of the first link matching `pattern` (its href captured) in the page's DOM.
QUrl Follow(const QString& chromium, const QUrl& page, const QString& pattern)
{
    const QString dom = DumpDom(chromium, page);
    const QRegularExpressionMatch m = QRegularExpression(pattern).match(dom);
    EXPECT_TRUE(m.hasMatch()) << pattern.toStdString() << " not in " << page.toString().toStdString() << ":\n"
                              << dom.left(2000).toStdString();
    return page.resolved(QUrl(m.captured(1)));
}

} // namespace

TEST(ExportHtmlCommand, ChromiumFollowsAScreenJump)
{
    const QString chromium = QStandardPaths::findExecutable("chromium");
    ASSERT_FALSE(chromium.isEmpty()) << "Chromium is not installed (scripts/install-deps installs it)";
    QTemporaryDir out;
    const CliRun run = CliRun::Of({"export-html", CliRun::Source("examples/mill.set"), "--vorn3",
                                   CliRun::Source("share/vorn3"), "-o", out.path()});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();

    const QUrl index = QUrl::fromLocalFile(QDir(out.path()).filePath("index.html"));
    const QUrl first = Follow(chromium, index, R"re(<a href="([^"]+)">Start: Screen 1</a>)re");
    // The persistent "MDI" button jumps to screen 2.
    const QUrl second = Follow(chromium, first, R"re(<a class="control jump" href="([^"]+)"[^>]*title="MDI\n)re");
    const QString dom = DumpDom(chromium, second);
    EXPECT_TRUE(dom.contains("<title>Screen 2 - mill.set</title>")) << second.toString().toStdString();
    EXPECT_TRUE(dom.contains(R"(<body id="screen-2">)"));
    EXPECT_TRUE(dom.contains(R"(<img src="screen-2.png")"));
}

TEST(ExportHtmlCommand, BadInputAndUnwritableFolder)
{
    QTemporaryDir work;
    const QString dir = QDir(work.path()).filePath("out");
    const CliRun bad = CliRun::Of({"export-html", CliRun::Source("tests/cli/CliRun.h"), "-o", dir});
    EXPECT_EQ(bad.status, 1);
    EXPECT_FALSE(QDir(dir).exists());
    const QString under = CliRun::Source("examples/mill.set") + "/out";
    const CliRun blocked = CliRun::Of({"export-html", CliRun::Source("examples/mill.set"), "-o", under});
    EXPECT_EQ(blocked.status, 1);
    EXPECT_TRUE(blocked.err.contains("cannot create folder " + under)) << blocked.err.toStdString();
    EXPECT_EQ(CliRun::Of({"export-html", CliRun::Source("examples/mill.set")}).status, 2);
}
