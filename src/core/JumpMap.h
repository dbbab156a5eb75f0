#pragma once

#include "ScreenSet.h"
#include "ScreenVisibility.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

namespace tavlora {

// The screens of a set and the screen jumps between them. A jump is a button
// or image button with the OEM function 32 and an OEM code below 100, which
// switches to the screen of that number; one on the persistent layer (screen
// 0) can be pressed on every screen but the TAB screen.
class JumpMap {
public:
    static constexpr int32_t kJumpLimit = ScreenVisibility::kScreenCount;

    struct Jump {
        int32_t from = 0; // the button's screen (0: the persistent layer)
        int32_t to = 0;   // the button's OEM code
        size_t index = 0; // the button's index in the control list
    };

    static bool IsJump(const ControlRecord& record);
    static JumpMap Build(const ScreenSet& set);

    // Number of controls per screen, the persistent layer (0) included.
    const std::map<int32_t, size_t>& ControlsPerScreen() const { return perScreen_; }
    size_t ControlsOn(int32_t screen) const;
    // Jumps in list order.
    const std::vector<Jump>& Jumps() const { return jumps_; }
    // Screens shown starting from `start` and following jumps (start included).
    std::set<int32_t> ReachableFrom(int32_t start = 1) const;

private:
    std::map<int32_t, size_t> perScreen_;
    std::vector<Jump> jumps_;
};

} // namespace tavlora
