#include "SetBuilder.h"

#include "core/DroFormat.h"
#include "core/HotKey.h"
#include "core/PreviewRules.h"
#include "core/PreviewScreens.h"
#include "core/PreviewSignals.h"

#include <gtest/gtest.h>

using namespace tavlora;
using test::SetBuilder;

namespace {

ControlRecord Control(int type, int function, int parameter, int hotKey = 0)
{
    ControlRecord r;
    r.type = type;
    r.function = function;
    r.parameter = parameter;
    r.hotKey = hotKey;
    return r;
}

} // namespace

TEST(PreviewRules, WhatAPressDoes)
{
    struct Row { int type, function, parameter; bool jump; };
    const Row rows[] = {
        {TypeButton, 32, 3, true},       {TypeImageButton, 32, 0, true}, {TypeButton, 32, 99, true},
        {TypeButton, 32, 100, false},    {TypeButton, 32, -1, false},    {TypeButton, 33, 3, false},
        {TypeImageButton, 5, 2, false},  {TypeDro, 32, 3, false},        {TypeLed, 32, 3, false},
    };
    for (const Row& r : rows) {
        const PreviewRules::Press press = PreviewRules::PressOf(Control(r.type, r.function, r.parameter));
        EXPECT_EQ(press.kind == PreviewRules::Press::Jump, r.jump) << r.type << ' ' << r.function << ' ' << r.parameter;
        if (r.jump) {
            EXPECT_EQ(press.screen, r.parameter);
        }
    }
}

TEST(PreviewRules, WhichControlAHotKeyPresses)
{
    ScreenSet set;
    SetBuilder::Add(set, TypeButton, 0).hotKey = 112;        // 0: persistent
    SetBuilder::Add(set, TypeButton, 1).hotKey = 113;        // 1
    SetBuilder::Add(set, TypeImageButton, 1).hotKey = 113;   // 2: shares with 1
    SetBuilder::Add(set, TypeDro, 2).hotKey = 114;           // 3
    SetBuilder::Add(set, TypeButton, 50).hotKey = 112;       // 4: TAB screen
    SetBuilder::Add(set, TypeLed, 1).hotKey = 115;           // 5: LEDs take no hot key
    SetBuilder::Add(set, TypeButton, 1).hotKey = -1;         // 6: none
    SetBuilder::Add(set, TypeButton, 2).hotKey = 9;          // 7: Tab
    SetBuilder::Add(set, TypeButton, 2).hotKey = 112;        // 8: shares with the persistent 0
    struct Row { int screen, code, control; size_t sharing; };
    const Row rows[] = {
        {1, 112, 0, 0}, {50, 112, 4, 0}, {1, 113, 1, 1}, {2, 113, -1, 0}, {2, 114, 3, 0}, {1, 115, -1, 0},
        {1, -1, -1, 0}, {1, 0, -1, 0},   {1, 9, -1, 0},  {2, 9, 7, 0},    {2, 112, 0, 1},
    };
    for (const Row& r : rows) {
        const PreviewRules::KeyHit hit = PreviewRules::ForKey(set, r.screen, r.code);
        const ControlRecord* want = r.control < 0 ? nullptr : set.controls[size_t(r.control)].get();
        EXPECT_EQ(hit.control, want) << r.screen << ' ' << r.code;
        EXPECT_EQ(hit.sharing.size(), r.sharing) << r.screen << ' ' << r.code;
    }
    EXPECT_EQ(PreviewRules::ForKey(set, 2, 112).sharing.at(0), set.controls[8].get());
    EXPECT_TRUE(PreviewRules::HoldsControls(set, 50));
    EXPECT_FALSE(PreviewRules::HoldsControls(set, 3));
}

TEST(PreviewRules, TabControlAndJumps)
{
    PreviewScreens s(1);
    s.Jump(3);
    s.ToggleTab();
    EXPECT_TRUE(s.OnTab());
    s.ToggleTab();
    EXPECT_EQ(s.Shown(), 3);
    s.Jump(50); // a jump to the TAB screen goes back the same way
    s.ToggleTab();
    EXPECT_EQ(s.Shown(), 3);
    PreviewScreens fromTab(50);
    fromTab.ToggleTab();
    EXPECT_EQ(fromTab.Shown(), 1);
}

TEST(PreviewRules, WidestValueOfAFormat)
{
    struct Row { const char* format; const char* text; };
    const Row rows[] = {
        {"%+10.4f", "-99999.9999"}, {"%.1f", "-99999.9"}, {"%.0f", "-99999"},    {"%.3f mm", "-99999.999 mm"},
        {"%.f", "-99999"},    {"%8.2f", "-99999.99"},
    };
    const double others[] = {0.0, 1.5, -1.5, 99999.9999, -12345.678, -0.00001, 5e4, -99999.4};
    for (const Row& r : rows) {
        const DroFormat format(r.format);
        const std::string widest = format.Apply(PreviewRules::WidestValue(r.format));
        EXPECT_EQ(widest, r.text) << r.format;
        for (double v : others)
            EXPECT_LE(format.Apply(v).size(), widest.size()) << r.format << ' ' << v;
    }
    // A skin format's tail is what shows; formats without a value show any.
    EXPECT_EQ(DroFormat("%.2f").Apply(PreviewRules::WidestValue("SD%.2f")), "-99999.99");
    EXPECT_EQ(PreviewRules::WidestValue("X"), 0.0);
    EXPECT_EQ(PreviewRules::WidestValue("%d"), 0.0);
    // DROs of one function share the value widest for all of them.
    const double shared = PreviewRules::WidestValue(std::vector<std::string>{"%.0f", "%.4f"});
    EXPECT_EQ(DroFormat("%.4f").Apply(shared), "-99999.9999");
    EXPECT_GE(DroFormat("%.0f").Apply(shared).size(), DroFormat("%.0f").Apply(-99999).size());
}

TEST(PreviewRules, DroFormatPrecision)
{
    const std::pair<const char*, int> rows[] = {{"%+10.4f", 4}, {"%f", 6}, {"%.f", 0}, {"abc", -1}, {"%.2f %.3f", -1}};
    for (const auto& [format, precision] : rows)
        EXPECT_EQ(DroFormat(format).Precision(), precision) << format;
}

TEST(PreviewRules, EventOfAPress)
{
    const std::vector<std::string> catalog(40, "line");
    std::vector<std::string> named = catalog;
    named[32] = "OEM entry";
    named[33] = "G-code entry";
    ControlRecord jump = Control(TypeButton, 32, 7, 0x8052);
    jump.text = "Go";
    PreviewRules::Event e = PreviewRules::Describe(jump, &named);
    EXPECT_EQ(e.caption, "Go");
    EXPECT_EQ(e.function, 32);
    EXPECT_EQ(e.functionName, named[32]);
    EXPECT_EQ(e.code, "7");
    EXPECT_EQ(e.hotKey, HotKey::Name(0x8052));

    ControlRecord gcode = Control(TypeImageButton, 33, 7, -1);
    gcode.gcode = "G0 X1";
    e = PreviewRules::Describe(gcode, &named);
    EXPECT_EQ(e.code, gcode.gcode);
    EXPECT_TRUE(e.hotKey.empty());
    // Beyond the catalog, or without one, the number names the function.
    EXPECT_NE(PreviewRules::Describe(Control(TypeButton, 45, 0), &catalog).functionName.find("45"), std::string::npos);
    EXPECT_NE(PreviewRules::Describe(Control(TypeButton, 3, 0), nullptr).functionName.find('3'), std::string::npos);
    EXPECT_TRUE(PreviewRules::Describe(Control(TypeButton, 3, 9), &catalog).code.empty());
}

TEST(PreviewRules, LedsAndTheirSignals)
{
    struct Row { bool on, flashing, phase, lit; };
    const Row rows[] = {{false, false, true, false}, {true, false, false, true}, {true, true, true, true},
                        {true, true, false, false},  {false, true, true, false}};
    for (const Row& r : rows)
        EXPECT_EQ(PreviewRules::LedLit(r.on, r.flashing, r.phase), r.lit) << r.on << r.flashing << r.phase;

    const auto key = [](int type, int function, int parameter) {
        return *PreviewSignals::KeyOf(Control(type, function, parameter));
    };
    EXPECT_NE(key(TypeLed, 56, 1001), key(TypeLed, 56, 1002)); // OEM codes tell OEM LEDs apart
    EXPECT_EQ(key(TypeLed, 3, 1001), key(TypeLed, 3, 5));      // other functions ignore them
    EXPECT_NE(key(TypeDro, 12, 7), key(TypeDro, 12, 8));
    EXPECT_NE(key(TypeDro, 3, 0), key(TypeLed, 3, 0));
    EXPECT_FALSE(PreviewSignals::KeyOf(Control(TypeButton, 3, 0)));
    const std::vector<std::string> leds(60, "led");
    EXPECT_NE(PreviewSignals::Name(key(TypeLed, 56, 1001), &leds).find("1001"), std::string::npos);

    ScreenSet set;
    SetBuilder::Add(set, TypeDro, 1).format = "%.1f";
    SetBuilder::Add(set, TypeDro, 2).format = "%.4f";
    SetBuilder::Add(set, TypeDro, 2).function = 4;
    SetBuilder::Add(set, TypeLed, 1).function = 4;
    EXPECT_EQ(PreviewSignals::Keys(set, TypeDro).size(), 2u);
    EXPECT_EQ(PreviewSignals::Keys(set, TypeLed), std::vector<PreviewSignals::Key>{key(TypeLed, 4, 0)});
    PreviewSignals signals;
    EXPECT_FALSE(signals.IsOn(key(TypeLed, 4, 0)));
    signals.SetOn(key(TypeLed, 4, 0), true);
    EXPECT_TRUE(signals.IsOn(key(TypeLed, 4, 0)));
    signals.SetWidestValues(set);
    EXPECT_EQ(DroFormat("%.4f").Apply(signals.Value(key(TypeDro, -1, 0))), "-99999.9999");
    EXPECT_EQ(DroFormat("%+.4f").Apply(signals.Value(key(TypeDro, 4, 0))), "-99999.9999");
}
