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

ControlRecord& ScreenSet::Insert(size_t index, std::unique_ptr<ControlRecord> record)
{
    if (index > controls.size())
        throw std::out_of_range("control index out of range");
    return **controls.insert(controls.begin() + std::ptrdiff_t(index), std::move(record));
}

std::unique_ptr<ControlRecord> ScreenSet::Take(size_t index)
{
    if (index >= controls.size())
        throw std::out_of_range("control index out of range");
    std::unique_ptr<ControlRecord> taken = controls[index].Release();
    controls.erase(controls.begin() + std::ptrdiff_t(index));
    return taken;
}

long long ScreenSet::IndexOf(const ControlRecord* record) const
{
    for (size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].get() == record)
            return static_cast<long long>(i);
    }
    return -1;
}

void ScreenSet::ClearAll()
{
    for (auto& rec : controls) {
        if (rec->widget)
            rec->widget->SetVisible(false);
    }
    for (auto& rec : controls)
        rec->widget.reset();
    controls.clear();
}

void ScreenSet::AdoptContents(ScreenSet&& fresh)
{
    ClearAll();
    controls = std::move(fresh.controls);
    fresh.controls.clear();
    colours = fresh.colours;
}

} // namespace tavlora
