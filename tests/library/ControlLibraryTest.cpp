#include "core/FunctionCatalog.h"
#include "library/ControlLibrary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tavlora {
namespace {

struct ControlLibraryTest : ::testing::Test {
    QTemporaryDir dir;
    QString user;
    QString shipped = dir.filePath(QStringLiteral("shipped"));

    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
        user = ControlLibrary::DefaultUserFolder();
        ASSERT_TRUE(QDir().mkpath(user) && QDir().mkpath(shipped));
        Write(shipped + QStringLiteral("/Spindle.json"), R"({"controls": [{"rect": [0, 0, 80, 30], "type": 4}]})");
    }
    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QStringList Files() const { return QDir(user).entryList(QDir::Files | QDir::Hidden | QDir::System); }
};

ControlRecord Record(Rect rect, int type, int function, const char* text)
{
    ControlRecord r;
    r.rect = rect;
    r.type = type;
    r.function = function;
    r.text = text;
    return r;
}

TEST_F(ControlLibraryTest, SavesListsRenamesAndDeletesTheUsersBlocks)
{
    EXPECT_EQ(user, dir.filePath(QStringLiteral("data/Tavlora/library")));
    ControlRecord dro = Record({110, 220, 370, 256}, 1, 0, "\xc4");
    dro.format = "%.2f";
    dro.hotKey = 112;
    dro.locked = true;
    dro.image = "Mill\\DroFaceX.png";
    const ControlRecord zero = Record({380, 220, 464, 256}, 4, 11, "Zero X");
    ControlLibrary library(user, shipped);
    QString error;
    ASSERT_TRUE(library.Save(QStringLiteral("X Row"), {&dro, &zero}, error)) << error.toStdString();

    // The user's blocks first, then the shipped ones; places relative to the box.
    ASSERT_EQ(library.Blocks().size(), 2u);
    const ControlLibrary::Block& saved = library.Blocks()[0];
    EXPECT_EQ(saved.name, QStringLiteral("X Row"));
    EXPECT_TRUE(saved.problem.isEmpty());
    EXPECT_FALSE(saved.shipped);
    EXPECT_TRUE(library.Blocks()[1].shipped);
    ASSERT_EQ(saved.records.size(), 2u);
    EXPECT_EQ(saved.records[0]->rect, (Rect{0, 0, 260, 36}));
    EXPECT_EQ(saved.records[1]->rect, (Rect{270, 0, 354, 36}));
    EXPECT_TRUE(saved.records[0]->SameFieldsButRect(dro));
    EXPECT_TRUE(saved.records[1]->SameFieldsButRect(zero));

    EXPECT_FALSE(library.Save(QStringLiteral("X Row"), {&zero}, error));
    EXPECT_TRUE(library.Save(QStringLiteral("X Row"), {&zero}, error, true));
    EXPECT_EQ(library.Blocks()[0].records.size(), 1u);
    EXPECT_TRUE(library.Rename(QStringLiteral("X Row"), QStringLiteral("Zero"), error));
    EXPECT_EQ(Files(), QStringList{QStringLiteral("Zero.json")}); // no temporary left
    EXPECT_EQ(library.IndexOf(QStringLiteral("Zero")), 0);
    EXPECT_TRUE(library.Remove(QStringLiteral("Zero"), error));
    EXPECT_TRUE(Files().isEmpty());
    EXPECT_EQ(library.Blocks().size(), 1u);
}

TEST_F(ControlLibraryTest, ShippedBlocksAreReadOnly)
{
    ControlLibrary library(user, shipped);
    library.Load();
    ASSERT_EQ(library.IndexOf(QStringLiteral("Spindle"), true), 0);
    QString error;
    EXPECT_FALSE(library.Rename(QStringLiteral("Spindle"), QStringLiteral("Mine"), error));
    EXPECT_FALSE(library.Remove(QStringLiteral("Spindle"), error));
    EXPECT_TRUE(error.contains(QStringLiteral("shipped")));
    EXPECT_TRUE(QFile::exists(shipped + QStringLiteral("/Spindle.json")));
}

TEST_F(ControlLibraryTest, DamagedFilesAreListedWithTheReason)
{
    struct Row {
        const char* name;
        QByteArray bytes; // null: made below
        const char* reason;
    };
    const Row rows[] = {
        {"bad json", "{\"controls\": [", "invalid JSON"},
        {"wrong shape", "{\"colours\": []}", "no \"controls\" array"},
        {"wrong field", "{\"controls\": [{\"rect\": [1, 2]}]}", "control 1: field \"rect\""},
        {"empty", "{\"controls\": []}", "no controls"},
        {"huge", QByteArray(ControlLibrary::kMaxFileBytes + 1, ' '), "more than"},
        {"dangling link", {}, "cannot open dangling link.json"},
        {"fifo", {}, "not a regular file"},
    };
    for (const Row& row : rows) {
        const QString path = user + QLatin1Char('/') + QLatin1String(row.name) + QStringLiteral(".json");
        if (!row.bytes.isNull())
            Write(path, row.bytes);
        else if (QByteArray(row.name) == "fifo")
            ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        else
            ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("gone")), path));
    }
    Write(user + QStringLiteral("/fine.json"), R"([{"rect": [0, 0, 10, 10], "type": 7}])");
    ControlLibrary library(user, shipped);
    library.Load();
    EXPECT_EQ(library.Blocks().size(), std::size(rows) + 2);
    for (const Row& row : rows) {
        const int i = library.IndexOf(QLatin1String(row.name));
        ASSERT_GE(i, 0) << row.name;
        const ControlLibrary::Block& b = library.Blocks()[size_t(i)];
        EXPECT_TRUE(b.problem.contains(QLatin1String(row.reason))) << row.name << ": " << b.problem.toStdString();
        EXPECT_TRUE(b.records.empty()) << row.name;
    }
    EXPECT_TRUE(library.Blocks()[size_t(library.IndexOf(QStringLiteral("fine")))].problem.isEmpty());
    QString error;
    EXPECT_TRUE(library.Remove(QStringLiteral("bad json"), error)); // damaged blocks can go
}

TEST(ControlLibraryNames, RefusesNamesNoFileCanCarry)
{
    const struct {
        const char* name;
        bool ok;
    } rows[] = {{"Spindle 2", true}, {"Drehzahl \xc3\xbc", true}, {"", false}, {" lead", false},
                {".hidden", false}, {"a/b", false}, {"a\\b", false}, {"a:b", false}, {"tab\there", false}};
    for (const auto& row : rows)
        EXPECT_EQ(ControlLibrary::NameProblem(QString::fromUtf8(row.name)).isEmpty(), row.ok) << row.name;
    EXPECT_FALSE(ControlLibrary::NameProblem(QString(ControlLibrary::kMaxNameLength + 1, QLatin1Char('x'))).isEmpty());
}

TEST(ShippedLibrary, EveryBlockReadsWithFunctionsOfTheCatalogs)
{
    ControlLibrary library(QString(), ControlLibrary::DefaultShippedFolder());
    library.Load();
    EXPECT_EQ(library.Blocks().size(), 5u);
    for (const ControlLibrary::Block& b : library.Blocks()) {
        EXPECT_TRUE(b.shipped && b.problem.isEmpty()) << b.name.toStdString() << ": " << b.problem.toStdString();
        EXPECT_GE(b.records.size(), 5u) << b.name.toStdString();
        for (const auto& rec : b.records) {
            FunctionCatalog catalog;
            if (!catalog.Load(TAVLORA_SOURCE_DIR "/share/vorn3", rec->type) || catalog.Entries().empty())
                continue;
            EXPECT_GE(rec->function, 0) << b.name.toStdString();
            EXPECT_LT(size_t(rec->function), catalog.Entries().size()) << b.name.toStdString();
        }
    }
}

} // namespace
} // namespace tavlora
