#include "PreviewValueList.h"

#include <QHeaderView>
#include <QLineEdit>

#include <cmath>

namespace tavlora {

PreviewValueList::PreviewValueList(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("PreviewValues"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setHeaderLabels({tr("DRO"), tr("Value")});
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setSectionResizeMode(1, QHeaderView::Fixed);
    header()->setStretchLastSection(false);
    header()->resizeSection(1, fontMetrics().horizontalAdvance(QStringLiteral("-99999.999999")) + 16);
}

QString PreviewValueList::Text(double value)
{
    return QString::number(value, 'g', 15);
}

void PreviewValueList::SetRows(const QStringList& names, const std::vector<double>& values)
{
    clear();
    for (int row = 0; row < names.size(); ++row) {
        auto* item = new QTreeWidgetItem(this, {names.at(row)});
        item->setToolTip(0, names.at(row));
        auto* field = new QLineEdit(this);
        field->setAlignment(Qt::AlignRight);
        field->setFrame(false);
        connect(field, &QLineEdit::editingFinished, this, [this, field, row] {
            bool ok = false;
            const double value = QLocale::c().toDouble(field->text().trimmed(), &ok);
            if (ok && std::isfinite(value))
                emit edited(row, value);
        });
        setItemWidget(item, 1, field);
    }
    SetValues(values);
}

void PreviewValueList::SetValues(const std::vector<double>& values)
{
    for (int row = 0; row < topLevelItemCount() && size_t(row) < values.size(); ++row) {
        QLineEdit* field = Field(row);
        if (field)
            field->setText(Text(values[size_t(row)]));
    }
}

QLineEdit* PreviewValueList::Field(int row) const
{
    QTreeWidgetItem* item = topLevelItem(row);
    return item ? qobject_cast<QLineEdit*>(itemWidget(item, 1)) : nullptr;
}

void PreviewValueList::FocusRow(int row)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return;
    setCurrentItem(item);
    scrollToItem(item);
    if (QLineEdit* field = Field(row)) {
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}

} // namespace tavlora
