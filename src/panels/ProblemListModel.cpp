#include "ProblemListModel.h"

#include <QApplication>
#include <QStyle>

namespace tavlora {

ProblemListModel::ProblemListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ProblemListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int ProblemListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const ProblemListModel::Row* ProblemListModel::At(int row) const
{
    return row >= 0 && size_t(row) < rows_.size() ? &rows_[size_t(row)] : nullptr;
}

void ProblemListModel::SetRows(std::vector<Row> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

QVariant ProblemListModel::data(const QModelIndex& index, int role) const
{
    const Row* row = index.isValid() ? At(index.row()) : nullptr;
    if (!row)
        return {};
    const Finding& f = row->finding;
    if (role == Qt::DecorationRole && index.column() == SeverityColumn) {
        const QStyle::StandardPixmap icon = f.severity == Finding::Severity::Error     ? QStyle::SP_MessageBoxCritical
                                            : f.severity == Finding::Severity::Warning ? QStyle::SP_MessageBoxWarning
                                                                                       : QStyle::SP_MessageBoxInformation;
        return QApplication::style()->standardIcon(icon);
    }
    if (role == Qt::ToolTipRole)
        return QString::fromStdString(f.message);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case SeverityColumn: {
        const std::string_view name = Finding::SeverityName(f.severity);
        return QString::fromLatin1(name.data(), qsizetype(name.size()));
    }
    case ScreenColumn: return f.screen ? QString::number(*f.screen) : QString();
    case ControlColumn: return row->control;
    case CodeColumn: return QString::fromLatin1(f.code.data(), qsizetype(f.code.size()));
    case MessageColumn: return QString::fromStdString(f.message);
    default: return {};
    }
}

QVariant ProblemListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case SeverityColumn: return tr("Severity");
    case ScreenColumn: return tr("Screen");
    case ControlColumn: return tr("Control");
    case CodeColumn: return tr("Code");
    case MessageColumn: return tr("Message");
    default: return {};
    }
}

} // namespace tavlora
