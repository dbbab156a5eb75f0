#pragma once

#include "core/ColourSet.h"

#include <QUndoCommand>

namespace tavlora {

class CTavloraDoc;

// Changes the colour set (saved in the file): exchanged with the set's own on
// redo and undo alike.
class SetColoursCommand : public QUndoCommand {
public:
    SetColoursCommand(CTavloraDoc& doc, const ColourSet& colours);

    void redo() override { Swap(); }
    void undo() override { Swap(); }

private:
    void Swap();

    CTavloraDoc& doc_;
    ColourSet colours_;
};

} // namespace tavlora
