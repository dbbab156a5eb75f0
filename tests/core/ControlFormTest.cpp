// The property form: what it opens with, its rules, and what OK takes back.
#include "SetBuilder.h"

#include "core/ControlForm.h"
#include "core/ImagePath.h"

#include <gtest/gtest.h>

using namespace tavlora;
using test::SetBuilder;

namespace {

ControlRecord Record(int type, int function = -1)
{
    ControlRecord r;
    r.type = type;
    r.function = function;
    r.screen = 1;
    r.rect = {10, 20, 110, 60};
    return r;
}

} // namespace

TEST(ControlForm, KindAtOpen)
{
    struct Case {
        int type, function, kind;
    };
    const Case cases[] = {
        {TypeButton, 32, ControlForm::OemFunction},   {TypeButton, 33, ControlForm::GCodeFunction},
        {TypeButton, 34, ControlForm::ScriptFunction}, {TypeButton, 31, ControlForm::SystemFunction},
        {TypeImageButton, 33, ControlForm::GCodeFunction},
        {TypeDro, 12, ControlForm::OemFunction},      {TypeDro, 32, ControlForm::SystemFunction},
        {TypeLed, 56, ControlForm::OemFunction},      {TypeLed, 12, ControlForm::SystemFunction},
        {TypeLabel, 0, ControlForm::OemFunction},     {TypeMdi, -1, ControlForm::SystemFunction},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ControlForm::FromRecord(Record(c.type, c.function)).kind, c.kind) << c.type << "/" << c.function;
}

TEST(ControlForm, OpensWithTheRecordsValues)
{
    ControlRecord r = Record(TypeButton, 34);
    r.gcode = "G0 X0";
    r.parameter = 7;
    r.hotKey = 0x8041;
    r.screen = 0;
    r.locked = true;
    r.tabGroup = 3;
    const ControlForm f = ControlForm::FromRecord(r);
    EXPECT_EQ(f.gcode, "Script Function");
    EXPECT_EQ(f.oemCode, 7);
    EXPECT_EQ(f.lines, 7);
    EXPECT_TRUE(f.useHotKey);
    EXPECT_TRUE(f.allScreens);
    EXPECT_TRUE(f.locked);
    EXPECT_EQ(f.width, 100.0);
    EXPECT_EQ(f.height, 40.0);
    EXPECT_EQ(f.left, 10.0);
    // OK leaves the G-code of a script button alone and keeps function 34.
    const ControlRecord back = f.Apply(r, 4);
    EXPECT_EQ(back.gcode, "G0 X0");
    EXPECT_EQ(back.function, 34);
    EXPECT_EQ(back.label, r.text); // the label takes the text box, for every type

    ControlRecord label = Record(TypeLabel);
    label.label = "Feed";
    label.text = "ignored";
    EXPECT_EQ(ControlForm::FromRecord(label).text, "Feed");
}

TEST(ControlForm, TakeBackRules)
{
    // A G-code button stores the G-code box; a script button 34; a G-code list its lines.
    ControlRecord button = Record(TypeButton, 5);
    ControlForm f = ControlForm::FromRecord(button);
    f.kind = ControlForm::GCodeFunction;
    f.gcode = "M3 S1000";
    ControlRecord r = f.Apply(button, 1);
    EXPECT_EQ(r.function, 33);
    EXPECT_EQ(r.gcode, "M3 S1000");
    f.kind = ControlForm::ScriptFunction;
    EXPECT_EQ(f.Apply(button, 1).function, 34);

    ControlRecord list = Record(TypeGCodeList);
    list.parameter = 10;
    ControlForm lf = ControlForm::FromRecord(list);
    lf.lines = 25;
    EXPECT_EQ(lf.Apply(list, 1).parameter, 25);
    EXPECT_FALSE(ControlForm::Enabled(ControlForm::SystemAndOem, TypeGCodeList, false));

    // Rectangles: boxes truncated, sums truncated, in design coordinates.
    ControlForm g = ControlForm::FromRecord(list);
    g.left = -10.7;
    g.top = 10.7;
    g.width = 20.6;
    g.height = 20.6;
    EXPECT_EQ(g.Apply(list, 1).rect, (Rect{-10, 10, 9, 31}));

    // A cleared hot key is 0; "Use Hot Key" stores the captured code.
    ControlRecord dro = Record(TypeDro, 3);
    dro.hotKey = 0x470;
    ControlForm d = ControlForm::FromRecord(dro);
    d.useHotKey = false;
    EXPECT_EQ(d.Apply(dro, 1).hotKey, 0);
    d.useHotKey = true;
    d.hotKey = 0x8474;
    EXPECT_EQ(d.Apply(dro, 1).hotKey, 0x8474);
    // A stored -1 (or any value <= 0) is no hot key, and stays as it is.
    dro.hotKey = -1;
    const ControlForm none = ControlForm::FromRecord(dro);
    EXPECT_FALSE(none.useHotKey);
    EXPECT_EQ(none.Apply(dro, 1).hotKey, -1);

    // Screens: all screens gives 0; a persistent control unchecked goes to the
    // current screen, any other keeps its own.
    ControlRecord persistent = Record(TypeLabel);
    persistent.screen = 0;
    ControlForm p = ControlForm::FromRecord(persistent);
    p.allScreens = false;
    EXPECT_EQ(p.Apply(persistent, 6).screen, 6);
    EXPECT_EQ(ControlForm::FromRecord(Record(TypeLabel)).Apply(Record(TypeLabel), 6).screen, 1);
}

TEST(ControlForm, SkinnedDroAndTheLabel)
{
    ControlRecord dro = Record(TypeDro, 1);
    dro.label = "Skinned";
    dro.text = "Axis X";
    ControlForm f = ControlForm::FromRecord(dro);
    EXPECT_TRUE(f.skinned);
    EXPECT_TRUE(ControlForm::Enabled(ControlForm::ImageItems, TypeDro, true));
    EXPECT_FALSE(ControlForm::Enabled(ControlForm::ImageItems, TypeDro, false));
    EXPECT_EQ(f.Apply(dro, 1).label, "Skinned");
    f.skinned = false;
    EXPECT_EQ(f.Apply(dro, 1).label, "Axis X"); // the text box's content
}

TEST(ControlForm, LedChoices)
{
    struct Case {
        int choice, colour, flashing, redGreen;
    };
    const Case cases[] = {{0, 0, 0, 0}, {1, 1, 0, 0}, {2, 2, 0, 0}, {3, 1, 0, 1},
                          {4, 0, 1, 0}, {5, 1, 1, 0}, {6, 2, 1, 0}, {7, 3, 1, 1}};
    for (const Case& c : cases) {
        ControlRecord led = Record(TypeLed);
        led.ledColour = 1; // kept by " Red/Green"
        ControlForm f = ControlForm::FromRecord(led);
        f.ledChoice = c.choice;
        const ControlRecord r = f.Apply(led, 1);
        EXPECT_EQ(r.ledColour, c.colour) << c.choice;
        EXPECT_EQ(r.ledFlashing, c.flashing) << c.choice;
        EXPECT_EQ(r.ledRedGreen, c.redGreen) << c.choice;
        EXPECT_EQ(ControlForm::FromRecord(r).ledChoice, c.choice == 3 ? 3 : c.choice);
    }
    EXPECT_EQ(std::string(ControlForm::kLedChoices[7]), " Red/Green Flashing");
}

TEST(ControlForm, FunctionListInterplay)
{
    ControlForm f = ControlForm::FromRecord(Record(TypeButton, 5));
    f.kind = ControlForm::GCodeFunction;
    f.ChooseFunction(32);
    EXPECT_EQ(f.kind, ControlForm::OemFunction);
    f.ChooseFunction(31);
    EXPECT_EQ(f.kind, ControlForm::SystemFunction);
    EXPECT_EQ(f.function, 31);
    f.ChooseOem();
    EXPECT_EQ(f.function, 32);
    ControlForm led = ControlForm::FromRecord(Record(TypeLed, 3));
    led.ChooseOem();
    EXPECT_EQ(led.function, 56);

    // Catalog lines: a number beyond the list (a longer catalog elsewhere) is
    // kept; a type without catalog stores -1.
    ControlForm far = ControlForm::FromRecord(Record(TypeDro, 40));
    far.ListFilled(20);
    EXPECT_EQ(far.function, 40);
    for (int type : {TypeLabel, TypeMdi, TypeToolPath}) {
        ControlForm none = ControlForm::FromRecord(Record(type, 4));
        none.ListFilled(0);
        EXPECT_EQ(none.Apply(Record(type, 4), 1).function, -1) << type;
    }
}

TEST(ControlForm, EnabledItemsPerType)
{
    using F = ControlForm;
    // DRO, Obsolete, Bitmap, Button, LED, Label, Image Button, MDI, G-code list, tool path.
    const int types[] = {1, 2, 3, 4, 6, 7, 8, 9, 10, 11};
    struct Row {
        F::Item item;
        const char* enabled;
    };
    const Row rows[] = {
        {F::SkinnedBox, "1000000000"},    {F::SystemAndOem, "1001101000"}, {F::GCodeAndScript, "0001001000"},
        {F::HotKeyItems, "1001001000"},   {F::TextBox, "0001010000"},      {F::FormatBox, "1000000000"},
        {F::TabGroupBox, "1000001010"},   {F::LinesBox, "0000000010"},     {F::ImageItems, "0010101000"},
        {F::LedColourList, "0000100000"}, {F::TurningBox, "0000000001"},   {F::ScreenAndLock, "1011111111"},
    };
    for (const Row& row : rows) {
        for (size_t i = 0; i < 10; ++i)
            EXPECT_EQ(F::Enabled(row.item, types[i], false), row.enabled[i] == '1') << row.item << " type " << types[i];
    }
    EXPECT_TRUE(F::Enabled(F::LinesBox, 42, false)); // other types change nothing
}

TEST(ImagePath, BitmapsRelativeNames)
{
    struct Case {
        const char* path;
        const char* name; // nullptr: refused
    };
    const Case cases[] = {
        {"C:\\Vorn3\\BITMAPS\\Leds\\x.bmp", "Leds\\x.bmp"},
        {"/home/op/vorn3/Bitmaps/Buttons/Start.bmp", "Buttons\\Start.bmp"},
        {"/srv/Bitmaps/a/Bitmaps/b.png", "a\\Bitmaps\\b.png"}, // the first match counts
        {"C:\\Images\\x.bmp", nullptr},
        {"/srv/bitmaps/", nullptr},                            // nothing after the folder
        {"/srv/bitmapsx/y.png", nullptr},
    };
    for (const Case& c : cases) {
        const auto name = ImagePath::BitmapsRelative(c.path);
        if (c.name) {
            ASSERT_TRUE(name) << c.path;
            EXPECT_EQ(*name, c.name);
        } else {
            EXPECT_FALSE(name) << c.path;
        }
    }
}
