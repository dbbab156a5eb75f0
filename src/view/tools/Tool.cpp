#include "Tool.h"

namespace tavlora {

void Tool::SetStatus(const QString& text)
{
    if (text == status_)
        return;
    status_ = text;
    emit statusChanged(status_);
}

void Tool::SetCursor(Qt::CursorShape cursor)
{
    if (cursor == cursor_)
        return;
    cursor_ = cursor;
    emit cursorChanged(cursor_);
}

} // namespace tavlora
