#include "ControlTools.h"

#include "ControlRecord.h"
#include "ControlTypes.h"

#include <algorithm>
#include <climits>

namespace tavlora {

namespace {

int32_t Clamp(long long v)
{
    return int32_t(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

} // namespace

int ControlTools::TypeForTool(int tool)
{
    const ControlTypes::Facts* f = ControlTypes::ForTool(tool);
    return f ? f->type : 0;
}

std::string_view ControlTools::Name(int tool)
{
    const ControlTypes::Facts* f = ControlTypes::ForTool(tool);
    return f ? f->toolName : std::string_view();
}

DefaultSizes::Which ControlTools::WidthKey(int tool)
{
    const ControlTypes::Facts* f = ControlTypes::ForTool(tool);
    return f ? f->width : DefaultSizes::Count;
}

DefaultSizes::Which ControlTools::HeightKey(int tool)
{
    const ControlTypes::Facts* f = ControlTypes::ForTool(tool);
    return f ? f->height : DefaultSizes::Count;
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
    const ControlTypes::Facts* f = ControlTypes::ForTool(tool);
    if (!f)
        return nullptr;
    auto rec = std::make_unique<ControlRecord>();
    rec->type = f->type;
    rec->screen = screen;
    rec->rect = PlacedRect(p, sizes.Get(f->width), sizes.Get(f->height));
    return rec;
}

} // namespace tavlora
