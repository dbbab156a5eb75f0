#pragma once

#include <QDomDocument>
#include <QString>

namespace tavlora {

// User settings kept in an XML file: root "profile", one element per section,
// one element per key whose text is the value.
class SettingsProfile {
public:
    // Loads the file; a missing or malformed file gives an empty profile.
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
    void WriteString(const QString& section, const QString& key, const QString& value);

    // Writes the whole document to the file (atomically, creating its folder);
    // false on failure.
    bool Save();
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

    QString path_;
    QDomDocument doc_;
    bool saveOnDestroy_ = true;
};

} // namespace tavlora
