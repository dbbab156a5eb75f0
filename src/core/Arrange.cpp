#include "Arrange.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

namespace tavlora {

namespace {

int32_t Clamp(long long v)
{
    return int32_t(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

long long Width(const Rect& r)
{
    return static_cast<long long>(r.right) - r.left;
}

long long Height(const Rect& r)
{
    return static_cast<long long>(r.bottom) - r.top;
}

long long FloorHalf(long long v)
{
    return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

// Moves a rectangle so that its left (or top) is `to`, keeping its size.
Rect PlaceAt(Rect r, long long to, bool across)
{
    if (across) {
        const long long w = Width(r);
        r.left = Clamp(to);
        r.right = Clamp(to + w);
    } else {
        const long long h = Height(r);
        r.top = Clamp(to);
        r.bottom = Clamp(to + h);
    }
    return r;
}

// Indices ordered by left (or top) edge; equal edges keep their order.
std::vector<size_t> ByEdge(const std::vector<Rect>& rects, bool across)
{
    std::vector<size_t> order(rects.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return across ? rects[a].left < rects[b].left : rects[a].top < rects[b].top;
    });
    return order;
}

std::vector<Rect> SpaceEdges(const std::vector<Rect>& rects, bool across)
{
    long long lo = LLONG_MAX, hi = LLONG_MIN;
    for (const Rect& r : rects) {
        const long long edge = across ? r.left : r.top;
        lo = std::min(lo, edge);
        hi = std::max(hi, edge);
    }
    const long long step = (hi - lo) / static_cast<long long>(rects.size() - 1);
    std::vector<Rect> out = rects;
    long long at = lo;
    for (size_t i : ByEdge(rects, across)) {
        out[i] = PlaceAt(rects[i], at, across);
        at += step;
    }
    return out;
}

std::vector<Rect> Distribute(const std::vector<Rect>& rects, bool across)
{
    const std::vector<size_t> order = ByEdge(rects, across);
    long long lo = LLONG_MAX, hi = LLONG_MIN, sizes = 0;
    for (const Rect& r : rects) {
        lo = std::min<long long>(lo, across ? r.left : r.top);
        hi = std::max<long long>(hi, across ? r.right : r.bottom);
        sizes += across ? Width(r) : Height(r);
    }
    const long long gaps = static_cast<long long>(rects.size() - 1);
    const long long room = hi - lo - sizes;
    // Floor division, the remainder spread one pixel each over the first gaps,
    // so the last control ends where the outermost edge was.
    long long gap = room / gaps;
    long long extra = room % gaps;
    if (extra < 0) {
        gap -= 1;
        extra += gaps;
    }
    std::vector<Rect> out = rects;
    long long at = lo;
    for (size_t k = 0; k < order.size(); ++k) {
        const size_t i = order[k];
        out[i] = PlaceAt(rects[i], at, across);
        at += (across ? Width(rects[i]) : Height(rects[i])) + gap + (static_cast<long long>(k) < extra ? 1 : 0);
    }
    return out;
}

} // namespace

Rect Arrange::Scaled(const Rect& r, double sx, double sy)
{
    auto edge = [](int32_t v, double s) {
        const double scaled = std::round(double(v) * s);
        return int32_t(std::isfinite(scaled) ? std::clamp(scaled, double(INT32_MIN), double(INT32_MAX)) : v);
    };
    return {edge(r.left, sx), edge(r.top, sy), edge(r.right, sx), edge(r.bottom, sy)};
}

bool Arrange::NeedsReference(Command command)
{
    return command != SpaceAcross && command != SpaceDown && command != DistributeAcross
        && command != DistributeDown;
}

std::optional<std::vector<Rect>> Arrange::Apply(Command command, const std::vector<Rect>& rects, int anchor)
{
    if (!NeedsReference(command)) {
        if (rects.size() < 3)
            return std::nullopt;
        switch (command) {
        case SpaceAcross: return SpaceEdges(rects, true);
        case SpaceDown: return SpaceEdges(rects, false);
        case DistributeAcross: return Distribute(rects, true);
        default: return Distribute(rects, false);
        }
    }

    if (anchor < 1 || size_t(anchor) >= rects.size())
        return std::nullopt;
    const Rect ref = rects[size_t(anchor)];
    if (ref.top == ref.bottom)
        return std::nullopt;
    std::vector<Rect> out = rects;
    for (size_t i = rects.size(); i-- > 0;) {
        const Rect& r = rects[i];
        Rect n = r;
        switch (command) {
        case AlignTops:
            n.top = ref.top;
            n.bottom = Clamp(r.bottom + static_cast<long long>(ref.top) - r.top);
            break;
        case AlignBottoms:
            n.top = Clamp(r.top + static_cast<long long>(ref.bottom) - r.bottom);
            n.bottom = ref.bottom;
            break;
        case AlignLefts:
            n.left = ref.left;
            n.right = Clamp(r.right + static_cast<long long>(ref.left) - r.left);
            break;
        case AlignRights:
            n.left = Clamp(r.left + static_cast<long long>(ref.right) - r.right);
            n.right = ref.right;
            break;
        case SameHeight:
            n.top = Clamp(r.bottom - Height(ref));
            break;
        case SameWidth:
            n.right = Clamp(r.left + Width(ref));
            break;
        case AlignCentresAcross:
            n = PlaceAt(r, FloorHalf(static_cast<long long>(ref.left) + ref.right - Width(r)), true);
            break;
        case AlignCentresDown:
            n = PlaceAt(r, FloorHalf(static_cast<long long>(ref.top) + ref.bottom - Height(r)), false);
            break;
        default:
            break;
        }
        out[i] = n;
    }
    return out;
}

} // namespace tavlora
