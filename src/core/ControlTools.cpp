#include "ControlTools.h"

#include "ControlRecord.h"
#include "ControlType.h"

#include <algorithm>
#include <climits>

namespace tavlora {

namespace {

struct Entry {
    int tool;
    int type;
    const char* name;
    DefaultSizes::Which width;
    DefaultSizes::Which height;
};

constexpr Entry kTools[] = {
    {ControlTools::Dro, TypeDro, "DRO", DefaultSizes::DROX, DefaultSizes::DROY},
    {ControlTools::Button, TypeButton, "BUTTON", DefaultSizes::PBX, DefaultSizes::PBY},
    {ControlTools::Image, TypeImage, "IMAGE", DefaultSizes::BX, DefaultSizes::BY},
    {ControlTools::ImageButton, TypeImageButton, "IMAGE BUTTON", DefaultSizes::PBX, DefaultSizes::PBY},
    {ControlTools::Label, TypeLabel, "LABEL", DefaultSizes::LX, DefaultSizes::LY},
    {ControlTools::Led, TypeLed, "LED", DefaultSizes::LEDX, DefaultSizes::LEDY},
    {ControlTools::Mdi, TypeMdi, "MDI LINE", DefaultSizes::MDIX, DefaultSizes::MDIY},
    {ControlTools::GCodeList, TypeGCodeList, "GCODE LIST", DefaultSizes::GCX, DefaultSizes::GCY},
    {ControlTools::ToolPath, TypeToolPath, "TOOLPATH", DefaultSizes::TX, DefaultSizes::TY},
};

const Entry* Find(int tool)
{
    for (const Entry& e : kTools) {
        if (e.tool == tool)
            return &e;
    }
    return nullptr;
}

int32_t Clamp(long long v)
{
    return int32_t(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

} // namespace

int ControlTools::TypeForTool(int tool)
{
    const Entry* e = Find(tool);
    return e ? e->type : 0;
}

std::string_view ControlTools::Name(int tool)
{
    const Entry* e = Find(tool);
    return e ? e->name : std::string_view();
}

DefaultSizes::Which ControlTools::WidthKey(int tool)
{
    const Entry* e = Find(tool);
    return e ? e->width : DefaultSizes::Count;
}

DefaultSizes::Which ControlTools::HeightKey(int tool)
{
    const Entry* e = Find(tool);
    return e ? e->height : DefaultSizes::Count;
}

Rect ControlTools::PlacedRect(Point p, int width, int height)
{
    const int w = width / 2;
    const int h = height / 2;
    return {Clamp(static_cast<long long>(p.x) - w), Clamp(static_cast<long long>(p.y) - h),
            Clamp(static_cast<long long>(p.x) + w), Clamp(static_cast<long long>(p.y) + h)};
}

std::unique_ptr<ControlRecord> ControlTools::NewRecord(int tool, Point p, const DefaultSizes& sizes, int screen)
{
    const Entry* e = Find(tool);
    if (!e)
        return nullptr;
    auto rec = std::make_unique<ControlRecord>();
    rec->type = e->type;
    rec->screen = screen;
    rec->rect = PlacedRect(p, sizes.Get(e->width), sizes.Get(e->height));
    return rec;
}

} // namespace tavlora
