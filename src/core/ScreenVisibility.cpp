#include "ScreenVisibility.h"

#include "ControlType.h"

namespace tavlora {

void ScreenVisibility::Refresh(ScreenSet& set, int current, bool showImages)
{
    for (auto& rec : set.controls) {
        if (!rec->widget)
            continue;
        if (rec->type == TypeImage && !showImages)
            continue;
        rec->widget->SetVisible(ShowsOn(rec->screen, current));
    }
}

void ScreenVisibility::Apply(ControlRecord& rec, int current, bool showImages)
{
    if (!rec.widget)
        return;
    rec.widget->SetVisible(ShowsOn(rec.screen, current) && (rec.type != TypeImage || showImages));
}

void ScreenVisibility::ApplyImageSwitch(ScreenSet& set, int current, bool showImages)
{
    for (auto& rec : set.controls) {
        if (rec->type != TypeImage || !rec->widget)
            continue;
        if (rec->screen == current || rec->screen == kPersistentScreen)
            rec->widget->SetVisible(showImages);
    }
}

} // namespace tavlora
