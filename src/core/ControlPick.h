#pragma once

#include "Point.h"
#include "Rect.h"

#include <vector>

namespace tavlora {

class ControlRecord;
class ScreenSet;

// Which controls a point or a rubber band means on the design surface.
class ControlPick {
public:
    // Controls of this area or more are never hit.
    static constexpr long long kAreaBound = 1000000;

    struct Hit {
        const ControlRecord* record = nullptr;
        int code = -1; // handle code of the hit
        explicit operator bool() const { return record != nullptr; }
    };

    // Candidates are the controls of the current screen and of the persistent
    // layer (also on the TAB screen), without pictures while they are hidden.
    // The candidate with a hit and the smallest area wins; equal areas go to
    // the later record.
    static Hit At(const ScreenSet& set, int currentScreen, bool showImages, Point p);
    // The same where the surface is zoomed: handles are tested at their size on
    // the screen; (x, y) is the exact design position.
    static Hit At(const ScreenSet& set, int currentScreen, bool showImages, double x, double y, double zoom);

    // The controls of the current screen (persistent ones only when the
    // persistent layer is current) lying completely inside the band, from the
    // last record to the first.
    static std::vector<const ControlRecord*> InBand(const ScreenSet& set, int currentScreen, const Rect& band);

    // The control a property edit means: the smallest candidate whose
    // rectangle holds the point (handles do not count). Candidates are the
    // current screen's controls and the persistent ones, without persistent
    // pictures while pictures are hidden.
    static const ControlRecord* Inside(const ScreenSet& set, int currentScreen, bool showImages, Point p);

    // Every control of the current screen (persistent ones only when the
    // persistent layer is current), from the last record to the first.
    static std::vector<const ControlRecord*> OnScreen(const ScreenSet& set, int currentScreen);

    // Area used for picking.
    static long long Area(const Rect& r);
};

} // namespace tavlora
