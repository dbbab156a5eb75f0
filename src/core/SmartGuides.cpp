#include "SmartGuides.h"

#include "ControlRecord.h"
#include "ControlType.h"
#include "ControlTypes.h"
#include "Handles.h"
#include "ScreenSet.h"
#include "ScreenVisibility.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace tavlora {

namespace {

using Axis = SmartGuides::Axis;

int32_t Clamp(long long v)
{
    return int32_t(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

int32_t Lo(const Rect& r, Axis a) { return a == Axis::X ? r.left : r.top; }
int32_t Hi(const Rect& r, Axis a) { return a == Axis::X ? r.right : r.bottom; }
int32_t CrossLo(const Rect& r, Axis a) { return a == Axis::X ? r.top : r.left; }
int32_t CrossHi(const Rect& r, Axis a) { return a == Axis::X ? r.bottom : r.right; }

// The centre line: the middle pixel boundary, rounded down.
int32_t Centre(int32_t lo, int32_t hi)
{
    const long long sum = static_cast<long long>(lo) + hi;
    return int32_t(sum >= 0 ? sum / 2 : (sum - 1) / 2);
}

// Where a gap between a and b is drawn across its axis: the middle of their
// common extent (between them when they have none).
int32_t Across(const Rect& a, const Rect& b, Axis axis)
{
    return Centre(std::max(CrossLo(a, axis), CrossLo(b, axis)), std::min(CrossHi(a, axis), CrossHi(b, axis)));
}

// The lines of r a handle drag moves on one axis.
struct Moving {
    int32_t v[3] = {};
    int n = 0;
};

Moving MovingLines(const Rect& r, int handle, Axis axis)
{
    Moving m;
    const int32_t lo = Lo(r, axis), hi = Hi(r, axis);
    if (handle == Handles::Middle) {
        m.v[m.n++] = lo;
        m.v[m.n++] = Centre(lo, hi);
        m.v[m.n++] = hi;
        return m;
    }
    const bool low = axis == Axis::X ? Handles::MovesLeft(handle) : Handles::MovesTop(handle);
    const bool high = axis == Axis::X ? Handles::MovesRight(handle) : Handles::MovesBottom(handle);
    if (low)
        m.v[m.n++] = lo;
    if (high)
        m.v[m.n++] = hi;
    return m;
}

std::optional<int32_t> NearestShift(const EdgeIndex& index, const Moving& m, double reach)
{
    std::optional<long long> best;
    for (int i = 0; i < m.n; ++i) {
        const std::optional<int32_t> line = index.Nearest(m.v[i]);
        if (!line)
            continue;
        const long long d = static_cast<long long>(*line) - m.v[i];
        if (double(std::llabs(d)) <= reach && (!best || std::llabs(d) < std::llabs(*best)))
            best = d;
    }
    if (!best)
        return std::nullopt;
    return int32_t(*best);
}

void AddLines(const EdgeIndex& index, const Moving& m, Axis axis, std::vector<SmartGuides::Line>& lines)
{
    for (int i = 0; i < m.n; ++i) {
        const SmartGuides::Line line{axis, m.v[i]};
        if (index.Contains(m.v[i]) && std::find(lines.begin(), lines.end(), line) == lines.end())
            lines.push_back(line);
    }
}

} // namespace

SmartGuides::SmartGuides(const std::vector<Rect>& others, int32_t screenWidth, int32_t screenHeight)
{
    std::vector<int32_t> xs, ys;
    std::vector<SpanIndex::Span> rows, columns;
    others_.reserve(others.size());
    for (const Rect& o : others) {
        const Rect r = Handles::Normalised(o);
        if (r.IsEmpty())
            continue;
        const auto id = uint32_t(others_.size());
        others_.push_back(r);
        xs.insert(xs.end(), {r.left, Centre(r.left, r.right), r.right});
        ys.insert(ys.end(), {r.top, Centre(r.top, r.bottom), r.bottom});
        rows.push_back({r.top, r.bottom, id});
        columns.push_back({r.left, r.right, id});
    }
    if (screenWidth > 0 && screenHeight > 0) {
        xs.insert(xs.end(), {0, screenWidth / 2, screenWidth});
        ys.insert(ys.end(), {0, screenHeight / 2, screenHeight});
    }
    xs_ = EdgeIndex(std::move(xs));
    ys_ = EdgeIndex(std::move(ys));
    rows_ = SpanIndex(std::move(rows));
    columns_ = SpanIndex(std::move(columns));
}

SmartGuides SmartGuides::ForScreen(const ScreenSet& set, int current, bool showImages,
                                   const std::vector<const ControlRecord*>& dragged, int32_t screenWidth,
                                   int32_t screenHeight)
{
    std::vector<const ControlRecord*> skip(dragged);
    std::sort(skip.begin(), skip.end());
    std::vector<Rect> others;
    others.reserve(set.controls.size());
    for (const auto& rec : set.controls) {
        if (!ScreenVisibility::ShowsOn(rec->screen, current) || !ControlTypes::Shown(rec->type))
            continue;
        if ((rec->type == TypeImage && !showImages) || std::binary_search(skip.begin(), skip.end(), rec.get()))
            continue;
        others.push_back(rec->rect);
    }
    return SmartGuides(others, screenWidth, screenHeight);
}

SmartGuides::Shift SmartGuides::Nearest(const Rect& r, int handle, double reach) const
{
    const Rect n = Handles::Normalised(r);
    return {NearestShift(xs_, MovingLines(n, handle, Axis::X), reach),
            NearestShift(ys_, MovingLines(n, handle, Axis::Y), reach)};
}

Rect SmartGuides::Snapped(const Rect& r, double reach) const
{
    const Shift s = Nearest(r, Handles::Middle, reach);
    const long long dx = s.dx.value_or(0), dy = s.dy.value_or(0);
    return {Clamp(r.left + dx), Clamp(r.top + dy), Clamp(r.right + dx), Clamp(r.bottom + dy)};
}

SmartGuides::Shown SmartGuides::Show(const Rect& r, int handle) const
{
    const Rect n = Handles::Normalised(r);
    Shown shown;
    AddLines(xs_, MovingLines(n, handle, Axis::X), Axis::X, shown.lines);
    AddLines(ys_, MovingLines(n, handle, Axis::Y), Axis::Y, shown.lines);
    const bool middle = handle == Handles::Middle;
    AddGaps(Axis::X, n, middle || Handles::MovesLeft(handle), middle || Handles::MovesRight(handle), shown.gaps);
    AddGaps(Axis::Y, n, middle || Handles::MovesTop(handle), middle || Handles::MovesBottom(handle), shown.gaps);
    return shown;
}

void SmartGuides::AddGaps(Axis axis, const Rect& r, bool low, bool high, std::vector<Gap>& gaps) const
{
    if ((!low && !high) || r.IsEmpty())
        return;
    // The controls of r's row (column), and its nearest neighbour on each side.
    std::vector<uint32_t> ids;
    (axis == Axis::X ? rows_ : columns_).Overlapping(CrossLo(r, axis), CrossHi(r, axis), ids);
    const Rect* before = nullptr;
    const Rect* after = nullptr;
    for (uint32_t id : ids) {
        const Rect& o = others_[id];
        if (Hi(o, axis) <= Lo(r, axis) && (!before || Hi(o, axis) > Hi(*before, axis)))
            before = &o;
        if (Lo(o, axis) >= Hi(r, axis) && (!after || Lo(o, axis) < Lo(*after, axis)))
            after = &o;
    }
    const long long gapBefore = low && before ? static_cast<long long>(Lo(r, axis)) - Hi(*before, axis) : 0;
    const long long gapAfter = high && after ? static_cast<long long>(Lo(*after, axis)) - Hi(r, axis) : 0;
    if (gapBefore <= 0 && gapAfter <= 0)
        return;

    // The gaps between each control of the row and its nearest follower that
    // have one of those sizes; a gap r lies in is none.
    std::vector<const Rect*> row;
    row.reserve(ids.size());
    for (uint32_t id : ids)
        row.push_back(&others_[id]);
    std::sort(row.begin(), row.end(), [axis](const Rect* a, const Rect* b) { return Lo(*a, axis) < Lo(*b, axis); });
    std::vector<Gap> equal;
    for (const Rect* a : row) {
        const auto next = std::lower_bound(row.begin(), row.end(), Hi(*a, axis),
                                           [axis](const Rect* o, int32_t v) { return Lo(*o, axis) < v; });
        if (next == row.end())
            continue;
        const Rect& b = **next;
        const long long size = static_cast<long long>(Lo(b, axis)) - Hi(*a, axis);
        if (size <= 0 || (size != gapBefore && size != gapAfter))
            continue;
        if (Hi(*a, axis) < Hi(r, axis) && Lo(b, axis) > Lo(r, axis))
            continue;
        equal.push_back({axis, Hi(*a, axis), Lo(b, axis), Across(*a, b, axis)});
    }

    const bool centred = gapBefore > 0 && gapBefore == gapAfter;
    const auto add = [&](long long size, const Gap& own) {
        const bool matched = std::any_of(equal.begin(), equal.end(), [size](const Gap& g) { return g.Size() == size; });
        if (!matched && !centred)
            return;
        gaps.push_back(own);
        for (const Gap& g : equal) {
            if (g.Size() == size && std::find(gaps.begin(), gaps.end(), g) == gaps.end())
                gaps.push_back(g);
        }
    };
    if (gapBefore > 0)
        add(gapBefore, {axis, Hi(*before, axis), Lo(r, axis), Across(*before, r, axis)});
    if (gapAfter > 0)
        add(gapAfter, {axis, Hi(r, axis), Lo(*after, axis), Across(r, *after, axis)});
}

} // namespace tavlora
