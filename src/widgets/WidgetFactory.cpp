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
#include "WidgetContext.h"

#include "core/ControlRecord.h"
#include "core/ControlType.h"
#include "core/ScreenSet.h"

namespace tavlora {

namespace {

constexpr int kDefaultLineCount = 10;

} // namespace

int WidgetFactory::KindForType(int type)
{
    switch (type) {
    case TypeDro: return KindDro;
    case TypeImage: return KindPicture;
    case TypeButton: return KindButton;
    case TypeOlderImage: return KindMissingPicture;
    case TypeLed: return KindLed;
    case TypeLabel: return KindLabel;
    case TypeImageButton: return KindImageButton;
    case TypeMdi: return KindMdi;
    case TypeGCodeList: return KindGCodeList;
    case TypeToolPath: return KindToolPath;
    default: return 0;
    }
}

bool WidgetFactory::DisabledForType(int type)
{
    return type != TypeImageButton;
}

bool WidgetFactory::CreateWidget(ControlRecord& rec, int kind, WidgetContext& ctx, bool disabled,
                                 const Rect& rect)
{
    int type;
    switch (kind) {
    case KindPicture: type = TypeImage; break;
    case KindButton: type = TypeButton; break;
    case KindDro: type = TypeDro; break;
    case KindImageButton: type = TypeImageButton; break;
    case KindMissingPicture: type = TypeImage; break;
    case KindLabel: type = TypeLabel; break;
    case KindLed: type = TypeLed; break;
    case KindMdi: type = TypeMdi; break;
    case KindGCodeList: type = TypeGCodeList; break;
    case KindToolPath: type = TypeToolPath; break;
    default: return false;
    }

    if (!rect.IsEmpty())
        rec.rect = rect;
    if (kind == KindGCodeList) {
        rec.type = TypeGCodeList;
        if (rec.parameter == 0)
            rec.parameter = kDefaultLineCount;
    } else if (kind == KindToolPath) {
        rec.type = TypeToolPath;
    }

    const int id = ctx.set.TakeControlId();
    std::unique_ptr<DesignWidget> widget;
    switch (kind) {
    case KindPicture: {
        auto w = std::make_unique<Picture>(rec, ctx, id, disabled, rec.rect);
        w->LowerToBottom();
        widget = std::move(w);
        break;
    }
    case KindMissingPicture: {
        auto w = std::make_unique<Picture>(rec, ctx, id, disabled, rec.rect);
        w->SetImage("Missing", false);
        widget = std::move(w);
        break;
    }
    case KindButton:
        widget = std::make_unique<Vorn1Button>(rec, ctx, id, disabled, rec.rect);
        break;
    case KindDro:
        widget = std::make_unique<DRO>(rec, ctx, id, disabled, rec.rect);
        break;
    case KindImageButton:
        widget = std::make_unique<EmergButton>(rec, ctx, id, disabled, rec.rect);
        break;
    case KindLabel:
        widget = std::make_unique<Labels>(rec, ctx, id, disabled, rec.rect);
        break;
    case KindLed: {
        auto w = std::make_unique<LED>(rec, ctx, id, disabled, rec.rect);
        w->SetColourCode(LED::kGreen);
        widget = std::move(w);
        break;
    }
    case KindMdi:
        widget = std::make_unique<MDI>(rec, ctx, id, disabled, rec.rect);
        break;
    case KindGCodeList:
        widget = std::make_unique<CGodeList>(rec, ctx, id, disabled, rec.rect);
        break;
    case KindToolPath:
        widget = std::make_unique<ToolPath>(rec, ctx, id, disabled, rec.rect);
        break;
    }

    widget->SetVisible(false);
    rec.widget = std::move(widget);
    rec.type = type;
    return true;
}

void WidgetFactory::Configure(ControlRecord& rec, int type)
{
    ControlWidget* base = rec.widget.get();
    switch (type) {
    case TypeDro:
        if (auto* w = dynamic_cast<DRO*>(base)) {
            w->SetFormat(rec.format);
            if (rec.label == "Skinned")
                w->SetImage(rec.image);
        }
        break;
    case TypeImage:
        if (auto* w = dynamic_cast<Picture*>(base); w && !rec.image.empty())
            w->SetImage(rec.image, false);
        break;
    case TypeButton:
        if (auto* w = dynamic_cast<Vorn1Button*>(base)) {
            w->SetText(rec.text);
            w->SetFunction(rec.function);
            w->SetParameter(rec.parameter);
        }
        break;
    case TypeLed:
        if (auto* w = dynamic_cast<LED*>(base)) {
            w->SetCustomImage(rec.image);
            if (const int code = LED::CodeForLedColour(rec.ledColour))
                w->SetColourCode(code);
        }
        break;
    case TypeLabel:
        if (auto* w = dynamic_cast<Labels*>(base))
            w->SetText(rec.label);
        break;
    case TypeImageButton:
        if (auto* w = dynamic_cast<EmergButton*>(base); w && !rec.image.empty()) {
            w->SetImage(rec.image, false);
            w->SetFunction(rec.function);
            w->SetParameter(rec.parameter);
        }
        break;
    case TypeGCodeList:
        if (auto* w = dynamic_cast<CGodeList*>(base))
            w->SetLineCount(rec.parameter == 0 ? kDefaultLineCount : rec.parameter);
        break;
    default:
        break;
    }
}

void WidgetFactory::RebuildWidgets(ScreenSet& set, WidgetContext& ctx)
{
    ctx.BeginBatch();
    for (auto& recPtr : set.controls) {
        ControlRecord& rec = *recPtr;
        const int type = rec.type;
        const int kind = KindForType(type);
        if (kind == 0)
            continue;
        CreateWidget(rec, kind, ctx, DisabledForType(type), rec.rect);
        Configure(rec, type);
        rec.rect = rec.widget->Placement();
    }
    ctx.EndBatch();
    ctx.RequestRepaint();
}

} // namespace tavlora
