#pragma once

#include "document/ControlEdits.h"

#include <QUndoCommand>

#include <vector>

namespace tavlora {

class CTavloraDoc;

// Takes records out of the list (delete, cut): undo puts the same records back
// at the same places with the same stacking. The command owns them meanwhile.
class RemoveControlsCommand : public QUndoCommand {
public:
    RemoveControlsCommand(CTavloraDoc& doc, const QString& text, std::vector<const ControlRecord*> records);

    void redo() override;
    void undo() override;

private:
    CTavloraDoc& doc_;
    std::vector<const ControlRecord*> records_;
    std::vector<ControlEdits::Held> held_;
};

} // namespace tavlora
