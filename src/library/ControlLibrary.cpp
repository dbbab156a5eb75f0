#include "ControlLibrary.h"

#include "core/AtomicFile.h"
#include "formats/ScreenSetJson.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <algorithm>
#include <climits>

namespace tavlora {

namespace {

const QString kSuffix = QStringLiteral(".json");
// A folder of more files than this lists the first ones only.
constexpr qsizetype kMaxFiles = 2000;

std::string Native(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

int32_t Shift(int32_t v, long long by)
{
    return int32_t(std::clamp<long long>(v + by, INT32_MIN, INT32_MAX));
}

} // namespace

ControlLibrary::ControlLibrary(const QString& userFolder, const QString& shippedFolder)
    : userFolder_(userFolder), shippedFolder_(shippedFolder)
{
}

QString ControlLibrary::DefaultUserFolder()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || !QDir::isAbsolutePath(data))
        data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data + QStringLiteral("/Tavlora/library");
}

QString ControlLibrary::DefaultShippedFolder()
{
    QStringList candidates;
    if (QCoreApplication::instance()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        candidates << exeDir + QStringLiteral("/../" TAVLORA_INSTALL_DATADIR "/tavlora/library")
                   << exeDir + QStringLiteral("/../share/tavlora/library");
    }
    candidates << QStringLiteral(TAVLORA_SOURCE_LIBRARY);
    for (const QString& c : candidates) {
        const QFileInfo info(c);
        if (info.isDir())
            return QDir::cleanPath(info.absoluteFilePath());
    }
    return {};
}

void ControlLibrary::Load()
{
    blocks_.clear();
    Read(userFolder_, false);
    if (!shippedFolder_.isEmpty() && QFileInfo(shippedFolder_) != QFileInfo(userFolder_))
        Read(shippedFolder_, true);
}

void ControlLibrary::Read(const QString& folder, bool shipped)
{
    if (folder.isEmpty())
        return;
    // Broken links and other non-regular files are listed too (QDir::System),
    // with the reason they cannot be read.
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*") + kSuffix},
                                                          QDir::Files | QDir::System | QDir::NoDotAndDotDot,
                                                          QDir::Name | QDir::IgnoreCase);
    for (qsizetype i = 0; i < files.size() && i < kMaxFiles; ++i) {
        if (files[i].isDir())
            continue;
        blocks_.push_back(ReadBlock(files[i].filePath(), shipped));
    }
}

ControlLibrary::Block ControlLibrary::ReadBlock(const QString& path, bool shipped)
{
    Block block;
    block.path = path;
    block.shipped = shipped;
    const QString fileName = QFileInfo(path).fileName();
    block.name = fileName.chopped(kSuffix.size());
    std::string bytes;
    std::string error;
    if (!AtomicFile::ReadAll(Native(path), bytes, error, kMaxFileBytes)) {
        // The reason without the folder: "cannot read NAME.json: ...".
        block.problem = QString::fromStdString(error).replace(QFile::decodeName(Native(path).c_str()), fileName);
        return block;
    }
    QString why;
    const ScreenSetJson::Controls read = ScreenSetJson::ControlsFromJson(
        QByteArray(bytes.data(), qsizetype(bytes.size())), block.records, why, kMaxControls);
    if (read != ScreenSetJson::Controls::Read)
        block.problem = why;
    else if (block.records.empty())
        block.problem = QCoreApplication::translate("ControlLibrary", "the block holds no controls");
    return block;
}

int ControlLibrary::IndexOf(const QString& name, bool shipped) const
{
    for (size_t i = 0; i < blocks_.size(); ++i) {
        if (blocks_[i].shipped == shipped && blocks_[i].name == name)
            return int(i);
    }
    return -1;
}

std::vector<std::unique_ptr<ControlRecord>> ControlLibrary::Copies(int index) const
{
    std::vector<std::unique_ptr<ControlRecord>> copies;
    if (index < 0 || size_t(index) >= blocks_.size())
        return copies;
    for (const auto& rec : blocks_[size_t(index)].records)
        copies.push_back(std::make_unique<ControlRecord>(*rec));
    return copies;
}

QString ControlLibrary::NameProblem(const QString& name)
{
    const auto tr = [](const char* text) { return QCoreApplication::translate("ControlLibrary", text); };
    if (name.trimmed().isEmpty())
        return tr("A block needs a name.");
    if (name != name.trimmed())
        return tr("A name cannot begin or end with a space.");
    if (name.size() > kMaxNameLength)
        return tr("A name has at most %1 characters.").arg(kMaxNameLength);
    if (name.startsWith(QLatin1Char('.')))
        return tr("A name cannot begin with a dot.");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || QStringLiteral("/\\:*?\"<>|").contains(c))
            return tr("A name cannot hold the character %1.")
                .arg(c.isPrint() ? QStringLiteral("\"%1\"").arg(c) : QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')));
    }
    return {};
}

QString ControlLibrary::UserPath(const QString& name) const
{
    return userFolder_ + QLatin1Char('/') + name + kSuffix;
}

bool ControlLibrary::Save(const QString& name, const std::vector<const ControlRecord*>& records, QString& error,
                          bool replace)
{
    error = NameProblem(name);
    if (!error.isEmpty())
        return false;
    if (records.empty()) {
        error = QCoreApplication::translate("ControlLibrary", "No controls are selected.");
        return false;
    }
    const QString path = UserPath(name);
    if (!replace && QFileInfo(path).exists()) {
        error = QCoreApplication::translate("ControlLibrary", "The library already holds a block called \"%1\".").arg(name);
        return false;
    }
    if (!QDir().mkpath(userFolder_)) {
        error = QCoreApplication::translate("ControlLibrary", "The folder %1 cannot be made.").arg(QDir::toNativeSeparators(userFolder_));
        return false;
    }
    // The block keeps the controls' places relative to each other.
    long long left = LLONG_MAX;
    long long top = LLONG_MAX;
    for (const ControlRecord* rec : records) {
        left = std::min<long long>(left, rec->rect.left);
        top = std::min<long long>(top, rec->rect.top);
    }
    std::vector<ControlRecord> moved;
    moved.reserve(records.size());
    std::vector<const ControlRecord*> view;
    for (const ControlRecord* rec : records) {
        ControlRecord& m = moved.emplace_back(*rec);
        m.rect = {Shift(m.rect.left, -left), Shift(m.rect.top, -top), Shift(m.rect.right, -left),
                  Shift(m.rect.bottom, -top)};
        view.push_back(&m);
    }
    QJsonObject root;
    root.insert(QStringLiteral("controls"), ScreenSetJson::ControlsToJson(view));
    const QByteArray json = QJsonDocument(root).toJson(QJsonDocument::Indented);
    std::string why;
    if (!AtomicFile::WriteAll(Native(path), std::string_view(json.constData(), size_t(json.size())), why)) {
        error = QString::fromStdString(why);
        return false;
    }
    Load();
    return true;
}

const ControlLibrary::Block* ControlLibrary::Changeable(const QString& name, QString& error) const
{
    const int index = IndexOf(name, false);
    if (index >= 0)
        return &blocks_[size_t(index)];
    if (IndexOf(name, true) >= 0)
        error = QCoreApplication::translate("ControlLibrary", "\"%1\" is shipped with Tavlora and cannot be changed.").arg(name);
    else
        error = QCoreApplication::translate("ControlLibrary", "The library holds no block called \"%1\".").arg(name);
    return nullptr;
}

bool ControlLibrary::Rename(const QString& from, const QString& to, QString& error)
{
    const Block* block = Changeable(from, error);
    if (!block)
        return false;
    error = NameProblem(to);
    if (!error.isEmpty())
        return false;
    if (to == from)
        return true;
    const QString target = UserPath(to);
    // A change of letter case alone may find the same file on some systems.
    if (QFileInfo(target).exists() && to.compare(from, Qt::CaseInsensitive) != 0) {
        error = QCoreApplication::translate("ControlLibrary", "The library already holds a block called \"%1\".").arg(to);
        return false;
    }
    if (!QFile::rename(block->path, target)) {
        error = QCoreApplication::translate("ControlLibrary", "\"%1\" cannot be renamed.").arg(from);
        return false;
    }
    Load();
    return true;
}

bool ControlLibrary::Remove(const QString& name, QString& error)
{
    const Block* block = Changeable(name, error);
    if (!block)
        return false;
    if (!QFile::remove(block->path)) {
        error = QCoreApplication::translate("ControlLibrary", "\"%1\" cannot be deleted.").arg(name);
        return false;
    }
    Load();
    return true;
}

} // namespace tavlora
