#include "RemoveControlsCommand.h"

#include "document/CTavloraDoc.h"

namespace tavlora {

RemoveControlsCommand::RemoveControlsCommand(CTavloraDoc& doc, const QString& text, std::vector<const ControlRecord*> records)
    : QUndoCommand(text), doc_(doc), records_(std::move(records))
{
}

void RemoveControlsCommand::redo()
{
    held_ = doc_.Edits().Remove(records_);
}

void RemoveControlsCommand::undo()
{
    doc_.Edits().Insert(held_);
    held_.clear();
}

} // namespace tavlora
