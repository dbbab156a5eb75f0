#include "ControlForm.h"

#include "ControlType.h"
#include "ControlTypes.h"
#include "FunctionCatalog.h"
#include "HotKey.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace tavlora {

const char* const ControlForm::kLedChoices[8] = {
    " Green", " Red", " Yellow", " Red/Green", " Green Flashing", " Red Flashing", " Yellow Flashing",
    " Red/Green Flashing",
};

namespace {

int32_t Truncated(double v)
{
    if (!std::isfinite(v))
        return 0;
    return int32_t(std::clamp(std::trunc(v), double(INT32_MIN), double(INT32_MAX)));
}

bool IsButton(int type)
{
    return type == TypeButton || type == TypeImageButton;
}

} // namespace

std::string ControlForm::CatalogName(int32_t function, const std::vector<std::string>* catalog)
{
    if (function < 0)
        return {};
    if (!catalog || size_t(function) >= catalog->size())
        return "Function " + std::to_string(function);
    return (*catalog)[size_t(function)];
}

std::string ControlForm::FunctionName(const ControlRecord& record, const std::vector<std::string>* catalog)
{
    const int oem = OemEntry(record.type);
    if (oem < 0)
        return {};
    std::string name = CatalogName(record.function, catalog);
    if (record.function == oem && catalog && size_t(oem) < catalog->size())
        name += ' ' + std::to_string(record.parameter);
    return name;
}

int ControlForm::OemEntry(int type)
{
    switch (type) {
    case TypeDro: return FunctionCatalog::kOemDro;
    case TypeButton:
    case TypeImageButton: return FunctionCatalog::kOemButton;
    case TypeLed: return FunctionCatalog::kOemLed;
    default: return -1;
    }
}

int ControlForm::KindFor(int type, int function)
{
    if (IsButton(type)) {
        switch (function) {
        case FunctionCatalog::kOemButton: return OemFunction;
        case FunctionCatalog::kGCodeButton: return GCodeFunction;
        case FunctionCatalog::kScriptButton: return ScriptFunction;
        default: return SystemFunction;
        }
    }
    if (type == TypeDro || type == TypeLed)
        return function == OemEntry(type) ? OemFunction : SystemFunction;
    return function == 0 ? OemFunction : SystemFunction;
}

bool ControlForm::UsesCatalog() const
{
    return OemEntry(type) >= 0;
}

ControlForm ControlForm::FromRecord(const ControlRecord& r)
{
    ControlForm f;
    f.type = r.type;
    f.format = r.format;
    f.tabGroup = r.tabGroup;
    f.text = r.type == TypeLabel ? r.label : r.text;
    f.kind = KindFor(r.type, r.function);
    f.gcode = f.kind == ScriptFunction && IsButton(r.type) ? std::string(kScriptText) : r.gcode;
    f.function = r.function;
    f.oemCode = r.parameter;
    f.lines = r.parameter;
    f.hotKey = r.hotKey;
    f.useHotKey = HotKey::IsSet(r.hotKey);
    f.skinned = r.label == "Skinned";
    f.locked = r.locked;
    f.image = r.image;
    f.allScreens = r.screen == 0;
    f.ledChoice = r.type == TypeLed ? r.LedChoice() : 0;
    f.width = double(static_cast<long long>(r.rect.right) - r.rect.left);
    f.height = double(static_cast<long long>(r.rect.bottom) - r.rect.top);
    f.left = r.rect.left;
    f.top = r.rect.top;
    return f;
}

ControlRecord ControlForm::Apply(const ControlRecord& record, int currentScreen) const
{
    ControlRecord r(record);
    r.rect.top = Truncated(top);
    r.rect.bottom = Truncated(top + height);
    r.rect.left = Truncated(left);
    r.rect.right = Truncated(left + width);
    r.image = image;
    r.function = function;
    r.parameter = oemCode;
    if (kind == GCodeFunction)
        r.gcode = gcode;
    r.format = format;
    if (type == TypeLed && ledChoice >= 0 && ledChoice < 8)
        r.SetLedChoice(ledChoice);
    r.screen = allScreens ? 0 : (record.screen != 0 ? record.screen : currentScreen);
    // A hot key left unused keeps the "none" it had (0 or -1).
    r.hotKey = useHotKey ? hotKey : (HotKey::IsSet(record.hotKey) ? 0 : record.hotKey);
    r.label = text;
    r.locked = locked;
    r.tabGroup = tabGroup;
    r.text = text;
    if (type == TypeDro && skinned)
        r.label = "Skinned";
    if (IsButton(type)) {
        if (kind == ScriptFunction)
            r.function = FunctionCatalog::kScriptButton;
        else if (kind == GCodeFunction)
            r.function = FunctionCatalog::kGCodeButton;
    }
    if (type == TypeGCodeList)
        r.parameter = lines;
    return r;
}

bool ControlForm::Enabled(Item item, int type, bool skinned)
{
    // Types outside the table change nothing: every item stays enabled.
    const ControlTypes::Facts* facts = ControlTypes::Of(type);
    if (!facts)
        return true;
    // A DRO shows a picture only when it is skinned.
    if (item == ImageItems && type == TypeDro)
        return skinned;
    return (facts->formItems >> item) & 1u;
}

void ControlForm::ChooseFunction(int entry)
{
    function = entry;
    kind = entry >= 0 && entry == OemEntry(type) ? OemFunction : SystemFunction;
}

void ControlForm::ListFilled(size_t entries)
{
    // A type without catalog has no function; a number beyond a catalog (one
    // made for a machine with longer catalogs) stays until an entry is picked.
    if (entries == 0)
        function = -1;
}

void ControlForm::ChooseOem()
{
    if (OemEntry(type) >= 0)
        function = OemEntry(type);
    kind = OemFunction;
}

} // namespace tavlora
