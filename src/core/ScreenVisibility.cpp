#include "ScreenVisibility.h"

#include "ControlType.h"

namespace tavlora {

void ScreenVisibility::Refresh(ScreenSet& set, bool showImages)
{
    const int current = set.currentScreen;
    for (auto& rec : set.controls) {
        if (!rec->widget)
            continue;
        if (rec->type == TypeImage && !showImages)
            continue;
        rec->widget->SetVisible(ShowsOn(rec->screen, current));
    }
}

void ScreenVisibility::ApplyImageSwitch(ScreenSet& set, bool showImages)
{
    for (auto& rec : set.controls) {
        if (rec->type != TypeImage || !rec->widget)
            continue;
        if (rec->screen == set.currentScreen || rec->screen == kPersistentScreen)
            rec->widget->SetVisible(showImages);
    }
}

} // namespace tavlora
