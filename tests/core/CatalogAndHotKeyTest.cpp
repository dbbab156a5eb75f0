#include "core/ControlType.h"
#include "core/FunctionCatalog.h"
#include "core/HotKey.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tavlora;
namespace fs = std::filesystem;

TEST(FunctionCatalog, LineSplitting)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(FunctionCatalog::SplitLines("A\r\n\r\nC\r\n"), (V{"A", "", "C"}));
    EXPECT_EQ(FunctionCatalog::SplitLines("A\n\nC\n"), (V{"A", "", "C"}));
    EXPECT_EQ(FunctionCatalog::SplitLines("A\nlast"), (V{"A", "last"}));
    EXPECT_EQ(FunctionCatalog::SplitLines("  padded \r\n"), (V{"  padded "}));
    EXPECT_EQ(FunctionCatalog::SplitLines(""), V{});
    EXPECT_EQ(FunctionCatalog::SplitLines("\n"), V{""});
}

TEST(FunctionCatalog, FilesByType)
{
    const fs::path dir = fs::temp_directory_path() / ("tavlora-catalog-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "Buttons.txt", std::ios::binary) << "Start\r\n\r\nStop";
    FunctionCatalog c;
    ASSERT_TRUE(c.Load(dir.string(), TypeImageButton));
    ASSERT_EQ(c.Entries().size(), 3u);
    EXPECT_EQ(c.Entries()[2], "Stop");
    EXPECT_FALSE(c.Load(dir.string(), TypeDro)); // DROs.txt missing
    EXPECT_TRUE(c.Entries().empty());
    for (int type : {TypeImage, TypeLabel, TypeMdi, TypeGCodeList, TypeToolPath}) {
        EXPECT_TRUE(c.Load("/nonexistent", type)) << type;
        EXPECT_TRUE(c.Entries().empty());
    }
    EXPECT_EQ(FunctionCatalog::PathForType("C:\\Vorn3", TypeLed), "C:\\Vorn3\\Leds.txt");
    fs::remove_all(dir);
}

TEST(HotKey, Codes)
{
    EXPECT_EQ(HotKey::Compose(0x74, true, true, false), 0x8474);
    EXPECT_EQ(HotKey::Compose('A', true, false, false), 0x8041);
    EXPECT_EQ(HotKey::Compose(0x70, false, true, false), 0x470);
    EXPECT_EQ(HotKey::Compose('X', false, false, true), 0x858);
    EXPECT_EQ(HotKey::Compose(13, false, false, true), 13);
    EXPECT_EQ(HotKey::Compose(13, true, false, true), 0x800D + 0x800);
    EXPECT_EQ(HotKey::Name(0x8474), "Ctrl+Shift+F5");
    EXPECT_EQ(HotKey::Name(0x858), "Alt+X");
    EXPECT_EQ(HotKey::Name(0), "None");
    EXPECT_EQ(HotKey::Name(13), "Enter");
    EXPECT_EQ(HotKey::Compose(INT32_MAX, true, true, true), 0); // no key code
    EXPECT_EQ(HotKey::Compose(-1, true, false, false), 0);
}

namespace {
ControlRecord& Add(ScreenSet& set, int type, int screen, int hotKey)
{
    auto r = std::make_unique<ControlRecord>();
    r->type = type;
    r->screen = screen;
    r->hotKey = hotKey;
    return set.Append(std::move(r));
}
} // namespace

TEST(HotKey, DuplicateCheck)
{
    ScreenSet set;
    ControlRecord& persistent = Add(set, TypeButton, 0, 0x41);
    ControlRecord& other = Add(set, TypeButton, 2, 0x41);
    ControlRecord& edited = Add(set, TypeDro, 1, 0x41);
    EXPECT_EQ(HotKey::FindDuplicate(set, edited, 1), nullptr);
    ControlRecord& first = Add(set, TypeButton, 1, 0x41);
    first.text = "Go";
    first.function = 32;
    first.parameter = 7;
    first.rect = {12, 34, 50, 60};
    Add(set, TypeImageButton, 1, 0x41);
    EXPECT_EQ(HotKey::FindDuplicate(set, edited, 1), &first);
    EXPECT_EQ(HotKey::DuplicateMessage(first),
              "The hotkey just set up duplicates another on:\n\nButton 'Go'\nFunction = 32 OEM code = 7 "
              "\nat X = 12 Y = 34");

    // Persistent controls count only while the persistent layer is designed.
    persistent.hotKey = 0x42;
    ControlRecord& p2 = Add(set, TypeLabel, 0, 0x42);
    EXPECT_EQ(HotKey::FindDuplicate(set, p2, 0), &persistent);
    EXPECT_EQ(HotKey::DuplicateMessage(p2).substr(45, 4), "\n\n\nF"); // empty name line

    ControlRecord& cleared = Add(set, TypeDro, 0, 0);
    Add(set, TypeDro, 0, 0);
    EXPECT_EQ(HotKey::FindDuplicate(set, cleared, 0), nullptr);
    ControlRecord& minusOne = Add(set, TypeDro, 0, -1);
    Add(set, TypeDro, 0, -1);
    EXPECT_EQ(HotKey::FindDuplicate(set, minusOne, 0), nullptr);
    (void)other;
    EXPECT_EQ(HotKey::DuplicateMessage(edited).find("DRO\nFunction = -1"), 47u);
}
