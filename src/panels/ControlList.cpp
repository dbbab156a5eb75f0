#include "ControlList.h"

#include "ControlListModel.h"

#include "core/Selection.h"
#include "document/CTavloraDoc.h"
#include "editing/SetFieldsCommand.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

namespace tavlora {

template <class Change>
void ControlList::Follow(Change change)
{
    const int rows = model_->rowCount();
    const bool wasSyncing = std::exchange(syncing_, true);
    bool structural = false;
    // Rows that come and go lose their selection.
    const auto watch = [&structural] { structural = true; };
    const QMetaObject::Connection connections[] = {
        connect(model_, &QAbstractItemModel::rowsInserted, this, watch),
        connect(model_, &QAbstractItemModel::rowsRemoved, this, watch),
        connect(model_, &QAbstractItemModel::modelReset, this, watch),
        connect(model_, &QAbstractItemModel::layoutChanged, this, watch),
    };
    change();
    for (const QMetaObject::Connection& c : connections)
        disconnect(c);
    syncing_ = wasSyncing;
    if (structural || rows != model_->rowCount())
        SyncFromDocument();
}

ControlList::ControlList(CTavloraDoc& doc, QWidget* parent)
    : QDockWidget(tr("Controls"), parent), doc_(doc)
{
    setObjectName(QStringLiteral("ControlList"));
    model_ = new ControlListModel(doc_, this);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    filter_ = new QLineEdit(body);
    filter_->setPlaceholderText(tr("Filter"));
    filter_->setClearButtonEnabled(true);
    view_ = new QTreeView(body);
    view_->setModel(model_);
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setAllColumnsShowFocus(true);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QHeaderView* header = view_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    const int widths[ControlListModel::ColumnCount] = {170, 110, 140, 44, 44, 74, 40};
    for (int c = 0; c < ControlListModel::ColumnCount; ++c)
        header->resizeSection(c, widths[c]);
    layout->addWidget(filter_);
    layout->addWidget(view_, 1);
    setWidget(body);

    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ControlList::OnViewSelectionChanged);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this, &ControlList::OnCurrentChanged);
    connect(view_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.column() == ControlListModel::LockColumn)
            return;
        if (const ControlRecord* rec = ShownRecord(index.row()))
            emit editRequested(rec);
    });
    connect(model_, &ControlListModel::lockToggled, this, &ControlList::ToggleLock);
    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        Follow([this, &text] { model_->SetFilter(text); });
    });

    connect(&doc_, &CTavloraDoc::controlsChanged, this, [this](const RecordList& records, ControlChanges what) {
        Follow([&] { model_->OnChanged(records, what); });
    });
    connect(&doc_, &CTavloraDoc::controlsInserted, this, [this](const RecordList& records) {
        Follow([&] { model_->OnInserted(records); });
    });
    connect(&doc_, &CTavloraDoc::controlsRemoved, this, [this](const RecordList& records) {
        Follow([&] { model_->OnRemoved(records); });
    });
    connect(&doc_, &CTavloraDoc::currentScreenChanged, this, [this] { Follow([this] { model_->Reset(); }); });
    connect(&doc_, &CTavloraDoc::aboutToReset, this, [this] { Follow([this] { model_->BeginDocumentReset(); }); });
    connect(&doc_, &CTavloraDoc::documentReset, this, [this] { Follow([this] { model_->EndDocumentReset(); }); });
    connect(&doc_.Catalogs(), &FunctionCatalogs::changed, this, &ControlList::Refresh);
    connect(&doc_, &CTavloraDoc::screenSizeChanged, this, &ControlList::Refresh);
    connect(&doc_, &CTavloraDoc::selectionChanged, this, [this] {
        if (!pushing_)
            SyncFromDocument();
    });
    SyncFromDocument();
}

void ControlList::Refresh()
{
    Follow([this] { model_->RefreshMarks(); });
}

int ControlList::ShownRow(const ControlRecord* record) const
{
    return record ? model_->RowOf(record) : -1;
}

const ControlRecord* ControlList::ShownRecord(int row) const
{
    return model_->RecordAt(row);
}

void ControlList::SyncFromDocument()
{
    resyncQueued_ = false;
    const Selection& selection = doc_.CurrentSelection();
    std::vector<int> rows;
    rows.reserve(selection.Size());
    for (const ControlRecord* rec : selection.Records()) {
        const int row = ShownRow(rec);
        if (row >= 0)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    QItemSelection shown;
    const int lastColumn = ControlListModel::ColumnCount - 1;
    for (size_t i = 0; i < rows.size();) {
        size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1)
            ++j;
        shown.append(QItemSelectionRange(model_->index(rows[i], 0), model_->index(rows[j], lastColumn)));
        i = j + 1;
    }
    const bool wasSyncing = std::exchange(syncing_, true);
    QItemSelectionModel* model = view_->selectionModel();
    model->select(shown, QItemSelectionModel::ClearAndSelect);
    const int anchor = ShownRow(selection.Anchor());
    model->setCurrentIndex(anchor >= 0 ? model_->index(anchor, 0) : QModelIndex(), QItemSelectionModel::NoUpdate);
    syncing_ = wasSyncing;
}

void ControlList::OnViewSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (syncing_)
        return;
    const auto recordsOf = [this](const QItemSelection& ranges) {
        std::vector<std::pair<int, const ControlRecord*>> records;
        for (const QItemSelectionRange& range : ranges) {
            for (int row = range.top(); row <= range.bottom(); ++row) {
                if (const ControlRecord* rec = ShownRecord(row))
                    records.emplace_back(row, rec);
            }
        }
        std::sort(records.begin(), records.end());
        records.erase(std::unique(records.begin(), records.end()), records.end());
        return records;
    };
    const auto added = recordsOf(selected);
    const auto dropped = recordsOf(deselected);
    QItemSelectionModel* model = view_->selectionModel();
    const QModelIndex current = model->currentIndex();
    const ControlRecord* anchor = current.isValid() && model->isRowSelected(current.row()) ? ShownRecord(current.row())
                                                                                    : nullptr;
    pushing_ = true;
    doc_.EditSelection([&](Selection& s) {
        for (const auto& [row, rec] : dropped)
            s.Deselect(rec);
        for (const auto& [row, rec] : added)
            s.Select(rec);
        if (anchor)
            s.Select(anchor);
    });
    pushing_ = false;

    // A locked control is never selected: the list shows the document's selection again.
    const Selection& now = doc_.CurrentSelection();
    bool differs = anchor && now.Anchor() != anchor;
    for (const auto& [row, rec] : added)
        differs = differs || !now.Contains(rec);
    if (differs && !resyncQueued_) {
        resyncQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            if (resyncQueued_)
                SyncFromDocument();
        });
    }
}

void ControlList::OnCurrentChanged(const QModelIndex& current)
{
    if (syncing_ || pushing_)
        return;
    const ControlRecord* rec = ShownRecord(current.row());
    const Selection& selection = doc_.CurrentSelection();
    if (!rec || !selection.Contains(rec) || selection.Anchor() == rec)
        return;
    pushing_ = true;
    doc_.EditSelection([rec](Selection& s) { s.Select(rec); });
    pushing_ = false;
}

void ControlList::ToggleLock(const ControlRecord* record, bool locked)
{
    ControlRecord fields(*record);
    fields.locked = locked;
    doc_.UndoStack().push(
        new SetFieldsCommand(doc_, locked ? tr("Lock") : tr("Unlock"), {{record, std::move(fields)}}));
}

} // namespace tavlora
