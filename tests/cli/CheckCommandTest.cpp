#include "CliRun.h"

#include "core/CheckCode.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

class CheckCommandTest : public ::testing::Test {
protected:
    QString Copy(const QString& from, const QString& name, const QByteArray& append = {})
    {
        QFile in(from);
        EXPECT_TRUE(in.open(QIODevice::ReadOnly)) << from.toStdString();
        const QString path = dir_.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(in.readAll() + append);
        return path;
    }

    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }

    // Options that do not depend on the user's profile.
    QStringList Fixed(const QString& vorn3)
    {
        return {QStringLiteral("--vorn3"), vorn3, QStringLiteral("--profile"), dir_.filePath("none.xml")};
    }

    static QJsonArray Json(const CliRun& run)
    {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(run.out.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
        return doc.array();
    }

    // The faulty set with three stray bytes after its colours.
    QString FaultySet() { return Copy(CliRun::Source("tests/check/faulty.set"), "faulty.set", "xyz"); }
    QString FaultyVorn3() { return CliRun::Source("tests/check/vorn3"); }

    QTemporaryDir dir_;
};

// A control count of -1 and the ten colours.
QByteArray NegativeCountSet()
{
    return QByteArray("\xff\xff\xff\xff", 4) + QByteArray(40, '\0');
}

} // namespace

TEST_F(CheckCommandTest, FaultySetIsWhatItsJsonBuilds)
{
    const QString built = dir_.filePath("built.set");
    const CliRun run = CliRun::Of({"build", CliRun::Source("tests/check/faulty.json"), built});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile a(built), b(CliRun::Source("tests/check/faulty.set"));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll()) << "run scripts/build-examples";
}

TEST_F(CheckCommandTest, EveryFindingAppearsOnceWithItsCode)
{
    const QString negative = Write("negative.set", NegativeCountSet());
    const CliRun run = CliRun::Of(QStringList{"check", "--json", FaultySet(), negative} + Fixed(FaultyVorn3()));
    EXPECT_EQ(run.status, 3) << run.err.toStdString();
    std::map<std::string, int> count;
    for (const QJsonValue& v : Json(run))
        ++count[v.toObject().value("code").toString().toStdString()];
    for (std::string_view code : tavlora::CheckCode::All())
        EXPECT_EQ(count[std::string(code)], 1) << code;
    EXPECT_EQ(count.size(), tavlora::CheckCode::All().size());

    // The text form names each code once too.
    const CliRun text = CliRun::Of(QStringList{"check", FaultySet(), negative} + Fixed(FaultyVorn3()));
    EXPECT_EQ(text.status, 3);
    for (std::string_view code : tavlora::CheckCode::All())
        EXPECT_EQ(text.out.count(QStringLiteral("[%1]").arg(QLatin1String(code.data(), qsizetype(code.size())))), 1)
            << code;
    EXPECT_TRUE(text.out.contains("faulty.set: 6 errors, 8 warnings, 6 notes")) << text.out.toStdString();
}

TEST_F(CheckCommandTest, JsonNamesPlacesAndTheOtherControl)
{
    const CliRun run = CliRun::Of(QStringList{"check", "--json", FaultySet()} + Fixed(FaultyVorn3()));
    std::map<QString, QJsonObject> byCode;
    for (const QJsonValue& v : Json(run))
        byCode[v.toObject().value("code").toString()] = v.toObject();
    const QJsonObject dup = byCode["duplicate-hot-key"];
    EXPECT_EQ(dup.value("severity").toString(), "error");
    EXPECT_EQ(dup.value("screen").toInt(), 1);
    EXPECT_EQ(dup.value("index").toInt(), 3);
    EXPECT_EQ(dup.value("otherIndex").toInt(), 0);
    EXPECT_EQ(dup.value("caption").toString(), "Dup");
    EXPECT_EQ(dup.value("rect").toArray(), (QJsonArray{120, 10, 220, 50}));
    EXPECT_FALSE(dup.value("message").toString().isEmpty());
    const QJsonObject trailing = byCode["bytes-after-colours"];
    EXPECT_TRUE(trailing.value("index").isNull());
    EXPECT_TRUE(trailing.value("screen").isNull());
    EXPECT_FALSE(trailing.contains("otherIndex"));
    const QJsonObject unreachable = byCode["unreachable-screen"];
    EXPECT_EQ(unreachable.value("screen").toInt(), 3);
    EXPECT_TRUE(unreachable.value("index").isNull());
    EXPECT_EQ(byCode["picture-case-mismatch"].value("severity").toString(), "note");
    EXPECT_EQ(byCode["hidden-control"].value("otherIndex").toInt(), 15);
}

TEST_F(CheckCommandTest, ExamplesAreCleanApartFromDeliberateNotes)
{
    for (const char* name : {"examples/mill.set", "examples/turn.lset", "examples/minimal.set"}) {
        const CliRun run = CliRun::Of(QStringList{"check", "--json", "--werror", CliRun::Source(name)}
                                      + Fixed(CliRun::Source("share/vorn3")));
        EXPECT_EQ(run.status, 0) << name << run.out.toStdString();
        for (const QJsonValue& v : Json(run)) {
            const QString code = v.toObject().value("code").toString();
            EXPECT_EQ(v.toObject().value("severity").toString(), "note") << name << " " << code.toStdString();
            // mill.set holds one control of every type, the old ones included.
            EXPECT_TRUE(code == "obsolete-type" || code == "older-image-type") << name << " " << code.toStdString();
        }
    }
}

TEST_F(CheckCommandTest, ExitStatus)
{
    const QString clean = CliRun::Source("examples/minimal.set");
    const QString warnings = Write("warn.set", NegativeCountSet());
    const struct {
        QStringList args;
        int status;
    } table[] = {
        {{"check", clean}, 0},
        {{"check", warnings}, 0},
        {{"check", "--werror", warnings}, 3},
        {{"check", FaultySet()}, 3},
        {{"check", dir_.filePath("absent.set")}, 1},
        {{"check", dir_.filePath("absent.set"), FaultySet()}, 1}, // unreadable wins, the rest is still checked
        {{"check", Write("short.set", "\x05\x00")}, 1},
        {{"check"}, 2},
        {{"check", clean, "--bogus"}, 2},
        {{"check", clean, "--size", "0x5"}, 2},
        {{"check", clean, "--size"}, 2},
        {{"check", clean, "--vorn3"}, 2},
        {{"check", CliRun::Source("examples")}, 1}, // a folder
        {{"check", "--help"}, 0},
    };
    for (const auto& row : table) {
        const CliRun run = CliRun::Of(row.args.mid(0, 1) + Fixed(CliRun::Source("share/vorn3")) + row.args.mid(1));
        EXPECT_EQ(run.status, row.status) << row.args.join(' ').toStdString() << "\n" << run.err.toStdString();
    }
    const CliRun both = CliRun::Of(QStringList{"check", dir_.filePath("absent.set"), FaultySet()} + Fixed(FaultyVorn3()));
    EXPECT_TRUE(both.err.contains("absent.set"));
    EXPECT_TRUE(both.out.contains("[duplicate-hot-key]"));
}

TEST_F(CheckCommandTest, TargetScreenSize)
{
    // At 640x480 the header of the mill set reaches past the right edge.
    const CliRun run = CliRun::Of(QStringList{"check", CliRun::Source("examples/mill.set"), "--size", "640x480"}
                                  + Fixed(CliRun::Source("share/vorn3")));
    EXPECT_EQ(run.status, 3);
    EXPECT_TRUE(run.out.contains("[off-screen]"));
    EXPECT_TRUE(run.out.contains("640x480"));
}
