#pragma once

#include "document/ControlChange.h"

#include <QAbstractTableModel>
#include <QHash>

#include <optional>
#include <string>
#include <vector>

namespace tavlora {

class CTavloraDoc;
class ControlRecord;

// The controls shown while the current screen is designed (its own and the
// persistent ones), one row each in list order, narrowed by a filter text.
// Rows follow the document's changes through the On... calls, which insert,
// remove or update only the rows concerned. Controls that cannot be seen on the surface are greyed,
// with the reason as tooltip; persistent ones are italic and say so. The
// lock column is checkable: a toggle is asked for with lockToggled.
class ControlListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { TypeColumn, CaptionColumn, FunctionColumn, XColumn, YColumn, SizeColumn, LockColumn, ColumnCount };
    // ScreenVisibility::Hidden flags of a row.
    static constexpr int kHiddenRole = Qt::UserRole + 1;

    ControlListModel(CTavloraDoc& doc, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    const std::vector<const ControlRecord*>& Records() const { return rows_; }
    // The record of a row; none outside the rows.
    const ControlRecord* RecordAt(int row) const;
    // The row of a listed record, or -1.
    int RowOf(const ControlRecord* record) const { return rowOf_.value(record, -1); }

    // "Obsolete type: no widget is made for it" ... one line per reason.
    static QString HiddenText(unsigned reasons);

    // Rows whose text (any column, any case) holds `text`; all for an empty text.
    void SetFilter(const QString& text);
    const QString& Filter() const { return filter_; }

    // The list anew: another screen.
    void Reset();
    // Another document: no rows from aboutToReset until documentReset.
    void BeginDocumentReset();
    void EndDocumentReset();
    // The picture switch or the target size changed: the marks again.
    void RefreshMarks();

    void OnChanged(const RecordList& records, ControlChanges what);
    void OnInserted(const RecordList& records);
    void OnRemoved(const RecordList& records);

signals:
    void lockToggled(const tavlora::ControlRecord* record, bool locked);

private:
    // The records listed for the current screen, in list order.
    std::vector<const ControlRecord*> Listed() const;
    bool Wanted(const ControlRecord& record) const;
    QString Text(const ControlRecord& record, int column) const;
    // Brings the rows to `rows` (the same records minus some plus some, in
    // list order) with row removals and insertions; a new order resets.
    void ApplyRows(const std::vector<const ControlRecord*>& rows);
    void Reindex();
    QString FunctionName(const ControlRecord& record) const;
    unsigned HiddenReasons(const ControlRecord& record) const;

    CTavloraDoc& doc_;
    QString filter_;
    std::vector<const ControlRecord*> rows_;
    QHash<const ControlRecord*, int> rowOf_;

};

} // namespace tavlora
