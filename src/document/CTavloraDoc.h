#pragma once

#include "ControlChange.h"
#include "RecentFileList.h"
#include "RecoveryCopy.h"
#include "core/ScreenSet.h"
#include "core/ScreenSetFile.h"
#include "core/Selection.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QTimer>
#include <QUndoStack>

#include <functional>
#include <memory>

namespace tavlora {

class ControlEdits;
class Prompter;
class SettingsProfile;
class WidgetContext;

// The single document: ties the ScreenSet to a file (new, open, save, close,
// reload), watches the file's folder for outside changes and asks for the
// password of a protected set. It owns the set's widgets, the undo stack, the
// selection and the current screen, and it is the one object that signals
// changes: records change only through undo commands calling ControlEdits,
// and views, panels and lists follow the signals below.
class CTavloraDoc : public QObject {
    Q_OBJECT
public:
    // The open and save dialogs' filter, and the default extension.
    static const QString kFilter;
    static const QString kDefaultExtension;
    static const QString kAppTitle;

    // Last-write time and size of a file, as last read or written by the document.
    struct FileStamp {
        qint64 modified = 0; // ms since the epoch
        qint64 size = -1;
        bool operator==(const FileStamp&) const = default;
        static FileStamp Of(const QString& path);
    };

    CTavloraDoc(SettingsProfile& profile, Prompter& prompter, QObject* parent = nullptr);
    ~CTavloraDoc() override;

    // Read access to the model; writes go through undo commands.
    const ScreenSet& Set() const { return set_; }
    WidgetContext& Context() { return *ctx_; }
    SettingsProfile& Profile() { return profile_; }
    Prompter& Prompts() { return prompter_; }
    QUndoStack& UndoStack() { return undo_; }
    // For undo commands only.
    ControlEdits& Edits() { return *edits_; }

    // The screen being designed: 1 after start-up, New and a load.
    int CurrentScreen() const { return currentScreen_; }
    void SetCurrentScreen(int screen);

    // Widget visibility for the current screen (pictures follow only while
    // shown), and the picture switch of "Remove Bitmaps".
    void ShowCurrentScreen(bool showImages);
    void SwitchImages(bool showImages);

    const Selection& CurrentSelection() const { return selection_; }
    // Runs a change of the selection; selectionChanged follows once if it changed.
    void EditSelection(const std::function<void(Selection&)>& change);

    // True while the password of a load is asked (no selection marks then).
    bool AskingPassword() const { return askingPassword_; }
    bool Saving() const { return saving_; }

    // The document's operations.
    bool OnNewDocument();
    bool OnOpenDocument(const QString& path);
    bool OnSaveDocument(const QString& path);
    void OnCloseDocument();
    // Reads the file again after an outside change; the screen size stays.
    bool Reload();

    // The commands, with their prompts (save changes, file dialogs).
    bool FileNew();
    bool FileOpen();
    bool OpenFile(const QString& path);      // command line, recent files, drops
    bool FileSave();
    bool FileSaveAs();
    void OnCloseFile();                       // "Close FIle"
    void OnVornLocation();                    // "Vorn Location"
    // Asks to save a modified document; false when the user cancelled.
    bool SaveModified();

    // Keeps a recovery copy of unsaved edits (written shortly after each edit
    // settles, removed once the set is saved, closed or discarded).
    void EnableRecovery(const QString& folder);
    static constexpr int kRecoveryDelayMs = 1500;
    // Offers the copies left by designers that ended without saving; true
    // when one was restored (it is then the open set, modified, with its path).
    bool OfferRecovery();

    // Answers the next size prompt without asking (command line --size).
    void SetFixedScreenSize(const QSize& size) { fixedSize_ = size; }

    // Modified while the content differs from what was last loaded or saved.
    bool IsModified() const { return !undo_.isClean(); }

    const QString& PathName() const { return path_; }
    const QString& Title() const { return title_; }
    QSize ScreenSize() const { return screenSize_; }
    QRect ScreenRect() const { return QRect(QPoint(0, 0), screenSize_); }
    int RecordsRead() const { return recordsRead_; }
    // What reading the open file found; the default after New and "Close FIle".
    const ReadResult& LastRead() const { return lastRead_; }
    const FileStamp& Stamp() const { return stamp_; }
    QStringList WatchedPaths() const;

    RecentFileList& RecentFiles() { return recent_; }

    // Outside-change check, steps after the notification: true when the file's
    // stamp differs from the document's (the new stamp is then stored).
    bool TakeOutsideChange();
    // A change notification: offers to reload when the file changed outside.
    void OnOutsideChange(const QString& path);

signals:
    // Records of the list changed (`what` says which part).
    void controlsChanged(const tavlora::RecordList& records, tavlora::ControlChanges what);
    // Records joined the list; records left it (they may live on in the undo
    // history and come back: use them only as identities).
    void controlsInserted(const tavlora::RecordList& records);
    void controlsRemoved(const tavlora::RecordList& records);
    void coloursChanged();
    void currentScreenChanged(int screen);
    void selectionChanged();
    // A widget wants the screen repainted (sample counter tick, new picture).
    void repaintRequested();
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);
    // The set was replaced or emptied (new, load, reload, "Close FIle").
    void documentReset();
    void screenSizeChanged(const QSize& size);
    void splashRequested();
    // A change in the watched folder; the view runs the outside-change check.
    void fileChangeNotified(const QString& path);
    void recentFilesChanged();
    // The open file was deleted or moved by another program.
    void fileMissing(const QString& path);

private:
    friend class ControlEdits;

    // Empties the set, the selection and the undo history.
    void ClearContents();
    bool Load(const QString& path, bool reloading);
    bool LoadFile(const QString& path, bool reloading);
    // The reload of a set read from `path` as one undo step.
    bool ReloadWith(const QString& path, ScreenSet&& fresh, const ReadResult& result);
    // What stands against replacing `target` with the set; empty when nothing.
    // `canReplace` tells whether replacing it anyway may be offered.
    QString SaveObstacle(const QString& target, bool& canReplace) const;
    bool AskScreenSize();
    void RefreshVornFolder();
    void SetPathName(const QString& path);
    void Watch();
    void StopWatching();
    void OnWatcher(const QString& path);
    void ReportDecodeError(const QString& path, const QString& error);
    void WriteRecovery();
    bool Restore(const RecoveryCopy::Orphan& orphan);
    void FlushDecodeErrors();

    SettingsProfile& profile_;
    Prompter& prompter_;
    ScreenSet set_;
    std::unique_ptr<WidgetContext> ctx_;
    std::unique_ptr<ControlEdits> edits_;
    QUndoStack undo_;
    Selection selection_;
    int currentScreen_ = 1;
    bool askingPassword_ = false;
    bool saving_ = false;
    QFileSystemWatcher watcher_;
    RecentFileList recent_;

    int recordsRead_ = 0;
    ReadResult lastRead_;
    QSize screenSize_{1024, 768};
    QSize fixedSize_;
    QString path_;
    QString title_ = QStringLiteral("Untitled");
    bool reloading_ = false;
    int inLoad_ = 0;
    QString heldChange_;
    bool missingReported_ = false;
    bool loading_ = false;
    FileStamp stamp_;     // as last seen (notifications of one change are offered once)
    FileStamp readStamp_; // of the file as last read or written by the document
    bool askingReload_ = false;
    bool destroying_ = false;
    bool firstNew_ = true;
    QStringList pendingDecodeErrors_;
    std::unique_ptr<RecoveryCopy> recovery_;
    QTimer* recoveryTimer_ = nullptr;
    bool decodeFlushQueued_ = false;
};

} // namespace tavlora
