#include "SettingsProfile.h"

#include "core/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <climits>

namespace tavlora {

namespace {
SettingsProfile* g_profile = nullptr;
}

SettingsProfile::SettingsProfile(const QString& path) : path_(path)
{
    QFile file(path_);
    if (file.open(QIODevice::ReadOnly)) {
        if (!doc_.setContent(&file))
            doc_ = QDomDocument();
    }
    if (doc_.documentElement().isNull()) {
        doc_ = QDomDocument();
        doc_.appendChild(doc_.createElement(QStringLiteral("profile")));
    }
    if (!g_profile)
        g_profile = this;
}

SettingsProfile::~SettingsProfile()
{
    if (saveOnDestroy_)
        Save();
    if (g_profile == this)
        g_profile = nullptr;
}

QString SettingsProfile::StartFolderPath()
{
    return QDir::current().filePath(QString::fromLatin1(kFileName));
}

QString SettingsProfile::ConfigFolderPath()
{
    // The application's own configuration folder, independent of the
    // organisation and application names of the running program, so the
    // designer and the CLI find the same file.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(QStringLiteral("Tavlora/") + QString::fromLatin1(kFileName));
}

QString SettingsProfile::DefaultPath()
{
#ifdef Q_OS_WIN
    return StartFolderPath();
#else
    const QString start = StartFolderPath();
    if (QFileInfo::exists(start))
        return start;
    return ConfigFolderPath();
#endif
}

QString SettingsProfile::ChoosePath(const QString& commandLinePath)
{
    if (!commandLinePath.isEmpty())
        return commandLinePath;
    const QString env = qEnvironmentVariable("TAVLORA_PROFILE");
    if (!env.isEmpty())
        return env;
    return DefaultPath();
}

SettingsProfile* SettingsProfile::Global()
{
    return g_profile;
}

void SettingsProfile::SetGlobal(SettingsProfile* profile)
{
    g_profile = profile;
}

QDomElement SettingsProfile::Find(const QString& section, const QString& key) const
{
    const QDomElement root = doc_.documentElement();
    if (root.isNull())
        return {};
    const QDomElement sec = root.firstChildElement(section);
    if (sec.isNull())
        return {};
    return sec.firstChildElement(key);
}

QDomElement SettingsProfile::FindOrCreate(const QString& section, const QString& key)
{
    QDomElement root = doc_.documentElement();
    QDomElement sec = root.firstChildElement(section);
    if (sec.isNull())
        sec = root.appendChild(doc_.createElement(section)).toElement();
    QDomElement el = sec.firstChildElement(key);
    if (el.isNull())
        el = sec.appendChild(doc_.createElement(key)).toElement();
    return el;
}

void SettingsProfile::ReplaceText(QDomElement& element, const QString& text)
{
    while (!element.firstChild().isNull())
        element.removeChild(element.firstChild());
    element.appendChild(element.ownerDocument().createTextNode(text));
}

int SettingsProfile::LeadingInt(const QString& text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    while (i < n && text[i] >= u'0' && text[i] <= u'9') {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > (long long)INT_MAX + 1)
            value = (long long)INT_MAX + 1;
        ++i;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return int(value);
}

bool SettingsProfile::ReadText(const QString& section, const QString& key, QString& text)
{
    QDomElement el = Find(section, key);
    if (el.isNull())
        return false;
    text = el.text();
    if (text.isEmpty()) {
        // An empty key is dropped, so the next save leaves it out.
        el.parentNode().removeChild(el);
        return false;
    }
    return true;
}

int SettingsProfile::ReadInt(const QString& section, const QString& key, int defaultValue)
{
    QString text;
    return ReadText(section, key, text) ? LeadingInt(text) : defaultValue;
}

QString SettingsProfile::ReadString(const QString& section, const QString& key, const QString& defaultValue)
{
    QString text;
    return ReadText(section, key, text) ? text : defaultValue;
}

void SettingsProfile::WriteInt(const QString& section, const QString& key, int value)
{
    QDomElement el = FindOrCreate(section, key);
    ReplaceText(el, QString::number(value));
}

void SettingsProfile::WriteString(const QString& section, const QString& key, const QString& value)
{
    QDomElement el = FindOrCreate(section, key);
    ReplaceText(el, value);
}

bool SettingsProfile::Save()
{
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder))
        return false;
    const QByteArray bytes = doc_.toByteArray(2);
    std::string error;
    return AtomicFile::WriteAll(QFile::encodeName(path_).toStdString(),
                                std::string_view(bytes.constData(), size_t(bytes.size())), error);
}

} // namespace tavlora
