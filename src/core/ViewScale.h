#pragma once

#include "Point.h"
#include "Rect.h"

namespace tavlora {

// The design surface's zoom and scroll: design pixels to screen pixels and
// back. A design coordinate v shows at floor(v * zoom) - scroll.
class ViewScale {
public:
    static constexpr double kMinZoom = 0.25;
    static constexpr double kMaxZoom = 8.0;

    ViewScale() = default;
    ViewScale(double zoom, Point scroll) : zoom_(zoom), scroll_(scroll) {}

    double Zoom() const { return zoom_; }
    Point Scroll() const { return scroll_; }

    int32_t ToScreenX(long long designX) const;
    int32_t ToScreenY(long long designY) const;
    Rect ToScreen(const Rect& design) const;
    // The exact design position of a screen point, and the design pixel it lies in.
    double ToDesignX(int32_t screenX) const { return (double(screenX) + scroll_.x) / zoom_; }
    double ToDesignY(int32_t screenY) const { return (double(screenY) + scroll_.y) / zoom_; }
    Point ToDesignPixel(Point screen) const;

    static double Clamped(double zoom);

private:
    double zoom_ = 1.0;
    Point scroll_;
};

} // namespace tavlora
