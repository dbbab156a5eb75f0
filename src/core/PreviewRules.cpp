#include "PreviewRules.h"

#include "ControlCaption.h"
#include "ControlForm.h"
#include "ControlType.h"
#include "DroFormat.h"
#include "FunctionCatalog.h"
#include "HotKey.h"
#include "JumpMap.h"
#include "ScreenVisibility.h"
#include "Windows1252.h"

#include <algorithm>
#include <cmath>

namespace tavlora {

namespace {

bool HasHotKey(int type)
{
    return type == TypeDro || type == TypeButton || type == TypeImageButton;
}

// Candidates of WidestValue: -(10^i - 10^-f) for i integer digits and f
// decimals, the largest first.
std::vector<double> WidestCandidates(std::string_view format)
{
    const DroFormat parsed(DroFormat::ParseSkin(format).paintFormat);
    if (!parsed.IsConversion())
        return {};
    const int decimals = std::min(parsed.Precision(), 15);
    std::vector<double> out;
    for (int i = PreviewRules::kValueDigits; i >= 0; --i) {
        for (int f = decimals; f >= 0; --f) {
            if (i == 0 && f == 0)
                continue;
            out.push_back(-(std::pow(10.0, i) - std::pow(10.0, -f)));
        }
    }
    return out;
}

} // namespace

bool PreviewRules::Pressable(const ControlRecord& r)
{
    return r.type == TypeButton || r.type == TypeImageButton;
}

PreviewRules::Press PreviewRules::PressOf(const ControlRecord& r)
{
    if (Pressable(r) && JumpMap::IsJump(r) && r.parameter >= 0)
        return {Press::Jump, r.parameter};
    return {};
}

PreviewRules::KeyHit PreviewRules::ForKey(const ScreenSet& set, int32_t shownScreen, int code)
{
    KeyHit hit;
    if (!HotKey::IsSet(code))
        return hit;
    for (const auto& rec : set.controls) {
        if (rec->hotKey != code || !HasHotKey(rec->type) || !ScreenVisibility::ShowsOn(rec->screen, shownScreen))
            continue;
        if (hit.control)
            hit.sharing.push_back(rec.get());
        else
            hit.control = rec.get();
    }
    return hit;
}

bool PreviewRules::HoldsControls(const ScreenSet& set, int32_t screen)
{
    return std::any_of(set.controls.begin(), set.controls.end(),
                       [screen](const auto& rec) { return rec->screen == screen; });
}

std::string PreviewRules::FunctionName(int32_t function, const std::vector<std::string>* catalog)
{
    return Windows1252::ToUtf8(ControlForm::CatalogName(function, catalog));
}

PreviewRules::Event PreviewRules::Describe(const ControlRecord& r, const std::vector<std::string>* catalog)
{
    Event e;
    e.caption = Windows1252::ToUtf8(ControlCaption::Of(r));
    e.function = r.function;
    e.functionName = FunctionName(r.function, catalog);
    if (r.function >= 0 && r.function == ControlForm::OemEntry(r.type))
        e.code = std::to_string(r.parameter);
    else if (Pressable(r) && r.function == FunctionCatalog::kGCodeButton)
        e.code = Windows1252::ToUtf8(r.gcode);
    if (HotKey::IsSet(r.hotKey))
        e.hotKey = HotKey::Name(r.hotKey);
    return e;
}

bool PreviewRules::LedLit(bool on, bool flashing, bool flashPhase)
{
    return on && (!flashing || flashPhase);
}

double PreviewRules::WidestValue(std::string_view format)
{
    return WidestValue(std::vector<std::string>{std::string(format)});
}

double PreviewRules::WidestValue(const std::vector<std::string>& formats)
{
    std::vector<DroFormat> painted;
    std::vector<double> candidates;
    for (const std::string& format : formats) {
        painted.emplace_back(DroFormat::ParseSkin(format).paintFormat);
        for (double v : WidestCandidates(format))
            candidates.push_back(v);
    }
    double best = 0.0;
    size_t bestLength = 0;
    for (double v : candidates) {
        size_t length = 0;
        for (const DroFormat& f : painted)
            length += f.Apply(v).size();
        if (length > bestLength) {
            best = v;
            bestLength = length;
        }
    }
    return best;
}

} // namespace tavlora
