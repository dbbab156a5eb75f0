#include "ReorderCommand.h"

#include "document/CTavloraDoc.h"

namespace tavlora {

ReorderCommand::ReorderCommand(CTavloraDoc& doc, const QString& text, std::vector<const ControlRecord*> order,
                               std::vector<ControlEdits::ZSwap> stacking)
    : QUndoCommand(text), doc_(doc), order_(std::move(order)), stacking_(std::move(stacking))
{
}

void ReorderCommand::Swap()
{
    doc_.Edits().SwapOrder(order_, stacking_);
}

} // namespace tavlora
