#include "HtmlPages.h"

#include "ControlCaption.h"
#include "ControlForm.h"
#include "ControlType.h"
#include "ControlTypes.h"
#include "FunctionCatalog.h"
#include "HotKey.h"
#include "JumpMap.h"
#include "ScreenVisibility.h"
#include "Windows1252.h"

#include <algorithm>
#include <set>

namespace tavlora {

namespace {

const char* const kStyle =
    "body{margin:0;background:#2b2b2b;color:#eee;font:14px sans-serif}\n"
    "a{color:#9cf}\n"
    "nav{padding:6px 8px}\n"
    "nav a,nav strong{margin-right:12px}\n"
    ".screen{position:relative;margin:0 8px 8px}\n"
    ".screen img{display:block;width:100%;height:auto}\n"
    ".control{position:absolute}\n"
    ".control:hover{outline:1px dashed #fc0;outline-offset:-1px}\n"
    "a.jump:hover,a.jump:focus{outline:2px solid #fc0;outline-offset:-2px}\n"
    ".pages{list-style:none;padding:0 8px;display:flex;flex-wrap:wrap;gap:12px}\n"
    ".pages img{display:block;width:256px;height:auto;margin-bottom:4px}\n";

// The part of a rectangle on a screen of width x height.
Rect Clip(const Rect& r, int width, int height)
{
    Rect c;
    c.left = std::max<int32_t>(r.left, 0);
    c.top = std::max<int32_t>(r.top, 0);
    c.right = std::min<int32_t>(r.right, width);
    c.bottom = std::min<int32_t>(r.bottom, height);
    return c;
}

// `part` of `whole` as a percentage with four decimals ("12.5000%").
std::string Percent(int64_t part, int whole)
{
    const int64_t scaled = part * 1000000 / whole;
    const std::string fraction = std::to_string(scaled % 10000);
    return std::to_string(scaled / 10000) + '.' + std::string(4 - fraction.size(), '0') + fraction + '%';
}

std::string Head(std::string_view title)
{
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    html += HtmlPages::Escape(title);
    html += "</title>\n<style>\n";
    html += kStyle;
    html += "</style>\n</head>\n";
    return html;
}

std::string Link(std::string_view href, std::string_view text)
{
    return "<a href=\"" + HtmlPages::Escape(href) + "\">" + HtmlPages::Escape(text) + "</a>";
}

} // namespace

HtmlPages::Catalogs HtmlPages::LoadCatalogs(std::string_view vornFolder)
{
    Catalogs catalogs;
    for (int type : {TypeDro, TypeButton, TypeImageButton, TypeLed}) {
        FunctionCatalog catalog;
        if (catalog.Load(vornFolder, type))
            catalogs.emplace(type, catalog.Entries());
    }
    return catalogs;
}

std::vector<int32_t> HtmlPages::Screens(const ScreenSet& set)
{
    std::set<int32_t> screens;
    for (const auto& rec : set.controls)
        if (rec->screen != ScreenVisibility::kPersistentScreen && ControlTypes::Shown(rec->type))
            screens.insert(rec->screen);
    if (screens.empty())
        screens.insert(1);
    return {screens.begin(), screens.end()};
}

std::vector<HtmlPages::Page> HtmlPages::Build(const ScreenSet& set, const Catalogs& catalogs, int width, int height)
{
    const std::vector<int32_t> screens = Screens(set);
    const std::set<int32_t> paged(screens.begin(), screens.end());
    std::vector<Page> pages;
    for (int32_t screen : screens) {
        Page page;
        page.screen = screen;
        for (size_t i = 0; i < set.controls.size(); ++i) {
            const ControlRecord& r = *set.controls[i];
            if (!ScreenVisibility::ShowsOn(r.screen, screen) || !ControlTypes::Shown(r.type))
                continue;
            Area area;
            area.index = i;
            area.rect = Clip(r.rect, width, height);
            if (area.rect.IsEmpty())
                continue;
            const bool hasPage = JumpMap::IsJump(r) && paged.count(r.parameter) > 0;
            if (hasPage)
                area.target = r.parameter;
            area.title = Tooltip(r, catalogs, hasPage);
            page.areas.push_back(std::move(area));
        }
        pages.push_back(std::move(page));
    }
    return pages;
}

int32_t HtmlPages::StartScreen(const std::vector<Page>& pages)
{
    for (const Page& p : pages)
        if (p.screen == 1)
            return 1;
    return pages.empty() ? 1 : pages.front().screen;
}

std::string HtmlPages::FunctionName(const ControlRecord& r, const Catalogs& catalogs)
{
    const auto it = catalogs.find(r.type);
    return Windows1252::ToUtf8(ControlForm::FunctionName(r, it == catalogs.end() ? nullptr : &it->second));
}

std::string HtmlPages::Tooltip(const ControlRecord& r, const Catalogs& catalogs, bool hasPage)
{
    std::string text;
    auto line = [&text](const std::string& s) {
        if (!text.empty())
            text += '\n';
        text += s;
    };
    if (const std::string caption = Windows1252::ToUtf8(ControlCaption::Of(r)); !caption.empty())
        line(caption);
    line(ControlCaption::TypeName(r.type));
    if (const std::string function = FunctionName(r, catalogs); !function.empty())
        line("Function: " + function);
    if (HotKey::IsSet(r.hotKey))
        line("Hot key: " + HotKey::Name(r.hotKey));
    if (JumpMap::IsJump(r))
        line(hasPage ? "Goes to " + ScreenName(r.parameter)
                     : "Goes to screen " + std::to_string(r.parameter) + ", which has no controls of its own");
    return text;
}

std::string HtmlPages::PageFile(int32_t screen)
{
    return "screen-" + std::to_string(screen) + ".html";
}

std::string HtmlPages::ImageFile(int32_t screen)
{
    return "screen-" + std::to_string(screen) + ".png";
}

std::string HtmlPages::ScreenName(int32_t screen)
{
    return screen == ScreenVisibility::kTabScreen ? "TAB Screen" : "Screen " + std::to_string(screen);
}

std::string HtmlPages::PageHtml(const Page& page, const std::vector<Page>& pages, std::string_view setName,
                                int width, int height)
{
    const std::string name = ScreenName(page.screen);
    std::string html = Head(name + " - " + std::string(setName));
    html += "<body id=\"screen-" + std::to_string(page.screen) + "\">\n<nav>" + Link("index.html", setName);
    for (const Page& p : pages) {
        if (p.screen == page.screen)
            html += "<strong aria-current=\"page\">" + Escape(name) + "</strong>";
        else
            html += Link(PageFile(p.screen), ScreenName(p.screen));
    }
    html += "</nav>\n<main class=\"screen\" style=\"max-width:" + std::to_string(width) + "px\">\n";
    html += "<img src=\"" + Escape(ImageFile(page.screen)) + "\" width=\"" + std::to_string(width) + "\" height=\""
        + std::to_string(height) + "\" alt=\"" + Escape(name) + "\">\n";
    if (width > 0 && height > 0) {
        for (const Area& a : page.areas) {
            const std::string style = "left:" + Percent(a.rect.left, width) + ";top:" + Percent(a.rect.top, height)
                + ";width:" + Percent(a.rect.Width(), width) + ";height:" + Percent(a.rect.Height(), height);
            const std::string attributes = " style=\"" + style + "\" title=\"" + Escape(a.title) + "\"";
            if (a.target)
                html += "<a class=\"control jump\" href=\"" + Escape(PageFile(*a.target)) + "\"" + attributes + "></a>\n";
            else
                html += "<span class=\"control\"" + attributes + "></span>\n";
        }
    }
    html += "</main>\n</body>\n</html>\n";
    return html;
}

std::string HtmlPages::IndexHtml(const std::vector<Page>& pages, std::string_view setName)
{
    const int32_t start = StartScreen(pages);
    std::string html = Head(setName);
    html += "<body id=\"index\">\n<nav><strong>" + Escape(setName) + "</strong>"
        + Link(PageFile(start), "Start: " + ScreenName(start)) + "</nav>\n<ul class=\"pages\">\n";
    for (const Page& p : pages) {
        html += "<li><a href=\"" + Escape(PageFile(p.screen)) + "\"><img src=\"" + Escape(ImageFile(p.screen))
            + "\" alt=\"\">" + Escape(ScreenName(p.screen)) + "</a></li>\n";
    }
    html += "</ul>\n</body>\n</html>\n";
    return html;
}

std::string HtmlPages::Escape(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default:
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7f)
                out += "&#" + std::to_string(static_cast<unsigned char>(c)) + ';';
            else
                out += c;
        }
    }
    return out;
}

} // namespace tavlora
