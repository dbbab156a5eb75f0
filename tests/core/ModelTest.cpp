#include "SetBuilder.h"

#include "core/ControlType.h"
#include "core/ControlTypes.h"
#include "core/ScreenSet.h"
#include "core/ScreenVisibility.h"
#include "core/Windows1252.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace tavlora;

namespace {

// Records show/hide calls and deletion.
class FakeWidget : public ControlWidget {
public:
    explicit FakeWidget(int* deleted = nullptr) : deleted_(deleted) {}
    ~FakeWidget() override
    {
        if (deleted_)
            ++*deleted_;
    }
    bool IsVisible() const override { return visible; }
    void SetVisible(bool v) override { visible = v; }
    int ControlId() const override { return 0; }
    bool visible = true;

private:
    int* deleted_;
};

ControlRecord& AddWithWidget(ScreenSet& set, int type, int screen)
{
    auto r = std::make_unique<ControlRecord>();
    r->type = type;
    r->screen = screen;
    r->widget = std::make_unique<FakeWidget>();
    return set.Append(std::move(r));
}

bool Shown(const ControlRecord& r)
{
    return r.widget->IsVisible();
}

} // namespace

TEST(ControlRecord, Defaults)
{
    ControlRecord r;
    EXPECT_EQ(r.function, -1);
    EXPECT_EQ(r.hotKey, 0);
    EXPECT_EQ(r.reservedB, 1);
    EXPECT_EQ(r.text, "None");
    EXPECT_EQ(r.gcode, "None");
    EXPECT_EQ(r.image, "None");
    EXPECT_EQ(r.label, "Label");
    EXPECT_EQ(r.format, "%+.4f");
    EXPECT_TRUE(r.rect.IsEmpty());
    EXPECT_FALSE(r.locked);
    EXPECT_EQ(r.widget, nullptr);
}

TEST(ControlRecord, LedChoiceEncoding)
{
    for (int choice = 0; choice < 8; ++choice) {
        ControlRecord r;
        r.SetLedChoice(choice);
        EXPECT_EQ(r.LedChoice(), choice) << choice;
    }
    ControlRecord r;
    r.ledColour = 2;
    r.SetLedChoice(3);
    EXPECT_EQ(r.ledColour, 2); // " Red/Green" leaves the base colour
    EXPECT_EQ(r.ledRedGreen, 1);
    EXPECT_EQ(r.ledFlashing, 0);
    r.SetLedChoice(7);
    EXPECT_EQ(r.ledColour, 3);
    EXPECT_EQ(r.ledFlashing, 1);
    EXPECT_EQ(r.ledRedGreen, 1);
    ControlRecord three;
    three.ledColour = 3;
    EXPECT_EQ(three.LedChoice(), 3);
    three.ledFlashing = 1;
    EXPECT_EQ(three.LedChoice(), 7);
    // Colours of no choice, as a file may hold them (led-choice-overflow.set).
    for (int32_t colour : {4, -1, INT32_MAX, INT32_MIN}) {
        three.ledColour = colour;
        EXPECT_EQ(three.LedChoice(), -1) << colour;
    }
}

TEST(ControlRecord, CopyTakesFieldsButNotWidget)
{
    ControlRecord a;
    a.text = "Start";
    a.widget = std::make_unique<FakeWidget>();
    ControlRecord b(a);
    EXPECT_EQ(b.text, "Start");
    EXPECT_EQ(b.widget, nullptr);
    EXPECT_TRUE(b.SameStoredFields(a));
}

TEST(ScreenSet, ClearAllDestroysWidgets)
{
    ScreenSet set;
    int deleted = 0;
    for (int i = 0; i < 3; ++i) {
        auto r = std::make_unique<ControlRecord>();
        r->widget = std::make_unique<FakeWidget>(&deleted);
        set.Append(std::move(r));
    }
    set.ClearAll();
    EXPECT_EQ(deleted, 3);
    EXPECT_TRUE(set.controls.empty());
    EXPECT_THROW(set.At(0), std::out_of_range);
}

TEST(ScreenSet, InsertTakeAndIndexKeepRecordsInPlace)
{
    ScreenSet set;
    ControlRecord& a = test::SetBuilder::Add(set, TypeDro, 1);
    ControlRecord& c = test::SetBuilder::Add(set, TypeDro, 1);
    ControlRecord& b = set.Insert(1, std::make_unique<ControlRecord>());
    EXPECT_EQ(set.IndexOf(&a), 0);
    EXPECT_EQ(set.IndexOf(&b), 1);
    EXPECT_EQ(set.IndexOf(&c), 2);
    std::unique_ptr<ControlRecord> taken = set.Take(1);
    EXPECT_EQ(taken.get(), &b);
    EXPECT_EQ(set.IndexOf(&b), -1);
    EXPECT_EQ(set.IndexOf(&c), 1);
    EXPECT_THROW(set.Insert(3, std::make_unique<ControlRecord>()), std::out_of_range);
    EXPECT_THROW(set.Take(2), std::out_of_range);
    EXPECT_EQ(set.colours.Get(ColourSet::DROBack), 0xA0FFA0u);
    EXPECT_EQ(set.colours.Get(ColourSet::GCodeBack), 0x80FFFFu);
}

TEST(ControlRecord, SwapAndCopyTouchOnlyStoredFields)
{
    ScreenSet set;
    test::SetBuilder::Varied(set);
    ControlRecord a(set.At(3));
    a.widget = std::make_unique<FakeWidget>();
    ControlWidget* widget = a.widget.get();
    ControlRecord b(set.At(7));
    a.SwapStoredFields(b);
    EXPECT_TRUE(a.SameStoredFields(set.At(7)));
    EXPECT_TRUE(b.SameStoredFields(set.At(3)));
    EXPECT_EQ(a.widget.get(), widget);
    a = set.At(5);
    EXPECT_TRUE(a.SameStoredFields(set.At(5)));
    EXPECT_EQ(a.widget.get(), widget);
    ControlRecord moved(a);
    moved.rect.left += 1;
    EXPECT_FALSE(moved.SameStoredFields(a));
    EXPECT_TRUE(moved.SameFieldsButRect(a));
    // One edit's change, and nothing else: fields equal in both stay.
    ControlRecord before(a), after(a), target(set.At(7));
    after.locked = !a.locked;
    after.rect.right += 5;
    target.TakeChanges(before, after);
    ControlRecord expected(set.At(7));
    expected.locked = after.locked;
    expected.rect.right = after.rect.right;
    EXPECT_TRUE(target.SameStoredFields(expected));
}

TEST(ControlType, CreationRules)
{
    ControlRecord older;
    older.type = TypeOlderImage;
    ApplyCreationRules(older);
    EXPECT_EQ(older.type, TypeImage);
    ControlRecord list;
    list.type = TypeGCodeList;
    ApplyCreationRules(list);
    EXPECT_EQ(list.parameter, 10);
    list.parameter = -3;
    ApplyCreationRules(list);
    EXPECT_EQ(list.parameter, -3);
    ControlRecord dro;
    dro.type = TypeDro;
    ApplyCreationRules(dro);
    EXPECT_EQ(dro.parameter, 0);
}

TEST(ScreenVisibility, PersistentLayerAndTabScreen)
{
    ScreenSet set;
    ControlRecord& persistent = AddWithWidget(set, TypeDro, 0);
    ControlRecord& one = AddWithWidget(set, TypeDro, 1);
    ControlRecord& two = AddWithWidget(set, TypeDro, 2);
    ControlRecord& tab = AddWithWidget(set, TypeLabel, 50);
    ScreenVisibility::Refresh(set, 1, true);
    EXPECT_TRUE(Shown(persistent));
    EXPECT_TRUE(Shown(one));
    EXPECT_FALSE(Shown(two));
    EXPECT_FALSE(Shown(tab));
    ScreenVisibility::Refresh(set, 50, true);
    EXPECT_FALSE(Shown(persistent));
    EXPECT_TRUE(Shown(tab));
    EXPECT_FALSE(Shown(one));
}

TEST(ScreenVisibility, HiddenImagesStayHiddenAcrossScreens)
{
    ScreenSet set;
    ControlRecord& img1 = AddWithWidget(set, TypeImage, 1);
    ControlRecord& img2 = AddWithWidget(set, TypeImage, 2);
    ControlRecord& imgAll = AddWithWidget(set, TypeImage, 0);
    ControlRecord& dro2 = AddWithWidget(set, TypeDro, 2);
    ScreenVisibility::Refresh(set, 1, true);
    ScreenVisibility::ApplyImageSwitch(set, 1, false);
    EXPECT_FALSE(Shown(img1));
    EXPECT_FALSE(Shown(imgAll));
    ScreenVisibility::Refresh(set, 2, false);
    EXPECT_FALSE(Shown(img2));
    EXPECT_FALSE(Shown(imgAll));
    EXPECT_TRUE(Shown(dro2));
    ScreenVisibility::ApplyImageSwitch(set, 2, true);
    EXPECT_TRUE(Shown(img2));
    EXPECT_TRUE(Shown(imgAll));
    EXPECT_FALSE(Shown(img1));
}

TEST(ScreenVisibility, UsedScreensPersistentFirstThenAscending)
{
    ScreenSet set;
    EXPECT_TRUE(ScreenVisibility::UsedScreens(set).empty());
    for (int screen : {7, 50, 0, 1, 7, -3, 120, 1, 0})
        test::SetBuilder::Add(set, TypeLabel, screen);
    EXPECT_EQ(ScreenVisibility::UsedScreens(set), (std::vector<int>{0, -3, 1, 7, 50, 120}));
    ScreenSet noPersistent;
    for (int screen : {99, 2, 50})
        test::SetBuilder::Add(noPersistent, TypeDro, screen);
    EXPECT_EQ(ScreenVisibility::UsedScreens(noPersistent), (std::vector<int>{2, 50, 99}));
}

TEST(ScreenVisibility, WhyAControlCannotBeSeen)
{
    using V = ScreenVisibility;
    struct Case {
        int type;
        Rect rect;
        bool showImages;
        unsigned reasons;
    };
    const Case cases[] = {
        {TypeDro, {10, 10, 60, 30}, true, V::Visible},
        {TypeObsolete, {10, 10, 60, 30}, true, V::NoWidget},
        {12, {10, 10, 60, 30}, true, V::NoWidget},
        {0, {10, 10, 60, 30}, true, V::NoWidget},
        {TypeOlderImage, {10, 10, 60, 30}, true, V::Visible},
        {TypeLabel, {10, 10, 10, 30}, true, V::NoArea},
        {TypeLabel, {10, 30, 60, 10}, true, V::NoArea},
        {TypeLabel, {-50, 10, 0, 30}, true, V::OffScreen},     // right edge exclusive
        {TypeLabel, {-50, 10, 1, 30}, true, V::Visible},
        {TypeLabel, {800, 10, 900, 30}, true, V::OffScreen},   // 800 x 600 screen
        {TypeLabel, {799, 599, 900, 700}, true, V::Visible},
        {TypeLabel, {10, 600, 60, 630}, true, V::OffScreen},
        {TypeImage, {10, 10, 60, 30}, false, V::PictureHidden},
        {TypeImage, {10, 10, 60, 30}, true, V::Visible},
        {TypeImageButton, {10, 10, 60, 30}, false, V::Visible},
        {TypeObsolete, {900, 10, 900, 30}, true, V::NoWidget | V::NoArea},
        {TypeImage, {900, 10, 950, 30}, false, V::OffScreen | V::PictureHidden},
    };
    for (const Case& c : cases) {
        ControlRecord rec;
        rec.type = c.type;
        rec.rect = c.rect;
        EXPECT_EQ(V::HiddenReasons(rec, 800, 600, c.showImages), c.reasons)
            << "type " << c.type << " rect " << c.rect.left << "," << c.rect.top << "," << c.rect.right << ","
            << c.rect.bottom;
    }
}

TEST(Windows1252, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(char(b));
    const std::string utf8 = Windows1252::ToUtf8(all);
    std::string back;
    ASSERT_TRUE(Windows1252::FromUtf8(utf8, back));
    EXPECT_EQ(back, all);
    EXPECT_EQ(Windows1252::ToUtf8("\x80\x81"), "\xE2\x82\xAC\xC2\x81");
}

TEST(Windows1252, RejectsCharactersOutsideTheCodePage)
{
    std::string out;
    char32_t bad = 0;
    EXPECT_FALSE(Windows1252::FromUtf8("ok \xE2\x86\x92", out, &bad));
    EXPECT_EQ(bad, U'\u2192');
    EXPECT_FALSE(Windows1252::FromUtf8("\xC3", out));      // truncated sequence
    EXPECT_FALSE(Windows1252::FromUtf8("\xFF\xFE", out));  // not UTF-8
    // Overlong forms, surrogates and code points above U+10FFFF are not UTF-8.
    for (const char* form : {"\xC0\x80", "\xC1\xBF", "\xE0\x80\x80", "\xF0\x80\x80\x80", "\xED\xA0\x80",
                            "\xF4\x90\x80\x80"})
        EXPECT_FALSE(Windows1252::FromUtf8(form, out)) << form;
    const char16_t units[] = {u'A', 0xD83D, 0xDE00, 0xDC00, 0x20AC};
    EXPECT_EQ(Windows1252::FromUtf16(units, 5), "A??\x80");
    // Refusing: a lone surrogate is named like any other character.
    EXPECT_FALSE(Windows1252::FromUtf16(u"\xD800x", 2, out, &bad));
    EXPECT_EQ(bad, char32_t(0xD800));
    std::string euro;
    EXPECT_TRUE(Windows1252::FromUtf16(units + 4, 1, euro));
    EXPECT_EQ(euro, "\x80");
}

TEST(ControlType, Titles)
{
    EXPECT_EQ(ControlTypes::Title(1), " DRO Control");
    EXPECT_EQ(ControlTypes::Title(7), "Label Control");
    EXPECT_EQ(ControlTypes::Title(10), "GCode Display");
    EXPECT_TRUE(ControlTypes::Title(5).empty());
    EXPECT_TRUE(ControlTypes::Title(99).empty());
    // Every work-bar tool places its own row's type, and no two rows share one.
    size_t tools = 0;
    for (const ControlTypes::Facts& f : ControlTypes::All()) {
        EXPECT_EQ(ControlTypes::Of(f.type), &f);
        if (f.tool != 0) {
            EXPECT_EQ(ControlTypes::ForTool(f.tool), &f);
            ++tools;
        }
    }
    EXPECT_EQ(ControlTypes::WorkBar().size(), tools);
}
