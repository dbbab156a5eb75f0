#include "CliRun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString Faulty()
{
    return CliRun::Source("tests/check/faulty.set");
}

} // namespace

TEST(MapCommand, DotNamesScreensCountsAndJumps)
{
    const CliRun run = CliRun::Of({"map", Faulty()});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString& dot = run.out;
    EXPECT_TRUE(dot.startsWith("digraph \"faulty.set\" {"));
    EXPECT_TRUE(dot.contains("persistent [label=\"persistent\\n2 controls\""));
    EXPECT_TRUE(dot.contains("\"s1\" [label=\"screen 1\\n19 controls\"]"));
    EXPECT_TRUE(dot.contains("\"s3\" [label=\"screen 3\\n1 control\", style=\"rounded,dashed\"]")); // unreachable
    EXPECT_TRUE(dot.contains("\"s7\" [label=\"screen 7\\n0 controls\", color=red")); // empty target
    EXPECT_TRUE(dot.contains("persistent -> \"s1\" [label=\"Main\"];"));
    EXPECT_TRUE(dot.contains("\"s1\" -> \"s2\" [label=\"Go 2\"];"));
    EXPECT_TRUE(dot.contains("\"s1\" -> \"s7\" [label=\"Nowhere\"];"));
    EXPECT_EQ(dot.count("->"), 3);
    EXPECT_TRUE(dot.trimmed().endsWith('}'));
}

TEST(MapCommand, Json)
{
    const CliRun run = CliRun::Of({"map", Faulty(), "--format", "json"});
    ASSERT_EQ(run.status, 0);
    const QJsonObject root = QJsonDocument::fromJson(run.out.toUtf8()).object();
    const QJsonArray jumps = root.value("jumps").toArray();
    ASSERT_EQ(jumps.size(), 3);
    EXPECT_EQ(jumps[0].toObject(), (QJsonObject{{"from", 0}, {"to", 1}, {"index", 0}, {"label", "Main"}}));
    bool sawThree = false;
    for (const QJsonValue& s : root.value("screens").toArray()) {
        if (s.toObject().value("screen").toInt() == 3) {
            sawThree = true;
            EXPECT_FALSE(s.toObject().value("reachable").toBool());
            EXPECT_EQ(s.toObject().value("controls").toInt(), 1);
        }
    }
    EXPECT_TRUE(sawThree);
}

TEST(MapCommand, PicturesAndDotTextFiles)
{
    QTemporaryDir dir;
    const QString dotFile = dir.filePath("map.dot");
    ASSERT_EQ(CliRun::Of({"map", Faulty(), "-o", dotFile}).status, 0);
    QFile f(dotFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("digraph"));

    if (QStandardPaths::findExecutable("dot").isEmpty())
        GTEST_SKIP() << "Graphviz's dot is not installed";
    const QString svg = dir.filePath("map.svg");
    const CliRun run = CliRun::Of({"map", Faulty(), "-o", svg});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile s(svg);
    ASSERT_TRUE(s.open(QIODevice::ReadOnly));
    const QByteArray bytes = s.readAll();
    EXPECT_TRUE(bytes.contains("<svg")) << bytes.left(200).toStdString();
    EXPECT_TRUE(bytes.contains("Nowhere"));
    const QString png = dir.filePath("map.png");
    ASSERT_EQ(CliRun::Of({"map", Faulty(), "-o", png}).status, 0);
    QFile p(png);
    ASSERT_TRUE(p.open(QIODevice::ReadOnly));
    EXPECT_TRUE(p.readAll().startsWith("\x89PNG"));
}

TEST(MapCommand, WithoutDotSaysHowToRenderAndWritesNothing)
{
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", dir.path()); // a folder without dot
    const QString svg = dir.filePath("map.svg");
    const CliRun run = CliRun::Of({"map", Faulty(), "-o", svg}, env);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("dot")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("graphviz"));
    EXPECT_TRUE(run.err.contains("-Tsvg"));
    EXPECT_FALSE(QFile::exists(svg));
    // Printing the DOT needs no dot.
    EXPECT_EQ(CliRun::Of({"map", Faulty()}, env).status, 0);
}

TEST(MapCommand, UsageAndBadInput)
{
    QTemporaryDir dir;
    const struct {
        QStringList args;
        int status;
    } table[] = {
        {{"map"}, 2},
        {{"map", Faulty(), Faulty()}, 2},
        {{"map", Faulty(), "--format", "xml"}, 2},
        {{"map", Faulty(), "-o"}, 2},
        {{"map", Faulty(), "-o", dir.filePath("noextension")}, 2},
        {{"map", dir.filePath("absent.set")}, 1},
        {{"map", Faulty(), "-o", dir.filePath("no/such/folder/map.dot")}, 1},
        {{"map", "--help"}, 0},
    };
    for (const auto& row : table)
        EXPECT_EQ(CliRun::Of(row.args).status, row.status) << row.args.join(' ').toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}
