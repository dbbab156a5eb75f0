#pragma once

#include "core/Finding.h"

#include <QAbstractTableModel>
#include <QString>

#include <vector>

namespace tavlora {

class ControlRecord;

// The findings of the Problems panel, one row each: severity, screen,
// control, code and message. A row remembers the record its finding named
// when the check ran.
class ProblemListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { SeverityColumn, ScreenColumn, ControlColumn, CodeColumn, MessageColumn, ColumnCount };

    struct Row {
        Finding finding;
        const ControlRecord* record = nullptr; // only to compare with the list's records
        QString control;                 // "#3 Button "Cycle Start""
    };

    explicit ProblemListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void SetRows(std::vector<Row> rows);
    const Row* At(int row) const;

private:
    std::vector<Row> rows_;
};

} // namespace tavlora
