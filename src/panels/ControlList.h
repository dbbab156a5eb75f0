#pragma once

#include <QDockWidget>
#include <QItemSelection>

class QLineEdit;
class QTreeView;

namespace tavlora {

class CTavloraDoc;
class ControlListModel;
class ControlRecord;

// The docked "Controls" list: the controls of the current screen and the
// persistent ones, in list order, with a text filter. Its selection is the
// document's (the current row is the anchor) both ways; toggling a lock is
// one undo step; a double-click asks for the control's properties.
class ControlList : public QDockWidget {
    Q_OBJECT
public:
    explicit ControlList(CTavloraDoc& doc, QWidget* parent = nullptr);

    QTreeView* View() const { return view_; }
    QLineEdit* FilterBox() const { return filter_; }
    ControlListModel* Model() const { return model_; }

    // The row of a record (after the filter), or -1.
    int ShownRow(const ControlRecord* record) const;
    // The record of a row.
    const ControlRecord* ShownRecord(int row) const;

signals:
    void editRequested(const tavlora::ControlRecord* record);

public slots:
    // Marks again after the picture switch ("Remove Bitmaps") or the target size changed.
    void Refresh();

private:
    void SyncFromDocument();
    void OnViewSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void OnCurrentChanged(const QModelIndex& current);
    void ToggleLock(const ControlRecord* record, bool locked);
    // Runs a change of the model with the view's own selection reactions off.
    template <class Change>
    void Follow(Change change);

    CTavloraDoc& doc_;
    ControlListModel* model_ = nullptr;
    QTreeView* view_ = nullptr;
    QLineEdit* filter_ = nullptr;
    bool syncing_ = false; // the list is being brought to the document's selection
    bool pushing_ = false; // the document's selection is being changed from the list
    bool resyncQueued_ = false;
};

} // namespace tavlora
