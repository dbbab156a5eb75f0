#include "SetRectsCommand.h"

#include "document/CTavloraDoc.h"

namespace tavlora {

SetRectsCommand::SetRectsCommand(CTavloraDoc& doc, const QString& text, std::vector<ControlEdits::RectSwap> rects,
                                 int burst)
    : QUndoCommand(text), doc_(doc), rects_(std::move(rects)), burst_(burst)
{
}

void SetRectsCommand::Swap()
{
    doc_.Edits().SwapRects(rects_);
}

bool SetRectsCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const SetRectsCommand*>(other);
    if (!next || next->burst_ != burst_ || &next->doc_ != &doc_ || next->rects_.size() != rects_.size())
        return false;
    for (size_t i = 0; i < rects_.size(); ++i) {
        if (next->rects_[i].record != rects_[i].record)
            return false;
    }
    // This command already holds the rectangles from before the burst.
    return true;
}

} // namespace tavlora
