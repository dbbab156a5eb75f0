#pragma once

#include <QtGlobal>

namespace tavlora {

// What a control's widget shows that its record does not say, kept per record
// by the widget context so that a widget made anew from its record looks the
// same: its place in the stacking order, its window frame, and the set-up
// placing gives it (an image button just placed shows the offline picture;
// both button kinds hold function 0 and parameter -1 until an edit).
struct ControlLook {
    qint64 z = 0;
    bool framed = false;
    bool placed = false;
    bool operator==(const ControlLook&) const = default;
};

} // namespace tavlora
