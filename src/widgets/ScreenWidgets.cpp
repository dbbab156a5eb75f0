#include "ScreenWidgets.h"

#include "WidgetContext.h"
#include "WidgetFactory.h"

#include "core/ScreenSet.h"
#include "core/ScreenVisibility.h"

namespace tavlora {

ScreenWidgets::ScreenWidgets(const ScreenSet& set, WidgetContext& ctx, int screen, bool showScreen)
{
    ctx.BeginBatch();
    for (const auto& rec : set.controls) {
        const bool shows = ScreenVisibility::ShowsOn(rec->screen, screen);
        if (!rec->widget && shows) {
            WidgetFactory::Keep(*rec, ctx, true);
            if (rec->widget)
                made_.push_back(rec.get());
        }
        if (ControlWidget* w = rec->widget.get(); showScreen && w && w->IsVisible() != shows) {
            shown_.push_back({w, w->IsVisible()});
            w->SetVisible(shows);
        }
    }
    ctx.EndBatch();
}

ScreenWidgets::~ScreenWidgets()
{
    for (const Shown& s : shown_)
        s.widget->SetVisible(s.visible);
    for (const ControlRecord* rec : made_)
        rec->widget.reset();
}

} // namespace tavlora
