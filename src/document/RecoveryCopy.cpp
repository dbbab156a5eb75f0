#include "RecoveryCopy.h"

#include "core/AtomicFile.h"
#include "core/Process.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace tavlora {

namespace {

constexpr long long kMaxInfoBytes = 64 * 1024;

bool WriteBytes(const QString& path, std::string_view bytes)
{
    std::string error;
    return AtomicFile::WriteAll(QFile::encodeName(path).toStdString(), bytes, error);
}

} // namespace

QString RecoveryCopy::DefaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Tavlora/recovery");
}

RecoveryCopy::RecoveryCopy(const QString& folder)
    : folder_(folder),
      id_(QStringLiteral("%1-%2").arg(Process::CurrentId()).arg(QDateTime::currentMSecsSinceEpoch()))
{
}

bool RecoveryCopy::Write(const std::string& setBytes, const Info& info)
{
    if (!QDir().mkpath(folder_))
        return false;
    QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QJsonObject o;
    o[QStringLiteral("pid")] = double(Process::CurrentId());
    o[QStringLiteral("path")] = info.original;
    o[QStringLiteral("title")] = info.title;
    o[QStringLiteral("width")] = info.screenSize.width();
    o[QStringLiteral("height")] = info.screenSize.height();
    o[QStringLiteral("saved")] = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    o[QStringLiteral("readModified")] = double(info.readModified);
    o[QStringLiteral("readSize")] = double(info.readSize);
    o[QStringLiteral("bytesAfterColours")] = double(info.bytesAfterColours);
    o[QStringLiteral("recordsRead")] = info.recordsRead;
    const QByteArray json = QJsonDocument(o).toJson(QJsonDocument::Compact);
    const QString base = QDir(folder_).filePath(id_);
    written_ = WriteBytes(base + QStringLiteral(".set"), setBytes)
        && WriteBytes(base + QStringLiteral(".json"), std::string_view(json.constData(), size_t(json.size())));
    return written_;
}

void RecoveryCopy::Remove()
{
    if (!written_)
        return;
    const QString base = QDir(folder_).filePath(id_);
    QFile::remove(base + QStringLiteral(".json"));
    QFile::remove(base + QStringLiteral(".set"));
    written_ = false;
}

std::vector<RecoveryCopy::Orphan> RecoveryCopy::Orphans(const QString& folder)
{
    std::vector<Orphan> found;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.json")}, QDir::Files)) {
        Orphan o;
        o.infoPath = dir.filePath(name);
        o.setPath = o.infoPath.chopped(5) + QStringLiteral(".set");
        std::string bytes, error;
        if (!AtomicFile::ReadAll(QFile::encodeName(o.infoPath).toStdString(), bytes, error, kMaxInfoBytes))
            continue;
        const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(bytes)).object();
        if (json.isEmpty() || !QFile::exists(o.setPath))
            continue;
        if (Process::Alive(long(json.value(QStringLiteral("pid")).toDouble())))
            continue;
        o.info.original = json.value(QStringLiteral("path")).toString();
        o.info.title = json.value(QStringLiteral("title")).toString();
        o.info.screenSize = QSize(json.value(QStringLiteral("width")).toInt(), json.value(QStringLiteral("height")).toInt());
        o.info.saved = QDateTime::fromString(json.value(QStringLiteral("saved")).toString(), Qt::ISODateWithMs);
        o.info.readModified = qint64(json.value(QStringLiteral("readModified")).toDouble());
        o.info.readSize = qint64(json.value(QStringLiteral("readSize")).toDouble(-1));
        o.info.bytesAfterColours = qint64(json.value(QStringLiteral("bytesAfterColours")).toDouble());
        o.info.recordsRead = json.value(QStringLiteral("recordsRead")).toInt();
        found.push_back(std::move(o));
    }
    std::sort(found.begin(), found.end(), [](const Orphan& a, const Orphan& b) { return a.info.saved > b.info.saved; });
    return found;
}

void RecoveryCopy::Discard(const Orphan& orphan)
{
    QFile::remove(orphan.infoPath);
    QFile::remove(orphan.setPath);
}

} // namespace tavlora
