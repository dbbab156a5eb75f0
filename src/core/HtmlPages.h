#pragma once

#include "ScreenSet.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlora {

// A screen set as linked HTML pages: one page per screen in use, showing the
// screen's picture (made elsewhere) with an area over each control drawn on
// it. A screen jump's area links to the page of its target screen; every
// area's tooltip names the control's caption, function and hot key. The
// persistent controls are on every page but the TAB screen's.
class HtmlPages {
public:
    // Function names by control type: line N of a catalog is function N. A
    // type missing here has no readable catalog.
    using Catalogs = std::map<int, std::vector<std::string>>;

    struct Area {
        size_t index = 0;              // the control's index in the list
        Rect rect;                     // on the screen, clipped to it
        std::string title;             // the tooltip (UTF-8, not escaped)
        std::optional<int32_t> target; // the page a jump links to
    };

    struct Page {
        int32_t screen = 1;
        std::vector<Area> areas; // in list order: the later is drawn above
    };

    // The catalogs of a Vorn3 folder (stored form); unreadable ones are left out.
    static Catalogs LoadCatalogs(std::string_view vornFolder);

    // The screens holding a drawn control, the persistent layer left out,
    // ascending; screen 1 when there are none.
    static std::vector<int32_t> Screens(const ScreenSet& set);
    // The pages of those screens on a target screen of width x height pixels.
    static std::vector<Page> Build(const ScreenSet& set, const Catalogs& catalogs, int width, int height);
    // The page shown first: screen 1's when there is one, else the first.
    static int32_t StartScreen(const std::vector<Page>& pages);

    // The tooltip of a control: its caption, type, function, hot key and, for
    // a jump, where it goes (`hasPage` says whether that screen has a page).
    static std::string Tooltip(const ControlRecord& record, const Catalogs& catalogs, bool hasPage);
    // The function as the control list names it ("OEM Button Code 2"); empty for none.
    static std::string FunctionName(const ControlRecord& record, const Catalogs& catalogs);

    // "screen-2.html", "screen-2.png", "Screen 2" ("TAB Screen" for 50).
    static std::string PageFile(int32_t screen);
    static std::string ImageFile(int32_t screen);
    static std::string ScreenName(int32_t screen);

    // The documents; `setName` (UTF-8) is the set's file name shown in them.
    static std::string PageHtml(const Page& page, const std::vector<Page>& pages, std::string_view setName,
                                int width, int height);
    static std::string IndexHtml(const std::vector<Page>& pages, std::string_view setName);

    // UTF-8 text for HTML content and quoted attribute values: & < > " ' as
    // references, and the C0 controls but tab and line ends as numeric ones.
    static std::string Escape(std::string_view utf8);
};

} // namespace tavlora
