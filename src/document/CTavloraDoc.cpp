#include "CTavloraDoc.h"

#include "ControlEdits.h"
#include "ReplaceContentsCommand.h"
#include "Prompter.h"
#include "core/AtomicFile.h"
#include "core/ImagePath.h"
#include "core/ScreenSetFile.h"
#include "core/ScreenVisibility.h"
#include "core/Windows1252.h"
#include "settings/ColourSettings.h"
#include "settings/SettingsProfile.h"
#include "settings/VornFolder.h"
#include "widgets/WidgetContext.h"
#include "widgets/WidgetFactory.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QTimer>

#include <utility>

namespace tavlora {

const QString CTavloraDoc::kFilter = QStringLiteral("Tavlora Files (*.set; *.lset, *.sset)");
const QString CTavloraDoc::kDefaultExtension = QStringLiteral("set");
const QString CTavloraDoc::kAppTitle = QStringLiteral("Tavlora");

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

CTavloraDoc::FileStamp CTavloraDoc::FileStamp::Of(const QString& path)
{
    QFileInfo info(path);
    info.setCaching(false);
    if (!info.exists())
        return {};
    return {info.lastModified().toMSecsSinceEpoch(), info.size()};
}

CTavloraDoc::CTavloraDoc(SettingsProfile& profile, Prompter& prompter, QObject* parent)
    : QObject(parent), profile_(profile), prompter_(prompter), ctx_(std::make_unique<WidgetContext>(set_)),
      edits_(std::make_unique<ControlEdits>(*this))
{
    qRegisterMetaType<RecordList>();
    qRegisterMetaType<ControlChanges>();
    set_.colours = ColourSettings::Load(profile_);
    ctx_->vornFolder = VornFolder::RefreshFromProfile(profile_).toStdString();
    connect(ctx_.get(), &WidgetContext::pictureFailed, this, &CTavloraDoc::ReportDecodeError);
    connect(ctx_.get(), &WidgetContext::repaintRequested, this, &CTavloraDoc::repaintRequested);
    connect(&undo_, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &CTavloraDoc::OnWatcher);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &CTavloraDoc::OnWatcher);
    connect(this, &CTavloraDoc::fileChangeNotified, this, &CTavloraDoc::OnOutsideChange, Qt::QueuedConnection);
    recent_.Load();
}

CTavloraDoc::~CTavloraDoc()
{
    // Commands hold records; widgets refer to the context: all go while it exists.
    destroying_ = true;
    if (recovery_)
        recovery_->Remove();
    StopWatching();
    undo_.blockSignals(true);
    undo_.clear();
    selection_.Clear();
    set_.ClearAll();
}

void CTavloraDoc::SetCurrentScreen(int screen)
{
    if (screen == currentScreen_)
        return;
    currentScreen_ = screen;
    emit currentScreenChanged(currentScreen_);
}

void CTavloraDoc::ShowCurrentScreen(bool showImages)
{
    ScreenVisibility::Refresh(set_, currentScreen_, showImages);
}

void CTavloraDoc::SwitchImages(bool showImages)
{
    ctx_->showImages = showImages;
    ScreenVisibility::ApplyImageSwitch(set_, currentScreen_, showImages);
}

void CTavloraDoc::EditSelection(const std::function<void(Selection&)>& change)
{
    const size_t size = selection_.Size();
    const ControlRecord* anchor = selection_.Anchor();
    const ControlRecord* last = selection_.Empty() ? nullptr : selection_.Records().back();
    change(selection_);
    const ControlRecord* lastNow = selection_.Empty() ? nullptr : selection_.Records().back();
    if (selection_.Size() != size || selection_.Anchor() != anchor || lastNow != last)
        emit selectionChanged();
}

void CTavloraDoc::ClearContents()
{
    undo_.clear();
    if (recovery_)
        recovery_->Remove();
    if (!selection_.Empty() || selection_.Anchor()) {
        selection_.Clear();
        emit selectionChanged();
    }
    set_.ClearAll();
}

void CTavloraDoc::SetPathName(const QString& path)
{
    path_ = path;
    missingReported_ = false;
    title_ = path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).fileName();
    emit titleChanged(title_);
}

void CTavloraDoc::RefreshVornFolder()
{
    ctx_->vornFolder = VornFolder::RefreshFromProfile(profile_).toStdString();
}

bool CTavloraDoc::AskScreenSize()
{
    if (fixedSize_.isValid() && !fixedSize_.isEmpty()) {
        screenSize_ = std::exchange(fixedSize_, QSize());
    } else {
        const std::optional<QSize> size = prompter_.AskScreenSize();
        // Closed without OK: the previous size stays.
        if (size && size->width() > 0 && size->height() > 0)
            screenSize_ = *size;
    }
    emit screenSizeChanged(screenSize_);
    return true;
}

bool CTavloraDoc::OnNewDocument()
{
    ClearContents();
    if (firstNew_) {
        firstNew_ = false;
        emit splashRequested();
    } else {
        AskScreenSize();
        SetCurrentScreen(1);
    }
    StopWatching();
    stamp_ = readStamp_ = {};
    recordsRead_ = 0;
    lastRead_ = {};
    SetPathName(QString());
    emit documentReset();
    return true;
}

bool CTavloraDoc::OnOpenDocument(const QString& path)
{
    return Load(QFileInfo(path).absoluteFilePath(), false);
}

bool CTavloraDoc::Reload()
{
    if (path_.isEmpty())
        return false;
    reloading_ = true;
    const bool ok = Load(path_, true);
    reloading_ = false;
    return ok;
}

bool CTavloraDoc::Load(const QString& path, bool reloading)
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

bool CTavloraDoc::LoadFile(const QString& path, bool reloading)
{
    RefreshVornFolder();

    std::string bytes;
    std::string error;
    {
        WaitCursor wait;
        if (!AtomicFile::ReadAll(path.toStdString(), bytes, error)) {
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

    if (reloading)
        return ReloadWith(path, std::move(fresh), result);
    AskScreenSize();

    ClearContents();
    set_.AdoptContents(std::move(fresh));
    SetCurrentScreen(1);
    recordsRead_ = result.recordsRead;
    lastRead_ = result;
    {
        WaitCursor wait;
        ctx_->BeginLoad();
        loading_ = true;
        WidgetFactory::RebuildWidgets(set_, *ctx_);
        loading_ = false;
    }

    if (result.isProtected) {
        askingPassword_ = true;
        const QString answer = prompter_.AskPassword();
        askingPassword_ = false;
        std::string answerBytes;
        const bool encoded = Windows1252::FromUtf8(answer.toStdString(), answerBytes);
        if (!encoded || answerBytes != result.password) {
            // A wrong answer clears the set: nothing of it stays visible or editable.
            recordsRead_ = 0;
            lastRead_ = {};
            ClearContents();
            StopWatching();
            stamp_ = readStamp_ = {};
            SetPathName(QString());
            emit documentReset();
            pendingDecodeErrors_.clear();
            prompter_.ShowError(tr("The password is not correct.\n%1 was not opened.").arg(Shown(path)));
            return false;
        }
    }

    // A set opened at start-up takes the place of the first New and its splash.
    firstNew_ = false;
    SetPathName(path);
    stamp_ = readStamp_ = FileStamp::Of(path);
    Watch();
    recent_.Add(path);
    recent_.Save();
    emit recentFilesChanged();
    emit documentReset();
    if (!pendingDecodeErrors_.isEmpty())
        QTimer::singleShot(0, this, &CTavloraDoc::FlushDecodeErrors);
    return true;
}

QString CTavloraDoc::SaveObstacle(const QString& target, bool& canReplace) const
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
    if (lastRead_.bytesAfterColours > 0 || lastRead_.recordsRead < 0) {
        const QString what = lastRead_.recordsRead < 0
            ? tr("its control count is negative (%1), so none of what follows was read")
                  .arg(lastRead_.recordsRead)
            : tr("%n byte(s) after the colours were not read", nullptr, int(lastRead_.bytesAfterColours));
        return tr("%1 is not an ordinary screen set: %2.\n"
                  "Replacing it writes this set of %n control(s) in its place.", nullptr, int(set_.Size()))
            .arg(Shown(target), what);
    }
    return {};
}

bool CTavloraDoc::OnSaveDocument(const QString& path)
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
    const WriteResult written = ScreenSetFile::Write(set_);
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
        saving_ = true;
        ok = AtomicFile::WriteAll(QFile::encodeName(target).toStdString(), written.bytes, error, &failure);
        saving_ = false;
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
    // The file now holds exactly this set.
    lastRead_.bytesAfterColours = 0;
    lastRead_.recordsRead = recordsRead_ = int32_t(set_.Size());
    if (target != path_)
        SetPathName(target);
    Watch();
    missingReported_ = false;
    undo_.setClean();
    recent_.Add(target);
    recent_.Save();
    emit recentFilesChanged();
    return true;
}

void CTavloraDoc::OnCloseDocument()
{
    destroying_ = true;
    StopWatching();
    ClearContents();
}

bool CTavloraDoc::SaveModified()
{
    if (!IsModified())
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

bool CTavloraDoc::FileNew()
{
    if (!SaveModified())
        return false;
    return OnNewDocument();
}

bool CTavloraDoc::FileOpen()
{
    const QString path = prompter_.ChooseOpenPath(kFilter);
    if (path.isEmpty())
        return false;
    return OpenFile(path);
}

bool CTavloraDoc::OpenFile(const QString& path)
{
    if (!SaveModified())
        return false;
    return OnOpenDocument(path);
}

bool CTavloraDoc::FileSave()
{
    if (path_.isEmpty())
        return FileSaveAs();
    return OnSaveDocument(path_);
}

bool CTavloraDoc::FileSaveAs()
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

void CTavloraDoc::OnCloseFile()
{
    // The title, the screen size, the colours and the current screen stay.
    ClearContents();
    path_.clear();
    StopWatching();
    stamp_ = readStamp_ = {};
    lastRead_ = {};
    emit documentReset();
}

void CTavloraDoc::OnVornLocation()
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
                                .arg(folder, QString::fromStdString(ImagePath::ToPlatform(stored.toStdString()))));
        return;
    }
    profile_.Save();
    ctx_->vornFolder = folder.toStdString();
}

void CTavloraDoc::Watch()
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

void CTavloraDoc::StopWatching()
{
    const QStringList watched = WatchedPaths();
    if (!watched.isEmpty())
        watcher_.removePaths(watched);
}

QStringList CTavloraDoc::WatchedPaths() const
{
    return watcher_.directories() + watcher_.files();
}

void CTavloraDoc::OnWatcher(const QString& path)
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

bool CTavloraDoc::TakeOutsideChange()
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

void CTavloraDoc::OnOutsideChange(const QString& path)
{
    if (path.isEmpty() || askingReload_ || inLoad_ > 0)
        return;
    if (!TakeOutsideChange())
        return;
    askingReload_ = true;
    const bool reload = prompter_.AskReload(IsModified());
    askingReload_ = false;
    if (reload)
        Reload();
}

bool CTavloraDoc::ReloadWith(const QString& path, ScreenSet&& fresh, const ReadResult& result)
{
    if (result.isProtected) {
        askingPassword_ = true;
        const QString answer = prompter_.AskPassword();
        askingPassword_ = false;
        std::string answerBytes;
        if (!Windows1252::FromUtf8(answer.toStdString(), answerBytes) || answerBytes != result.password) {
            prompter_.ShowError(tr("The password is not correct.\n%1 was not reloaded.").arg(Shown(path)));
            return false;
        }
    }
    // One undo step: Undo brings back the set as it was, unsaved edits and all.
    loading_ = true;
    undo_.push(new ReplaceContentsCommand(*this, std::move(fresh), result, tr("Reload")));
    loading_ = false;
    undo_.setClean();
    SetCurrentScreen(1);
    stamp_ = readStamp_ = FileStamp::Of(path);
    Watch();
    if (!pendingDecodeErrors_.isEmpty())
        QTimer::singleShot(0, this, &CTavloraDoc::FlushDecodeErrors);
    return true;
}

void CTavloraDoc::EnableRecovery(const QString& folder)
{
    recovery_ = std::make_unique<RecoveryCopy>(folder);
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(kRecoveryDelayMs);
    connect(recoveryTimer_, &QTimer::timeout, this, &CTavloraDoc::WriteRecovery);
    connect(&undo_, &QUndoStack::indexChanged, recoveryTimer_, qOverload<>(&QTimer::start));
    connect(&undo_, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean)
            recovery_->Remove();
        else
            recoveryTimer_->start();
    });
}

void CTavloraDoc::WriteRecovery()
{
    if (!recovery_)
        return;
    if (!IsModified()) {
        recovery_->Remove();
        return;
    }
    const WriteResult written = ScreenSetFile::Write(set_);
    if (!written.ok)
        return;
    RecoveryCopy::Info info;
    info.original = path_;
    info.title = title_;
    info.screenSize = screenSize_;
    info.readModified = readStamp_.modified;
    info.readSize = readStamp_.size;
    info.bytesAfterColours = qint64(lastRead_.bytesAfterColours);
    info.recordsRead = lastRead_.recordsRead;
    recovery_->Write(written.bytes, info);
}

bool CTavloraDoc::OfferRecovery()
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

bool CTavloraDoc::Restore(const RecoveryCopy::Orphan& orphan)
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
    ClearContents();
    if (orphan.info.screenSize.width() > 0 && orphan.info.screenSize.height() > 0) {
        screenSize_ = orphan.info.screenSize;
        emit screenSizeChanged(screenSize_);
    }
    set_.AdoptContents(std::move(fresh));
    SetCurrentScreen(1);
    lastRead_ = result;
    lastRead_.bytesAfterColours = size_t(std::max<qint64>(0, orphan.info.bytesAfterColours));
    lastRead_.recordsRead = recordsRead_ = orphan.info.recordsRead;
    ctx_->BeginLoad();
    loading_ = true;
    WidgetFactory::RebuildWidgets(set_, *ctx_);
    loading_ = false;
    firstNew_ = false;
    SetPathName(orphan.info.original);
    if (orphan.info.original.isEmpty() && !orphan.info.title.isEmpty()) {
        title_ = orphan.info.title;
        emit titleChanged(title_);
    }
    stamp_ = FileStamp::Of(path_);
    readStamp_ = {orphan.info.readModified, orphan.info.readSize};
    Watch();
    undo_.resetClean();
    emit documentReset();
    return true;
}

void CTavloraDoc::ReportDecodeError(const QString& path, const QString& error)
{
    pendingDecodeErrors_.append(tr("The picture %1 could not be loaded.\n\n%2").arg(Shown(path), error));
    if (!loading_)
        QTimer::singleShot(0, this, &CTavloraDoc::FlushDecodeErrors);
}

void CTavloraDoc::FlushDecodeErrors()
{
    const QStringList messages = std::exchange(pendingDecodeErrors_, {});
    for (const QString& message : messages)
        prompter_.ShowError(message);
}

} // namespace tavlora
