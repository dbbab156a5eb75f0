#pragma once

#include "ControlWidget.h"
#include "Rect.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tavlora {

// One placed control of a screen set. Strings hold the file's bytes unchanged.
class ControlRecord {
public:
    // Tracker settings every record starts with: solid line + resize-outside handles.
    static constexpr int kTrackerStyle = 0x11;
    static constexpr int kHandleSize = 5;

    ControlRecord() = default;
    ControlRecord(const ControlRecord& other);            // copies the stored fields, no widget
    ControlRecord& operator=(const ControlRecord& other); // idem; keeps this record's widget
    ~ControlRecord();

    Rect rect;
    int32_t function = -1;
    int32_t type = 0;
    int32_t screen = 0;
    bool deleteMark = false;
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
    int32_t selected = 0;
    std::unique_ptr<ControlWidget> widget;
    int32_t current = 0;

    // LED choice 0..7 (" Green" ... " Red/Green Flashing") from the three LED fields.
    int LedChoice() const;
    // Stores an LED choice in the three LED fields.
    void SetLedChoice(int choice);

    // Stored fields equal (transient fields and widget ignored).
    bool SameStoredFields(const ControlRecord& other) const;

    // Moves the record and its widget, only while the widget is visible.
    void MoveToRect(const Rect& r);
};

} // namespace tavlora
