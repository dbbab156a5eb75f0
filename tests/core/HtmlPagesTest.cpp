#include "core/HtmlPages.h"

#include "SetBuilder.h"

#include <gtest/gtest.h>

using namespace tavlora;
using test::SetBuilder;

namespace {

ControlRecord& Button(ScreenSet& set, int screen, int x, int function, int parameter)
{
    ControlRecord& r = SetBuilder::Add(set, TypeButton, screen, {x, 700, x + 100, 740});
    r.function = function;
    r.parameter = parameter;
    return r;
}

} // namespace

TEST(HtmlPages, PagesAreasAndJumpTargets)
{
    ScreenSet set;
    Button(set, 0, 0, 32, 1).text = "Home <&\"> \x80";      // #0 persistent jump
    Button(set, 1, 100, 32, 2);                             // #1
    Button(set, 1, 200, 32, 7).hotKey = 113;                // #2 to a screen without controls
    Button(set, 2, 300, 32, 150);                           // #3 an OEM code, no jump
    Button(set, 2, 400, 33, 1);                             // #4 G-code, no jump
    SetBuilder::Add(set, TypeImageButton, 50, {0, 0, 60, 60}).function = 32; // #5 to screen 0
    SetBuilder::Add(set, TypeObsolete, 3, {0, 0, 60, 60});  // #6 draws nothing
    SetBuilder::Add(set, TypeLabel, 2, {2000, 0, 2100, 20}); // #7 off the screen
    SetBuilder::Add(set, TypeLed, 1, {1000, 760, 1100, 800}); // #8 partly off

    const HtmlPages::Catalogs catalogs{{TypeButton, std::vector<std::string>(40, "Fn")}};
    const std::vector<HtmlPages::Page> pages = HtmlPages::Build(set, catalogs, 1024, 768);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(HtmlPages::StartScreen(pages), 1);

    struct Row { size_t page; std::vector<size_t> indices; std::vector<std::optional<int32_t>> targets; };
    const Row rows[] = {
        {0, {0, 1, 2, 8}, {1, 2, std::nullopt, std::nullopt}},
        {1, {0, 3, 4}, {1, std::nullopt, std::nullopt}},
        {2, {5}, {std::nullopt}}, // the TAB screen: no persistent controls
    };
    for (const Row& row : rows) {
        const HtmlPages::Page& page = pages[row.page];
        ASSERT_EQ(page.areas.size(), row.indices.size()) << "screen " << page.screen;
        for (size_t i = 0; i < row.indices.size(); ++i) {
            EXPECT_EQ(page.areas[i].index, row.indices[i]) << "screen " << page.screen;
            EXPECT_EQ(page.areas[i].target, row.targets[i]) << "screen " << page.screen << " #" << row.indices[i];
        }
    }
    EXPECT_EQ(pages[0].areas[3].rect, (Rect{1000, 760, 1024, 768}));
    EXPECT_EQ(pages[0].areas[2].title, "None\nButton Control\nFunction: Fn 7\nHot key: F2\n"
                                       "Goes to screen 7, which has no controls of its own");

    const std::string html = HtmlPages::PageHtml(pages[1], pages, "a&b.set", 1024, 768);
    EXPECT_NE(html.find("<title>Screen 2 - a&amp;b.set</title>"), std::string::npos);
    EXPECT_NE(html.find("title=\"Home &lt;&amp;&quot;&gt; \u20ac\nButton Control"), std::string::npos);
    EXPECT_EQ(html.find("<&\">"), std::string::npos);
    EXPECT_NE(html.find("<a class=\"control jump\" href=\"screen-1.html\" style=\"left:0.0000%;top:91.1458%;"
                        "width:9.7656%;height:5.2083%\""), std::string::npos);
    EXPECT_EQ(HtmlPages::Escape("\x01 'x'\t"), "&#1; &#39;x&#39;\t");
}
