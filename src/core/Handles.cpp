#include "Handles.h"

#include "ViewScale.h"

#include <algorithm>
#include <cmath>
#include <climits>

namespace tavlora {

namespace {

int32_t Add(int32_t v, int d)
{
    return int32_t(std::clamp<long long>(static_cast<long long>(v) + d, INT32_MIN, INT32_MAX));
}

long long Extent(int32_t from, int32_t to)
{
    return static_cast<long long>(to) - from;
}

} // namespace

Rect Handles::Normalised(const Rect& r)
{
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

Rect Handles::Grown(const Rect& r, int by)
{
    return {Add(r.left, -by), Add(r.top, -by), Add(r.right, by), Add(r.bottom, by)};
}

Rect Handles::HandleRect(const Rect& r, int code)
{
    // The handle frame is the outline grown by the handle size less one.
    const Rect f = Grown(Normalised(r), kSize);
    const long long w = Extent(f.left, f.right);
    const long long h = Extent(f.top, f.bottom);
    const auto midX = int32_t(f.left + (w - kSize) / 2);
    const auto midY = int32_t(f.top + (h - kSize) / 2);
    int32_t x = f.left;
    int32_t y = f.top;
    switch (code) {
    case TopLeft: break;
    case TopRight: x = Add(f.right, -kSize); break;
    case BottomRight: x = Add(f.right, -kSize); y = Add(f.bottom, -kSize); break;
    case BottomLeft: y = Add(f.bottom, -kSize); break;
    case Top: x = midX; break;
    case Right: x = Add(f.right, -kSize); y = midY; break;
    case Bottom: x = midX; y = Add(f.bottom, -kSize); break;
    case Left: y = midY; break;
    default: return {};
    }
    return {x, y, Add(x, kSize), Add(y, kSize)};
}

std::array<Rect, Handles::kCount> Handles::HandleRects(const Rect& r)
{
    std::array<Rect, kCount> rects;
    for (int i = 0; i < kCount; ++i)
        rects[size_t(i)] = HandleRect(r, i);
    return rects;
}

int Handles::Hit(const Rect& r, Point p)
{
    if (!Contains(Outer(r), p))
        return None;
    for (int i = 0; i < kCount; ++i) {
        if (Contains(HandleRect(r, i), p))
            return i;
    }
    if (Contains(Outline(r), p))
        return Middle;
    return None;
}

int Handles::HitZoomed(const Rect& r, double x, double y, double zoom)
{
    const ViewScale scale(zoom, {});
    const Point p{int32_t(std::clamp(std::floor(x * zoom), double(INT32_MIN), double(INT32_MAX))),
                  int32_t(std::clamp(std::floor(y * zoom), double(INT32_MIN), double(INT32_MAX)))};
    return Hit(scale.ToScreen(r), p);
}

} // namespace tavlora
