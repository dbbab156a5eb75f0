#include "PreviewWidgets.h"

#include "core/ScreenSet.h"
#include "core/ScreenVisibility.h"
#include "widgets/DesignWidget.h"
#include "widgets/ScreenRenderer.h"
#include "widgets/WidgetFactory.h"

namespace tavlora {

PreviewWidgets::PreviewWidgets(const ScreenSet& set) : set_(set), ctx_(set, false)
{
    ctx_.BeginLoad();
}

PreviewWidgets::~PreviewWidgets() = default;

void PreviewWidgets::Show(int32_t screen, const std::string& vornFolder)
{
    widgets_.clear();
    screen_ = screen;
    ctx_.vornFolder = vornFolder;
    ctx_.BeginBatch();
    for (const auto& rec : set_.controls)
        Refresh(*rec);
    ctx_.EndBatch();
}

void PreviewWidgets::Refresh(const ControlRecord& record)
{
    widgets_.erase(&record);
    if (!ScreenVisibility::ShowsOn(record.screen, screen_))
        return;
    if (std::unique_ptr<DesignWidget> w = WidgetFactory::MakeStandalone(record, ctx_))
        widgets_.emplace(&record, std::move(w));
}

void PreviewWidgets::Drop(const ControlRecord& record)
{
    widgets_.erase(&record);
}

void PreviewWidgets::Clear()
{
    widgets_.clear();
}

DesignWidget* PreviewWidgets::Of(const ControlRecord& record) const
{
    const auto it = widgets_.find(&record);
    return it == widgets_.end() ? nullptr : it->second.get();
}

DesignWidget* PreviewWidgets::At(QPoint designPoint) const
{
    return ScreenRenderer::WidgetAt(Widgets(), designPoint);
}

std::vector<DesignWidget*> PreviewWidgets::Widgets() const
{
    std::vector<DesignWidget*> out;
    out.reserve(widgets_.size());
    for (const auto& rec : set_.controls) {
        if (DesignWidget* w = Of(*rec))
            out.push_back(w);
    }
    return out;
}

} // namespace tavlora
