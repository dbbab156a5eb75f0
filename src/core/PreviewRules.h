#pragma once

#include "ScreenSet.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavlora {

// What the controls of a set do when a preview runs them as the machine
// will: what a press does, which control a hot key presses, what the events
// list says of a press, when an LED is lit and the widest value a DRO format
// shows.
class PreviewRules {
public:
    // DRO values stay below 10^5 in magnitude (five integer digits).
    static constexpr int kValueDigits = 5;

    struct Press {
        enum Kind { Event, Jump };
        Kind kind = Event;
        int32_t screen = -1; // the screen a jump shows
    };
    // Buttons and image buttons are pressed; other controls are not.
    static bool Pressable(const ControlRecord& record);
    // A screen jump (function 32, OEM code 0 to 99) shows its screen; every
    // other press is an event.
    static Press PressOf(const ControlRecord& record);

    struct KeyHit {
        const ControlRecord* control = nullptr;     // the first shown control with the hot key
        std::vector<const ControlRecord*> sharing;  // the other shown controls with it
    };
    // The controls shown on `shownScreen` (its own and the persistent layer)
    // whose stored hot key is `code`, in list order.
    static KeyHit ForKey(const ScreenSet& set, int32_t shownScreen, int code);

    // Whether a screen holds controls of its own.
    static bool HoldsControls(const ScreenSet& set, int32_t screen);

    // A press as the events list names it (UTF-8): the control's caption, its
    // function and the catalog's name for it, the OEM code or G-code text it
    // sends, and its hot key; empty where it has none.
    struct Event {
        std::string caption;
        int32_t function = -1;
        std::string functionName;
        std::string code;
        std::string hotKey;
    };
    // `catalog` holds the lines of the type's catalog; null when it cannot be read.
    static Event Describe(const ControlRecord& record, const std::vector<std::string>* catalog);
    // The catalog's name of a function, "Function N" beyond it; empty for none.
    static std::string FunctionName(int32_t function, const std::vector<std::string>* catalog);

    // An LED shows its lit picture while its signal is on, a flashing one
    // only in the lit phase of the flash.
    static bool LedLit(bool on, bool flashing, bool flashPhase);

    // The value whose text under a DRO format (a skin format's tail) is the
    // longest: the negative one with the most integer digits and all the
    // decimals the format shows, as -99999.9999 for "%+10.4f". 0 for a format
    // that shows no value.
    static double WidestValue(std::string_view format);
    // The one value whose texts under all of the formats are the longest
    // together (DROs of one function share their value).
    static double WidestValue(const std::vector<std::string>& formats);
};

} // namespace tavlora
