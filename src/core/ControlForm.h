#pragma once

#include "ControlRecord.h"

#include <string>
#include <vector>

#include <optional>
#include <string>

namespace tavlora {

// The values of a control's property form ("Setup Control" and the property
// panel): filled from a record, changed by the form's rules, and taken back
// into the record in one place.
class ControlForm {
public:
    // The function kind radios.
    enum Kind { SystemFunction = 0, OemFunction = 1, GCodeFunction = 2, ScriptFunction = 3 };

    // The items whose enabling depends on the control type.
    enum Item {
        SkinnedBox,
        SystemAndOem,   // "System Function", "OEM Code Function", the function list, the OEM code box
        GCodeAndScript, // "G-Code Function", "VB Script function edited in Vorn3", the G-code box
        HotKeyItems,    // "Use Hot Key" and the hot-key box
        TextBox,
        FormatBox,
        TabGroupBox,
        LinesBox,
        ImageItems,     // the image name box and "Image Location"
        LedColourList,
        TurningBox,
        ScreenAndLock,  // "Displays on all Screens" and "Locked in Place"
    };

    static constexpr const char* kScriptText = "Script Function";
    // The LED choices, in list order (leading blanks included).
    static const char* const kLedChoices[8];

    int type = 0;
    int kind = SystemFunction;
    // The function number OK stores: the function list's selection, -1 for none.
    int function = -1;
    int ledChoice = -1;
    std::string image;
    std::string gcode;
    int oemCode = 0;
    int hotKey = 0;
    std::string text;
    std::string format;
    int tabGroup = 0;
    int lines = 0;
    double width = 0, height = 0, left = 0, top = 0;
    bool turning = false;
    bool allScreens = false;
    bool locked = false;
    bool useHotKey = false;
    bool skinned = false;
    bool keepImageSize = false; // "Original Size"

    static ControlForm FromRecord(const ControlRecord& record);

    // The record as OK leaves it: the fields taken back in order. A control that
    // does not display on all screens keeps its own screen, or takes
    // `currentScreen` when it was persistent. A cleared hot key is 0. The
    // rectangle stays in design coordinates.
    ControlRecord Apply(const ControlRecord& record, int currentScreen) const;

    // The catalog line that stands for an OEM code function: 12 for DROs, 32
    // for buttons and image buttons, 56 for LEDs; -1 for other types.
    static int OemEntry(int type);
    // A function's name in its catalog (Windows-1252 bytes); "Function N"
    // beyond the catalog or without one; empty for none (below 0).
    static std::string CatalogName(int32_t function, const std::vector<std::string>* catalog);
    // The same for a record's function, with the OEM code after the OEM
    // entry's name; empty for types without functions.
    static std::string FunctionName(const ControlRecord& record, const std::vector<std::string>* catalog);
    // The function kind a record opens with.
    static int KindFor(int type, int function);
    static bool Enabled(Item item, int type, bool skinned);
    // Function list entry chosen: the kind follows (OEM entry or system).
    void ChooseFunction(int entry);
    // "OEM Code Function" clicked: the OEM entry is selected.
    void ChooseOem();
    // The function list was filled with `entries` lines: 0 (a type without
    // catalog) leaves no function (-1); a number beyond the list is kept.
    void ListFilled(size_t entries);
    bool UsesCatalog() const;
};

} // namespace tavlora
