#pragma once

#include "document/ControlEdits.h"

#include <QUndoCommand>

#include <memory>
#include <vector>

namespace tavlora {

class CTavloraDoc;

// Adds records to the list (placing, pasting): redo puts them in at their
// places, undo takes exactly them out again. The command owns the records
// while they are out of the list.
class InsertControlsCommand : public QUndoCommand {
public:
    // Records go in at the given indices (ascending). `placed` marks records
    // made by placing a control.
    InsertControlsCommand(CTavloraDoc& doc, const QString& text, std::vector<ControlEdits::Held> records);

    void redo() override;
    void undo() override;

    const std::vector<const ControlRecord*>& Records() const { return records_; }

    // "Place DRO", "Place LED", ... for a record type.
    static QString PlaceText(int type);

private:
    CTavloraDoc& doc_;
    std::vector<ControlEdits::Held> held_;
    std::vector<const ControlRecord*> records_;
};

} // namespace tavlora
