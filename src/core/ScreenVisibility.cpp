#include "ScreenVisibility.h"

#include "ControlTypes.h"

#include "ControlType.h"

#include <algorithm>

namespace tavlora {

void ScreenVisibility::Refresh(const ScreenSet& set, int current, bool showImages)
{
    for (auto& rec : set.controls) {
        if (!rec->widget)
            continue;
        if (rec->type == TypeImage && !showImages)
            continue;
        rec->widget->SetVisible(ShowsOn(rec->screen, current));
    }
}

void ScreenVisibility::Apply(const ControlRecord& rec, int current, bool showImages)
{
    if (!rec.widget)
        return;
    rec.widget->SetVisible(ShowsOn(rec.screen, current) && (rec.type != TypeImage || showImages));
}

void ScreenVisibility::ApplyImageSwitch(const ScreenSet& set, int current, bool showImages)
{
    for (auto& rec : set.controls) {
        if (rec->type != TypeImage || !rec->widget)
            continue;
        if (rec->screen == current || rec->screen == kPersistentScreen)
            rec->widget->SetVisible(showImages);
    }
}

std::vector<int> ScreenVisibility::UsedScreens(const ScreenSet& set)
{
    std::vector<int> screens;
    for (const auto& rec : set.controls)
        screens.push_back(rec->screen);
    std::sort(screens.begin(), screens.end(), [](int a, int b) {
        if ((a == kPersistentScreen) != (b == kPersistentScreen))
            return a == kPersistentScreen;
        return a < b;
    });
    screens.erase(std::unique(screens.begin(), screens.end()), screens.end());
    return screens;
}

unsigned ScreenVisibility::HiddenReasons(const ControlRecord& rec, int screenWidth, int screenHeight, bool showImages)
{
    unsigned reasons = Visible;
    if (!ControlTypes::Shown(rec.type))
        reasons |= NoWidget;
    const Rect& r = rec.rect;
    if (int64_t(r.right) - r.left <= 0 || int64_t(r.bottom) - r.top <= 0)
        reasons |= NoArea;
    else if (r.right <= 0 || r.bottom <= 0 || r.left >= screenWidth || r.top >= screenHeight)
        reasons |= OffScreen;
    if (rec.type == TypeImage && !showImages)
        reasons |= PictureHidden;
    return reasons;
}

} // namespace tavlora
