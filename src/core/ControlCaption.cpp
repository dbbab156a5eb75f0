#include "ControlCaption.h"

#include "ControlType.h"
#include "ControlTypes.h"

namespace tavlora {

namespace {

bool Unset(const std::string& s)
{
    return s.empty() || s == "None";
}

} // namespace

std::string ControlCaption::Of(const ControlRecord& r)
{
    switch (r.type) {
    case TypeButton:
        return r.text;
    case TypeLabel:
        return r.label;
    case TypeImage:
    case TypeOlderImage:
        return r.image;
    case TypeImageButton:
        return Unset(r.text) ? r.image : r.text;
    case TypeLed:
        return Unset(r.image) ? std::string() : r.image;
    default:
        return {};
    }
}

std::string ControlCaption::TypeName(int type)
{
    const ControlTypes::Facts* facts = ControlTypes::Of(type);
    if (!facts)
        return "Unknown type " + std::to_string(type);
    std::string_view title = facts->title.empty() ? facts->name : facts->title;
    while (!title.empty() && title.front() == ' ')
        title.remove_prefix(1);
    return std::string(title);
}

} // namespace tavlora
