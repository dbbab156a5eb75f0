#include "ControlPick.h"

#include "ControlRecord.h"
#include "ControlType.h"
#include "Handles.h"
#include "ScreenSet.h"
#include "ScreenVisibility.h"

#include <cstdlib>

namespace tavlora {

long long ControlPick::Area(const Rect& r)
{
    return std::llabs((static_cast<long long>(r.bottom) - r.top) * (static_cast<long long>(r.right) - r.left));
}

ControlPick::Hit ControlPick::At(const ScreenSet& set, int currentScreen, bool showImages, Point p)
{
    return At(set, currentScreen, showImages, p.x, p.y, 1.0);
}

ControlPick::Hit ControlPick::At(const ScreenSet& set, int currentScreen, bool showImages, double x, double y,
                                 double zoom)
{
    Hit best;
    long long bound = kAreaBound;
    for (size_t i = set.controls.size(); i-- > 0;) {
        const ControlRecord& rec = *set.controls[i];
        if (rec.screen != currentScreen && rec.screen != ScreenVisibility::kPersistentScreen)
            continue;
        if (rec.type == TypeImage && !showImages)
            continue;
        const int code = Handles::HitZoomed(rec.rect, x, y, zoom);
        if (code == Handles::None)
            continue;
        const long long area = Area(rec.rect);
        if (area < bound) {
            bound = area;
            best = {&rec, code};
        }
    }
    return best;
}

std::vector<const ControlRecord*> ControlPick::InBand(const ScreenSet& set, int currentScreen, const Rect& band)
{
    const Rect b = Handles::Normalised(band);
    std::vector<const ControlRecord*> inside;
    for (size_t i = set.controls.size(); i-- > 0;) {
        const ControlRecord& rec = *set.controls[i];
        if (rec.screen != currentScreen)
            continue;
        const Rect& r = rec.rect;
        if (r.IsEmpty())
            continue;
        if (r.left >= b.left && r.top >= b.top && r.right <= b.right && r.bottom <= b.bottom)
            inside.push_back(&rec);
    }
    return inside;
}

const ControlRecord* ControlPick::Inside(const ScreenSet& set, int currentScreen, bool showImages, Point p)
{
    const ControlRecord* best = nullptr;
    long long bound = kAreaBound;
    for (size_t i = set.controls.size(); i-- > 0;) {
        const ControlRecord& rec = *set.controls[i];
        const bool candidate = rec.screen == currentScreen
            || (rec.screen == ScreenVisibility::kPersistentScreen && !(rec.type == TypeImage && !showImages));
        if (!candidate || !Handles::Contains(Handles::Normalised(rec.rect), p))
            continue;
        const long long area = Area(rec.rect);
        if (area < bound) {
            bound = area;
            best = &rec;
        }
    }
    return best;
}

std::vector<const ControlRecord*> ControlPick::OnScreen(const ScreenSet& set, int currentScreen)
{
    std::vector<const ControlRecord*> on;
    for (size_t i = set.controls.size(); i-- > 0;) {
        if (set.controls[i]->screen == currentScreen)
            on.push_back(set.controls[i].get());
    }
    return on;
}

} // namespace tavlora
