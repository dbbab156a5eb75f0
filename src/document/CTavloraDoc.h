#pragma once

#include "ControlChange.h"
#include "FunctionCatalogs.h"
#include "core/ScreenSet.h"
#include "core/ScreenSetFile.h"
#include "core/Selection.h"

#include <QObject>
#include <QRect>
#include <QSize>
#include <QUndoStack>

#include <functional>
#include <memory>

namespace tavlora {

class ControlEdits;
class SettingsProfile;
class WidgetContext;

// The open screen set: the records and their widgets, the undo stack, the
// selection, the current screen, the picture switch, the target screen size,
// the Vorn3 folder and its function catalogs. It is the one object that
// signals changes: records change only through undo commands calling
// ControlEdits, and views, panels and lists follow the signals below. Tying
// the set to a file is DocumentFile's.
class CTavloraDoc : public QObject {
    Q_OBJECT
public:
    static const QString kAppTitle;

    explicit CTavloraDoc(SettingsProfile& profile, QObject* parent = nullptr);
    ~CTavloraDoc() override;

    // Read access to the model; writes go through undo commands.
    const ScreenSet& Set() const { return set_; }
    WidgetContext& Context() { return *ctx_; }
    QUndoStack& UndoStack() { return undo_; }
    // For undo commands only.
    ControlEdits& Edits() { return *edits_; }

    // The screen being designed: 1 after start-up, New and a load. Changing it
    // shows the widgets of that screen (and the persistent layer) first.
    int CurrentScreen() const { return currentScreen_; }
    void SetCurrentScreen(int screen);
    // "TAB Screen": to screen 50 and back to the screen it was called from.
    void ToggleTabScreen();

    // The picture switch of "Remove Bitmaps".
    bool ShowImages() const;
    void SetShowImages(bool show);

    const Selection& CurrentSelection() const { return selection_; }
    // Runs a change of the selection; selectionChanged follows once if it changed.
    void EditSelection(const std::function<void(Selection&)>& change);

    // Modified while the content differs from what was last loaded or saved.
    bool IsModified() const { return !undo_.isClean(); }

    QSize ScreenSize() const { return screenSize_; }
    QRect ScreenRect() const { return QRect(QPoint(0, 0), screenSize_); }
    void SetScreenSize(QSize size);
    int RecordsRead() const { return lastRead_.recordsRead; }
    // What reading the open file found; the default after New and "Close FIle".
    const ReadResult& LastRead() const { return lastRead_; }
    // The file now holds exactly this set (after a save).
    void MarkSaved();

    // The Vorn3 folder (stored form) the widgets and catalogs follow.
    const std::string& VornFolder() const;
    void SetVornFolder(const std::string& folder);
    FunctionCatalogs& Catalogs() { return catalogs_; }

    // Replaces the whole set with a freshly read one: aboutToReset, the set
    // and its widgets, screen 1, the undo history emptied, documentReset.
    void Replace(ScreenSet&& fresh, const ReadResult& read);
    // The same as one undo step (a reload), after which the set counts as saved.
    void ReplaceUndoably(ScreenSet&& fresh, const ReadResult& read, const QString& text);
    // An empty set; colours, size and current screen stay.
    void ResetToEmpty();
    // Marks the set modified without an undo step (restored unsaved edits).
    void MarkModified() { undo_.resetClean(); }

    // Edit > Undo and Redo: one step, then the screen where it changed
    // records is shown and they are selected.
    void Undo();
    void Redo();

    // Arrow-key nudges of one burst merge into one undo step; a burst ends
    // when the key is released, and its number is never used again.
    int NudgeBurst() const { return nudgeBurst_; }
    void EndNudgeBurst() { ++nudgeBurst_; }

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
    void modifiedChanged(bool modified);
    // The whole set is about to be replaced or emptied; then it was.
    void aboutToReset();
    void documentReset();
    void screenSizeChanged(const QSize& size);
    void showImagesChanged(bool show);

private:
    friend class ControlEdits;

    // Gives the records of the set as read their looks, applies what creating
    // their widgets makes of them (older images become images, ...), and makes
    // the widgets of the current screen.
    void BuildWidgets();
    void ClearHistoryAndSelection();
    // Runs one undo or redo step, noting the records it changed, and shows them.
    void Step(bool redo);
    // ControlEdits tells of each record an undo or redo step changes.
    void NoteTouched(const ControlRecord& record);

    ScreenSet set_;
    std::unique_ptr<WidgetContext> ctx_;
    std::unique_ptr<ControlEdits> edits_;
    QUndoStack undo_;
    Selection selection_;
    FunctionCatalogs catalogs_;
    int currentScreen_ = 1;
    int screenBeforeTab_ = 1;
    int nudgeBurst_ = 1;
    bool noting_ = false;
    std::vector<const ControlRecord*> touched_;
    int touchedScreen_ = -1;
    ReadResult lastRead_;
    QSize screenSize_{1024, 768};
};

} // namespace tavlora
