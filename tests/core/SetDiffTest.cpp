#include "core/ControlType.h"
#include "core/SetDiff.h"

#include <gtest/gtest.h>

#include <random>

using namespace tavlora;

namespace {

using Kind = SetDiff::Change::Kind;

std::unique_ptr<ControlRecord> Control(int type, int screen, Rect rect, const std::string& caption)
{
    auto r = std::make_unique<ControlRecord>();
    r->type = type;
    r->screen = screen;
    r->rect = rect;
    r->text = caption;
    r->label = caption;
    return r;
}

// A varied set: several screens, repeated captions, every kind of control.
void RandomSet(ScreenSet& set, std::mt19937& rng, int n)
{
    const char* captions[] = {"Start", "Stop", "Reset", "X", "Y", "Z", "Feed"};
    for (int i = 0; i < n; ++i) {
        auto r = Control(1 + int(rng() % 11), int(rng() % 4), Rect{}, captions[rng() % 7]);
        const int x = int(rng() % 900), y = int(rng() % 700);
        r->rect = {x, y, x + 10 + int(rng() % 100), y + 10 + int(rng() % 40)};
        r->hotKey = int(rng() % 3);
        set.Append(std::move(r));
    }
}

void CopySet(const ScreenSet& from, ScreenSet& to)
{
    for (const auto& r : from.controls)
        to.Append(std::make_unique<ControlRecord>(*r));
    to.colours = from.colours;
}

size_t Count(const SetDiff& d, Kind kind)
{
    size_t n = 0;
    for (const auto& c : d.Changes())
        n += c.kind == kind;
    return n;
}

} // namespace

TEST(SetDiff, EqualSetsHaveNoChanges)
{
    std::mt19937 rng(1);
    ScreenSet a, b;
    RandomSet(a, rng, 50);
    CopySet(a, b);
    EXPECT_TRUE(SetDiff::Compare(a, b).Empty());
    EXPECT_TRUE(SetDiff::Compare(ScreenSet(), ScreenSet()).Empty());
}

// Property: inserting one control anywhere is one addition and nothing else.
TEST(SetDiff, OneInsertionIsOneAddition)
{
    std::mt19937 rng(2);
    for (int round = 0; round < 200; ++round) {
        ScreenSet a, b;
        RandomSet(a, rng, int(rng() % 40));
        CopySet(a, b);
        const size_t at = rng() % (b.Size() + 1);
        auto extra = Control(TypeButton, 2, {1, 2, 3, 4}, round % 2 ? "Start" : "New");
        b.controls.insert(b.controls.begin() + ptrdiff_t(at), std::move(extra));
        const SetDiff d = SetDiff::Compare(a, b);
        ASSERT_EQ(d.Changes().size(), 1u) << "round " << round;
        EXPECT_EQ(d.Changes()[0].kind, Kind::Added);
        EXPECT_EQ(d.Changes()[0].after, at);
        EXPECT_EQ(d.Changes()[0].screen, 2);
        // And the other way round: one removal.
        const SetDiff back = SetDiff::Compare(b, a);
        ASSERT_EQ(back.Changes().size(), 1u);
        EXPECT_EQ(back.Changes()[0].kind, Kind::Removed);
        EXPECT_EQ(back.Changes()[0].before, at);
    }
}

// Property: changing fields of some controls in place shows exactly those
// controls, each with its changed fields, and no additions or removals.
TEST(SetDiff, FieldChangesNameTheControlAndTheFields)
{
    std::mt19937 rng(3);
    for (int round = 0; round < 100; ++round) {
        ScreenSet a, b;
        RandomSet(a, rng, 1 + int(rng() % 40));
        CopySet(a, b);
        std::set<size_t> touched;
        for (int k = 0; k < 3; ++k) {
            const size_t i = rng() % b.Size();
            touched.insert(i);
            b.controls[i]->rect.left -= 7;
            b.controls[i]->tabGroup += 1;
        }
        const SetDiff d = SetDiff::Compare(a, b);
        EXPECT_EQ(Count(d, Kind::Added) + Count(d, Kind::Removed), 0u) << "round " << round;
        std::set<size_t> changed;
        for (const auto& c : d.Changes()) {
            changed.insert(*c.after);
            EXPECT_EQ(c.before, c.after);
            ASSERT_EQ(c.fields.size(), 2u);
            EXPECT_EQ(c.fields[0].field, "rect");
            EXPECT_EQ(c.fields[1].field, "tabGroup");
        }
        EXPECT_EQ(changed, touched);
    }
}

TEST(SetDiff, FieldTexts)
{
    ControlRecord a, b;
    b.rect = {12, 10, 72, 30};
    a.rect = {10, 10, 70, 30};
    a.text = "Start";
    b.text = "Cycle \"Start\"\n\xe9";
    b.locked = true;
    b.hotKey = 0x8041;
    const auto fields = SetDiff::FieldsChanged(a, b);
    const std::vector<SetDiff::FieldChange> expected = {
        {"rect", "10,10,70,30", "12,10,72,30"},
        {"text", "\"Start\"", "\"Cycle \\\"Start\\\"\\n\xc3\xa9\""},
        {"hotKey", "0", "32833"},
        {"locked", "false", "true"},
    };
    EXPECT_EQ(fields, expected);
}

TEST(SetDiff, MovedOnScreenIsARectChange)
{
    ScreenSet a, b;
    a.Append(Control(TypeButton, 1, {10, 10, 70, 30}, "Start"));
    a.Append(Control(TypeLabel, 1, {0, 0, 5, 5}, "X"));
    b.Append(Control(TypeButton, 1, {12, 10, 72, 30}, "Start"));
    b.Append(Control(TypeLabel, 1, {0, 0, 5, 5}, "X"));
    const SetDiff d = SetDiff::Compare(a, b);
    ASSERT_EQ(d.Changes().size(), 1u);
    EXPECT_EQ(d.Changes()[0].fields, (std::vector<SetDiff::FieldChange>{{"rect", "10,10,70,30", "12,10,72,30"}}));
    EXPECT_FALSE(d.Changes()[0].reordered);
}

TEST(SetDiff, MovedInTheListIsOneReorderedControl)
{
    ScreenSet a, b;
    const char* names[] = {"A", "B", "C", "D", "E"};
    for (const char* n : names)
        a.Append(Control(TypeButton, 1, {0, 0, 10, 10}, n));
    // E moves to the front.
    for (const char* n : {"E", "A", "B", "C", "D"})
        b.Append(Control(TypeButton, 1, {0, 0, 10, 10}, n));
    const SetDiff d = SetDiff::Compare(a, b);
    ASSERT_EQ(d.Changes().size(), 1u);
    EXPECT_TRUE(d.Changes()[0].reordered);
    EXPECT_EQ(d.Changes()[0].before, 4u);
    EXPECT_EQ(d.Changes()[0].after, 0u);
    EXPECT_TRUE(d.Changes()[0].fields.empty());
}

TEST(SetDiff, CaptionChangeInPlaceAndChangedControlAfterAnInsertion)
{
    ScreenSet a, b;
    a.Append(Control(TypeButton, 1, {0, 0, 10, 10}, "Start"));
    a.Append(Control(TypeLabel, 1, {0, 20, 10, 30}, "Feed"));
    b.Append(Control(TypeLed, 1, {5, 5, 9, 9}, "")); // inserted
    b.Append(Control(TypeButton, 1, {0, 0, 10, 10}, "Cycle Start")); // caption changed, shifted
    b.Append(Control(TypeLabel, 1, {0, 20, 12, 30}, "Feed"));        // rect changed, shifted
    const SetDiff d = SetDiff::Compare(a, b);
    ASSERT_EQ(d.Changes().size(), 3u);
    EXPECT_EQ(d.Changes()[0].kind, Kind::Added);
    EXPECT_EQ(d.Changes()[1].kind, Kind::Changed);
    EXPECT_EQ(d.Changes()[1].fields[0].field, "text");
    EXPECT_EQ(d.Changes()[2].kind, Kind::Changed);
    EXPECT_EQ(d.Changes()[2].before, 1u);
    EXPECT_EQ(d.Changes()[2].fields, (std::vector<SetDiff::FieldChange>{{"rect", "0,20,10,30", "0,20,12,30"}}));
}

TEST(SetDiff, ChangesGroupByScreenAndColoursAreListed)
{
    ScreenSet a, b;
    a.Append(Control(TypeLabel, 3, {}, "Three"));
    b.Append(Control(TypeLabel, 3, {}, "Three"));
    b.Append(Control(TypeLabel, 1, {}, "One"));
    b.Append(Control(TypeLabel, 0, {}, "All"));
    b.colours.Set(ColourSet::MDIText, 0x123456);
    const SetDiff d = SetDiff::Compare(a, b);
    ASSERT_EQ(d.Changes().size(), 2u);
    EXPECT_EQ(d.Changes()[0].screen, 0);
    EXPECT_EQ(d.Changes()[1].screen, 1);
    ASSERT_EQ(d.Colours().size(), 1u);
    EXPECT_EQ(d.Colours()[0].index, int(ColourSet::MDIText));
    EXPECT_EQ(d.Colours()[0].after, 0x123456u);
}

// Property: whatever the edits, applying the diff's view of the pairs accounts
// for every control exactly once.
TEST(SetDiff, EveryControlIsAccountedForOnce)
{
    std::mt19937 rng(5);
    for (int round = 0; round < 100; ++round) {
        ScreenSet a, b;
        RandomSet(a, rng, int(rng() % 30));
        RandomSet(b, rng, int(rng() % 30));
        const SetDiff d = SetDiff::Compare(a, b);
        std::vector<int> seenA(a.Size()), seenB(b.Size());
        for (const auto& c : d.Changes()) {
            if (c.before)
                ++seenA[*c.before];
            if (c.after)
                ++seenB[*c.after];
        }
        for (int n : seenA)
            EXPECT_LE(n, 1);
        for (int n : seenB)
            EXPECT_LE(n, 1);
        const size_t unchanged = a.Size() - Count(d, Kind::Removed) - Count(d, Kind::Changed);
        EXPECT_EQ(b.Size(), unchanged + Count(d, Kind::Added) + Count(d, Kind::Changed)) << round;
    }
}
