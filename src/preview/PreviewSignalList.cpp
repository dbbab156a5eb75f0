#include "PreviewSignalList.h"

#include <QSignalBlocker>

namespace tavlora {

PreviewSignalList::PreviewSignalList(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("PreviewSignals"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setHeaderLabels({tr("LED signal")});
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (column == 0)
            emit switched(indexOfTopLevelItem(item), item->checkState(0) == Qt::Checked);
    });
}

void PreviewSignalList::SetRows(const QStringList& names, const std::vector<bool>& on)
{
    const QSignalBlocker blocker(this);
    clear();
    for (const QString& name : names) {
        auto* item = new QTreeWidgetItem(this, {name});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
    SetStates(on);
}

void PreviewSignalList::SetStates(const std::vector<bool>& on)
{
    const QSignalBlocker blocker(this);
    for (int i = 0; i < topLevelItemCount() && size_t(i) < on.size(); ++i)
        topLevelItem(i)->setCheckState(0, on[size_t(i)] ? Qt::Checked : Qt::Unchecked);
}

bool PreviewSignalList::IsOn(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item && item->checkState(0) == Qt::Checked;
}

} // namespace tavlora
