#include "DocumentFile.h"

#include "CTavloraDoc.h"
#include "Prompter.h"
#include "core/AtomicFile.h"
#include "core/ImagePath.h"
#include "core/Windows1252.h"
#include "settings/SettingsProfile.h"
#include "settings/VornFolder.h"
#include "widgets/WidgetContext.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace tavlora {

const QString DocumentFile::kFilter = QStringLiteral("Tavlora Files (*.set; *.lset, *.sset)");
const QString DocumentFile::kDefaultExtension = QStringLiteral("set");

namespace {

// Restores the normal cursor when a long operation ends, however it ends.
class WaitCursor {
public:
    WaitCursor()
    {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            active_ = false;
    }
    ~WaitCursor()
    {
        if (active_)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool active_ = true;
};

QString Shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

DocumentFile::FileStamp DocumentFile::FileStamp::Of(const QString& path)
{
    QFileInfo info(path);
    info.setCaching(false);
    if (!info.exists())
        return {};
    return {info.lastModified().toMSecsSinceEpoch(), info.size()};
}

DocumentFile::DocumentFile(CTavloraDoc& doc, SettingsProfile& profile, Prompter& prompter, QObject* parent)
    : QObject(parent), doc_(doc), profile_(profile), prompter_(prompter)
{
    connect(&doc_.Context(), &WidgetContext::pictureFailed, this, &DocumentFile::ReportDecodeError);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &DocumentFile::OnWatcher);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &DocumentFile::OnWatcher);
    connect(this, &DocumentFile::fileChangeNotified, this, &DocumentFile::OnOutsideChange, Qt::QueuedConnection);
    recent_.Load();
}

DocumentFile::~DocumentFile()
{
    StopWatching();
    if (recovery_)
        recovery_->Remove();
}

void DocumentFile::SetPathName(const QString& path)
{
    path_ = path;
    missingReported_ = false;
    title_ = path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).fileName();
    emit titleChanged(title_);
}

void DocumentFile::Forget()
{
    StopWatching();
    stamp_ = readStamp_ = {};
    if (recovery_)
        recovery_->Remove();
}

void DocumentFile::RefreshVornFolder()
{
    doc_.SetVornFolder(VornFolder::RefreshFromProfile(profile_).toStdString());
}

void DocumentFile::AskScreenSize()
{
    QSize size = doc_.ScreenSize();
    if (fixedSize_.isValid() && !fixedSize_.isEmpty()) {
        size = std::exchange(fixedSize_, QSize());
    } else {
        const std::optional<QSize> answer = prompter_.AskScreenSize();
        // Closed without OK: the previous size stays.
        if (answer && answer->width() > 0 && answer->height() > 0)
            size = *answer;
    }
    doc_.SetScreenSize(size);
}

bool DocumentFile::OnNewDocument()
{
    doc_.ResetToEmpty();
    if (firstNew_) {
        firstNew_ = false;
        emit splashRequested();
    } else {
        AskScreenSize();
        doc_.SetCurrentScreen(1);
    }
    Forget();
    SetPathName(QString());
    return true;
}

bool DocumentFile::OnOpenDocument(const QString& path)
{
    return Load(QFileInfo(path).absoluteFilePath(), false);
}

bool DocumentFile::Reload()
{
    if (path_.isEmpty())
        return false;
    return Load(path_, true);
}

bool DocumentFile::Load(const QString& path, bool reloading)
{
    // Change notifications wait until the load (and its prompts) is over:
    // a reload must never run in the middle of another load.
    ++inLoad_;
    const bool ok = LoadFile(path, reloading);
    if (--inLoad_ == 0 && !heldChange_.isEmpty())
        QTimer::singleShot(0, this, [this] {
            const QString held = std::exchange(heldChange_, QString());
            if (!held.isEmpty())
                OnWatcher(held);
        });
    return ok;
}

bool DocumentFile::PasswordAccepted(const ReadResult& result, const QString& path, bool reloading)
{
    if (!result.isProtected)
        return true;
    askingPassword_ = true;
    const QString answer = prompter_.AskPassword();
    askingPassword_ = false;
    std::string answerBytes;
    if (Windows1252::FromUtf8(answer.toStdString(), answerBytes) && answerBytes == result.password)
        return true;
    prompter_.ShowError(reloading ? tr("The password is not correct.\n%1 was not reloaded.").arg(Shown(path))
                                  : tr("The password is not correct.\n%1 was not opened.").arg(Shown(path)));
    return false;
}

bool DocumentFile::LoadFile(const QString& path, bool reloading)
{
    RefreshVornFolder();

    std::string bytes;
    std::string error;
    {
        WaitCursor wait;
        if (!AtomicFile::ReadAll(QFile::encodeName(path).toStdString(), bytes, error)) {
            prompter_.ShowError(tr("Cannot open the screen set %1.\n\n%2")
                                    .arg(Shown(path), QString::fromStdString(error)));
            return false;
        }
    }
    // Read into a fresh set: a file that fails leaves the open set untouched.
    ScreenSet fresh;
    const ReadResult result = ScreenSetFile::Read(bytes.data(), bytes.size(), fresh);
    if (!result.ok) {
        prompter_.ShowError(tr("%1 is not a valid screen set file and was not opened.\n\n%2")
                                .arg(Shown(path), QString::fromStdString(result.error)));
        return false;
    }

    if (!reloading)
        AskScreenSize();
    // The password is asked before the set is replaced; a wrong answer to a
    // new file clears the set, one to a reload keeps the set as it is.
    if (!PasswordAccepted(result, path, reloading)) {
        if (!reloading) {
            doc_.ResetToEmpty();
            Forget();
            SetPathName(QString());
        }
        return false;
    }
    {
        WaitCursor wait;
        loading_ = true;
        if (reloading)
            doc_.ReplaceUndoably(std::move(fresh), result, tr("Reload"));
        else
            doc_.Replace(std::move(fresh), result);
        loading_ = false;
    }

    // A set opened at start-up takes the place of the first New and its splash.
    firstNew_ = false;
    if (!reloading)
        SetPathName(path);
    stamp_ = readStamp_ = FileStamp::Of(path);
    Watch();
    if (!reloading) {
        recent_.Add(path);
        recent_.Save();
        emit recentFilesChanged();
    }
    if (!pendingDecodeErrors_.isEmpty())
        QTimer::singleShot(0, this, &DocumentFile::FlushDecodeErrors);
    return true;
}

QString DocumentFile::SaveObstacle(const QString& target, bool& canReplace) const
{
    canReplace = true;
    const QFileInfo info(target);
    if (!info.exists())
        return {};
    if (AtomicFile::IsReadOnly(QFile::encodeName(target).toStdString())) {
        canReplace = false;
        return tr("%1 is read-only, so the set was not saved there.").arg(Shown(target));
    }
    if (target != path_)
        return {};
    if (readStamp_.size >= 0 && FileStamp::Of(target) != readStamp_)
        return tr("%1 has changed on disk since it was read.\n"
                  "Replacing it loses the changes made outside Tavlora.").arg(Shown(target));
    const ReadResult& read = doc_.LastRead();
    if (read.bytesAfterColours > 0 || read.recordsRead < 0) {
        const QString what = read.recordsRead < 0
            ? tr("its control count is negative (%1), so none of what follows was read").arg(read.recordsRead)
            : tr("%n byte(s) after the colours were not read", nullptr, int(read.bytesAfterColours));
        return tr("%1 is not an ordinary screen set: %2.\n"
                  "Replacing it writes this set of %n control(s) in its place.", nullptr, int(doc_.Set().Size()))
            .arg(Shown(target), what);
    }
    return {};
}

bool DocumentFile::OnSaveDocument(const QString& path)
{
    RefreshVornFolder();
    const QString target = QFileInfo(path).absoluteFilePath();
    bool canReplace = true;
    if (const QString obstacle = SaveObstacle(target, canReplace); !obstacle.isEmpty()) {
        switch (prompter_.AskSaveConflict(obstacle, canReplace)) {
        case Prompter::SaveConflict::Replace:
            if (canReplace)
                break;
            return false;
        case Prompter::SaveConflict::SaveAs:
            return FileSaveAs();
        case Prompter::SaveConflict::Cancel:
            return false;
        }
    }
    const WriteResult written = ScreenSetFile::Write(doc_.Set());
    if (!written.ok) {
        prompter_.ShowError(tr("The screen set was not saved to %1.\n\n%2")
                                .arg(Shown(target), QString::fromStdString(written.error)));
        return false;
    }
    std::string error;
    bool ok;
    AtomicFile::Failure failure = AtomicFile::Failure::None;
    {
        WaitCursor wait;
        ok = AtomicFile::WriteAll(QFile::encodeName(target).toStdString(), written.bytes, error, &failure);
    }
    if (!ok) {
        const QString message = tr("The screen set was not saved to %1; the file on disk is unchanged.\n\n%2")
                                    .arg(Shown(target), QString::fromStdString(error));
        if (failure == AtomicFile::Failure::ReadOnly || failure == AtomicFile::Failure::FolderLocked) {
            if (prompter_.AskSaveConflict(message, false) == Prompter::SaveConflict::SaveAs)
                return FileSaveAs();
            return false;
        }
        prompter_.ShowError(message);
        return false;
    }
    // The stamp is taken after the file was replaced, so the notification of
    // this write finds the file unchanged and is ignored.
    stamp_ = readStamp_ = FileStamp::Of(target);
    if (target != path_)
        SetPathName(target);
    Watch();
    missingReported_ = false;
    doc_.MarkSaved();
    recent_.Add(target);
    recent_.Save();
    emit recentFilesChanged();
    return true;
}

void DocumentFile::OnCloseDocument()
{
    Forget();
    doc_.ResetToEmpty();
}

bool DocumentFile::SaveModified()
{
    if (!doc_.IsModified())
        return true;
    switch (prompter_.AskSaveChanges(title_)) {
    case Prompter::SaveChoice::Save:
        return FileSave();
    case Prompter::SaveChoice::Discard:
        return true;
    case Prompter::SaveChoice::Cancel:
        break;
    }
    return false;
}

bool DocumentFile::FileNew()
{
    if (!SaveModified())
        return false;
    return OnNewDocument();
}

bool DocumentFile::FileOpen()
{
    const QString path = prompter_.ChooseOpenPath(kFilter);
    if (path.isEmpty())
        return false;
    return OpenFile(path);
}

bool DocumentFile::OpenFile(const QString& path)
{
    if (!SaveModified())
        return false;
    return OnOpenDocument(path);
}

bool DocumentFile::FileSave()
{
    if (path_.isEmpty())
        return FileSaveAs();
    return OnSaveDocument(path_);
}

bool DocumentFile::FileSaveAs()
{
    QString suggested = path_.isEmpty() ? title_ : path_;
    if (QFileInfo(suggested).suffix().isEmpty())
        suggested += QLatin1Char('.') + kDefaultExtension;
    QString path = prompter_.ChooseSavePath(kFilter, suggested);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + kDefaultExtension;
    return OnSaveDocument(path);
}

void DocumentFile::OnCloseFile()
{
    // The title, the screen size, the colours and the current screen stay.
    doc_.ResetToEmpty();
    path_.clear();
    Forget();
}

void DocumentFile::OnVornLocation()
{
    const QString stored = profile_.ReadString(QString::fromLatin1(VornFolder::kSection),
                                               QString::fromLatin1(VornFolder::kKey),
                                               VornFolder::DefaultLocation());
    const QString initial = QString::fromStdString(ImagePath::ToPlatform(stored.toStdString()));
    const std::optional<QString> chosen = prompter_.ChooseFolder(initial);
    if (!chosen || chosen->isEmpty())
        return;
    QString folder = QDir::toNativeSeparators(QDir::cleanPath(*chosen));
    if (!VornFolder::Store(profile_, folder)) {
        prompter_.ShowError(tr("The folder name %1 holds characters the settings file cannot store.\n"
                               "The Vorn3 folder stays %2.")
                                .arg(folder, initial));
        return;
    }
    profile_.Save();
    doc_.SetVornFolder(folder.toStdString());
}

void DocumentFile::Watch()
{
    if (path_.isEmpty()) {
        StopWatching();
        return;
    }
    // Paths already watched stay watched: re-adding them would drop the
    // notifications already on their way.
    const QFileInfo info(path_);
    const QString folder = info.absolutePath();
    const QString file = info.absoluteFilePath();
    QStringList stale;
    for (const QString& p : WatchedPaths()) {
        if (p != folder && p != file)
            stale << p;
    }
    if (!stale.isEmpty())
        watcher_.removePaths(stale);
    if (!watcher_.directories().contains(folder))
        watcher_.addPath(folder);
    if (!watcher_.files().contains(file) && info.exists())
        watcher_.addPath(file);
}

void DocumentFile::StopWatching()
{
    const QStringList watched = WatchedPaths();
    if (!watched.isEmpty())
        watcher_.removePaths(watched);
}

QStringList DocumentFile::WatchedPaths() const
{
    return watcher_.directories() + watcher_.files();
}

void DocumentFile::OnWatcher(const QString& path)
{
    if (inLoad_ > 0) {
        heldChange_ = path;
        return;
    }
    if (path_.isEmpty())
        return;
    // A file replaced by a rename is no longer watched: watch the new one.
    if (!watcher_.files().contains(path_) && QFileInfo::exists(path_))
        watcher_.addPath(path_);
    emit fileChangeNotified(path);
}

bool DocumentFile::TakeOutsideChange()
{
    if (path_.isEmpty())
        return false;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        // Deleted or moved outside: the set stays open and the next Save
        // writes the file again. Said once until the file is back.
        if (!QFileInfo::exists(path_) && !missingReported_) {
            missingReported_ = true;
            emit fileMissing(path_);
        }
        return false;
    }
    missingReported_ = false;
    file.close();
    const FileStamp now = FileStamp::Of(path_);
    if (now == stamp_)
        return false;
    stamp_ = now;
    return true;
}

void DocumentFile::OnOutsideChange(const QString& path)
{
    if (path.isEmpty() || askingReload_ || inLoad_ > 0)
        return;
    if (!TakeOutsideChange())
        return;
    askingReload_ = true;
    const bool reload = prompter_.AskReload(doc_.IsModified());
    askingReload_ = false;
    if (reload)
        Reload();
}

void DocumentFile::ReportDecodeError(const QString& path, const QString& error)
{
    pendingDecodeErrors_.append(tr("The picture %1 could not be loaded.\n\n%2").arg(Shown(path), error));
    if (!loading_)
        QTimer::singleShot(0, this, &DocumentFile::FlushDecodeErrors);
}

void DocumentFile::FlushDecodeErrors()
{
    const QStringList messages = std::exchange(pendingDecodeErrors_, {});
    for (const QString& message : messages)
        prompter_.ShowError(message);
}

void DocumentFile::EnableRecovery(const QString& folder)
{
    recovery_ = std::make_unique<RecoveryCopy>(folder);
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(kRecoveryDelayMs);
    connect(recoveryTimer_, &QTimer::timeout, this, &DocumentFile::WriteRecovery);
    QUndoStack& undo = doc_.UndoStack();
    connect(&undo, &QUndoStack::indexChanged, recoveryTimer_, qOverload<>(&QTimer::start));
    connect(&undo, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean)
            recovery_->Remove();
        else
            recoveryTimer_->start();
    });
    connect(&doc_, &CTavloraDoc::documentReset, this, [this] {
        if (!doc_.IsModified())
            recovery_->Remove();
    });
}

void DocumentFile::WriteRecovery()
{
    if (!recovery_)
        return;
    if (!doc_.IsModified()) {
        recovery_->Remove();
        return;
    }
    const WriteResult written = ScreenSetFile::Write(doc_.Set());
    if (!written.ok)
        return;
    RecoveryCopy::Info info;
    info.original = path_;
    info.title = title_;
    info.screenSize = doc_.ScreenSize();
    info.readModified = readStamp_.modified;
    info.readSize = readStamp_.size;
    info.bytesAfterColours = qint64(doc_.LastRead().bytesAfterColours);
    info.recordsRead = doc_.LastRead().recordsRead;
    recovery_->Write(written.bytes, info);
}

bool DocumentFile::OfferRecovery()
{
    if (!recovery_)
        return false;
    for (const RecoveryCopy::Orphan& orphan : RecoveryCopy::Orphans(recovery_->Folder())) {
        const QString name = orphan.info.original.isEmpty() ? orphan.info.title : Shown(orphan.info.original);
        const QString when = QLocale().toString(orphan.info.saved.toLocalTime(), QLocale::ShortFormat);
        if (!prompter_.AskRestore(tr("Tavlora ended without saving the changes to %1 (kept at %2).\n\n"
                                     "Restore them? No discards them.").arg(name, when))) {
            RecoveryCopy::Discard(orphan);
            continue;
        }
        if (!SaveModified())
            return false;
        if (Restore(orphan)) {
            RecoveryCopy::Discard(orphan);
            return true;
        }
    }
    return false;
}

bool DocumentFile::Restore(const RecoveryCopy::Orphan& orphan)
{
    std::string bytes, error;
    ScreenSet fresh;
    ReadResult result;
    if (AtomicFile::ReadAll(QFile::encodeName(orphan.setPath).toStdString(), bytes, error))
        result = ScreenSetFile::Read(bytes.data(), bytes.size(), fresh);
    if (!result.ok) {
        prompter_.ShowError(tr("The kept changes in %1 could not be read.\n\n%2")
                                .arg(Shown(orphan.setPath), QString::fromStdString(error + result.error)));
        return false;
    }
    if (orphan.info.screenSize.width() > 0 && orphan.info.screenSize.height() > 0)
        doc_.SetScreenSize(orphan.info.screenSize);
    result.bytesAfterColours = size_t(std::max<qint64>(0, orphan.info.bytesAfterColours));
    result.recordsRead = orphan.info.recordsRead;
    doc_.Replace(std::move(fresh), result);
    firstNew_ = false;
    SetPathName(orphan.info.original);
    if (orphan.info.original.isEmpty() && !orphan.info.title.isEmpty()) {
        title_ = orphan.info.title;
        emit titleChanged(title_);
    }
    stamp_ = FileStamp::Of(path_);
    readStamp_ = {orphan.info.readModified, orphan.info.readSize};
    Watch();
    doc_.MarkModified();
    return true;
}

} // namespace tavlora
