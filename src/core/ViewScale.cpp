#include "ViewScale.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace tavlora {

namespace {

int32_t Clamp(double v)
{
    if (!std::isfinite(v))
        return 0;
    return int32_t(std::clamp(v, double(INT32_MIN), double(INT32_MAX)));
}

} // namespace

int32_t ViewScale::ToScreenX(long long designX) const
{
    return Clamp(std::floor(double(designX) * zoom_) - scroll_.x);
}

int32_t ViewScale::ToScreenY(long long designY) const
{
    return Clamp(std::floor(double(designY) * zoom_) - scroll_.y);
}

Rect ViewScale::ToScreen(const Rect& d) const
{
    return {ToScreenX(d.left), ToScreenY(d.top), ToScreenX(d.right), ToScreenY(d.bottom)};
}

Point ViewScale::ToDesignPixel(Point screen) const
{
    return {Clamp(std::floor(ToDesignX(screen.x))), Clamp(std::floor(ToDesignY(screen.y)))};
}

double ViewScale::Clamped(double zoom)
{
    if (!std::isfinite(zoom))
        return 1.0;
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

} // namespace tavlora
