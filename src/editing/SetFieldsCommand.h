#pragma once

#include "document/CTavloraDoc.h"
#include "document/ControlEdits.h"

#include <QUndoCommand>

#include <vector>

namespace tavlora {

class CTavloraDoc;

// Changes the stored fields of controls (properties, lock): one set of fields
// per record, exchanged with the record's own on redo and undo alike.
class SetFieldsCommand : public QUndoCommand {
public:
    SetFieldsCommand(CTavloraDoc& doc, const QString& text, std::vector<ControlEdits::FieldsSwap> fields);

    void redo() override { doc_.Edits().SwapFields(fields_); }
    void undo() override { doc_.Edits().SwapFields(fields_); }

    // True when the fields differ from the records' own: a command that would
    // change nothing is not worth pushing.
    bool ChangesSomething() const;

private:
    CTavloraDoc& doc_;
    std::vector<ControlEdits::FieldsSwap> fields_;
};

} // namespace tavlora
