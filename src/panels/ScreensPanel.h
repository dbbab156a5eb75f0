#pragma once

#include "document/ControlChange.h"

#include <QDockWidget>
#include <QHash>
#include <QSize>
#include <QTimer>

#include <map>
#include <set>

class QListView;
class QPushButton;

namespace tavlora {

class CTavloraDoc;
class Prompter;
class ControlRecord;
class ScreenListModel;

// The docked "Screens" overview: one entry per screen that holds controls
// (and the current screen), with its number of controls and a thumbnail
// drawn by ScreenRenderer; choosing an entry shows that screen. Thumbnails
// of the screens an edit touched are drawn again shortly after it, a few at a
// time: the current screen's first, then those in view. Thumbnails share
// the budget of the widgets' looks; when it is spent, thumbnails out of view
// give way to those in view, and the rest are drawn when scrolled to. Copy, move and delete of a screen's controls are one undo step each.
class ScreensPanel : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kThumbnailWidth = 120;
    static constexpr int kDebounceMs = 150;
    // Drawing stops for other events after this long and goes on at once after them.
    static constexpr int kSliceMs = 30;

    ScreensPanel(CTavloraDoc& doc, Prompter& prompter, QWidget* parent = nullptr);

    QListView* View() const { return view_; }
    ScreenListModel* Model() const { return model_; }
    QPushButton* CopyButton() const { return copy_; }
    QPushButton* MoveButton() const { return move_; }
    QPushButton* DeleteButton() const { return delete_; }

    // The thumbnail size for the document's target screen.
    QSize ThumbnailSize() const;
    // True while some thumbnail waits to be drawn.
    bool ThumbnailsPending() const { return allStale_ || !stale_.empty(); }
    // Draws every waiting thumbnail now.
    void DrawThumbnails();

public slots:
    // Ask for the target screen number and copy or move the controls of
    // `from` there; false when nothing changed.
    bool CopyScreen(int from);
    bool MoveScreen(int from);
    // Deletes the controls of `screen`.
    bool DeleteScreen(int screen);
    // Every thumbnail is drawn again shortly (pictures changed on disk, ...).
    void InvalidateThumbnails();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Rebuild();
    void Count(const ControlRecord* record, int screen, int delta);
    void OnChanged(const RecordList& records, ControlChanges what);
    void OnInserted(const RecordList& records);
    void OnRemoved(const RecordList& records);
    void Touch(int screen);
    void UpdateEntries();
    void ShowCurrent();
    void DrawSome(qint64 budgetMs);
    // Keeps a drawn thumbnail, making room in the budget from rows out of
    // view when it is in view; false when it could not be kept.
    bool Keep(int screen, const QImage& image, const std::set<int>& inView);
    std::set<int> ScreensInView() const;
    // Screens left blank for want of budget that have come into view.
    void DrawDeferredInView();
    void ContextMenu(const QPoint& pos);
    int SuggestedTarget(int from) const;
    void UpdateButtons();

    CTavloraDoc& doc_;
    Prompter& prompter_;
    ScreenListModel* model_ = nullptr;
    QListView* view_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* move_ = nullptr;
    QPushButton* delete_ = nullptr;
    QTimer timer_;
    // The screen each listed record was counted on, and the counts.
    QHash<const ControlRecord*, int> screenOf_;
    std::map<int, int> counts_;
    std::set<int> stale_;
    std::set<int> deferred_; // not kept for want of budget
    bool allStale_ = true;
    bool syncing_ = false;
};

} // namespace tavlora
