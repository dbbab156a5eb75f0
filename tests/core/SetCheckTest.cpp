#include "core/CheckCode.h"
#include "core/ControlType.h"
#include "core/JumpMap.h"
#include "core/SetCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <unistd.h>

using namespace tavlora;

namespace {

// A compact way to write a control: type, screen, rect, then adjustments.
struct Spec {
    int type;
    int screen;
    Rect rect;
    void (*adjust)(ControlRecord&) = nullptr;
};

void Fill(ScreenSet& set, const std::vector<Spec>& specs)
{
    for (const Spec& s : specs) {
        auto r = std::make_unique<ControlRecord>();
        r->type = s.type;
        r->screen = s.screen;
        r->rect = s.rect;
        if (s.adjust)
            s.adjust(*r);
        set.Append(std::move(r));
    }
}

std::vector<Finding> With(const std::vector<Finding>& all, std::string_view code)
{
    std::vector<Finding> out;
    std::copy_if(all.begin(), all.end(), std::back_inserter(out), [&](const Finding& f) { return f.code == code; });
    return out;
}

std::vector<Finding> Check(const std::vector<Spec>& specs, const SetCheck::Options& o = {})
{
    ScreenSet set;
    Fill(set, specs);
    return SetCheck::Run(set, o);
}

// (index, other index) of the findings of one code.
std::vector<std::pair<size_t, long>> Places(const std::vector<Finding>& all, std::string_view code)
{
    std::vector<std::pair<size_t, long>> out;
    for (const Finding& f : With(all, code))
        out.emplace_back(f.index.value_or(SIZE_MAX), f.otherIndex ? long(*f.otherIndex) : -1L);
    return out;
}

void HotKey(ControlRecord& r, int key) { r.hotKey = key; }

} // namespace

// ---- hot keys ---------------------------------------------------------------

struct HotKeyCase {
    const char* name;
    std::vector<Spec> controls;
    std::vector<std::pair<size_t, long>> expected; // (control, other)
};

class HotKeys : public ::testing::TestWithParam<HotKeyCase> {};

TEST_P(HotKeys, ReportsEveryClashOnceOnTheLaterControl)
{
    EXPECT_EQ(Places(Check(GetParam().controls), CheckCode::DuplicateHotKey), GetParam().expected);
}

constexpr Rect kR{0, 0, 50, 20};
auto F1 = [](ControlRecord& r) { HotKey(r, 0x70); };
auto F2 = [](ControlRecord& r) { HotKey(r, 0x71); };

INSTANTIATE_TEST_SUITE_P(
    Table, HotKeys,
    ::testing::Values(
        HotKeyCase{"same screen", {{TypeButton, 1, kR, F1}, {TypeDro, 1, kR, F1}}, {{1, 0}}},
        HotKeyCase{"other screens do not clash", {{TypeButton, 1, kR, F1}, {TypeButton, 2, kR, F1}}, {}},
        HotKeyCase{"different keys", {{TypeButton, 1, kR, F1}, {TypeButton, 1, kR, F2}}, {}},
        HotKeyCase{"persistent against a screen, whatever the list order",
                   {{TypeButton, 1, kR, F1}, {TypeImageButton, 0, kR, F1}}, {{0, 1}}},
        HotKeyCase{"persistent is hidden on the TAB screen", {{TypeButton, 50, kR, F1}, {TypeButton, 0, kR, F1}}, {}},
        HotKeyCase{"two persistent controls clash once",
                   {{TypeButton, 0, kR, F1}, {TypeButton, 0, kR, F1}, {TypeButton, 3, kR, F2}}, {{1, 0}}},
        HotKeyCase{"three on one screen name the first",
                   {{TypeButton, 1, kR, F1}, {TypeButton, 1, kR, F1}, {TypeButton, 1, kR, F1}}, {{1, 0}, {2, 0}}},
        HotKeyCase{"types without hot keys are ignored", {{TypeLabel, 1, kR, F1}, {TypeButton, 1, kR, F1}}, {}},
        HotKeyCase{"no hot key is no clash", {{TypeButton, 1, kR}, {TypeButton, 1, kR}}, {}},
        HotKeyCase{"-1, as a cleared box on the machine leaves it, is none",
                   {{TypeButton, 1, kR, [](ControlRecord& r) { HotKey(r, -1); }},
                    {TypeButton, 1, kR, [](ControlRecord& r) { HotKey(r, -1); }}},
                   {}}),
    [](const auto& info) {
        std::string n = info.param.name;
        std::replace_if(n.begin(), n.end(), [](char c) { return !isalnum(static_cast<unsigned char>(c)); }, '_');
        return n;
    });

// ---- screen jumps -----------------------------------------------------------

void Jump(ControlRecord& r, int to)
{
    r.function = 32;
    r.parameter = to;
}

TEST(Jumps, TargetsWithoutControlsAndUnreachableScreens)
{
    ScreenSet set;
    Fill(set, {{TypeButton, 0, kR, [](ControlRecord& r) { Jump(r, 2); }},     // 0: persistent -> 2
               {TypeButton, 2, kR, [](ControlRecord& r) { Jump(r, 3); }},     // 1: 2 -> 3
               {TypeImageButton, 3, kR, [](ControlRecord& r) { Jump(r, 9); }}, // 2: 3 -> 9 (empty)
               {TypeButton, 4, kR, [](ControlRecord& r) { Jump(r, 5); }},     // 3: 4 unreachable
               {TypeLabel, 5, kR},                                              // 5 reached from 4 only
               {TypeButton, 1, kR, [](ControlRecord& r) { Jump(r, 0); }},     // 5: to the persistent layer
               {TypeButton, 1, kR, [](ControlRecord& r) { Jump(r, -4); }},    // 6: below 1
               {TypeButton, 1, kR, [](ControlRecord& r) { Jump(r, 100); }},   // 7: not a jump
               {TypeLed, 1, kR, [](ControlRecord& r) { Jump(r, 40); }},       // 8: LEDs do not jump
               {TypeLabel, 120, kR}});                                         // 9: beyond the jump range
    const auto all = SetCheck::Run(set, {});
    EXPECT_EQ(Places(all, CheckCode::JumpToEmptyScreen),
              (std::vector<std::pair<size_t, long>>{{2, -1}, {5, -1}, {6, -1}}));
    std::set<int32_t> unreachable;
    for (const Finding& f : With(all, CheckCode::UnreachableScreen)) {
        EXPECT_FALSE(f.index);
        unreachable.insert(*f.screen);
    }
    EXPECT_EQ(unreachable, (std::set<int32_t>{4, 5, 120}));
}

TEST(Jumps, PersistentJumpsCountFromEveryScreenButTheTabScreen)
{
    ScreenSet set;
    Fill(set, {{TypeButton, 1, kR, [](ControlRecord& r) { Jump(r, 50); }},
               {TypeButton, 0, kR, [](ControlRecord& r) { Jump(r, 7); }},
               {TypeLabel, 7, kR}});
    const JumpMap map = JumpMap::Build(set);
    EXPECT_EQ(map.ReachableFrom(1), (std::set<int32_t>{1, 7, 50}));
    // From the TAB screen the persistent button is hidden.
    EXPECT_EQ(map.ReachableFrom(50), (std::set<int32_t>{50}));
    EXPECT_EQ(map.ControlsOn(0), 1u);
    EXPECT_EQ(map.ControlsOn(8), 0u);
}

// Property: a screen is reported unreachable exactly when no chain of jumps
// (breadth-first over a random graph, written out here independently) reaches it.
TEST(Jumps, UnreachableMatchesAPlainSearchOnRandomGraphs)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        ScreenSet set;
        const int screens = 2 + int(rng() % 8);
        std::vector<std::pair<int, int>> edges;
        for (int k = 0; k < int(rng() % 14); ++k) {
            const int from = int(rng() % (screens + 1)); // 0 = persistent
            const int to = 1 + int(rng() % screens);
            edges.emplace_back(from, to);
            auto r = std::make_unique<ControlRecord>();
            r->type = TypeButton;
            r->screen = from;
            r->function = 32;
            r->parameter = to;
            set.Append(std::move(r));
        }
        for (int s = 1; s <= screens; ++s) {
            auto r = std::make_unique<ControlRecord>();
            r->type = TypeLabel;
            r->screen = s;
            set.Append(std::move(r));
        }
        std::set<int> reached{1};
        for (bool grew = true; grew;) {
            grew = false;
            for (auto [from, to] : edges)
                if ((from == 0 || reached.count(from)) && reached.insert(to).second)
                    grew = true;
        }
        std::set<int> expected;
        for (int s = 2; s <= screens; ++s)
            if (!reached.count(s))
                expected.insert(s);
        std::set<int> got;
        for (const Finding& f : With(SetCheck::Run(set, {}), CheckCode::UnreachableScreen))
            got.insert(*f.screen);
        ASSERT_EQ(got, expected) << "round " << round;
    }
}

// ---- geometry ---------------------------------------------------------------

struct GeometryCase {
    Rect rect;
    const char* code; // nullptr: no geometry finding
};

class Geometry : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(Geometry, AgainstA1024x768Screen)
{
    const auto all = Check({{TypeLabel, 1, GetParam().rect}});
    std::vector<std::string> codes;
    for (const Finding& f : all)
        if (f.code == CheckCode::EmptyRect || f.code == CheckCode::OffScreen || f.code == CheckCode::PartlyOffScreen)
            codes.emplace_back(f.code);
    if (GetParam().code)
        EXPECT_EQ(codes, std::vector<std::string>{GetParam().code});
    else
        EXPECT_TRUE(codes.empty()) << codes.front();
}

INSTANTIATE_TEST_SUITE_P(
    Table, Geometry,
    ::testing::Values(GeometryCase{{0, 0, 1024, 768}, nullptr}, GeometryCase{{10, 10, 10, 30}, "empty-rect"},
                      GeometryCase{{10, 30, 40, 20}, "empty-rect"},
                      GeometryCase{{INT32_MIN, 0, INT32_MAX, 10}, "partly-off-screen"},
                      GeometryCase{{INT32_MAX, 0, INT32_MIN, 10}, "empty-rect"},
                      GeometryCase{{1024, 0, 1100, 10}, "off-screen"}, GeometryCase{{0, 768, 10, 800}, "off-screen"},
                      GeometryCase{{-50, 0, 0, 10}, "off-screen"}, GeometryCase{{1000, 0, 1025, 10}, "partly-off-screen"},
                      GeometryCase{{-1, 0, 10, 10}, "partly-off-screen"},
                      GeometryCase{{0, 760, 10, 769}, "partly-off-screen"}));

TEST(Geometry, ScreenSizeComesFromTheOptionsAndUnshownTypesAreSkipped)
{
    SetCheck::Options o;
    o.screenWidth = 800;
    o.screenHeight = 600;
    const auto all = Check({{TypeLabel, 1, {700, 500, 900, 550}}, {TypeObsolete, 1, {5000, 0, 5000, 0}},
                            {77, 1, {-9, -9, -9, -9}}},
                           o);
    EXPECT_EQ(Places(all, CheckCode::PartlyOffScreen), (std::vector<std::pair<size_t, long>>{{0, -1}}));
    EXPECT_TRUE(With(all, CheckCode::EmptyRect).empty());
    EXPECT_TRUE(With(all, CheckCode::OffScreen).empty());
}

// ---- stacking ---------------------------------------------------------------

struct HiddenCase {
    const char* name;
    std::vector<Spec> controls;
    std::vector<std::pair<size_t, long>> expected;
};

class Hidden : public ::testing::TestWithParam<HiddenCase> {};

TEST_P(Hidden, FollowsTheDesignersStacking)
{
    EXPECT_EQ(Places(Check(GetParam().controls), CheckCode::HiddenControl), GetParam().expected);
}

constexpr Rect kBig{0, 0, 200, 100};
constexpr Rect kSmall{10, 10, 60, 30};
auto Png = [](ControlRecord& r) { r.image = "Pic.png"; };
auto Bmp = [](ControlRecord& r) { r.image = "Pic.bmp"; };
auto Jpg = [](ControlRecord& r) { r.image = "Pic.jpg"; };

INSTANTIATE_TEST_SUITE_P(
    Table, Hidden,
    ::testing::Values(
        HiddenCase{"later control covers", {{TypeLabel, 1, kSmall}, {TypeMdi, 1, kBig}}, {{0, 1}}},
        HiddenCase{"earlier control is below", {{TypeMdi, 1, kBig}, {TypeLabel, 1, kSmall}}, {}},
        HiddenCase{"labels are transparent", {{TypeButton, 1, kSmall}, {TypeLabel, 1, kBig}}, {}},
        HiddenCase{"DROs go to the bottom", {{TypeDro, 1, kSmall}, {TypeDro, 1, kBig}}, {}},
        HiddenCase{"a DRO is under everything", {{TypeButton, 1, kBig}, {TypeDro, 1, kSmall}}, {{1, 0}}},
        HiddenCase{"pictures go to the bottom", {{TypeLed, 1, kSmall}, {TypeImage, 1, kBig, Jpg}}, {}},
        HiddenCase{"PNG pictures rise", {{TypeLed, 1, kSmall}, {TypeImage, 1, kBig, Png}}, {{0, 1}}},
        HiddenCase{"keyed BMP pictures do not cover", {{TypeImage, 1, kSmall, Jpg}, {TypeImage, 1, kBig, Bmp}}, {}},
        HiddenCase{"image buttons without picture are frames",
                   {{TypeLabel, 1, kSmall}, {TypeImageButton, 1, kBig}}, {}},
        HiddenCase{"image buttons with a picture cover",
                   {{TypeLabel, 1, kSmall}, {TypeImageButton, 1, kBig, Jpg}}, {{0, 1}}},
        HiddenCase{"partly covered is not hidden", {{TypeLabel, 1, {150, 90, 250, 120}}, {TypeMdi, 1, kBig}}, {}},
        HiddenCase{"other screens do not cover", {{TypeLabel, 1, kSmall}, {TypeMdi, 2, kBig}}, {}},
        HiddenCase{"persistent controls cover screen controls", {{TypeLabel, 1, kSmall}, {TypeMdi, 0, kBig}}, {{0, 1}}},
        HiddenCase{"not on the TAB screen", {{TypeLabel, 50, kSmall}, {TypeMdi, 0, kBig}}, {}},
        HiddenCase{"identical rects: the lower is hidden", {{TypeButton, 1, kBig}, {TypeButton, 1, kBig}}, {{0, 1}}},
        HiddenCase{"unshown types neither cover nor hide",
                   {{TypeObsolete, 1, kSmall}, {99, 1, kBig}, {TypeOlderImage, 1, kSmall}}, {}}),
    [](const auto& info) {
        std::string n = info.param.name;
        std::replace_if(n.begin(), n.end(), [](char c) { return !isalnum(static_cast<unsigned char>(c)); }, '_');
        return n;
    });

// Property: the grid search finds exactly what comparing every pair finds.
TEST(Hidden, GridSearchAgreesWithEveryPairOnRandomSets)
{
    std::mt19937 rng(11);
    const int types[] = {TypeDro, TypeImage, TypeButton, TypeLed, TypeLabel, TypeImageButton, TypeMdi, TypeGCodeList};
    for (int round = 0; round < 60; ++round) {
        ScreenSet set;
        const int n = 1 + int(rng() % 120);
        const int span = 50 + int(rng() % 2000);
        for (int i = 0; i < n; ++i) {
            auto r = std::make_unique<ControlRecord>();
            r->type = types[rng() % 8];
            r->screen = int(rng() % 3);
            const int x = int(rng() % span), y = int(rng() % span);
            const int w = 1 + int(rng() % (rng() % 4 == 0 ? span : 40));
            const int h = 1 + int(rng() % (rng() % 4 == 0 ? span : 40));
            r->rect = {x, y, x + w, y + h};
            const char* images[] = {"a.png", "a.bmp", "a.jpg", "None", ""};
            r->image = images[rng() % 5];
            set.Append(std::move(r));
        }
        // Every pair, in stacking order taken from the designer's rules.
        auto z = [&](size_t i) -> long {
            const ControlRecord& r = *set.controls[i];
            const long k = long(i) + 1;
            if (r.type == TypeDro)
                return -k;
            if (r.type == TypeImage)
                return r.image.find(".png") != std::string::npos ? k : -k;
            return k;
        };
        auto opaque = [&](const ControlRecord& r) {
            if (r.type == TypeLabel)
                return false;
            if (r.type == TypeImage)
                return !r.image.empty() && r.image.find(".bmp") == std::string::npos;
            if (r.type == TypeImageButton)
                return !r.image.empty() && r.image.find("None") == std::string::npos;
            return true;
        };
        std::set<size_t> expected;
        for (size_t i = 0; i < set.Size(); ++i) {
            const ControlRecord& c = *set.controls[i];
            if (c.type == TypeImage && c.image.empty())
                continue;
            for (size_t j = 0; j < set.Size(); ++j) {
                const ControlRecord& d = *set.controls[j];
                const bool together = d.screen == c.screen || (d.screen == 0 && c.screen != 50);
                if (j != i && together && opaque(d) && z(j) > z(i) && d.rect.left <= c.rect.left
                    && d.rect.top <= c.rect.top && d.rect.right >= c.rect.right && d.rect.bottom >= c.rect.bottom) {
                    expected.insert(i);
                    break;
                }
            }
        }
        std::set<size_t> got;
        for (const Finding& f : With(SetCheck::Run(set, {}), CheckCode::HiddenControl))
            got.insert(*f.index);
        ASSERT_EQ(got, expected) << "round " << round;
    }
}

// ---- formats, functions, types, file ---------------------------------------

TEST(DroFormats, LiteralFormatsOfDrawnDigits)
{
    const std::vector<std::pair<const char*, bool>> table = {
        {"%+.4f", false}, {"%d", true},      {"%s", true},   {"Feed", true}, {"%f %f", true},
        {"%8.3lf mm", false}, {"100%%", true}, {"SD%+.3f", false}, {"SD%x", true},
        {"ST%x", false}, // no digits drawn: the format does not matter
        {"SD", true},   {"%200f", true},
    };
    for (const auto& [format, literal] : table) {
        ScreenSet set;
        Fill(set, {{TypeDro, 1, kR}});
        set.controls[0]->format = format;
        EXPECT_EQ(With(SetCheck::Run(set, {}), CheckCode::DroFormatLiteral).size(), literal ? 1u : 0u) << format;
    }
    // Only DROs have formats.
    ScreenSet set;
    Fill(set, {{TypeLabel, 1, kR}});
    set.controls[0]->format = "%s";
    EXPECT_TRUE(With(SetCheck::Run(set, {}), CheckCode::DroFormatLiteral).empty());
}

TEST(Functions, NumbersBeyondTheCatalogOfTheirType)
{
    SetCheck::Options o;
    o.catalogs["DROs.txt"] = {"DROs.txt", 13};
    o.catalogs["Buttons.txt"] = {"Buttons.txt", 35};
    o.catalogs["Leds.txt"] = {"Leds.txt", -1};
    ScreenSet set;
    const std::vector<std::tuple<int, int, bool>> table = {
        {TypeDro, 12, false},        {TypeDro, 13, true},      {TypeDro, -1, false}, {TypeDro, -2, true},
        {TypeButton, 34, false},     {TypeButton, 35, true},   {TypeImageButton, 99, true},
        {TypeLabel, 500, false}, // no catalog
        {TypeLed, 500, false},   // catalog missing: reported once for the file
        {TypeLed, 501, false},
    };
    for (const auto& [type, function, beyond] : table) {
        auto r = std::make_unique<ControlRecord>();
        r->type = type;
        r->function = function;
        r->rect = kR;
        set.Append(std::move(r));
    }
    const auto all = SetCheck::Run(set, o);
    std::set<size_t> got;
    for (const Finding& f : With(all, CheckCode::FunctionBeyondCatalog))
        got.insert(*f.index);
    std::set<size_t> expected;
    for (size_t i = 0; i < table.size(); ++i)
        if (std::get<2>(table[i]))
            expected.insert(i);
    EXPECT_EQ(got, expected);
    ASSERT_EQ(With(all, CheckCode::CatalogMissing).size(), 1u);
    EXPECT_FALSE(With(all, CheckCode::CatalogMissing)[0].index);
    // Without catalogs, nothing is said about functions.
    EXPECT_TRUE(With(SetCheck::Run(set, {}), CheckCode::FunctionBeyondCatalog).empty());
}

TEST(Functions, LoadCatalogsCountsLinesOfTheVornFolder)
{
    const auto root = std::filesystem::temp_directory_path() / ("tavlora-setcheck-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root);
    std::ofstream(root / "DROs.txt") << "a\r\nb\r\n\r\nd";
    std::ofstream(root / "Buttons.txt") << "x\n";
    SetCheck::Options o;
    o.LoadCatalogs(root.string());
    EXPECT_EQ(o.catalogs.at("DROs.txt").entries, 4);
    EXPECT_EQ(o.catalogs.at("Buttons.txt").entries, 1);
    EXPECT_EQ(o.catalogs.at("Leds.txt").entries, -1);
    std::filesystem::remove_all(root);
}

TEST(Types, ObsoleteOlderAndUnknown)
{
    const auto all = Check({{TypeObsolete, 1, kR}, {TypeOlderImage, 1, kR}, {0, 1, kR}, {12, 1, kR}, {-3, 1, kR},
                            {TypeToolPath, 1, kR}});
    EXPECT_EQ(Places(all, CheckCode::ObsoleteType).size(), 1u);
    EXPECT_EQ(With(all, CheckCode::ObsoleteType)[0].severity, Finding::Severity::Note);
    EXPECT_EQ(Places(all, CheckCode::OlderImageType), (std::vector<std::pair<size_t, long>>{{1, -1}}));
    EXPECT_EQ(Places(all, CheckCode::UnknownType), (std::vector<std::pair<size_t, long>>{{2, -1}, {3, -1}, {4, -1}}));
}

TEST(FileFacts, NegativeCountBytesAfterColoursAndProtection)
{
    SetCheck::Options o;
    EXPECT_TRUE(Check({}, o).empty());
    o.file.recordsRead = -5;
    o.file.bytesAfterColours = 3;
    const auto all = Check({{TypeLabel, 1, kR}, {TypeButton, 1, kR, [](ControlRecord& r) { r.gcode = "xZUXTide538y"; }},
                            {TypeLabel, 1, kR, [](ControlRecord& r) { r.text = "wisp"; }}},
                           o);
    for (std::string_view code : {CheckCode::NegativeCount, CheckCode::BytesAfterColours, CheckCode::ProtectedSet}) {
        ASSERT_EQ(With(all, code).size(), 1u) << code;
        EXPECT_FALSE(With(all, code)[0].index) << code;
    }
    EXPECT_NE(With(all, CheckCode::ProtectedSet)[0].message.find("#1 "), std::string::npos);
    // "wisp" must match exactly.
    EXPECT_TRUE(With(Check({{TypeLabel, 1, kR, [](ControlRecord& r) { r.text = "Wisp"; }}}), CheckCode::ProtectedSet)
                    .empty());
}

TEST(Findings, SortedDeterministicallyWhateverTheInputOrder)
{
    std::vector<Finding> findings;
    const char* codes[] = {"b", "a", "c"};
    for (int i = 0; i < 40; ++i) {
        Finding f;
        f.code = codes[i % 3];
        f.severity = Finding::Severity(i % 3);
        if (i % 4)
            f.index = size_t(i % 7);
        if (i % 5 == 0)
            f.screen = i % 2 - i % 3 * 1000000000;
        if (i % 6 == 0)
            f.otherIndex = size_t(i);
        f.message = std::to_string(i);
        findings.push_back(f);
    }
    std::vector<Finding> sorted = findings;
    std::sort(sorted.begin(), sorted.end());
    std::mt19937 rng(3);
    for (int k = 0; k < 20; ++k) {
        std::shuffle(findings.begin(), findings.end(), rng);
        Finding::Sort(findings); // packed keys agree with the whole comparison
        ASSERT_EQ(findings, sorted);
    }
    // File findings, then screen findings, then control findings in index order.
    for (size_t i = 1; i < sorted.size(); ++i) {
        const int a = sorted[i - 1].index ? 2 : sorted[i - 1].screen ? 1 : 0;
        const int b = sorted[i].index ? 2 : sorted[i].screen ? 1 : 0;
        EXPECT_LE(a, b);
        if (a == 2 && b == 2) {
            EXPECT_LE(*sorted[i - 1].index, *sorted[i].index);
        }
    }
}

TEST(Findings, EveryCodeIsDistinct)
{
    const auto& all = CheckCode::All();
    EXPECT_EQ(std::set<std::string_view>(all.begin(), all.end()).size(), all.size());
}

TEST(Findings, ControlsNamedByIndexTypeAndCaption)
{
    ScreenSet set;
    Fill(set, {{TypeButton, 1, kR, [](ControlRecord& r) { r.text = "Caf\xe9"; }}, {TypeDro, 1, kR}, {5, 1, kR}, {40, 1, kR}});
    EXPECT_EQ(SetCheck::Describe(set, 0), "#0 Button Control \"Caf\xc3\xa9\"");
    EXPECT_EQ(SetCheck::Describe(set, 1), "#1 DRO Control");
    EXPECT_EQ(SetCheck::Describe(set, 2), "#2 Older Image Control \"None\"");
    EXPECT_EQ(SetCheck::Describe(set, 3), "#3 Unknown type 40");
}
