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
#include "core/ScreenVisibility.h"

namespace tavlora {

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
    if (!ctx.LookOf(rec))
        ctx.KeepLook(rec, FirstLook(rec, kind, ctx));
    rec.widget = NewWidget(rec, kind, ctx, disabled);
    return true;
}

std::unique_ptr<DesignWidget> WidgetFactory::NewWidget(const ControlRecord& rec, int kind, WidgetContext& ctx,
                                                       bool disabled)
{
    const int id = ctx.TakeControlId();
    std::unique_ptr<DesignWidget> widget;
    switch (kind) {
    case KindPicture:
    case KindMissingPicture:
        widget = std::make_unique<Picture>(rec, ctx, id, disabled);
        break;
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
    return widget;
}

std::unique_ptr<DesignWidget> WidgetFactory::MakeStandalone(const ControlRecord& rec, WidgetContext& ctx)
{
    const int kind = KindForType(rec.type);
    if (kind == 0 || TypeForKind(kind) == 0)
        return nullptr;
    std::unique_ptr<DesignWidget> widget = NewWidget(rec, kind, ctx, DisabledForType(rec.type));
    widget->Configure(rec);
    if (widget->CurrentLook().placed)
        ApplyPlacementSetUp(widget.get());
    widget->SetVisible(true);
    return widget;
}

ControlLook WidgetFactory::FirstLook(const ControlRecord& rec, int kind, WidgetContext& ctx)
{
    // The stacking of widgets made in file order: each above the earlier ones,
    // DROs and pictures beneath all earlier ones, and a PNG picture that is
    // there above them again.
    ControlLook look;
    look.z = ctx.TakeTopZ();
    if (kind == KindDro) {
        look.z = ctx.TakeBottomZ();
    } else if (kind == KindPicture) {
        // Found without listing: the widget reports what it misses when made.
        const QString path =
            rec.image.empty() ? QString() : ctx.ResolvePicture(rec.image, ImagePath::Keywords::Picture, false);
        if (!DesignWidget::IsPngPath(path) || !ctx.IsPresent(path, false))
            look.z = ctx.TakeBottomZ();
    } else if (kind == KindMissingPicture) {
        look.placeholder = true;
    }
    return look;
}

void WidgetFactory::AssignLooks(const ScreenSet& set, WidgetContext& ctx)
{
    ctx.BeginBatch();
    for (const auto& rec : set.controls) {
        const int kind = KindForType(rec->type);
        if (kind != 0 && TypeForKind(kind) != 0 && !ctx.LookOf(*rec))
            ctx.KeepLook(*rec, FirstLook(*rec, kind, ctx));
    }
    ctx.EndBatch();
}

void WidgetFactory::RebuildWidgets(const ScreenSet& set, WidgetContext& ctx)
{
    AssignLooks(set, ctx);
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

void WidgetFactory::Follow(const ScreenSet& set, WidgetContext& ctx, int screen)
{
    ctx.BeginBatch();
    for (const auto& rec : set.controls) {
        Keep(*rec, ctx, ScreenVisibility::ShowsOn(rec->screen, screen));
        ScreenVisibility::Apply(*rec, screen, ctx.showImages);
    }
    ctx.EndBatch();
}

void WidgetFactory::Keep(const ControlRecord& rec, WidgetContext& ctx, bool wanted)
{
    if (!wanted) {
        rec.widget.reset();
        return;
    }
    if (!rec.widget)
        Build(rec, ctx);
}

void WidgetFactory::Sync(const ControlRecord& rec, WidgetContext& ctx, bool fieldsChanged)
{
    DesignWidget* w = Of(rec);
    if (!fieldsChanged) {
        if (w)
            w->SyncGeometry();
        return;
    }
    if (w)
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
    ApplyPlacementSetUp(Of(rec));
}

void WidgetFactory::ApplyPlacementSetUp(DesignWidget* widget)
{
    if (auto* w = dynamic_cast<EmergButton*>(widget)) {
        w->SetImage("Missing");
        w->SetFunction(0);
        w->SetParameter(-1);
    } else if (auto* b = dynamic_cast<Vorn1Button*>(widget)) {
        b->SetFunction(0);
        b->SetParameter(-1);
    }
}

} // namespace tavlora
