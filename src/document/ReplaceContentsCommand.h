#pragma once

#include "core/ScreenSet.h"
#include "core/ScreenSetFile.h"

#include <QUndoCommand>

namespace tavlora {

class CTavloraDoc;

// Replaces the whole set (controls, colours and what reading the file found)
// with another, as a reload after an outside change does: the two contents
// are exchanged on redo and undo alike, so Undo brings back the set as it was
// with its unsaved edits, and the earlier history with it.
class ReplaceContentsCommand : public QUndoCommand {
public:
    ReplaceContentsCommand(CTavloraDoc& doc, ScreenSet&& contents, const ReadResult& read, const QString& text);

    void redo() override { Swap(); }
    void undo() override { Swap(); }

private:
    void Swap();

    CTavloraDoc& doc_;
    ScreenSet contents_;
    ReadResult read_;
};

} // namespace tavlora
