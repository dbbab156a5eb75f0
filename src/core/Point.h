#pragma once

#include <cstdint>

namespace tavlora {

// A point in design pixels.
struct Point {
    int32_t x = 0;
    int32_t y = 0;

    bool operator==(const Point&) const = default;
};

} // namespace tavlora
