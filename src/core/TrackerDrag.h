#pragma once

#include "Grid.h"
#include "Handles.h"
#include "Point.h"
#include "Rect.h"

namespace tavlora {

class SmartGuides;

// One drag of a tracker rectangle by a handle. The coordinates the handle
// drags follow the mouse at the offset they had from the press point, snapped
// to the grid; a Middle drag keeps the size; a handle drag keeps the minimum
// size in the direction the rectangle opens (and cannot invert unless allowed).
// With smart guides, an axis whose moving lines come within reach of a guide
// snaps to it instead of the grid.
class TrackerDrag {
public:
    TrackerDrag(const Rect& start, int handle, Point press, const Grid& grid, bool allowInvert,
                int minSize = Handles::kMinSize);

    // A mouse move: the rectangle for this mouse position. The drag counts as
    // moved once a move changed the rectangle.
    const Rect& MoveTo(Point mouse, const SmartGuides* guides = nullptr, double reach = 0);
    // Button up: the final rectangle, which is the starting one unless a move
    // changed it first.
    Rect Finish(Point mouse, const SmartGuides* guides = nullptr, double reach = 0);

    const Rect& Start() const { return start_; }
    const Rect& Current() const { return current_; }
    int Handle() const { return handle_; }
    bool Moved() const { return moved_; }

private:
    Rect Follow(Point mouse, const SmartGuides* guides, double reach) const;
    // The rectangle with the dragged coordinates at x and y.
    Rect Place(int32_t x, int32_t y) const;

    Rect start_;
    Rect current_;
    int handle_;
    Grid grid_;
    bool allowInvert_;
    int minSize_;
    Point offset_;
    bool moved_ = false;
};

} // namespace tavlora
