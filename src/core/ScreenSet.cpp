#include "ScreenSet.h"

#include <stdexcept>

namespace tavlora {

ControlRecord& ScreenSet::At(size_t index)
{
    if (index >= controls.size())
        throw std::out_of_range("control index out of range");
    return *controls[index];
}

const ControlRecord& ScreenSet::At(size_t index) const
{
    if (index >= controls.size())
        throw std::out_of_range("control index out of range");
    return *controls[index];
}

ControlRecord& ScreenSet::Append(std::unique_ptr<ControlRecord> record)
{
    controls.push_back(std::move(record));
    return *controls.back();
}

void ScreenSet::ClearAll(bool destroying)
{
    selection.clear();
    for (auto& rec : controls) {
        if (rec->widget)
            rec->widget->SetVisible(false);
    }
    for (auto& rec : controls)
        rec->widget.reset();
    controls.clear();
    if (destroying)
        clipboard.clear();
}

void ScreenSet::AdoptContents(ScreenSet&& fresh)
{
    ClearAll();
    controls = std::move(fresh.controls);
    fresh.controls.clear();
    colours = fresh.colours;
}

} // namespace tavlora
