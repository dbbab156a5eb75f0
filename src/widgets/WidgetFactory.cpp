#include "WidgetFactory.h"

#include "CGodeList.h"
#include "DRO.h"
#include "EmergButton.h"
#include "LED.h"
#include "Labels.h"
#include "MDI.h"
#include "Picture.h"
#include "ToolPath.h"
#include "Vorn1Button.h"
#include "Vorn3Image.h"
#include "WidgetContext.h"

#include "core/ImagePath.h"

#include "core/ControlRecord.h"
#include "core/ControlType.h"
#include "core/ControlTypes.h"
#include "core/ScreenSet.h"

namespace tavlora {

namespace {

} // namespace

int WidgetFactory::KindForType(int type)
{
    const ControlTypes::Facts* facts = ControlTypes::Of(type);
    return facts ? facts->widget : 0;
}

int WidgetFactory::TypeForKind(int kind)
{
    if (kind == KindMissingPicture)
        return TypeImage;
    if (kind == ControlTypes::NoWidget)
        return 0;
    for (const ControlTypes::Facts& f : ControlTypes::All()) {
        if (f.widget == kind)
            return f.type;
    }
    return 0;
}

bool WidgetFactory::DisabledForType(int type)
{
    const ControlTypes::Facts* facts = ControlTypes::Of(type);
    return !facts || !facts->takesInput;
}

DesignWidget* WidgetFactory::Of(const ControlRecord& rec)
{
    return static_cast<DesignWidget*>(rec.widget.get());
}

bool WidgetFactory::CreateWidget(const ControlRecord& rec, int kind, WidgetContext& ctx, bool disabled)
{
    if (TypeForKind(kind) == 0)
        return false;
    const int id = ctx.TakeControlId();
    std::unique_ptr<DesignWidget> widget;
    switch (kind) {
    case KindPicture: {
        auto w = std::make_unique<Picture>(rec, ctx, id, disabled);
        if (!w->Remade())
            w->LowerToBottom();
        widget = std::move(w);
        break;
    }
    case KindMissingPicture: {
        auto w = std::make_unique<Picture>(rec, ctx, id, disabled);
        w->ShowPlaceholder();
        widget = std::move(w);
        break;
    }
    case KindButton:
        widget = std::make_unique<Vorn1Button>(rec, ctx, id, disabled);
        break;
    case KindDro:
        widget = std::make_unique<DRO>(rec, ctx, id, disabled);
        break;
    case KindImageButton:
        widget = std::make_unique<EmergButton>(rec, ctx, id, disabled);
        break;
    case KindLabel:
        widget = std::make_unique<Labels>(rec, ctx, id, disabled);
        break;
    case KindLed: {
        auto w = std::make_unique<LED>(rec, ctx, id, disabled);
        w->SetColourCode(LED::kGreen);
        widget = std::move(w);
        break;
    }
    case KindMdi:
        widget = std::make_unique<MDI>(rec, ctx, id, disabled);
        break;
    case KindGCodeList:
        widget = std::make_unique<CGodeList>(rec, ctx, id, disabled);
        break;
    case KindToolPath:
        widget = std::make_unique<ToolPath>(rec, ctx, id, disabled);
        break;
    }
    widget->SetVisible(false);
    rec.widget = std::move(widget);
    return true;
}

void WidgetFactory::RebuildWidgets(const ScreenSet& set, WidgetContext& ctx)
{
    ctx.BeginBatch();
    for (const auto& recPtr : set.controls) {
        const ControlRecord& rec = *recPtr;
        const int type = rec.type;
        const int kind = KindForType(type);
        if (kind == 0 || !CreateWidget(rec, kind, ctx, DisabledForType(type)))
            continue;
        Of(rec)->Configure(rec);
    }
    ctx.EndBatch();
    ctx.RequestRepaint();
}

void WidgetFactory::Build(const ControlRecord& rec, WidgetContext& ctx)
{
    rec.widget.reset();
    const int kind = KindForType(rec.type);
    if (kind == 0 || !CreateWidget(rec, kind, ctx, DisabledForType(rec.type)))
        return;
    Of(rec)->Configure(rec);
    if (Of(rec)->CurrentLook().placed)
        ApplyPlacementSetUp(rec);
}

void WidgetFactory::Sync(const ControlRecord& rec, WidgetContext& ctx, bool fieldsChanged)
{
    DesignWidget* w = Of(rec);
    if (!fieldsChanged) {
        if (w)
            w->SyncGeometry();
        return;
    }
    (void)w;
    Build(rec, ctx);
}

std::optional<QSize> WidgetFactory::NaturalSize(const ControlRecord& rec, WidgetContext& ctx)
{
    ImagePath::Keywords rule;
    if (rec.type == TypeImage)
        rule = ImagePath::Keywords::Picture;
    else if (rec.type == TypeImageButton)
        rule = ImagePath::Keywords::EmergButton;
    else
        return std::nullopt;
    const std::string stored = ImagePath::Resolve(ctx.vornFolder, rec.image, rule);
    if (stored.empty())
        return std::nullopt;
    const QString path = ctx.PlatformPath(stored);
    if (!ctx.IsPresent(path))
        return std::nullopt;
    const QSize size = Vorn3Image::NaturalSize(path, Vorn3Image::FormatCodeFor(path));
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    return size;
}

void WidgetFactory::ApplyPlacementSetUp(const ControlRecord& rec)
{
    if (auto* w = dynamic_cast<EmergButton*>(rec.widget.get())) {
        w->SetImage("Missing");
        w->SetFunction(0);
        w->SetParameter(-1);
    } else if (auto* b = dynamic_cast<Vorn1Button*>(rec.widget.get())) {
        b->SetFunction(0);
        b->SetParameter(-1);
    }
}

} // namespace tavlora
