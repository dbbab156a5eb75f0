#include "TrackerDrag.h"

#include "SmartGuides.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace tavlora {

namespace {

int32_t Clamp(long long v)
{
    return int32_t(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

// Keeps |far - near| (or far - near without inversion) at least `min`, moving
// the dragged coordinate `moving` away from the fixed one `fixed`; `sign` is +1
// when the dragged edge is the far (right/bottom) one.
void KeepMinimum(int32_t& moving, int32_t fixed, int sign, bool allowInvert, int min)
{
    const long long extent = (static_cast<long long>(moving) - fixed) * sign;
    const long long measured = allowInvert ? std::llabs(extent) : extent;
    if (measured >= min)
        return;
    const int direction = extent < 0 && allowInvert ? -1 : 1;
    moving = Clamp(static_cast<long long>(fixed) + static_cast<long long>(sign) * direction * min);
}

} // namespace

TrackerDrag::TrackerDrag(const Rect& start, int handle, Point press, const Grid& grid, bool allowInvert,
                         int minSize)
    : start_(start), current_(start), handle_(handle), grid_(grid), allowInvert_(allowInvert),
      minSize_(minSize)
{
    const int32_t x = Handles::MovesRight(handle) ? start.right : start.left;
    const int32_t y = Handles::MovesBottom(handle) ? start.bottom : start.top;
    offset_ = {Clamp(static_cast<long long>(press.x) - x), Clamp(static_cast<long long>(press.y) - y)};
}

Rect TrackerDrag::Follow(Point mouse, const SmartGuides* guides, double reach) const
{
    const int32_t rawX = Clamp(static_cast<long long>(mouse.x) - offset_.x);
    const int32_t rawY = Clamp(static_cast<long long>(mouse.y) - offset_.y);
    if (!guides)
        return Place(grid_.Snap(rawX), grid_.Snap(rawY));
    // A guide within reach wins over the grid; the shift applies to the
    // dragged coordinate as the unsnapped rectangle has it.
    const Rect raw = Place(rawX, rawY);
    const SmartGuides::Shift shift = guides->Nearest(raw, handle_, reach);
    const int32_t atX = Handles::MovesRight(handle_) ? raw.right : raw.left;
    const int32_t atY = Handles::MovesBottom(handle_) ? raw.bottom : raw.top;
    const int32_t x = shift.dx ? Clamp(static_cast<long long>(atX) + *shift.dx) : grid_.Snap(rawX);
    const int32_t y = shift.dy ? Clamp(static_cast<long long>(atY) + *shift.dy) : grid_.Snap(rawY);
    return Place(x, y);
}

Rect TrackerDrag::Place(int32_t x, int32_t y) const
{
    Rect r = start_;
    if (handle_ == Handles::Middle) {
        r.left = x;
        r.top = y;
        r.right = Clamp(static_cast<long long>(x) + (static_cast<long long>(start_.right) - start_.left));
        r.bottom = Clamp(static_cast<long long>(y) + (static_cast<long long>(start_.bottom) - start_.top));
        return r;
    }
    if (Handles::MovesLeft(handle_)) {
        r.left = x;
        KeepMinimum(r.left, r.right, -1, allowInvert_, minSize_);
    } else if (Handles::MovesRight(handle_)) {
        r.right = x;
        KeepMinimum(r.right, r.left, 1, allowInvert_, minSize_);
    }
    if (Handles::MovesTop(handle_)) {
        r.top = y;
        KeepMinimum(r.top, r.bottom, -1, allowInvert_, minSize_);
    } else if (Handles::MovesBottom(handle_)) {
        r.bottom = y;
        KeepMinimum(r.bottom, r.top, 1, allowInvert_, minSize_);
    }
    return r;
}

const Rect& TrackerDrag::MoveTo(Point mouse, const SmartGuides* guides, double reach)
{
    const Rect r = Follow(mouse, guides, reach);
    if (!(r == current_)) {
        current_ = r;
        moved_ = true;
    }
    return current_;
}

Rect TrackerDrag::Finish(Point mouse, const SmartGuides* guides, double reach)
{
    if (!moved_)
        return start_;
    current_ = Follow(mouse, guides, reach);
    return current_;
}

} // namespace tavlora
