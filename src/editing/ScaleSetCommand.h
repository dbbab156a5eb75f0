#pragma once

#include "document/ControlEdits.h"

#include <QSize>
#include <QUndoCommand>

#include <vector>

namespace tavlora {

class CTavloraDoc;

// Rescales every control of the set from the target screen size to another
// (a set moved to another monitor) and takes that size: rectangles and size
// are exchanged with the document's on redo and undo alike.
class ScaleSetCommand : public QUndoCommand {
public:
    // Nothing to do (empty size, or the same size) gives a command that changes nothing.
    ScaleSetCommand(CTavloraDoc& doc, QSize target);

    void redo() override { Swap(); }
    void undo() override { Swap(); }

private:
    void Swap();

    CTavloraDoc& doc_;
    std::vector<ControlEdits::RectSwap> rects_;
    QSize size_;
};

} // namespace tavlora
