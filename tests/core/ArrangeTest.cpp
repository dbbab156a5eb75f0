// Layout commands over rectangles, and the clipboard's encoding of controls.
#include "SetBuilder.h"

#include "core/Arrange.h"
#include "core/ArchiveWriter.h"
#include "core/ControlsBlock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

using namespace tavlora;

namespace {

std::vector<int32_t> Lefts(const std::vector<Rect>& rects)
{
    std::vector<int32_t> out;
    for (const Rect& r : rects)
        out.push_back(r.left);
    return out;
}

} // namespace

TEST(Arrange, AlignmentAndSizeTable)
{
    // Selection order a, b, ref (the anchor, last).
    const std::vector<Rect> rects = {{10, 20, 40, 30}, {100, 5, 150, 45}, {60, 70, 90, 100}};
    struct Case {
        Arrange::Command command;
        Rect a, b;
    };
    const Case cases[] = {
        {Arrange::AlignTops, {10, 70, 40, 80}, {100, 70, 150, 110}},
        {Arrange::AlignBottoms, {10, 90, 40, 100}, {100, 60, 150, 100}},
        {Arrange::AlignLefts, {60, 20, 90, 30}, {60, 5, 110, 45}},
        {Arrange::AlignRights, {60, 20, 90, 30}, {40, 5, 90, 45}},
        {Arrange::SameHeight, {10, 0, 40, 30}, {100, 15, 150, 45}},   // bottoms kept
        {Arrange::SameWidth, {10, 20, 40, 30}, {100, 5, 130, 45}},    // lefts kept
        {Arrange::AlignCentresAcross, {60, 20, 90, 30}, {50, 5, 100, 45}},
        {Arrange::AlignCentresDown, {10, 80, 40, 90}, {100, 65, 150, 105}},
    };
    for (const Case& c : cases) {
        const auto out = Arrange::Apply(c.command, rects, 2);
        ASSERT_TRUE(out) << c.command;
        EXPECT_EQ((*out)[0], c.a) << c.command;
        EXPECT_EQ((*out)[1], c.b) << c.command;
        EXPECT_EQ((*out)[2], rects[2]) << c.command; // the reference stays
    }
}

TEST(Arrange, ReferenceRules)
{
    const std::vector<Rect> rects = {{0, 0, 10, 10}, {20, 20, 30, 30}, {40, 40, 50, 50}};
    for (int c = Arrange::AlignTops; c <= Arrange::AlignCentresDown; ++c) {
        const auto command = Arrange::Command(c);
        if (!Arrange::NeedsReference(command))
            continue;
        EXPECT_FALSE(Arrange::Apply(command, rects, -1)) << c;  // no anchor (after a Ctrl+click)
        EXPECT_FALSE(Arrange::Apply(command, rects, 0)) << c;   // only entries after the first count
        EXPECT_FALSE(Arrange::Apply(command, {rects[0]}, 0)) << c;
        EXPECT_TRUE(Arrange::Apply(command, rects, 1)) << c;
        const std::vector<Rect> flat = {{0, 0, 10, 10}, {20, 20, 30, 20}};
        EXPECT_FALSE(Arrange::Apply(command, flat, 1)) << c;    // the reference's top equals its bottom
    }
    // Selecting A, B, then C and aligning left puts A and B on C's left edge.
    const auto left = Arrange::Apply(Arrange::AlignLefts, rects, 2);
    EXPECT_EQ(Lefts(*left), (std::vector<int32_t>{40, 40, 40}));
}

TEST(Arrange, EvenSpacingSpreadsEdgesWithATruncatedStep)
{
    struct Case {
        std::vector<int32_t> lefts;
        std::vector<int32_t> expected;
    };
    const Case cases[] = {
        {{10, 50, 20}, {10, 50, 30}},          // A 10, C 30, B 50
        {{0, 7, 100}, {0, 50, 100}},
        {{0, 7, 101}, {0, 50, 100}},           // falls short by the remainder
        {{5, 5, 20}, {5, 12, 19}},             // equal edges keep their selection order
        {{30, 0, 30, 0}, {20, 0, 30, 10}},
    };
    for (const Case& c : cases) {
        std::vector<Rect> rects;
        for (size_t i = 0; i < c.lefts.size(); ++i)
            rects.push_back({c.lefts[i], int32_t(i), c.lefts[i] + 9 + int32_t(i), int32_t(i) + 5});
        const auto out = Arrange::Apply(Arrange::SpaceAcross, rects, -1);
        ASSERT_TRUE(out);
        EXPECT_EQ(Lefts(*out), c.expected);
        for (size_t i = 0; i < rects.size(); ++i) {
            EXPECT_EQ((*out)[i].Width(), rects[i].Width());
            EXPECT_EQ((*out)[i].top, rects[i].top);
        }
    }
    EXPECT_FALSE(Arrange::Apply(Arrange::SpaceAcross, {{0, 0, 1, 1}, {5, 5, 6, 6}}, 1));
    const auto down = Arrange::Apply(Arrange::SpaceDown, {{0, 0, 5, 5}, {0, 9, 5, 14}, {0, 30, 5, 35}}, -1);
    EXPECT_EQ((*down)[1].top, 15);
}

TEST(Arrange, SpacingAndDistributingTakeAnyNumberOfControls)
{
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-2000, 2000);
    std::uniform_int_distribution<int> size(1, 300);
    for (int round = 0; round < 200; ++round) {
        const size_t n = 3 + size_t(round) * 3; // up to 600 controls
        std::vector<Rect> rects;
        for (size_t i = 0; i < n; ++i) {
            const int l = coord(rng), t = coord(rng);
            rects.push_back({l, t, l + size(rng), t + size(rng)});
        }
        // Spacing: the sorted left edges form min, min + step, ...
        const auto spaced = Arrange::Apply(Arrange::SpaceAcross, rects, -1);
        ASSERT_TRUE(spaced);
        std::vector<int32_t> lefts = Lefts(*spaced);
        std::sort(lefts.begin(), lefts.end());
        const int32_t lo = std::min_element(rects.begin(), rects.end(), [](const Rect& a, const Rect& b) {
                               return a.left < b.left;
                           })->left;
        ASSERT_EQ(lefts.front(), lo);
        const int32_t step = lefts[1] - lefts[0];
        for (size_t i = 1; i < lefts.size(); ++i)
            ASSERT_EQ(lefts[i] - lefts[i - 1], step);

        // Distributing: outer edges kept, gaps differ by at most one pixel.
        const auto spread = Arrange::Apply(Arrange::DistributeAcross, rects, -1);
        ASSERT_TRUE(spread);
        // In the order of the former left edges (equal ones in selection order).
        std::vector<size_t> order(n);
        for (size_t i = 0; i < n; ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return rects[a].left < rects[b].left; });
        std::vector<Rect> sorted;
        for (size_t i : order)
            sorted.push_back((*spread)[i]);
        long long hi = LLONG_MIN;
        for (const Rect& r : rects)
            hi = std::max<long long>(hi, r.right);
        EXPECT_EQ(sorted.front().left, lo);
        EXPECT_EQ(sorted.back().right, hi);
        long long minGap = LLONG_MAX, maxGap = LLONG_MIN;
        for (size_t i = 1; i < sorted.size(); ++i) {
            const long long gap = static_cast<long long>(sorted[i].left) - sorted[i - 1].right;
            minGap = std::min(minGap, gap);
            maxGap = std::max(maxGap, gap);
        }
        EXPECT_LE(maxGap - minGap, 1);
        for (size_t i = 0; i < n; ++i) {
            EXPECT_EQ((*spread)[i].Width(), rects[i].Width());
            EXPECT_EQ((*spread)[i].top, rects[i].top);
        }
    }
}

TEST(ControlsBlock, RoundTripsAndRefusesDamagedData)
{
    ScreenSet set;
    test::SetBuilder::Varied(set);
    set.At(2).rect = {-40, -7, 10, 3}; // clipboard rectangles stay as they are
    std::vector<const ControlRecord*> records;
    for (const auto& rec : set.controls)
        records.push_back(rec.get());
    const std::string bytes = ControlsBlock::Write(records);

    std::vector<std::unique_ptr<ControlRecord>> back;
    std::string error;
    ASSERT_TRUE(ControlsBlock::Read(bytes.data(), bytes.size(), back, error)) << error;
    ASSERT_EQ(back.size(), records.size());
    for (size_t i = 0; i < back.size(); ++i)
        EXPECT_TRUE(back[i]->SameStoredFields(*records[i])) << i;

    // Every shorter prefix, trailing bytes, and counts beyond the data yield nothing.
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        std::vector<std::unique_ptr<ControlRecord>> none;
        EXPECT_FALSE(ControlsBlock::Read(bytes.data(), cut, none, error)) << cut;
        EXPECT_TRUE(none.empty());
    }
    const std::string trailing = bytes + "x";
    EXPECT_FALSE(ControlsBlock::Read(trailing.data(), trailing.size(), back, error));
    EXPECT_EQ(back.size(), records.size()); // untouched
    for (int32_t count : {-1, INT32_MIN, INT32_MAX, 12}) {
        ArchiveWriter w;
        w.WriteInt32(count);
        std::string forged = w.Bytes() + bytes.substr(4);
        std::vector<std::unique_ptr<ControlRecord>> none;
        EXPECT_FALSE(ControlsBlock::Read(forged.data(), forged.size(), none, error)) << count;
        EXPECT_FALSE(error.empty());
    }
    std::mt19937 rng(3);
    for (int i = 0; i < 2000; ++i) {
        std::string noisy = bytes;
        noisy[size_t(rng()) % noisy.size()] = char(rng());
        std::vector<std::unique_ptr<ControlRecord>> any;
        ControlsBlock::Read(noisy.data(), noisy.size(), any, error); // never crashes
    }
}
