#pragma once

#include "Point.h"

#include <cstdint>

namespace tavlora {

// The snapping grid: a step in pixels and an on switch. A coordinate v snaps
// to v - (v rem step), so positive values go down to a multiple of the step and
// negative values up toward zero. A step below 1 never snaps.
class Grid {
public:
    Grid() = default;
    Grid(int step, bool on) : step_(step), on_(on) {}

    int Step() const { return step_; }
    bool On() const { return on_; }
    bool Snaps() const { return on_ && step_ >= 1; }

    int32_t Snap(int32_t v) const { return Snaps() ? v - v % step_ : v; }
    Point Snap(Point p) const { return {Snap(p.x), Snap(p.y)}; }

    bool operator==(const Grid&) const = default;

private:
    int step_ = 3;
    bool on_ = false;
};

} // namespace tavlora
