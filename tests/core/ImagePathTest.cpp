#include "core/ImagePath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tavlora;
namespace fs = std::filesystem;

TEST(ImagePath, NormaliseAndKeywords)
{
    EXPECT_EQ(ImagePath::Resolve("C:\\Vorn3", "/Sub/Pic.bmp", ImagePath::Keywords::Picture),
              "C:\\Vorn3\\Bitmaps\\Sub\\Pic.bmp");
    EXPECT_EQ(ImagePath::Normalise("\\\\Pic.bmp"), "\\Pic.bmp");
    EXPECT_EQ(ImagePath::Resolve("V", "None.png", ImagePath::Keywords::Dro),
              "V\\Bitmaps\\MillBitmaps\\offline.jpg");
    EXPECT_EQ(ImagePath::Resolve("V", "None.png", ImagePath::Keywords::EmergButton), "");
    EXPECT_EQ(ImagePath::Resolve("V", "Missing", ImagePath::Keywords::EmergButton),
              "V\\Bitmaps\\MillBitmaps\\offline.jpg");
    EXPECT_EQ(ImagePath::Resolve("V", "Missing", ImagePath::Keywords::Picture), "V\\Bitmaps\\Missing");
    EXPECT_EQ(ImagePath::Resolve("V", "none.png", ImagePath::Keywords::EmergButton),
              "V\\Bitmaps\\none.png");
    EXPECT_EQ(ImagePath::Resolve("V", "x/None/y.bmp", ImagePath::Keywords::LedCustom), "");
}

TEST(ImagePath, NamesThatLeaveTheBitmapsFolder)
{
    const struct {
        std::string name;
        bool leaves;
    } rows[] = {
        {"..\\..\\etc\\shadow", true}, {"a/../../b.png", true}, {"a/../b.png", false}, {"./a.png", false},
        {"...\\x.png", true},     {". .\\x.png", true},    {std::string("a\\..\\\0x", 7), true},
        {"a..b.png", false},     {"", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ImagePath::LeavesFolder(row.name), row.leaves) << row.name;
    bool outside = false;
    EXPECT_EQ(ImagePath::Resolve("V", "../x.png", ImagePath::Keywords::Picture, &outside), "");
    EXPECT_TRUE(outside);
}

#ifndef _WIN32
TEST(ImagePath, MatchesComponentsWithoutRegardToCase)
{
    const fs::path root = fs::temp_directory_path() / ("tavlora-imagepath-" + std::to_string(::getpid()));
    fs::create_directories(root / "Bitmaps" / "MillBitmaps");
    std::ofstream(root / "Bitmaps" / "MillBitmaps" / "Start.BMP") << "x";
    const std::string stored = ImagePath::Resolve(root.string(), "millbitmaps\\start.bmp",
                                                  ImagePath::Keywords::Picture);
    EXPECT_EQ(ImagePath::ToPlatform(stored), (root / "Bitmaps" / "MillBitmaps" / "Start.BMP").string());
    // Exact names are taken as they are; unknown components are kept.
    EXPECT_EQ(ImagePath::ToPlatform(root.string() + "\\Bitmaps\\Nope\\a.bmp"),
              (root / "Bitmaps" / "Nope" / "a.bmp").string());
    fs::remove_all(root);
}
#endif
