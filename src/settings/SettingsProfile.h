#pragma once

#include <QDomDocument>
#include <QString>

namespace tavlora {

// User settings kept in an XML file: root "profile", one element per section,
// one element per key whose text is the value. Written as UTF-8 with a
// declaration saying so, whatever encoding the file was read in. A file that
// cannot be read (malformed, too large, nested too deep, not a regular file)
// gives an empty profile (one that only held control characters XML cannot
// carry is read without them) and is kept beside the new one
// ("NAME.unreadable") when the profile is saved over it.
class SettingsProfile {
public:
    static constexpr long long kMaxBytes = 4LL << 20;
    static constexpr int kMaxDepth = 32;

    // Loads the file; a missing or unreadable file gives an empty profile.
    explicit SettingsProfile(const QString& path);
    ~SettingsProfile();
    SettingsProfile(const SettingsProfile&) = delete;
    SettingsProfile& operator=(const SettingsProfile&) = delete;

    static constexpr const char* kFileName = "Tavlora.xml";

    // "Tavlora.xml" in the start folder (the current folder).
    static QString StartFolderPath();
    // "Tavlora.xml" in the platform's configuration folder for Tavlora
    // (~/.config/Tavlora on Linux, honouring XDG_CONFIG_HOME).
    static QString ConfigFolderPath();
    // The start folder's file when it exists (always on Windows), else the
    // configuration folder's.
    static QString DefaultPath();
    // The profile path for this run: an explicit --profile path, else the
    // TAVLORA_PROFILE environment variable, else DefaultPath().
    static QString ChoosePath(const QString& commandLinePath);

    // The program-wide profile (the first constructed, or the one set).
    static SettingsProfile* Global();
    static void SetGlobal(SettingsProfile* profile);

    int ReadInt(const QString& section, const QString& key, int defaultValue);
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue);
    void WriteInt(const QString& section, const QString& key, int value);
    // False, and the stored value unchanged, for text XML cannot carry
    // (control characters other than tab and line ends, U+FFFE, U+FFFF, lone
    // surrogates, or blanks alone).
    bool WriteString(const QString& section, const QString& key, const QString& value);
    static bool Storable(const QString& value);

    // Writes the whole document to the file (atomically, creating its folder);
    // false on failure.
    bool Save();
    // Why the file could not be read when the profile was made; empty when it
    // was read or did not exist.
    const QString& LoadProblem() const { return loadProblem_; }
    // Where an unreadable file is kept when the profile is saved over it.
    QString KeptPath() const { return path_ + QStringLiteral(".unreadable"); }
    // Save once more when the profile is destroyed (on by default).
    void SetSaveOnDestroy(bool on) { saveOnDestroy_ = on; }

    const QString& Path() const { return path_; }
    const QDomDocument& Document() const { return doc_; }

    // Leading decimal integer of a text, 0 when it does not start with one.
    static int LeadingInt(const QString& text);

private:
    QDomElement Find(const QString& section, const QString& key) const;
    // Text of a key; false when absent or empty (an empty key is removed).
    bool ReadText(const QString& section, const QString& key, QString& text);
    QDomElement FindOrCreate(const QString& section, const QString& key);
    static void ReplaceText(QDomElement& element, const QString& text);

    bool Parse(const QByteArray& bytes);
    // Reads a file again without the control characters XML cannot carry
    // (what a save of such a value once wrote); false, and nothing read, when
    // that does not help.
    bool Salvage(const QByteArray& bytes);

    QString path_;
    QDomDocument doc_;
    QString loadProblem_;
    bool keepAside_ = false;
    bool saveOnDestroy_ = true;
};

} // namespace tavlora
