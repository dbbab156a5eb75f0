#include "SetFieldsCommand.h"

#include "document/CTavloraDoc.h"

namespace tavlora {

SetFieldsCommand::SetFieldsCommand(CTavloraDoc& doc, const QString& text, std::vector<ControlEdits::FieldsSwap> fields)
    : QUndoCommand(text), doc_(doc), fields_(std::move(fields))
{
}

bool SetFieldsCommand::ChangesSomething() const
{
    for (const ControlEdits::FieldsSwap& f : fields_) {
        if (!f.record->SameStoredFields(f.fields))
            return true;
    }
    return false;
}

} // namespace tavlora
