#pragma once

#include "document/ControlEdits.h"

#include <QUndoCommand>

#include <vector>

namespace tavlora {

class CTavloraDoc;

// Changes the list (file) order and the stacking of controls: the order and
// places given are exchanged with the current ones on redo and undo alike.
class ReorderCommand : public QUndoCommand {
public:
    ReorderCommand(CTavloraDoc& doc, const QString& text, std::vector<const ControlRecord*> order,
                   std::vector<ControlEdits::ZSwap> stacking);

    void redo() override { Swap(); }
    void undo() override { Swap(); }

private:
    void Swap();

    CTavloraDoc& doc_;
    std::vector<const ControlRecord*> order_;
    std::vector<ControlEdits::ZSwap> stacking_;
};

} // namespace tavlora
