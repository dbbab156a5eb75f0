#include "CliRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DiffCommandTest : public ::testing::Test {
protected:
    // Builds a set from the JSON controls given.
    QString Set(const QString& name, const QString& controls, const QString& colours = QString())
    {
        const QString json = dir_.filePath(name + ".json");
        QFile f(json);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        QString text = QStringLiteral("{\"controls\": [%1]").arg(controls);
        if (!colours.isEmpty())
            text += QStringLiteral(", \"colours\": [%1]").arg(colours);
        f.write((text + "}").toUtf8());
        f.close();
        const QString set = dir_.filePath(name + ".set");
        const CliRun run = CliRun::Of({"build", json, set});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return set;
    }

    QTemporaryDir dir_;
};

const char* kStart = R"({"type": 4, "screen": 1, "text": "Start", "rect": [10, 10, 70, 30]})";
const char* kFeed = R"({"type": 7, "screen": 1, "label": "Feed", "rect": [10, 40, 70, 60]})";
const char* kMdi = R"({"type": 9, "screen": 2, "rect": [0, 0, 300, 20]})";

QString Join(std::initializer_list<const char*> parts)
{
    QStringList list;
    for (const char* p : parts)
        list << QString::fromUtf8(p);
    return list.join(", ");
}

} // namespace

TEST_F(DiffCommandTest, EqualSetsSayNothing)
{
    const QString a = Set("a", Join({kStart, kFeed}));
    const CliRun run = CliRun::Of({"diff", a, a});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.isEmpty());
}

TEST_F(DiffCommandTest, AnInsertionIsOneAddedControl)
{
    const QString a = Set("a", Join({kStart, kFeed, kMdi}));
    const QString b = Set("b", Join({R"({"type": 6, "screen": 1, "rect": [80, 10, 100, 30]})", kStart, kFeed, kMdi}));
    const CliRun run = CliRun::Of({"diff", a, b});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, QStringLiteral("--- %1\n+++ %2\nscreen 1:\n  + #0 LED Control at 80,10,100,30\n").arg(a, b));
}

TEST_F(DiffCommandTest, MovesAndFieldChanges)
{
    const QString a = Set("a", Join({kStart, kFeed, kMdi}));
    const QString b = Set("b", Join({R"({"type": 4, "screen": 1, "text": "Cycle Start", "rect": [12, 10, 72, 30]})",
                                     kMdi, R"({"type": 7, "screen": 3, "label": "Feed", "rect": [10, 40, 70, 60]})"}),
                          "1,2,3,4,5,6,7,8,9,10");
    const CliRun run = CliRun::Of({"diff", a, b});
    EXPECT_EQ(run.status, 1);
    const QStringList lines = run.out.split('\n');
    const QStringList expected = {
        "--- " + a,
        "+++ " + b,
        "screen 1:",
        "  ~ #0 Button Control \"Cycle Start\"",
        "      rect 10,10,70,30 -> 12,10,72,30",
        "      text \"Start\" -> \"Cycle Start\"",
        "screen 3:",
        "  ~ #2 Label Control \"Feed\" (was #1), moved in the list",
        "      screen 1 -> 3",
        "colours:",
    };
    ASSERT_GE(lines.size(), expected.size()) << run.out.toStdString();
    EXPECT_EQ(lines.mid(0, int(expected.size())), expected) << run.out.toStdString();
    EXPECT_EQ(run.out.count(" -> 0x"), 10);
}

TEST_F(DiffCommandTest, RemovalsAndTheEmptySet)
{
    const QString a = Set("a", Join({kStart, kMdi}));
    const CliRun run = CliRun::Of({"diff", a, "/dev/null"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.contains("  - #0 Button Control \"Start\" at 10,10,70,30\n"));
    EXPECT_TRUE(run.out.contains("screen 2:\n  - #1 MDI Control"));
    EXPECT_FALSE(run.out.contains("colours"));
}

TEST_F(DiffCommandTest, UsageAndBadFilesExitTwo)
{
    const QString a = Set("a", kStart);
    QFile bad(dir_.filePath("bad.set"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("\x02\x00\x00\x00", 4);
    bad.close();
    const struct {
        QStringList args;
        int status;
    } table[] = {
        {{"diff"}, 2},         {{"diff", a}, 2},       {{"diff", a, a, a}, 2},
        {{"diff", a, "-x"}, 2}, {{"diff", a, bad.fileName()}, 2}, {{"diff", dir_.filePath("none.set"), a}, 2},
        {{"diff", "--help"}, 0},
    };
    for (const auto& row : table)
        EXPECT_EQ(CliRun::Of(row.args).status, row.status) << row.args.join(' ').toStdString();
    EXPECT_TRUE(CliRun::Of({"diff", a, bad.fileName()}).err.contains("bad.set"));
}

// The two ways the README gives to make git diff show screen sets.
TEST_F(DiffCommandTest, GitShowsScreenSetsReadably)
{
    const QString git = QStandardPaths::findExecutable("git");
    if (git.isEmpty())
        GTEST_SKIP() << "git is not installed";
    const QString repo = dir_.filePath("repo");
    QDir().mkpath(repo);
    auto run = [&](const QStringList& args) {
        QProcess p;
        p.setWorkingDirectory(repo);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("GIT_CONFIG_NOSYSTEM", "1");
        env.insert("HOME", dir_.path());
        env.insert("GIT_AUTHOR_NAME", "t");
        env.insert("GIT_AUTHOR_EMAIL", "t@example.org");
        env.insert("GIT_COMMITTER_NAME", "t");
        env.insert("GIT_COMMITTER_EMAIL", "t@example.org");
        p.setProcessEnvironment(env);
        p.start(git, args);
        p.waitForFinished(60000);
        EXPECT_EQ(p.exitCode(), 0) << args.join(' ').toStdString() << p.readAllStandardError().toStdString();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    run({"init", "-q"});
    QFile attributes(repo + "/.gitattributes");
    ASSERT_TRUE(attributes.open(QIODevice::WriteOnly));
    attributes.write("*.set diff=tavlora\n*.lset diff=tavlora\n*.sset diff=tavlora\n");
    attributes.close();
    const QString cli = QStringLiteral(TAVLORA_CLI);
    QFile::copy(Set("a", Join({kStart, kFeed})), repo + "/screens.set");
    run({"add", "."});
    run({"commit", "-q", "-m", "first"});
    QFile::remove(repo + "/screens.set");
    QFile::copy(Set("b", Join({R"({"type": 4, "screen": 1, "text": "Cycle Start", "rect": [10, 10, 70, 30]})", kFeed})),
                repo + "/screens.set");

    run({"config", "diff.tavlora.textconv", cli + " dump"});
    const QString textconv = run({"diff"});
    EXPECT_TRUE(textconv.contains("-            \"text\": \"Start\"")) << textconv.toStdString();
    EXPECT_TRUE(textconv.contains("+            \"text\": \"Cycle Start\""));

    run({"config", "diff.tavlora.command", "f() { " + cli + " diff \"$2\" \"$5\"; [ $? -le 1 ]; }; f"});
    const QString semantic = run({"diff"});
    EXPECT_TRUE(semantic.contains("      text \"Start\" -> \"Cycle Start\"")) << semantic.toStdString();
}
