#include "ScaleSetCommand.h"

#include "core/Arrange.h"
#include "document/CTavloraDoc.h"

#include <QCoreApplication>

namespace tavlora {

ScaleSetCommand::ScaleSetCommand(CTavloraDoc& doc, QSize target)
    : QUndoCommand(QCoreApplication::translate("ScaleSetCommand", "Scale Screen Set")), doc_(doc), size_(target)
{
    const QSize from = doc.ScreenSize();
    if (from.isEmpty() || target.isEmpty())
        return;
    const double sx = double(target.width()) / from.width();
    const double sy = double(target.height()) / from.height();
    rects_.reserve(doc.Set().Size());
    for (const auto& rec : doc.Set().controls)
        rects_.push_back({rec.get(), Arrange::Scaled(rec->rect, sx, sy)});
}

void ScaleSetCommand::Swap()
{
    doc_.Edits().SwapRects(rects_);
    doc_.Edits().SwapScreenSize(size_);
}

} // namespace tavlora
