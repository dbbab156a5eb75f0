#pragma once

#include "EdgeIndex.h"
#include "Rect.h"
#include "SpanIndex.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tavlora {

class ControlRecord;
class ScreenSet;

// Snapping to the other controls of the screen while a rectangle is dragged,
// resized or placed. The edges and centre lines of the others and of the
// target screen are indexed once; a frame asks for the nearest line within
// reach of each edge the drag moves (binary searches), and for what to show
// at the rectangle's final place: the lines it lies on and the gaps equal to
// its gap to a neighbour in the same row or column.
class SmartGuides {
public:
    // Snapping reaches this far on the monitor, whatever the zoom.
    static constexpr double kReachOnScreen = 5.0;
    static double ReachAt(double zoom) { return zoom > 0 ? kReachOnScreen / zoom : kReachOnScreen; }

    // X lines are vertical (x = pos); an X gap runs along x.
    enum class Axis { X, Y };
    struct Line {
        Axis axis = Axis::X;
        int32_t pos = 0;
        bool operator==(const Line&) const = default;
    };
    // The space between two rectangles from `from` to `to` on its axis, drawn
    // at `across` on the other axis.
    struct Gap {
        Axis axis = Axis::X;
        int32_t from = 0;
        int32_t to = 0;
        int32_t across = 0;
        long long Size() const { return static_cast<long long>(to) - from; }
        bool operator==(const Gap&) const = default;
    };
    struct Shown {
        std::vector<Line> lines;
        std::vector<Gap> gaps; // every gap here equals another one on its axis
        bool Empty() const { return lines.empty() && gaps.empty(); }
        bool operator==(const Shown&) const = default;
    };
    // What brings the nearest moving line onto a guide, per axis.
    struct Shift {
        std::optional<int32_t> dx;
        std::optional<int32_t> dy;
    };

    SmartGuides() = default;
    // The rectangles to snap to (normalised; empty ones are skipped) and the
    // target screen, whose edges and centre lines are guides too.
    SmartGuides(const std::vector<Rect>& others, int32_t screenWidth, int32_t screenHeight);
    // The controls shown while `current` is designed, but the dragged ones:
    // the screen's own and the persistent layer's, without types that have
    // no widget and without pictures while they are hidden.
    static SmartGuides ForScreen(const ScreenSet& set, int current, bool showImages,
                                 const std::vector<const ControlRecord*>& dragged, int32_t screenWidth,
                                 int32_t screenHeight);

    // The lines a handle drag moves (Middle: both edges and the centre of
    // each axis, else the edges of the handle) and the shift that brings the
    // one nearest to a guide onto it, when it is at most `reach` away; on a
    // tie the earlier line (left, centre, right) wins.
    Shift Nearest(const Rect& r, int handle, double reach) const;
    // The rectangle moved by Nearest for a move.
    Rect Snapped(const Rect& r, double reach) const;
    // What a rectangle dragged by `handle` shows where it is: the guides its
    // moving lines lie on, and the gaps to its neighbours on the sides it
    // moves that equal the gap between two other controls of the same row
    // (column) or its gap on the other side, with those equal gaps.
    Shown Show(const Rect& r, int handle) const;

    size_t Count() const { return others_.size(); }

private:
    void AddGaps(Axis axis, const Rect& r, bool low, bool high, std::vector<Gap>& gaps) const;

    std::vector<Rect> others_;
    EdgeIndex xs_;
    EdgeIndex ys_;
    SpanIndex rows_;    // by vertical extent: the controls in a row
    SpanIndex columns_; // by horizontal extent
};

} // namespace tavlora
