#pragma once

#include <cstdint>

namespace tavlora {

// What a control's widget shows that its record's fields do not say, kept
// with the record so that a widget made anew from the record looks the same:
// its place in the stacking order, its window frame, the set-up placing
// gives it (an image button just placed shows the offline picture; both
// button kinds hold function 0 and parameter -1 until an edit), and the
// placeholder an older-image record read from a file shows until an edit.
struct ControlLook {
    long long z = 0; // as Qt's qint64
    bool framed = false;
    bool placed = false;
    bool placeholder = false;
    bool operator==(const ControlLook&) const = default;
};

} // namespace tavlora
