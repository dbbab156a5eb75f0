// Smart guides: snapping dragged, resized or placed rectangles to the lines of
// the other controls and the screen, the lines and equal gaps shown, the index.
#include "SetBuilder.h"

#include "core/EdgeIndex.h"
#include "core/Handles.h"
#include "core/SmartGuides.h"
#include "core/TrackerDrag.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <random>

using namespace tavlora;
using Axis = SmartGuides::Axis;
using Gap = SmartGuides::Gap;
using Line = SmartGuides::Line;

// One control on an 800 x 600 screen: x lines 0 100 150 200 400 800, y 0 100 120 140 300 600.
static SmartGuides OneControl() { return SmartGuides({{100, 100, 200, 140}}, 800, 600); }

TEST(EdgeIndex, NearestAndContains)
{
    const EdgeIndex index({50, 20, 10, 20});
    const std::pair<int32_t, int32_t> rows[] = {{-100, 10}, {14, 10}, {15, 10}, {16, 20}, {35, 20}, {36, 50}, {999, 50}};
    for (const auto& [v, nearest] : rows)
        EXPECT_EQ(index.Nearest(v), nearest) << v;
    EXPECT_TRUE(index.Contains(20) && !index.Contains(21));
    EXPECT_FALSE(EdgeIndex().Nearest(0));
}

TEST(SmartGuides, NearestLineOfEachAxisWithinReach)
{
    const SmartGuides guides = OneControl();
    const struct {
        Rect r;
        int handle;
        double reach;
        std::optional<int32_t> dx, dy;
    } rows[] = {
        {{203, 296, 253, 316}, Handles::Middle, 5, -3, 4},          // left to a right edge, top to the centre
        {{127, 400, 177, 420}, Handles::Middle, 5, -2, {}},         // centre to a centre
        {{345, 110, 395, 130}, Handles::Middle, 5, 5, 0},           // right to the screen centre, exactly 5
        {{344, 110, 394, 130}, Handles::Middle, 5, {}, 0},          // 6 away: none
        {{203, 500, 253, 520}, Handles::Middle, 2.5, {}, {}},       // zoom 2: 3 is beyond reach
        {{208, 500, 258, 520}, Handles::Middle, 10, -8, {}},        // zoom 0.5: 8 is within
        {{97, 500, 196, 520}, Handles::Middle, 5, 3, {}},           // left +3 and right +4: the nearer
        {{203, 500, 397, 520}, Handles::Middle, 5, -3, {}},          // a tie (-3, +3): the left edge
        {{300, 500, 396, 520}, Handles::Right, 5, 4, {}},           // a resize snaps the edge it drags
        {{102, 500, 300, 520}, Handles::Right, 5, {}, {}},          // ... and never the others
        {{300, 98, 320, 250}, Handles::TopLeft, 5, {}, 2},
        {{300, 250, 320, 297}, Handles::Bottom, 5, {}, 3},
    };
    for (const auto& row : rows) {
        const SmartGuides::Shift s = guides.Nearest(row.r, row.handle, row.reach);
        EXPECT_EQ(s.dx, row.dx) << row.r.left << "," << row.r.top;
        EXPECT_EQ(s.dy, row.dy) << row.r.left << "," << row.r.top;
    }
    EXPECT_EQ(guides.Snapped({203, 296, 253, 316}, 5), (Rect{200, 300, 250, 320}));
    EXPECT_EQ(SmartGuides().Snapped({3, 3, 50, 50}, 5), (Rect{3, 3, 50, 50}));
}

TEST(SmartGuides, ShowsTheLinesTheMovingEdgesLieOn)
{
    const SmartGuides guides = OneControl();
    EXPECT_EQ(guides.Show({200, 300, 250, 320}, Handles::Middle).lines,
              (std::vector<Line>{{Axis::X, 200}, {Axis::Y, 300}}));
    EXPECT_EQ(guides.Show({125, 300, 175, 600}, Handles::Middle).lines,
              (std::vector<Line>{{Axis::X, 150}, {Axis::Y, 300}, {Axis::Y, 600}}));
    // A resize shows only the edge it drags.
    EXPECT_EQ(guides.Show({100, 300, 400, 320}, Handles::Right).lines, (std::vector<Line>{{Axis::X, 400}}));
    EXPECT_TRUE(guides.Show({301, 301, 351, 311}, Handles::Middle).Empty());
}

TEST(SmartGuides, EqualGapsInARowAndAColumn)
{
    // A row of A and B 20 apart; C dragged 20 right of B shows both gaps.
    const SmartGuides row({{0, 100, 50, 120}, {70, 100, 120, 130}}, 0, 0);
    SmartGuides::Shown shown = row.Show({140, 110, 180, 125}, Handles::Middle);
    EXPECT_EQ(shown.gaps, (std::vector<Gap>{{Axis::X, 120, 140, 117}, {Axis::X, 50, 70, 110}}));
    EXPECT_EQ(shown.gaps[0].Size(), 20);
    EXPECT_TRUE(row.Show({141, 110, 181, 125}, Handles::Middle).gaps.empty());
    // Below the row (no vertical overlap) it is another row.
    EXPECT_TRUE(row.Show({140, 130, 180, 140}, Handles::Middle).gaps.empty());
    // Resizing the left edge measures only on that side.
    EXPECT_EQ(row.Show({140, 110, 180, 125}, Handles::Left).gaps.size(), 2u);
    EXPECT_TRUE(row.Show({140, 110, 180, 125}, Handles::Right).gaps.empty());

    // Centred between two: equal gaps on both sides. The gap C lies in (A to
    // B) is no gap of the row.
    const SmartGuides pair({{100, 0, 150, 20}, {300, 0, 350, 20}}, 0, 0);
    shown = pair.Show({200, 5, 250, 15}, Handles::Middle);
    EXPECT_EQ(shown.gaps, (std::vector<Gap>{{Axis::X, 150, 200, 10}, {Axis::X, 250, 300, 10}}));
    EXPECT_TRUE(pair.Show({201, 5, 251, 15}, Handles::Middle).gaps.empty());

    // A column with a full-height background behind it.
    const SmartGuides column({{0, 0, 400, 600}, {10, 10, 60, 40}, {10, 55, 60, 85}}, 0, 0);
    shown = column.Show({20, 100, 50, 120}, Handles::Middle);
    EXPECT_EQ(shown.gaps, (std::vector<Gap>{{Axis::Y, 85, 100, 35}, {Axis::Y, 40, 55, 35}}));
}

TEST(SmartGuides, CountsTheControlsShownButTheDragged)
{
    ScreenSet set;
    using test::SetBuilder;
    const ControlRecord& dragged = SetBuilder::Add(set, TypeLabel, 1, {0, 0, 10, 10});
    SetBuilder::Add(set, TypeLabel, 1, {20, 0, 30, 10});
    SetBuilder::Add(set, TypeLed, 0, {40, 0, 50, 10});   // persistent
    SetBuilder::Add(set, TypeLabel, 2, {60, 0, 70, 10}); // another screen
    SetBuilder::Add(set, TypeImage, 1, {80, 0, 90, 10});
    SetBuilder::Add(set, 2, 1, {100, 0, 110, 10});       // obsolete: no widget
    SetBuilder::Add(set, TypeLabel, 1, {120, 0, 120, 10}); // no area
    const std::vector<const ControlRecord*> moving{&dragged};
    EXPECT_EQ(SmartGuides::ForScreen(set, 1, true, moving, 800, 600).Count(), 3u);
    EXPECT_EQ(SmartGuides::ForScreen(set, 1, false, moving, 800, 600).Count(), 2u);
    EXPECT_EQ(SmartGuides::ForScreen(set, 1, true, {}, 800, 600).Count(), 4u);
    EXPECT_EQ(SmartGuides::ForScreen(set, 50, true, {}, 800, 600).Count(), 0u); // TAB: no persistent layer
    EXPECT_EQ(SmartGuides::ForScreen(set, 0, true, {}, 800, 600).Count(), 1u);
}

TEST(TrackerDrag, GuideWithinReachWinsOverTheGrid)
{
    const SmartGuides guides = OneControl();
    // Pressed at the left edge: the left edge follows the mouse.
    TrackerDrag drag({300, 400, 350, 420}, Handles::Middle, {300, 400}, Grid(7, true), false);
    EXPECT_EQ(drag.MoveTo({203, 410}, &guides, 5), (Rect{200, 406, 250, 426})); // x guide, y grid
    EXPECT_EQ(drag.MoveTo({212, 410}), (Rect{210, 406, 260, 426}));             // no guides: the grid
    EXPECT_EQ(drag.MoveTo({212, 410}, &guides, 5), (Rect{210, 406, 260, 426})); // none in reach: the grid
    EXPECT_EQ(drag.Finish({203, 410}, &guides, 5), (Rect{200, 406, 250, 426}));
    // A resize snaps the edge it drags.
    TrackerDrag resize({196, 300, 260, 340}, Handles::Left, {196, 320}, Grid(), false);
    EXPECT_EQ(resize.MoveTo({201, 320}, &guides, 5), (Rect{200, 300, 260, 340}));
}

// Random screens and drags against a brute-force search of every line.
TEST(SmartGuides, PropertiesOfRandomSnaps)
{
    std::mt19937 rng(20240611);
    auto uniform = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 300; ++round) {
        std::vector<Rect> others;
        std::vector<int32_t> xs{0, 400, 800}, ys{0, 300, 600};
        const int count = uniform(0, 40);
        for (int i = 0; i < count; ++i) {
            const int x = uniform(-50, 800), y = uniform(-50, 600);
            const Rect r{x, y, x + uniform(1, 200), y + uniform(1, 100)};
            others.push_back(r);
            xs.insert(xs.end(), {r.left, r.left + r.Width() / 2, r.right});
            ys.insert(ys.end(), {r.top, r.top + r.Height() / 2, r.bottom});
        }
        const SmartGuides guides(others, 800, 600);
        const double reach = 5.0 / std::vector<double>{0.25, 0.5, 1, 2, 8}[size_t(uniform(0, 4))];
        const int x = uniform(-100, 900), y = uniform(-100, 700);
        const Rect r{x, y, x + uniform(1, 150), y + uniform(1, 80)};
        const auto nearest = [](const std::vector<int32_t>& lines, std::initializer_list<int32_t> moving) {
            long long best = LLONG_MAX;
            for (int32_t m : moving) {
                for (int32_t l : lines)
                    best = std::min(best, std::llabs(static_cast<long long>(l) - m));
            }
            return best;
        };
        const long long bestX = nearest(xs, {r.left, r.left + r.Width() / 2, r.right});
        const long long bestY = nearest(ys, {r.top, r.top + r.Height() / 2, r.bottom});
        const SmartGuides::Shift s = guides.Nearest(r, Handles::Middle, reach);
        // A snap exactly when a line is within reach, by the nearest distance.
        ASSERT_EQ(s.dx.has_value(), double(bestX) <= reach) << round;
        ASSERT_EQ(s.dy.has_value(), double(bestY) <= reach) << round;
        EXPECT_EQ(s.dx ? std::llabs(*s.dx) : bestX, bestX);
        EXPECT_EQ(s.dy ? std::llabs(*s.dy) : bestY, bestY);
        // The snapped rectangle keeps its size and lies on the guides it shows.
        const Rect snapped = guides.Snapped(r, reach);
        EXPECT_EQ(snapped.Width(), r.Width());
        EXPECT_EQ(snapped.Height(), r.Height());
        EXPECT_LE(std::abs(snapped.left - r.left), reach);
        EXPECT_LE(std::abs(snapped.top - r.top), reach);
        const SmartGuides::Shown shown = guides.Show(snapped, Handles::Middle);
        const auto onAxis = [&shown](Axis axis) {
            return std::any_of(shown.lines.begin(), shown.lines.end(), [axis](const Line& l) { return l.axis == axis; });
        };
        EXPECT_EQ(onAxis(Axis::X), s.dx.has_value() || bestX == 0);
        EXPECT_EQ(onAxis(Axis::Y), s.dy.has_value() || bestY == 0);
        // Every equal gap shown has a twin of the same size.
        for (const Gap& g : shown.gaps) {
            EXPECT_GT(g.Size(), 0);
            EXPECT_GE(std::count_if(shown.gaps.begin(), shown.gaps.end(),
                                    [&g](const Gap& o) { return o.axis == g.axis && o.Size() == g.Size(); }),
                      2);
        }
        // A resize moves only the dragged edges, each by no more than the
        // reach from where the mouse takes it (or to the minimum size).
        const Point to{r.right + uniform(-20, 20), r.bottom + uniform(-20, 20)};
        TrackerDrag free(r, Handles::BottomRight, {r.right, r.bottom}, Grid(), false);
        TrackerDrag resize(r, Handles::BottomRight, {r.right, r.bottom}, Grid(), false);
        const Rect unsnapped = free.MoveTo(to);
        const Rect resized = resize.MoveTo(to, &guides, reach);
        EXPECT_EQ(resized.left, r.left);
        EXPECT_EQ(resized.top, r.top);
        EXPECT_TRUE(std::abs(resized.right - unsnapped.right) <= reach || resized.Width() == Handles::kMinSize);
        EXPECT_TRUE(std::abs(resized.bottom - unsnapped.bottom) <= reach || resized.Height() == Handles::kMinSize);
    }
}
