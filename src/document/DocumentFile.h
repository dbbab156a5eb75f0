#pragma once

#include "RecentFileList.h"
#include "RecoveryCopy.h"
#include "core/ScreenSetFile.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

class QTimer;

namespace tavlora {

class CTavloraDoc;
class Prompter;
class SettingsProfile;

// Ties the document to a file: New, Open, Save, Save As, "Close FIle", the
// recent files, the password of a protected set, the watch on the file's
// folder with the reload after an outside change, the recovery copy of
// unsaved edits, and the Vorn3 folder the document reads with.
class DocumentFile : public QObject {
    Q_OBJECT
public:
    // The open and save dialogs' filter, and the default extension.
    static const QString kFilter;
    static const QString kDefaultExtension;

    // Last-write time and size of a file, as last read or written by the document.
    struct FileStamp {
        qint64 modified = 0; // ms since the epoch
        qint64 size = -1;
        bool operator==(const FileStamp&) const = default;
        static FileStamp Of(const QString& path);
    };

    DocumentFile(CTavloraDoc& doc, SettingsProfile& profile, Prompter& prompter, QObject* parent = nullptr);
    ~DocumentFile() override;

    CTavloraDoc& Document() { return doc_; }

    // The document's operations.
    bool OnNewDocument();
    bool OnOpenDocument(const QString& path);
    bool OnSaveDocument(const QString& path);
    void OnCloseDocument();
    // Reads the file again after an outside change, as one undo step; the
    // screen size stays.
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

    // Answers the next size prompt without asking (command line --size).
    void SetFixedScreenSize(const QSize& size) { fixedSize_ = size; }

    // Keeps a recovery copy of unsaved edits (written shortly after each edit
    // settles, removed once the set is saved, closed or discarded).
    void EnableRecovery(const QString& folder);
    static constexpr int kRecoveryDelayMs = 1500;
    // Offers the copies left by designers that ended without saving; true
    // when one was restored (it is then the open set, modified, with its path).
    bool OfferRecovery();

    const QString& PathName() const { return path_; }
    const QString& Title() const { return title_; }
    const FileStamp& Stamp() const { return stamp_; }
    QStringList WatchedPaths() const;
    // True while the password of a load is asked.
    bool AskingPassword() const { return askingPassword_; }

    RecentFileList& RecentFiles() { return recent_; }

    // Outside-change check, steps after the notification: true when the file's
    // stamp differs from the document's (the new stamp is then stored).
    bool TakeOutsideChange();
    // A change notification: offers to reload when the file changed outside.
    void OnOutsideChange(const QString& path);

signals:
    void titleChanged(const QString& title);
    // The first New of the program's life: the shell shows its splash.
    void splashRequested();
    // A change in the watched folder; the outside-change check follows.
    void fileChangeNotified(const QString& path);
    void recentFilesChanged();
    // The open file was deleted or moved by another program.
    void fileMissing(const QString& path);

private:
    bool Load(const QString& path, bool reloading);
    bool LoadFile(const QString& path, bool reloading);
    // The password of a protected set; false (with the message shown) when
    // the answer is wrong.
    bool PasswordAccepted(const ReadResult& result, const QString& path, bool reloading);
    // What stands against replacing `target` with the set; empty when nothing.
    // `canReplace` tells whether replacing it anyway may be offered.
    QString SaveObstacle(const QString& target, bool& canReplace) const;
    void AskScreenSize();
    void RefreshVornFolder();
    void SetPathName(const QString& path);
    // Forgets the file: no path, no watch, no stamps.
    void Forget();
    void Watch();
    void StopWatching();
    void OnWatcher(const QString& path);
    void ReportDecodeError(const QString& path, const QString& error);
    void FlushDecodeErrors();
    void WriteRecovery();
    bool Restore(const RecoveryCopy::Orphan& orphan);

    CTavloraDoc& doc_;
    SettingsProfile& profile_;
    Prompter& prompter_;
    QFileSystemWatcher watcher_;
    RecentFileList recent_;
    QSize fixedSize_;
    QString path_;
    QString title_ = QStringLiteral("Untitled");
    int inLoad_ = 0;
    QString heldChange_;
    bool missingReported_ = false;
    bool loading_ = false;
    bool askingPassword_ = false;
    bool askingReload_ = false;
    FileStamp stamp_;     // as last seen (notifications of one change are offered once)
    FileStamp readStamp_; // of the file as last read or written by the document
    bool firstNew_ = true;
    QStringList pendingDecodeErrors_;
    std::unique_ptr<RecoveryCopy> recovery_;
    QTimer* recoveryTimer_ = nullptr;
};

} // namespace tavlora
