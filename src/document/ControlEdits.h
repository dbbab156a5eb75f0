#pragma once

#include "core/ColourSet.h"
#include "core/ControlRecord.h"
#include "core/ScreenSet.h"
#include "core/ScreenSetFile.h"
#include "widgets/DesignWidget.h"

#include <QSize>

#include <memory>
#include <optional>
#include <vector>

namespace tavlora {

class CTavloraDoc;

// The only code that writes the records of the open set. Each operation
// changes the records, brings their widgets up to date and has the document
// signal what changed. Undo commands are its only callers; every operation
// can be undone by the one it pairs with (a swap by the same swap, Insert by
// Remove), so a command keeps one copy of the other state, never two.
class ControlEdits {
public:
    // A record's rectangle to exchange with its current one.
    struct RectSwap {
        const ControlRecord* record = nullptr;
        Rect rect;
    };
    // A record's stored fields to exchange with its current ones.
    struct FieldsSwap {
        const ControlRecord* record = nullptr;
        ControlRecord fields;
    };
    // A record out of the list and where it goes back. Its widget's look is
    // kept by the widget context; a new copy can be given one.
    struct Held {
        size_t index = 0;
        std::unique_ptr<ControlRecord> record;
        std::optional<ControlLook> look; // for a new copy: its look
        bool placed = false;             // made by placing: framed lists, placement set-up
    };

    // A widget's place in the stacking order to exchange with its current one.
    struct ZSwap {
        const ControlRecord* record = nullptr;
        qint64 z = 0;
    };

    explicit ControlEdits(CTavloraDoc& doc) : doc_(doc) {}

    void SwapRects(std::vector<RectSwap>& swaps);
    void SwapFields(std::vector<FieldsSwap>& swaps);
    // Puts the held records into the list at their indices (ascending, as
    // Remove gives them); the entries keep their index, look and record pointer
    // is handed over.
    void Insert(std::vector<Held>& held);
    // Takes records out of the list (and the selection); ascending by index.
    std::vector<Held> Remove(const std::vector<const ControlRecord*>& records);
    // Exchanges the target screen size with `size`.
    void SwapScreenSize(QSize& size);
    // Exchanges the colour set with `colours`.
    void SwapColours(ColourSet& colours);
    // Exchanges the whole contents (controls, colours, what reading the file
    // found) with another set; the widgets are built anew and the selection
    // is emptied.
    void SwapContents(ScreenSet& other, ReadResult& read);
    // Exchanges the list order with `order` (the same records in another
    // order) and the widgets' stacking places with the ones given.
    void SwapOrder(std::vector<const ControlRecord*>& order, std::vector<ZSwap>& stacking);

private:
    static ControlRecord& Writable(const ControlRecord* record);
    // Clears a flag of the record's kept look: the placing set-up shows until
    // the fields it stands in for change, the older-image placeholder until
    // the first edit of a field.
    void ForgetLookFlag(const ControlRecord& rec, bool ControlLook::*flag);
    void RaisePng(const ControlRecord& rec);

    CTavloraDoc& doc_;
};

} // namespace tavlora
