#include "settings/ColourSettings.h"
#include "settings/SettingsProfile.h"
#include "settings/VornFolder.h"

#include "core/ColourSet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace tavlora;

namespace {

QString ReadFile(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

} // namespace

TEST(SettingsProfile, WritesRoundTripThroughTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tavlora.xml"));
    {
        SettingsProfile p(path);
        for (int i = 0; i < ColourSet::Count; ++i) {
            const auto key = ColourSet::ProfileKey(ColourSet::Index(i));
            p.WriteInt(QStringLiteral("Colors"), QString::fromLatin1(key.data(), qsizetype(key.size())), i * 1000 - 1);
        }
        p.WriteString(QStringLiteral("Locations"), QStringLiteral("VornLocation"), QStringLiteral("C:\\Vorn3 Ä"));
        p.WriteInt(QStringLiteral("Griding"), QStringLiteral("Granularity"), 7);
        p.WriteInt(QStringLiteral("Griding"), QStringLiteral("Granularity"), 8); // replaces, not appends
    }
    const QString xml = ReadFile(path);
    EXPECT_TRUE(xml.contains(QStringLiteral("<profile>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<ScreenBack>-1</ScreenBack>")));
    EXPECT_LT(xml.indexOf(QStringLiteral("<ScreenBack>")), xml.indexOf(QStringLiteral("<GCodeTextScreenBack>")));
    EXPECT_EQ(xml.count(QStringLiteral("<Granularity>")), 1);

    SettingsProfile back(path);
    back.SetSaveOnDestroy(false);
    EXPECT_EQ(back.ReadInt(QStringLiteral("Colors"), QStringLiteral("DROBack"), 5), 999);
    EXPECT_EQ(back.ReadInt(QStringLiteral("Griding"), QStringLiteral("Granularity"), 3), 8);
    EXPECT_EQ(back.ReadString(QStringLiteral("Locations"), QStringLiteral("VornLocation"), QString()),
              QStringLiteral("C:\\Vorn3 Ä"));
    EXPECT_EQ(back.ReadInt(QStringLiteral("colors"), QStringLiteral("DROBack"), 5), 5); // case-sensitive
}

TEST(SettingsProfile, ReadRules)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.xml"));
    WriteFile(path,
              "<profile><Colors><DROBack></DROBack><Label>12abc</Label><MDIText>x1</MDIText>"
              "<Label>99</Label></Colors><Colors><DRONumers>5</DRONumers></Colors>"
              "<defs><DROX> -40</DROX></defs></profile>");
    {
        SettingsProfile p(path);
        EXPECT_EQ(p.ReadInt(QStringLiteral("Colors"), QStringLiteral("DROBack"), 777), 777);
        EXPECT_EQ(p.ReadInt(QStringLiteral("Colors"), QStringLiteral("Label"), 0), 12);   // first duplicate, leading digits
        EXPECT_EQ(p.ReadInt(QStringLiteral("Colors"), QStringLiteral("MDIText"), 3), 0);  // no leading number
        EXPECT_EQ(p.ReadInt(QStringLiteral("Colors"), QStringLiteral("DRONumers"), 3), 3); // second section not searched
        EXPECT_EQ(p.ReadInt(QStringLiteral("defs"), QStringLiteral("DROX"), 200), -40);
    }
    // The empty key was dropped on read and is gone after the save.
    EXPECT_FALSE(ReadFile(path).contains(QStringLiteral("DROBack")));
    EXPECT_EQ(SettingsProfile::LeadingInt(QStringLiteral("99999999999")), INT_MAX);
}

TEST(SettingsProfile, MissingOrBrokenFileGivesDefaults)
{
    QTemporaryDir dir;
    const QString broken = dir.filePath(QStringLiteral("broken.xml"));
    WriteFile(broken, "<profile><Colors><Label>1</Colors>");
    {
        SettingsProfile p(broken);
        EXPECT_EQ(p.ReadInt(QStringLiteral("Colors"), QStringLiteral("Label"), 42), 42);
        p.WriteInt(QStringLiteral("Griding"), QStringLiteral("OnOff"), 1);
    }
    // Replaced at exit by the in-memory document; the broken file is kept beside it.
    EXPECT_TRUE(ReadFile(broken).contains(QStringLiteral("<OnOff>1</OnOff>")));
    EXPECT_EQ(ReadFile(broken + QStringLiteral(".unreadable")), QStringLiteral("<profile><Colors><Label>1</Colors>"));

    const QString deep = dir.filePath(QString(60, QLatin1Char('d')) + QStringLiteral("/") + QString(60, QLatin1Char('e')));
    ASSERT_TRUE(QDir().mkpath(deep));
    SettingsProfile p(deep + QStringLiteral("/Tavlora.xml"));
    EXPECT_EQ(p.ReadString(QStringLiteral("Locations"), QStringLiteral("VornLocation"), QStringLiteral("d")),
              QStringLiteral("d"));
    p.WriteInt(QStringLiteral("a"), QStringLiteral("b"), 1);
    EXPECT_TRUE(p.Save()); // long start folders work
}

// Files written by other programs, or by a save that once went wrong, are
// read as well as they can be and written back so that the next start reads
// the same: a declaration that matches the bytes, no character XML cannot
// carry, and an unreadable file kept beside the new one.
TEST(SettingsProfile, HostileFilesAreNeverLostOrCorrupted)
{
    const struct {
        const char* file;
        const char* location; // VornLocation as first read (UTF-8)
        int granularity;      // -1: not in the file
        bool keptAside;
    } rows[] = {
        {"settings-windows-1252.xml", "/srv/\xc3\x9c" "ber", -1, false},
        {"enc-profile.xml", nullptr, -1, false}, // mojibake from an earlier save: kept, never grown
        {"settings-utf7-nul.xml", nullptr, -1, false},
        {"settings-saved-with-U0001.xml", "/srv/ab", 7, true},
        {"settings-after-vorn-location-ctrl-char.xml", "/srv/ctl/vx", 9, true},
    };
    const QString section = QStringLiteral("Locations"), key = QStringLiteral("VornLocation");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tavlora.xml"));
        QFile original(QStringLiteral(TAVLORA_HOSTILE_DIR "/") + QString::fromLatin1(row.file));
        ASSERT_TRUE(original.open(QIODevice::ReadOnly));
        const QByteArray bytes = original.readAll();
        WriteFile(path, bytes);
        QString first;
        {
            SettingsProfile p(path);
            first = p.ReadString(section, key, QStringLiteral("-"));
            if (row.location) {
                EXPECT_EQ(first, QString::fromUtf8(row.location));
            }
            EXPECT_EQ(p.ReadInt(QStringLiteral("Griding"), QStringLiteral("Granularity"), -1), row.granularity);
            EXPECT_EQ(!p.LoadProblem().isEmpty(), row.keptAside) << p.LoadProblem().toStdString();
        }
        QFile kept(path + QStringLiteral(".unreadable"));
        EXPECT_EQ(kept.exists(), row.keptAside);
        if (row.keptAside) {
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
            EXPECT_EQ(kept.readAll(), bytes);
        }
        // Two more starts and exits change nothing.
        const QByteArray saved = ReadFile(path).toUtf8();
        EXPECT_TRUE(saved.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")) << saved.left(60).data();
        for (int i = 0; i < 2; ++i) {
            SettingsProfile p(path);
            EXPECT_TRUE(p.LoadProblem().isEmpty()) << p.LoadProblem().toStdString();
            EXPECT_EQ(p.ReadString(section, key, QStringLiteral("-")), first);
        }
        EXPECT_EQ(ReadFile(path).toUtf8(), saved);
    }
}

// A value XML cannot carry is refused and the file stays readable; files too
// large, nested too deep or that are no files at all are refused at once.
TEST(SettingsProfile, WhatCannotBeStoredOrReadIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tavlora.xml"));
    {
        SettingsProfile p(path);
        EXPECT_TRUE(p.WriteString(QStringLiteral("Locations"), QStringLiteral("VornLocation"), QStringLiteral("/srv/ok")));
        for (const QString& bad : {QStringLiteral("/srv/a\u0001b"), QString(QChar(0xFFFF)), QString(QChar(0xD800)),
                                   QStringLiteral(" \t ")})
            EXPECT_FALSE(p.WriteString(QStringLiteral("Locations"), QStringLiteral("VornLocation"), bad));
        EXPECT_TRUE(p.Save());
    }
    SettingsProfile back(path);
    back.SetSaveOnDestroy(false);
    EXPECT_TRUE(back.LoadProblem().isEmpty());
    EXPECT_EQ(back.ReadString(QStringLiteral("Locations"), QStringLiteral("VornLocation"), {}), QStringLiteral("/srv/ok"));

    const QString deep = dir.filePath(QStringLiteral("deep.xml"));
    WriteFile(deep, QByteArray("<a>").repeated(200000) + QByteArray("</a>").repeated(200000));
    const QString big = dir.filePath(QStringLiteral("big.xml"));
    WriteFile(big, "<profile>" + QByteArray(int(SettingsProfile::kMaxBytes), ' ') + "</profile>");
    const QString fifo = dir.filePath(QStringLiteral("fifo.xml"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    for (const QString& file : {deep, big, fifo, QStringLiteral("/dev/zero")}) {
        SettingsProfile p(file);
        p.SetSaveOnDestroy(false);
        EXPECT_FALSE(p.LoadProblem().isEmpty()) << file.toStdString();
        EXPECT_EQ(p.ReadInt(QStringLiteral("Griding"), QStringLiteral("Granularity"), 3), 3);
    }
}

TEST(SettingsProfile, ProfilePathChoice)
{
    // Command line, environment, a file in the start folder, the configuration folder.
    QTemporaryDir start, config;
    const QString savedCwd = QDir::currentPath();
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    ASSERT_TRUE(QDir::setCurrent(start.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const QString inStart = start.filePath(QStringLiteral("Tavlora.xml"));
    const QString inConfig = config.filePath(QStringLiteral("Tavlora/Tavlora.xml"));

    struct Case {
        const char* what;
        QString commandLine;
        const char* env;
        bool startFileExists;
        QString expected;
    };
    const Case cases[] = {
        {"command line wins", QStringLiteral("/x/cmd.xml"), "/tmp/from-env.xml", true, QStringLiteral("/x/cmd.xml")},
        {"then the environment", QString(), "/tmp/from-env.xml", true, QStringLiteral("/tmp/from-env.xml")},
        {"then an existing start-folder file", QString(), nullptr, true, inStart},
        {"else the configuration folder", QString(), nullptr, false, inConfig},
        {"an empty variable counts as unset", QString(), "", false, inConfig},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.env)
            qputenv("TAVLORA_PROFILE", c.env);
        else
            qunsetenv("TAVLORA_PROFILE");
        QFile::remove(inStart);
        if (c.startFileExists)
            WriteFile(inStart, "<profile/>");
        EXPECT_EQ(SettingsProfile::ChoosePath(c.commandLine), c.expected);
    }
    qunsetenv("TAVLORA_PROFILE");

    // The configuration folder is made by the first save.
    QFile::remove(inStart);
    {
        SettingsProfile p(SettingsProfile::ChoosePath(QString()));
        p.WriteInt(QStringLiteral("Griding"), QStringLiteral("OnOff"), 1);
    }
    EXPECT_TRUE(ReadFile(inConfig).contains(QStringLiteral("<OnOff>1</OnOff>")));
    EXPECT_FALSE(QFile::exists(inStart));

    QDir::setCurrent(savedCwd);
    if (savedConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", savedConfig);
}

TEST(VornFolder, DefaultIsTheSampleFolderAndProfileOverrides)
{
#ifndef Q_OS_WIN
    EXPECT_TRUE(QDir(VornFolder::DefaultLocation()).exists());
    EXPECT_TRUE(VornFolder::DefaultLocation().endsWith(QStringLiteral("vorn3")));
#endif
    QTemporaryDir dir;
    SettingsProfile p(dir.filePath(QStringLiteral("p.xml")));
    p.SetSaveOnDestroy(false);
    EXPECT_EQ(VornFolder::RefreshFromProfile(p), VornFolder::DefaultLocation());
    VornFolder::Store(p, QStringLiteral("/opt/vorn3"));
    EXPECT_EQ(VornFolder::Current(), QStringLiteral("/opt/vorn3"));
    VornFolder::Set(QStringLiteral("elsewhere"));
    EXPECT_EQ(VornFolder::RefreshFromProfile(p), QStringLiteral("/opt/vorn3"));
}

TEST(ColourSettings, DefaultsAndStore)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.xml"));
    WriteFile(path, "<profile><Colors><DROBack/><MDIBack>255</MDIBack></Colors></profile>");
    {
        SettingsProfile p(path);
        ColourSet c = ColourSettings::Load(p);
        EXPECT_EQ(c.Get(ColourSet::DROBack), 0xA0FFA0u); // empty key -> default
        EXPECT_EQ(c.Get(ColourSet::MDIBack), 255u);
        EXPECT_EQ(c.Get(ColourSet::ScreenBack), 0xF0F0F0u);
        c.Set(ColourSet::GCodeTextScreenBack, 0x123456);
        ColourSettings::Store(p, c);
    }
    const QString xml = ReadFile(path);
    EXPECT_FALSE(xml.contains(QStringLiteral("<DROBack/>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<GCodeTextScreenBack>1193046</GCodeTextScreenBack>")));
    EXPECT_LT(xml.indexOf(QStringLiteral("<ScreenBack>")), xml.indexOf(QStringLiteral("<DroSel>")));
}
