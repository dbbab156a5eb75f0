#include "SetColoursCommand.h"

#include "document/CTavloraDoc.h"
#include "document/ControlEdits.h"

#include <QCoreApplication>

namespace tavlora {

SetColoursCommand::SetColoursCommand(CTavloraDoc& doc, const ColourSet& colours)
    : QUndoCommand(QCoreApplication::translate("SetColoursCommand", "Colors")), doc_(doc), colours_(colours)
{
}

void SetColoursCommand::Swap()
{
    doc_.Edits().SwapColours(colours_);
}

} // namespace tavlora
