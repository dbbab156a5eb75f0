// The editing rules of the design surface: tracker geometry and hit codes,
// snapping and drags, the selection's order and anchor, picking, the rubber
// band and placing.
#include "SetBuilder.h"

#include "core/ControlPick.h"
#include "core/ControlTools.h"
#include "core/Grid.h"
#include "core/Handles.h"
#include "core/Selection.h"
#include "core/TrackerDrag.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

using namespace tavlora;
using test::SetBuilder;

namespace {

const Rect kControl{10, 20, 110, 60};

} // namespace

TEST(Handles, SquaresLieInTheBandAroundTheControl)
{
    const Rect expected[Handles::kCount] = {
        {5, 15, 10, 20}, {110, 15, 115, 20}, {110, 60, 115, 65}, {5, 60, 10, 65},
        {57, 15, 62, 20}, {110, 37, 115, 42}, {57, 60, 62, 65}, {5, 37, 10, 42},
    };
    const auto squares = Handles::HandleRects(kControl);
    for (int i = 0; i < Handles::kCount; ++i)
        EXPECT_EQ(squares[size_t(i)], expected[i]) << "handle " << i;
    EXPECT_EQ(Handles::Outline(kControl), (Rect{9, 19, 111, 61}));
    EXPECT_EQ(Handles::Outer(kControl), (Rect{5, 15, 115, 65}));
    // An inverted rectangle has the handles of its normalised form.
    EXPECT_EQ(Handles::HandleRects(Rect{110, 60, 10, 20}), squares);
}

TEST(Handles, HitCodes)
{
    struct Case {
        Point p;
        int code;
    };
    const Case cases[] = {
        {{5, 15}, Handles::TopLeft},      {{9, 19}, Handles::TopLeft},
        {{114, 15}, Handles::TopRight},   {{110, 60}, Handles::BottomRight},
        {{114, 64}, Handles::BottomRight}, {{5, 64}, Handles::BottomLeft},
        {{59, 17}, Handles::Top},         {{112, 39}, Handles::Right},
        {{61, 62}, Handles::Bottom},      {{7, 40}, Handles::Left},
        {{10, 20}, Handles::Middle},      {{60, 40}, Handles::Middle},
        {{9, 30}, Handles::Middle},       {{110, 59}, Handles::Middle}, // the outline counts
        {{30, 17}, Handles::None},        {{7, 30}, Handles::None},     // between handles
        {{115, 40}, Handles::None},       {{60, 65}, Handles::None},    // right and bottom edges are outside
        {{4, 40}, Handles::None},         {{60, 14}, Handles::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Handles::Hit(kControl, c.p), c.code) << c.p.x << "," << c.p.y;
}

// An inverted rectangle is resized as the one it shows (its handles are the
// mirrors of the stored ones): the dragged edge follows, never collapsing.
TEST(Handles, InvertedRectanglesResizeAsShown)
{
    const struct {
        Rect stored;
        int handle; // as hit on the rectangle shown
        Point from, to;
        Rect expected;
    } rows[] = {
        {{110, 20, 10, 60}, Handles::Right, {110, 40}, {130, 40}, {10, 20, 130, 60}},
        {{110, 20, 10, 60}, Handles::Left, {8, 40}, {28, 40}, {30, 20, 110, 60}},
        {{110, 60, 10, 20}, Handles::TopLeft, {8, 18}, {-2, 3}, {0, 5, 110, 60}},
        {{110, 60, 10, 20}, Handles::Bottom, {60, 60}, {60, 90}, {10, 20, 110, 90}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Handles::Hit(row.stored, row.from), row.handle);
        TrackerDrag drag(Handles::Normalised(row.stored), row.handle, row.from, Grid(), false);
        drag.MoveTo(row.to);
        EXPECT_EQ(drag.Finish(row.to), row.expected) << row.handle;
    }
}

TEST(Handles, ExtremeRectanglesStayInRange)
{
    const Rect huge{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    EXPECT_EQ(Handles::Hit(huge, {0, 0}), Handles::Middle);
    const Rect corner{INT32_MAX - 2, INT32_MAX - 2, INT32_MAX, INT32_MAX};
    EXPECT_NE(Handles::Hit(corner, {INT32_MAX - 1, INT32_MAX - 1}), Handles::None);
}

TEST(Grid, SnapsTowardZeroAndNeverBelowOne)
{
    const Grid three(3, true);
    struct Case {
        int v, snapped;
    };
    for (const Case c : {Case{100, 99}, Case{-7, -6}, Case{99, 99}, Case{0, 0}, Case{-1, 0}, Case{2, 0},
                         Case{INT32_MIN, INT32_MIN + 2}, Case{INT32_MAX, INT32_MAX - 1}})
        EXPECT_EQ(three.Snap(c.v), c.snapped) << c.v;
    EXPECT_EQ(Grid(3, false).Snap(100), 100);
    EXPECT_EQ(Grid(0, true).Snap(101), 101);
    EXPECT_EQ(Grid(-4, true).Snap(101), 101);
    EXPECT_FALSE(Grid(0, true).Snaps());
}

TEST(TrackerDrag, MiddleDragFollowsTheMouseAndSnaps)
{
    const Rect start{50, 40, 90, 60};
    TrackerDrag drag(start, Handles::Middle, {60, 45}, Grid(3, true), false);
    EXPECT_EQ(drag.MoveTo({110, 45}).left, 99); // left would be 100
    EXPECT_EQ(drag.Current().Width(), 40);
    EXPECT_EQ(drag.MoveTo({3, 45}).left, -6); // left would be -7
    EXPECT_EQ(drag.Current().top, 39);        // top 40 snaps to 39
    EXPECT_EQ(drag.Finish({3, 45}), (Rect{-6, 39, 34, 59}));
}

TEST(TrackerDrag, PressAndReleaseWithoutMovingChangesNothing)
{
    const Rect start{50, 40, 90, 60};
    for (int handle = 0; handle <= Handles::Middle; ++handle) {
        TrackerDrag drag(start, handle, {52, 42}, Grid(7, true), false);
        EXPECT_EQ(drag.Finish({52, 42}), start) << handle;
        EXPECT_FALSE(drag.Moved());
    }
    // A move that leaves the rectangle as it was does not count either.
    TrackerDrag still(start, Handles::Middle, {52, 42}, Grid(1, true), false);
    still.MoveTo({52, 42});
    EXPECT_EQ(still.Finish({60, 42}), start);
}

TEST(TrackerDrag, ResizeKeepsTheMinimumWithoutInverting)
{
    struct Case {
        int handle;
        Point mouse;
        Rect expected;
    };
    const Rect start = kControl; // 10,20,110,60
    const Case cases[] = {
        {Handles::Right, {12, 0}, {10, 20, 18, 60}},
        {Handles::Left, {200, 0}, {102, 20, 110, 60}},
        {Handles::Bottom, {0, 0}, {10, 20, 110, 28}},
        {Handles::Top, {0, 500}, {10, 52, 110, 60}},
        {Handles::TopLeft, {0, 0}, {0, 0, 110, 60}},
        {Handles::BottomRight, {300, 300}, {10, 20, 300, 300}},
        {Handles::BottomLeft, {150, 25}, {102, 20, 110, 28}},
        {Handles::Right, {60, 999}, {10, 20, 60, 60}}, // a side handle follows one axis
    };
    for (const Case& c : cases) {
        // Pressing exactly on the dragged edge: no offset.
        const Point press{Handles::MovesRight(c.handle) ? start.right : start.left,
                          Handles::MovesBottom(c.handle) ? start.bottom : start.top};
        TrackerDrag drag(start, c.handle, press, Grid(), false);
        drag.MoveTo(c.mouse);
        EXPECT_EQ(drag.Finish(c.mouse), c.expected) << "handle " << c.handle;
    }
}

TEST(TrackerDrag, RubberBandOpensEitherWayWithTheMinimum)
{
    const Point p{50, 50};
    struct Case {
        Point mouse;
        Rect expected;
    };
    const Case cases[] = {
        {{80, 90}, {50, 50, 80, 90}},
        {{47, 60}, {50, 50, 42, 60}}, // too narrow, opening left
        {{52, 52}, {50, 50, 58, 58}},
        {{10, 20}, {50, 50, 10, 20}},
    };
    for (const Case& c : cases) {
        TrackerDrag band({p.x, p.y, p.x, p.y}, Handles::BottomRight, p, Grid(), true);
        band.MoveTo(c.mouse);
        EXPECT_EQ(band.Current(), c.expected) << c.mouse.x << "," << c.mouse.y;
    }
    TrackerDrag snapped({p.x, p.y, p.x, p.y}, Handles::BottomRight, p, Grid(10, true), true);
    EXPECT_EQ(snapped.MoveTo({95, 97}), (Rect{50, 50, 90, 90}));
}

TEST(TrackerDrag, RandomDragsKeepTheirInvariants)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-3000, 3000);
    std::uniform_int_distribution<int> handle(0, Handles::Middle);
    std::uniform_int_distribution<int> step(0, 12);
    for (int i = 0; i < 3000; ++i) {
        const int l = coord(rng), t = coord(rng);
        const Rect start{l, t, l + 8 + std::abs(coord(rng)) % 400, t + 8 + std::abs(coord(rng)) % 400};
        const int h = handle(rng);
        const Grid grid(step(rng), true);
        TrackerDrag drag(start, h, {coord(rng), coord(rng)}, grid, false);
        const Rect r = drag.Finish({coord(rng), coord(rng)});
        if (h == Handles::Middle) {
            EXPECT_EQ(r.Width(), start.Width());
            EXPECT_EQ(r.Height(), start.Height());
        } else {
            EXPECT_GE(r.Width(), Handles::kMinSize);
            EXPECT_GE(r.Height(), Handles::kMinSize);
        }
        if (!Handles::MovesLeft(h)) {
            EXPECT_EQ(r.left, start.left);
        }
        if (!Handles::MovesTop(h)) {
            EXPECT_EQ(r.top, start.top);
        }
        if (!Handles::MovesRight(h) && h != Handles::Middle) {
            EXPECT_EQ(r.right, start.right);
        }
        if (!Handles::MovesBottom(h) && h != Handles::Middle) {
            EXPECT_EQ(r.bottom, start.bottom);
        }
    }
}

TEST(Selection, OrderAndAnchorRules)
{
    ScreenSet set;
    ControlRecord& a = SetBuilder::Add(set, TypeDro, 1);
    ControlRecord& b = SetBuilder::Add(set, TypeDro, 1);
    ControlRecord& c = SetBuilder::Add(set, TypeDro, 1);
    ControlRecord& locked = SetBuilder::Add(set, TypeDro, 1);
    locked.locked = true;

    Selection s;
    s.Select(&a);
    s.Select(&b);
    s.Select(&c);
    EXPECT_EQ(s.Records(), (std::vector<const ControlRecord*>{&a, &b, &c}));
    EXPECT_EQ(s.Anchor(), &c);
    s.Select(&b); // selecting a member again moves the anchor, not the order
    EXPECT_EQ(s.Records(), (std::vector<const ControlRecord*>{&a, &b, &c}));
    EXPECT_EQ(s.Anchor(), &b);

    // A locked record is not selected and leaves the selection without anchor.
    s.Select(&locked);
    EXPECT_FALSE(s.Contains(&locked));
    EXPECT_EQ(s.Size(), 3u);
    EXPECT_EQ(s.Anchor(), nullptr);

    s.Select(&a);
    s.Deselect(&b);
    EXPECT_EQ(s.Records(), (std::vector<const ControlRecord*>{&a, &c}));
    EXPECT_EQ(s.Anchor(), nullptr); // no anchor after a deselect
    s.Deselect(&b);                 // not a member: nothing happens
    EXPECT_EQ(s.Size(), 2u);

    s.Select(&b);
    s.Forget({&a});
    EXPECT_EQ(s.Records(), (std::vector<const ControlRecord*>{&c, &b}));
    EXPECT_EQ(s.Anchor(), &b); // the anchor stays when another record goes
    s.Forget({&b});
    EXPECT_EQ(s.Anchor(), nullptr);
    s.Clear();
    EXPECT_TRUE(s.Empty());
    EXPECT_FALSE(s.Contains(&c));
}

TEST(ControlPick, SmallestAreaWinsAndTiesGoToTheLaterRecord)
{
    ScreenSet set;
    ControlRecord& big = SetBuilder::Add(set, TypeDro, 1, {0, 0, 200, 100});
    ControlRecord& small = SetBuilder::Add(set, TypeDro, 1, {50, 20, 100, 40});
    ControlRecord& twinA = SetBuilder::Add(set, TypeLabel, 1, {300, 0, 340, 20});
    ControlRecord& twinB = SetBuilder::Add(set, TypeLabel, 1, {310, 5, 350, 25});
    SetBuilder::Add(set, TypeDro, 2, {0, 0, 10, 10});                 // other screen
    ControlRecord& persistent = SetBuilder::Add(set, TypeLed, 0, {400, 0, 420, 20});
    ControlRecord& huge = SetBuilder::Add(set, TypeDro, 1, {0, 300, 1000, 1300}); // area 1,000,000
    ControlRecord& image = SetBuilder::Add(set, TypeImage, 1, {600, 0, 640, 40});

    struct Case {
        Point p;
        int screen;
        bool showImages;
        const ControlRecord* record;
        int code;
    };
    const Case cases[] = {
        {{60, 30}, 1, true, &small, Handles::Middle},
        {{150, 80}, 1, true, &big, Handles::Middle},
        {{47, 18}, 1, true, &small, Handles::TopLeft}, // a handle of the smaller one
        {{320, 10}, 1, true, &twinB, Handles::Middle}, // equal areas: the later record
        {{305, 2}, 1, true, &twinB, Handles::TopLeft}, // a handle of the later one
        {{302, 2}, 1, true, &twinA, Handles::Middle},
        {{5, 5}, 1, true, &big, Handles::Middle},      // the smaller control of screen 2 is no candidate
        {{410, 10}, 50, true, &persistent, Handles::Middle}, // hidden persistent controls are picked on 50
        {{500, 500}, 1, true, nullptr, Handles::None},  // 1,000,000 and more is never hit
        {{620, 20}, 1, true, &image, Handles::Middle},
        {{620, 20}, 1, false, nullptr, Handles::None},  // hidden pictures are not picked
        {{900, 900}, 1, true, nullptr, Handles::None},
    };
    for (const Case& c : cases) {
        const ControlPick::Hit hit = ControlPick::At(set, c.screen, c.showImages, c.p);
        EXPECT_EQ(hit.record, c.record) << c.p.x << "," << c.p.y;
        EXPECT_EQ(hit.code, c.code) << c.p.x << "," << c.p.y;
    }
    (void)huge;
    EXPECT_EQ(ControlPick::At(set, 2, true, {5, 5}).record, &set.At(4));
}

TEST(ControlPick, BandTakesWhollyInsideControlsOfTheScreen)
{
    ScreenSet set;
    ControlRecord& a = SetBuilder::Add(set, TypeDro, 1, {10, 10, 50, 30});
    ControlRecord& partly = SetBuilder::Add(set, TypeDro, 1, {90, 10, 150, 30});
    ControlRecord& b = SetBuilder::Add(set, TypeLabel, 1, {20, 40, 60, 60});
    ControlRecord& persistent = SetBuilder::Add(set, TypeLed, 0, {30, 30, 40, 40});
    SetBuilder::Add(set, TypeDro, 2, {10, 10, 20, 20});
    ControlRecord& edge = SetBuilder::Add(set, TypeDro, 1, {0, 0, 100, 100});

    const Rect band{0, 0, 100, 100};
    EXPECT_EQ(ControlPick::InBand(set, 1, band), (std::vector<const ControlRecord*>{&edge, &b, &a}));
    // The band may be drawn in any direction.
    EXPECT_EQ(ControlPick::InBand(set, 1, Rect{100, 100, 0, 0}).size(), 3u);
    EXPECT_EQ(ControlPick::InBand(set, 0, band), (std::vector<const ControlRecord*>{&persistent}));
    EXPECT_TRUE(ControlPick::InBand(set, 1, Rect{11, 10, 100, 100}).size() == 1); // only b
    (void)partly;
}

TEST(ControlTools, ToolsPlaceTheirTypesAtTheirDefaultSizes)
{
    struct Case {
        int tool;
        int type;
        const char* name;
        int width, height;
    };
    const Case cases[] = {
        {ControlTools::Dro, TypeDro, "DRO", 200, 40},
        {ControlTools::Button, TypeButton, "BUTTON", 60, 20},
        {ControlTools::Image, TypeImage, "IMAGE", 50, 50},
        {ControlTools::ImageButton, TypeImageButton, "IMAGE BUTTON", 60, 20},
        {ControlTools::Label, TypeLabel, "LABEL", 70, 20},
        {ControlTools::Led, TypeLed, "LED", 16, 16},
        {ControlTools::Mdi, TypeMdi, "MDI LINE", 370, 24}, // 25 is odd
        {ControlTools::GCodeList, TypeGCodeList, "GCODE LIST", 400, 300},
        {ControlTools::ToolPath, TypeToolPath, "TOOLPATH", 400, 300},
    };
    const DefaultSizes sizes;
    for (const Case& c : cases) {
        EXPECT_EQ(ControlTools::TypeForTool(c.tool), c.type);
        EXPECT_EQ(ControlTools::Name(c.tool), c.name);
        auto rec = ControlTools::NewRecord(c.tool, {500, 400}, sizes, 7);
        ASSERT_TRUE(rec);
        EXPECT_EQ(rec->type, c.type);
        EXPECT_EQ(rec->screen, 7);
        EXPECT_EQ(rec->rect.Width(), c.width) << c.name;
        EXPECT_EQ(rec->rect.Height(), c.height) << c.name;
        EXPECT_EQ(rec->rect.left + rec->rect.right, 1000) << c.name; // centred on the point
        EXPECT_EQ(rec->function, -1);
        EXPECT_EQ(rec->image, "None");
    }
    for (int tool : {0, 5, 11, -1, 99}) {
        EXPECT_EQ(ControlTools::TypeForTool(tool), 0);
        EXPECT_EQ(ControlTools::NewRecord(tool, {0, 0}, sizes, 1), nullptr);
    }
    DefaultSizes odd;
    odd.Set(DefaultSizes::DROX, 201);
    EXPECT_EQ(ControlTools::NewRecord(ControlTools::Dro, {0, 0}, odd, 1)->rect, (Rect{-100, -20, 100, 20}));
    EXPECT_EQ(ControlTools::PlacedRect({INT32_MAX, 0}, 10, 10).right, INT32_MAX);
}
