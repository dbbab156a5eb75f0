#pragma once

#include "document/ControlEdits.h"

#include <QUndoCommand>

#include <vector>

namespace tavlora {

class CTavloraDoc;

// Moves or resizes controls: one rectangle per record, exchanged with the
// record's own on redo and undo alike. Commands of one burst (the arrow-key
// nudges of one key press) merge into one step.
class SetRectsCommand : public QUndoCommand {
public:
    static constexpr int kBurstId = 0x7A01;

    // A `burst` other than 0 lets consecutive commands with the same burst and
    // records merge.
    SetRectsCommand(CTavloraDoc& doc, const QString& text, std::vector<ControlEdits::RectSwap> rects,
                    int burst = 0);

    void redo() override { Swap(); }
    void undo() override { Swap(); }
    int id() const override { return burst_ != 0 ? kBurstId : -1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    void Swap();

    CTavloraDoc& doc_;
    std::vector<ControlEdits::RectSwap> rects_;
    int burst_;
};

} // namespace tavlora
