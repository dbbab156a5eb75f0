#include "PreviewSignals.h"

#include "ControlForm.h"
#include "ControlType.h"
#include "PreviewRules.h"

#include <set>

namespace tavlora {

std::optional<PreviewSignals::Key> PreviewSignals::KeyOf(const ControlRecord& r)
{
    if (r.type != TypeLed && r.type != TypeDro)
        return std::nullopt;
    const bool oem = r.function >= 0 && r.function == ControlForm::OemEntry(r.type);
    return Key{r.type, r.function < 0 ? -1 : r.function, oem ? r.parameter : 0};
}

std::string PreviewSignals::Name(const Key& key, const std::vector<std::string>* catalog)
{
    if (key.function < 0)
        return "No function";
    std::string name = PreviewRules::FunctionName(key.function, catalog);
    if (key.function == ControlForm::OemEntry(key.type))
        name += ' ' + std::to_string(key.oemCode);
    return name;
}

std::vector<PreviewSignals::Key> PreviewSignals::Keys(const ScreenSet& set, int32_t type)
{
    std::set<Key> keys;
    for (const auto& rec : set.controls) {
        if (rec->type != type)
            continue;
        if (const std::optional<Key> key = KeyOf(*rec))
            keys.insert(*key);
    }
    return {keys.begin(), keys.end()};
}

bool PreviewSignals::IsOn(const Key& key) const
{
    const auto it = on_.find(key);
    return it != on_.end() && it->second;
}

void PreviewSignals::SetOn(const Key& key, bool on)
{
    on_[key] = on;
}

double PreviewSignals::Value(const Key& key) const
{
    const auto it = values_.find(key);
    return it == values_.end() ? 0.0 : it->second;
}

void PreviewSignals::SetValue(const Key& key, double value)
{
    values_[key] = value;
}

void PreviewSignals::SetWidestValues(const ScreenSet& set)
{
    std::map<Key, std::vector<std::string>> formats;
    for (const auto& rec : set.controls) {
        if (rec->type != TypeDro)
            continue;
        if (const std::optional<Key> key = KeyOf(*rec))
            formats[*key].push_back(rec->format);
    }
    for (const auto& [key, list] : formats)
        values_[key] = PreviewRules::WidestValue(list);
}

} // namespace tavlora
