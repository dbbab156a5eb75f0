#include "PreviewEventList.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTime>

#include <algorithm>

namespace tavlora {

PreviewEventList::PreviewEventList(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("PreviewEvents"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setHeaderLabels({tr("Time"), tr("Control"), tr("Function"), tr("OEM code / G-code"), tr("Hot key")});
    // Room for a time, a caption, a catalog name and a code besides the
    // titles; warnings span the row.
    const QFontMetrics fm(font());
    const int chars[] = {0, 16, 28, 16};
    for (int c = 0; c < 4; ++c) {
        const int title = fm.horizontalAdvance(headerItem()->text(c)) + 24;
        setColumnWidth(c, std::max({title, fm.averageCharWidth() * chars[c],
                                    c == 0 ? fm.horizontalAdvance(QStringLiteral("00:00:00.000")) + 16 : 0}));
    }
    header()->setStretchLastSection(true);
}

QTreeWidgetItem* PreviewEventList::Add(Kind kind, const QStringList& columns)
{
    QStringList row{QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz"))};
    row += columns;
    auto* item = new QTreeWidgetItem(this, row);
    item->setData(0, Qt::UserRole, int(kind));
    for (int c = 0; c < row.size(); ++c)
        item->setToolTip(c, row.at(c));
    scrollToItem(item);
    return item;
}

void PreviewEventList::AddPress(const PreviewRules::Event& e)
{
    const QString function = e.function < 0
        ? QString()
        : QStringLiteral("%1  %2").arg(e.function).arg(QString::fromStdString(e.functionName));
    Add(Press, {QString::fromStdString(e.caption), function, QString::fromStdString(e.code),
                QString::fromStdString(e.hotKey)});
}

void PreviewEventList::AddEntry(const QString& control, const QString& text)
{
    Add(Entry, {control, QString(), text});
}

void PreviewEventList::AddWarning(const QString& message)
{
    // The time and the message across the whole row.
    QTreeWidgetItem* item = Add(Warning, {});
    item->setText(0, item->text(0) + QStringLiteral("  ") + message);
    item->setToolTip(0, message);
    item->setIcon(0, style()->standardIcon(QStyle::SP_MessageBoxWarning));
    item->setFirstColumnSpanned(true);
}

PreviewEventList::Kind PreviewEventList::KindAt(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? Kind(item->data(0, Qt::UserRole).toInt()) : Press;
}

} // namespace tavlora
