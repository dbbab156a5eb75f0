#pragma once

#include "ScreenSet.h"

#include <string>

namespace tavlora {

// Hot-key codes: a Windows virtual-key code plus 0x8000 for Ctrl, 0x400 for
// Shift and 0x800 for Alt; 0 is no hot key.
class HotKey {
public:
    static constexpr int kCtrl = 0x8000;
    static constexpr int kShift = 0x400;
    static constexpr int kAlt = 0x800;
    static constexpr int kEnter = 13;

    // Whether a stored code is a hot key: 0, and the -1 a cleared "Use Hot
    // Key" leaves on the machine (any value <= 0), are none.
    static bool IsSet(int code) { return code > 0; }

    // Code for a key pressed with the given modifiers (Alt is not added to a
    // plain Enter); 0 for a virtual-key code outside 1..255.
    static int Compose(int virtualKey, bool ctrl, bool shift, bool alt);
    // Readable name such as "Ctrl+Shift+F5"; "None" for 0.
    static std::string Name(int code);
    // Name of a virtual-key code alone ("A", "F5", "Enter", "Num 3", ...).
    static std::string KeyName(int virtualKey);

    // The first other control of `screen` with the same hot key as `edited`,
    // or nothing (no hot key is never a duplicate).
    static const ControlRecord* FindDuplicate(const ScreenSet& set, const ControlRecord& edited, int screen);
    // The warning shown for a duplicate.
    static std::string DuplicateMessage(const ControlRecord& duplicate);
};

} // namespace tavlora
