#pragma once

#include "core/ScreenSet.h"
#include "core/ScreenSetFile.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>

#include <string>

namespace tavlora {

class SettingsProfile;

// What the commands of tavlora-cli share: messages, loading a set, the
// --size, --vorn3 and --profile options, and the set-up for commands that
// need fonts or painting without a display.
class CliSupport {
public:
    enum ExitCode { kOk = 0, kBadInput = 1, kUsage = 2, kFindings = 3 };
    static constexpr int kMaxSide = 16384;

    // A line on stderr.
    static void Err(const QString& line);
    // Bytes on stdout as they are.
    static void Out(const QByteArray& bytes);
    static bool WantsHelp(const QStringList& args);
    // Prints the problem (when given) and the usage text on stderr; returns kUsage.
    static int Usage(const char* text, const QString& problem = QString());

    // Reads a screen-set file; false after a message naming the file.
    static bool LoadSet(const QString& path, ScreenSet& set, ReadResult& result);
    // Writes a file atomically; false after a message.
    static bool WriteFile(const QString& path, const QByteArray& bytes);

    // "WxH" with both sides 1 ... kMaxSide; false with the problem.
    static bool ParseSize(const QString& text, QSize& size, QString& problem);

    // The options of commands that lay out screens.
    struct ScreenOptions {
        QSize size = QSize(1024, 768);
        QString vorn3;
        QString profile;
    };
    // Takes --size, --vorn3 or --profile at args[i], stepping i past its
    // value. False when args[i] is none of them; a taken option without a
    // valid value sets problem.
    static bool TakeScreenOption(const QStringList& args, int& i, ScreenOptions& o, QString& problem);
    // The Vorn3 folder: --vorn3 when given, else the one of the settings
    // profile (--profile, TAVLORA_PROFILE or the default profile).
    // Says on stderr when the settings profile could not be read.
    static void WarnAboutProfile(const SettingsProfile& profile);
    static QString VornFolderFor(const QString& vorn3Option, const QString& profileOption);

    // Before a QGuiApplication is made: the offscreen platform unless one is
    // chosen, and a private runtime folder so Qt has no reason to warn on stderr.
    static void PrepareGuiEnvironment();

    // Record bytes (Windows-1252) as text.
    static QString Text(const std::string& bytes);
};

} // namespace tavlora
