#pragma once

#include "ControlLook.h"
#include "ControlWidget.h"
#include "Rect.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tavlora {

// One placed control of a screen set: the stored fields of the file, plus the
// design-time widget derived from them. Strings hold the file's bytes unchanged.
// Selection, clipboard and other session state live outside the record.
class ControlRecord {
public:
    ControlRecord() = default;
    ControlRecord(const ControlRecord& other);            // copies the stored fields, no widget
    ControlRecord& operator=(const ControlRecord& other); // idem; keeps this record's widget
    ~ControlRecord();

    Rect rect;
    int32_t function = -1;
    int32_t type = 0;
    int32_t screen = 0;
    std::string text = "None";
    std::string gcode = "None";
    std::string image = "None";
    int32_t reservedA = 0;
    int32_t reservedB = 1;
    std::string label = "Label";
    int32_t ledColour = 0;
    int32_t ledFlashing = 0;
    int32_t ledRedGreen = 0;
    int32_t parameter = 0;
    int32_t hotKey = 0;
    std::string format = "%+.4f";
    int32_t tabGroup = 0;
    bool locked = false;
    // Derived from the fields above (and made anew from them even through a
    // read-only record); never stored and never copied.
    mutable std::unique_ptr<ControlWidget> widget;

    // The look of its widget, kept while the record lives (none until a
    // widget was made); never stored and never copied.
    mutable std::optional<ControlLook> look;

    // LED choice 0..7 (" Green" ... " Red/Green Flashing") from the three LED
    // fields; -1 for a colour that is none of them.
    int LedChoice() const;
    // Stores an LED choice in the three LED fields.
    void SetLedChoice(int choice);

    // Stored fields equal (the widget is ignored).
    bool SameStoredFields(const ControlRecord& other) const;
    // Stored fields other than `rect` equal.
    bool SameFieldsButRect(const ControlRecord& other) const;
    // Exchanges every stored field with `other`; the widgets stay where they are.
    void SwapStoredFields(ControlRecord& other);
    // Takes from `after` each stored field (each rectangle side) in which it
    // differs from `before`: the change one edit made, and nothing else.
    void TakeChanges(const ControlRecord& before, const ControlRecord& after);
};

} // namespace tavlora
