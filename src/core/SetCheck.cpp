#include "SetCheck.h"

#include "ControlTypes.h"

#include "CheckCode.h"
#include "ControlCaption.h"
#include "ControlType.h"
#include "DroFormat.h"
#include "FunctionCatalog.h"
#include "HotKey.h"
#include "ImagePath.h"
#include "JumpMap.h"
#include "ScreenVisibility.h"
#include "Windows1252.h"

#include <algorithm>
#include <charconv>

namespace tavlora {

namespace {

using Severity = Finding::Severity;

constexpr int kPersistent = ScreenVisibility::kPersistentScreen;

Finding About(const ScreenSet& set, size_t index, Severity severity, std::string_view code,
              std::string message)
{
    Finding f;
    f.severity = severity;
    f.code = code;
    f.screen = set.controls[index]->screen;
    f.index = index;
    f.message = std::move(message);
    return f;
}

Finding OfFile(Severity severity, std::string_view code, std::string message)
{
    Finding f;
    f.severity = severity;
    f.code = code;
    f.message = std::move(message);
    return f;
}

std::string Quoted(const std::string& bytes)
{
    return "\"" + Windows1252::ToUtf8(bytes) + "\"";
}

int64_t WidthOf(const Rect& r) { return int64_t(r.right) - r.left; }
int64_t HeightOf(const Rect& r) { return int64_t(r.bottom) - r.top; }
bool HasArea(const Rect& r) { return WidthOf(r) > 0 && HeightOf(r) > 0; }

template <typename Number>
void AppendNumber(std::string& s, Number n)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    s.append(digits, end);
}

std::string RectText(const Rect& r)
{
    std::string s;
    SetCheck::AppendRect(s, r);
    return s;
}

// Types the designer makes a widget for (type 2 and unknown types are never shown).
bool HasWidget(int type)
{
    return ControlTypes::Shown(type);
}

bool HasHotKey(int type)
{
    return type == TypeDro || type == TypeButton || type == TypeImageButton;
}

bool IsBmpName(const std::string& s)
{
    return s.find(".BMP") != std::string::npos || s.find(".bmp") != std::string::npos;
}

bool IsPngName(const std::string& s)
{
    return s.find(".PNG") != std::string::npos || s.find(".png") != std::string::npos;
}

// The picture name a picture control loads (after the keyword rule), empty when none.
std::string PictureName(const ControlRecord& r)
{
    if (r.image.empty())
        return {};
    std::string name = ImagePath::Normalise(r.image);
    ImagePath::ApplyKeywords(ImagePath::Keywords::Picture, name);
    return name;
}

// How the designer stacks a control: DROs and pictures are lowered to the
// bottom when created (each below the ones before), except PNG pictures, which
// rise to the top when loaded; every other control is above those created before.
int64_t StackOrder(const ControlRecord& r, size_t index)
{
    const int64_t n = int64_t(index) + 1;
    if (r.type == TypeDro)
        return -n;
    if (r.type == TypeImage)
        return IsPngName(PictureName(r)) ? n : -n;
    return n;
}

// Whether a control covers what lies beneath it. Labels draw no background;
// an image button without picture draws only a frame; keyed BMP pictures and
// older image controls may leave pixels uncovered.
bool Opaque(const ControlRecord& r)
{
    switch (r.type) {
    case TypeDro:
    case TypeButton:
    case TypeLed:
    case TypeMdi:
    case TypeGCodeList:
    case TypeToolPath:
        return true;
    case TypeImage: {
        const std::string name = PictureName(r);
        return !name.empty() && !IsBmpName(name);
    }
    case TypeImageButton: {
        std::string name = ImagePath::Normalise(r.image);
        return !r.image.empty() && ImagePath::ApplyKeywords(ImagePath::Keywords::EmergButton, name);
    }
    default:
        return false;
    }
}

// Whether a control draws anything that could be hidden.
bool Draws(const ControlRecord& r)
{
    if (!HasWidget(r.type) || r.type == TypeOlderImage)
        return false;
    if (r.type == TypeImage && r.image.empty())
        return false;
    return HasArea(r.rect);
}

bool Contains(const Rect& outer, const Rect& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right
        && outer.bottom >= inner.bottom;
}

// Finds, for every control of `shown` that must be checked, an opaque control
// drawn above it whose rectangle contains it. A uniform grid over the covering
// controls keeps this near linear: a covering control lies in every cell its
// rectangle touches, so the cell of a control's top-left corner holds every
// control that could contain it.
class CoverFinder {
public:
    struct Item {
        size_t index;
        Rect rect;
        int64_t z;
    };

    explicit CoverFinder(std::vector<Item> covers) : covers_(std::move(covers))
    {
        if (covers_.empty())
            return;
        int64_t minX = covers_[0].rect.left, minY = covers_[0].rect.top;
        int64_t maxX = minX, maxY = minY;
        std::vector<int64_t> sizes;
        sizes.reserve(covers_.size());
        for (const Item& c : covers_) {
            minX = std::min<int64_t>(minX, c.rect.left);
            minY = std::min<int64_t>(minY, c.rect.top);
            maxX = std::max<int64_t>(maxX, c.rect.right);
            maxY = std::max<int64_t>(maxY, c.rect.bottom);
            sizes.push_back(std::max(WidthOf(c.rect), HeightOf(c.rect)));
        }
        // Cells about as large as a typical covering control.
        std::nth_element(sizes.begin(), sizes.begin() + ptrdiff_t(sizes.size() / 2), sizes.end());
        cell_ = std::max<int64_t>(8, sizes[sizes.size() / 2]);
        originX_ = minX;
        originY_ = minY;
        columns_ = int(std::clamp<int64_t>((maxX - minX) / cell_ + 1, 1, kMaxCells));
        rows_ = int(std::clamp<int64_t>((maxY - minY) / cell_ + 1, 1, kMaxCells));
        cells_.resize(size_t(columns_) * size_t(rows_));
        for (size_t k = 0; k < covers_.size(); ++k) {
            const Rect& r = covers_[k].rect;
            const int c0 = Column(r.left), c1 = Column(int64_t(r.right) - 1);
            const int r0 = Row(r.top), r1 = Row(int64_t(r.bottom) - 1);
            for (int y = r0; y <= r1; ++y)
                for (int x = c0; x <= c1; ++x)
                    cells_[size_t(y) * size_t(columns_) + size_t(x)].push_back(uint32_t(k));
        }
        // Highest first, so a search stops at the first control not above.
        for (auto& cell : cells_)
            std::sort(cell.begin(), cell.end(),
                      [this](uint32_t a, uint32_t b) { return covers_[a].z > covers_[b].z; });
    }

    // The highest control above `z` that contains `rect`, or nothing.
    const Item* Above(const Rect& rect, int64_t z, size_t self) const
    {
        if (covers_.empty())
            return nullptr;
        const auto& cell = cells_[size_t(Row(rect.top)) * size_t(columns_) + size_t(Column(rect.left))];
        for (uint32_t k : cell) {
            const Item& c = covers_[k];
            if (c.z <= z)
                break;
            if (c.index != self && Contains(c.rect, rect))
                return &c;
        }
        return nullptr;
    }

private:
    static constexpr int64_t kMaxCells = 512;

    int Column(int64_t x) const { return int(std::clamp<int64_t>((x - originX_) / cell_, 0, columns_ - 1)); }
    int Row(int64_t y) const { return int(std::clamp<int64_t>((y - originY_) / cell_, 0, rows_ - 1)); }

    std::vector<Item> covers_;
    std::vector<std::vector<uint32_t>> cells_;
    int64_t cell_ = 1;
    int64_t originX_ = 0;
    int64_t originY_ = 0;
    int columns_ = 1;
    int rows_ = 1;
};

} // namespace

void SetCheck::Options::LoadCatalogs(std::string_view vornFolder)
{
    catalogs.clear();
    for (int type : {TypeDro, TypeButton, TypeLed}) {
        FunctionCatalog catalog;
        Catalog c;
        c.path = ImagePath::ToPlatform(FunctionCatalog::PathForType(vornFolder, type));
        c.entries = catalog.Load(vornFolder, type) ? long(catalog.Entries().size()) : -1;
        catalogs.emplace(std::string(FunctionCatalog::FileNameForType(type)), std::move(c));
    }
}

std::string SetCheck::Describe(const ScreenSet& set, size_t index)
{
    std::string s;
    AppendDescription(s, set, index);
    return s;
}

// Messages of large sets are many: their parts are appended, not concatenated.
void SetCheck::AppendRect(std::string& s, const Rect& r)
{
    AppendNumber(s, r.left);
    s += ',';
    AppendNumber(s, r.top);
    s += ',';
    AppendNumber(s, r.right);
    s += ',';
    AppendNumber(s, r.bottom);
}

void SetCheck::AppendDescription(std::string& s, const ScreenSet& set, size_t index)
{
    const ControlRecord& r = *set.controls[index];
    s += '#';
    AppendNumber(s, index);
    s += ' ';
    s += ControlCaption::TypeName(r.type);
    const std::string caption = ControlCaption::Of(r);
    if (!caption.empty()) {
        s += " \"";
        s += Windows1252::ToUtf8(caption);
        s += '"';
    }
}

std::vector<Finding> SetCheck::Run(const ScreenSet& set, const Options& options)
{
    std::vector<Finding> out;
    out.reserve(set.controls.size());
    CheckFile(set, options, out);
    CheckTypes(set, out);
    CheckFunctions(set, options, out);
    CheckDroFormats(set, out);
    CheckGeometry(set, options, out);
    CheckHidden(set, out);
    CheckHotKeys(set, out);
    CheckJumps(set, out);
    Finding::Sort(out);
    return out;
}

void SetCheck::CheckFile(const ScreenSet& set, const Options& o, std::vector<Finding>& out)
{
    if (o.file.recordsRead < 0)
        out.push_back(OfFile(Severity::Warning, CheckCode::NegativeCount,
                             "the file stores a control count of " + std::to_string(o.file.recordsRead)
                                 + ", so it reads as a set without controls"));
    if (o.file.bytesAfterColours > 0)
        out.push_back(OfFile(Severity::Warning, CheckCode::BytesAfterColours,
                             std::to_string(o.file.bytesAfterColours)
                                 + " bytes follow the ten colours; they are not read, and saving drops them"));
    for (size_t i = 0; i < set.controls.size(); ++i) {
        const ControlRecord& r = *set.controls[i];
        if (ScreenSetFile::IsProtectionText(r.text) || ScreenSetFile::IsProtectionGcode(r.gcode)) {
            out.push_back(OfFile(Severity::Note, CheckCode::ProtectedSet,
                                 "the set is protected by a password (the marker is in " + Describe(set, i)
                                     + "); the designer asks for it when the set is opened"));
            break;
        }
    }
}

void SetCheck::CheckTypes(const ScreenSet& set, std::vector<Finding>& out)
{
    for (size_t i = 0; i < set.controls.size(); ++i) {
        const int type = set.controls[i]->type;
        if (type == TypeObsolete)
            out.push_back(About(set, i, Severity::Note, CheckCode::ObsoleteType,
                                "obsolete control type 2: kept in the file, never shown"));
        else if (type == TypeOlderImage)
            out.push_back(About(set, i, Severity::Note, CheckCode::OlderImageType,
                                "older image control type 5: shows no picture, and is saved as type 3"));
        else if (!HasWidget(type))
            out.push_back(About(set, i, Severity::Warning, CheckCode::UnknownType,
                                "unknown control type " + std::to_string(type)
                                    + ": kept in the file, never shown"));
    }
}

void SetCheck::CheckFunctions(const ScreenSet& set, const Options& o, std::vector<Finding>& out)
{
    if (o.catalogs.empty())
        return;
    std::map<std::string, bool, std::less<>> missingReported;
    for (size_t i = 0; i < set.controls.size(); ++i) {
        const ControlRecord& r = *set.controls[i];
        const std::string_view file = FunctionCatalog::FileNameForType(r.type);
        if (file.empty() || r.function == -1)
            continue;
        const auto it = o.catalogs.find(file);
        if (it == o.catalogs.end())
            continue;
        const Catalog& c = it->second;
        if (c.entries < 0) {
            if (!missingReported[std::string(file)]) {
                missingReported[std::string(file)] = true;
                out.push_back(OfFile(Severity::Note, CheckCode::CatalogMissing,
                                     "cannot read the function catalog " + c.path
                                         + ", so the function numbers of the controls that use it are not checked"));
            }
            continue;
        }
        if (r.function < -1 || r.function >= c.entries)
            out.push_back(About(set, i, Severity::Warning, CheckCode::FunctionBeyondCatalog,
                                "function " + std::to_string(r.function) + " is not a line of " + std::string(file)
                                    + " (" + std::to_string(c.entries) + " lines, numbered from 0)"));
    }
}

void SetCheck::CheckDroFormats(const ScreenSet& set, std::vector<Finding>& out)
{
    for (size_t i = 0; i < set.controls.size(); ++i) {
        const ControlRecord& r = *set.controls[i];
        if (r.type != TypeDro)
            continue;
        const DroFormat::Skin skin = DroFormat::ParseSkin(r.format);
        if (!skin.drawDigits || DroFormat(skin.paintFormat).IsConversion())
            continue;
        out.push_back(About(set, i, Severity::Warning, CheckCode::DroFormatLiteral,
                            "format " + Quoted(r.format) + " is drawn as it stands, not as a number: it needs"
                                " exactly one floating-point conversion such as %+.4f"));
    }
}

void SetCheck::CheckGeometry(const ScreenSet& set, const Options& o, std::vector<Finding>& out)
{
    const int64_t w = o.screenWidth, h = o.screenHeight;
    const std::string screenText = std::to_string(w) + "x" + std::to_string(h);
    for (size_t i = 0; i < set.controls.size(); ++i) {
        const ControlRecord& r = *set.controls[i];
        if (!HasWidget(r.type))
            continue;
        const Rect& rc = r.rect;
        if (!HasArea(rc)) {
            out.push_back(About(set, i, Severity::Warning, CheckCode::EmptyRect,
                                "size " + std::to_string(WidthOf(rc)) + "x" + std::to_string(HeightOf(rc))
                                    + " (rect " + RectText(rc) + "): the control is never seen"));
            continue;
        }
        if (rc.right <= 0 || rc.bottom <= 0 || rc.left >= w || rc.top >= h) {
            out.push_back(About(set, i, Severity::Error, CheckCode::OffScreen,
                                "rect " + RectText(rc) + " lies entirely outside the " + screenText + " screen"));
            continue;
        }
        std::string edges;
        auto edge = [&edges](const std::string& s) { edges += (edges.empty() ? "" : ", ") + s; };
        if (rc.left < 0)
            edge("left " + std::to_string(rc.left) + " < 0");
        if (rc.top < 0)
            edge("top " + std::to_string(rc.top) + " < 0");
        if (rc.right > w)
            edge("right " + std::to_string(rc.right) + " > " + std::to_string(w));
        if (rc.bottom > h)
            edge("bottom " + std::to_string(rc.bottom) + " > " + std::to_string(h));
        if (!edges.empty())
            out.push_back(About(set, i, Severity::Warning, CheckCode::PartlyOffScreen,
                                "rect " + RectText(rc) + " reaches outside the " + screenText + " screen (" + edges
                                    + ")"));
    }
}

void SetCheck::CheckHidden(const ScreenSet& set, std::vector<Finding>& out)
{
    // The controls of each screen; the persistent layer is checked on its own
    // and as the background of every screen that shows it.
    std::map<int32_t, std::vector<size_t>> byScreen;
    for (size_t i = 0; i < set.controls.size(); ++i)
        if (Draws(*set.controls[i]))
            byScreen[set.controls[i]->screen].push_back(i);
    const std::vector<size_t> none;
    const auto persistentIt = byScreen.find(kPersistent);
    const std::vector<size_t>& persistent = persistentIt == byScreen.end() ? none : persistentIt->second;

    // Each record's stacking place and cover, once: the persistent layer is
    // looked at for every screen.
    std::vector<int64_t> order(set.controls.size());
    std::vector<bool> opaque(set.controls.size());
    for (const auto& [screen, members] : byScreen) {
        for (size_t i : members) {
            order[i] = StackOrder(*set.controls[i], i);
            opaque[i] = Opaque(*set.controls[i]);
        }
    }

    auto coversOf = [&](const std::vector<size_t>& list) {
        std::vector<CoverFinder::Item> covers;
        for (size_t i : list) {
            if (opaque[i])
                covers.push_back({i, set.controls[i]->rect, order[i]});
        }
        return CoverFinder(std::move(covers));
    };
    // The persistent layer's finder is made once and asked beside each
    // screen's own: the highest cover of the two is the one drawn above.
    const CoverFinder persistentFinder = coversOf(persistent);
    for (const auto& [screen, members] : byScreen) {
        const bool own = screen == kPersistent;
        const bool withPersistent = !own && ScreenVisibility::ShowsOn(kPersistent, screen);
        const CoverFinder screenFinder = own ? CoverFinder({}) : coversOf(members);
        const CoverFinder& finder = own ? persistentFinder : screenFinder;
        for (size_t i : members) {
            const ControlRecord& r = *set.controls[i];
            const CoverFinder::Item* c = finder.Above(r.rect, order[i], i);
            if (withPersistent) {
                const CoverFinder::Item* p = persistentFinder.Above(r.rect, order[i], i);
                if (p && (!c || p->z > c->z))
                    c = p;
            }
            if (c) {
                std::string message;
                message.reserve(128);
                message += "completely covered by ";
                AppendDescription(message, set, c->index);
                message += " (rect ";
                AppendRect(message, c->rect);
                message += "), which is drawn above it";
                Finding f = About(set, i, Severity::Warning, CheckCode::HiddenControl, std::move(message));
                f.otherIndex = c->index;
                out.push_back(std::move(f));
            }
        }
    }
}

void SetCheck::CheckHotKeys(const ScreenSet& set, std::vector<Finding>& out)
{
    // First control (in list order) of each hot key per screen.
    std::map<std::pair<int32_t, int32_t>, size_t> first;
    for (size_t i = 0; i < set.controls.size(); ++i) {
        const ControlRecord& r = *set.controls[i];
        if (HotKey::IsSet(r.hotKey) && HasHotKey(r.type))
            first.emplace(std::make_pair(r.screen, r.hotKey), i);
    }
    for (size_t i = 0; i < set.controls.size(); ++i) {
        const ControlRecord& r = *set.controls[i];
        if (!HotKey::IsSet(r.hotKey) || !HasHotKey(r.type))
            continue;
        // Another control shown together with this one: an earlier one of the
        // same screen, or (for a screen that shows them) a persistent one.
        std::optional<size_t> other;
        const size_t sameScreen = first.at({r.screen, r.hotKey});
        if (sameScreen != i)
            other = sameScreen;
        if (r.screen != kPersistent && ScreenVisibility::ShowsOn(kPersistent, r.screen)) {
            const auto p = first.find({kPersistent, r.hotKey});
            if (p != first.end() && (!other || p->second < *other))
                other = p->second;
        }
        if (!other)
            continue;
        const bool otherPersistent = set.controls[*other]->screen == kPersistent && r.screen != kPersistent;
        Finding f = About(set, i, Severity::Error, CheckCode::DuplicateHotKey,
                          "hot key " + HotKey::Name(r.hotKey) + " (" + std::to_string(r.hotKey)
                              + ") is also used by " + Describe(set, *other)
                              + (otherPersistent ? " on the persistent layer" : ""));
        f.otherIndex = *other;
        out.push_back(std::move(f));
    }
}

void SetCheck::CheckJumps(const ScreenSet& set, std::vector<Finding>& out)
{
    const JumpMap map = JumpMap::Build(set);
    for (const JumpMap::Jump& j : map.Jumps()) {
        if (j.to >= 1 && map.ControlsOn(j.to) > 0)
            continue;
        std::string message = "jumps to screen " + std::to_string(j.to);
        if (j.to == kPersistent)
            message += ", the persistent layer, which is not a screen of its own";
        else if (j.to < 0)
            message += ", which is not a screen";
        else
            message += ", which holds no controls";
        out.push_back(About(set, j.index, Severity::Error, CheckCode::JumpToEmptyScreen, message));
    }
    const std::set<int32_t> reached = map.ReachableFrom(1);
    for (const auto& [screen, count] : map.ControlsPerScreen()) {
        if (screen == kPersistent || reached.count(screen))
            continue;
        Finding f;
        f.severity = Severity::Note;
        f.code = CheckCode::UnreachableScreen;
        f.screen = screen;
        f.message = std::to_string(count) + " control" + (count == 1 ? "" : "s")
            + ", not reached by any chain of jumps from screen 1";
        if (screen < 1 || screen >= JumpMap::kJumpLimit)
            f.message += "; jumps reach only screens 1 to " + std::to_string(JumpMap::kJumpLimit - 1);
        out.push_back(std::move(f));
    }
}

} // namespace tavlora
