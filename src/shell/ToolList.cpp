#include "ToolList.h"

#include "view/CTavloraView.h"

#include <QMimeData>

namespace tavlora {

ToolList::ToolList(int (*toolOf)(const QString& text), QWidget* parent) : QListWidget(parent), toolOf_(toolOf)
{
    setDefaultDropAction(Qt::CopyAction);
}

void ToolList::startDrag(Qt::DropActions supportedActions)
{
    QListWidget::startDrag(supportedActions);
    emit dragFinished();
}

QStringList ToolList::mimeTypes() const
{
    return {QString::fromLatin1(CTavloraView::kToolMimeType)};
}

QMimeData* ToolList::mimeData(const QList<QListWidgetItem*>& items) const
{
    if (items.size() != 1)
        return nullptr;
    const int tool = toolOf_(items.first()->text());
    if (tool <= 0)
        return nullptr;
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(CTavloraView::kToolMimeType), QByteArray::number(tool));
    return mime;
}

} // namespace tavlora
