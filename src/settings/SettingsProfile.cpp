#include "SettingsProfile.h"

#include "core/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <climits>

namespace tavlora {

namespace {
SettingsProfile* g_profile = nullptr;
}

namespace {

// Nesting deeper than the limit (the DOM parser takes quadratic time on deep
// nesting, so this is checked first, by a streaming pass that stops early).
bool TooDeep(const QByteArray& bytes, int limit)
{
    QXmlStreamReader reader(bytes);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > limit)
                return true;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    return false;
}

} // namespace

SettingsProfile::SettingsProfile(const QString& path) : path_(path)
{
    const QString shown = QDir::toNativeSeparators(path_);
    if (QFileInfo::exists(path_)) {
        std::string bytes, error;
        if (!AtomicFile::ReadAll(QFile::encodeName(path_).toStdString(), bytes, error, kMaxBytes))
            loadProblem_ = QString::fromStdString(error);
        else if (TooDeep(QByteArray::fromStdString(bytes), kMaxDepth))
            loadProblem_ = QStringLiteral("%1 nests its elements more than %2 deep").arg(shown).arg(kMaxDepth);
        else if (!Parse(QByteArray::fromStdString(bytes)))
            loadProblem_ = Salvage(QByteArray::fromStdString(bytes))
                ? QStringLiteral("%1 held characters XML cannot carry; they were left out").arg(shown)
                : QStringLiteral("%1 is not well-formed XML").arg(shown);
        keepAside_ = !loadProblem_.isEmpty();
    }
    if (doc_.documentElement().isNull()) {
        doc_ = QDomDocument();
        doc_.appendChild(doc_.createElement(QStringLiteral("profile")));
    }
    if (!g_profile)
        g_profile = this;
}

bool SettingsProfile::Parse(const QByteArray& bytes)
{
    if (!doc_.setContent(bytes))
        return false;
    // The declaration names the encoding of the bytes read; the file is
    // written back as UTF-8 with a declaration of its own.
    for (QDomNode n = doc_.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (n.isProcessingInstruction() && n.nodeName() == QLatin1String("xml")) {
            doc_.removeChild(n);
            break;
        }
    }
    // Text a file written elsewhere may hold but XML cannot carry is dropped
    // with its key, so it never reaches a save.
    const QDomElement root = doc_.documentElement();
    for (QDomElement sec = root.firstChildElement(); !sec.isNull(); sec = sec.nextSiblingElement()) {
        for (QDomElement key = sec.firstChildElement(); !key.isNull();) {
            const QDomElement next = key.nextSiblingElement();
            if (!Storable(key.text()))
                sec.removeChild(key);
            key = next;
        }
    }
    return true;
}

bool SettingsProfile::Salvage(const QByteArray& bytes)
{
    QByteArray cleaned;
    cleaned.reserve(bytes.size());
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r')
            cleaned.append(c);
    }
    if (cleaned.size() != bytes.size() && Parse(cleaned))
        return true;
    doc_ = QDomDocument();
    return false;
}

bool SettingsProfile::Storable(const QString& value)
{
    // Text of blanks alone does not survive XML reading (it is dropped).
    if (!value.isEmpty() && value.trimmed().isEmpty())
        return false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value[i].unicode();
        if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
            return false;
        if (c == 0xFFFE || c == 0xFFFF)
            return false;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= value.size() || !QChar::isLowSurrogate(value[i + 1].unicode()))
                return false;
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return false;
        }
    }
    return true;
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

bool SettingsProfile::WriteString(const QString& section, const QString& key, const QString& value)
{
    if (!Storable(value))
        return false;
    QDomElement el = FindOrCreate(section, key);
    ReplaceText(el, value);
    return true;
}

bool SettingsProfile::Save()
{
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder))
        return false;
    const QByteArray bytes = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") + doc_.toByteArray(2);
    // What is written must read back: never a file the next start cannot parse.
    if (QDomDocument check; !check.setContent(bytes))
        return false;
    // A file that could not be read is kept, not lost, the first time it is replaced.
    if (keepAside_ && QFileInfo(path_).isFile()) {
        QFile::remove(KeptPath());
        if (!QFile::rename(path_, KeptPath()))
            return false;
    }
    keepAside_ = false;
    std::string error;
    return AtomicFile::WriteAll(QFile::encodeName(path_).toStdString(),
                                std::string_view(bytes.constData(), size_t(bytes.size())), error);
}

} // namespace tavlora
