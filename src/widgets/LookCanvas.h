#pragma once

#include <QImage>
#include <QSize>

#include <functional>

class QPainter;

namespace tavlora {

// A canvas kept between looks: painting a look on it and copying the result
// out spares making and dropping a raster paint engine for every look. One
// canvas serves one thread at a time.
class LookCanvas {
public:
    // Canvases grow to the largest look painted, up to this many pixels;
    // larger looks are painted on an image of their own.
    static constexpr qint64 kMaxPixels = 512 * 512;

    // The look `paint` draws on a `size` area (cleared to transparent unless
    // opaque), with the painter scaled by `scale`; null when out of memory.
    QImage Make(QSize size, bool opaque, double scale, const std::function<void(QPainter&)>& paint);

private:
    QImage opaque_;
    QImage clear_;
};

} // namespace tavlora
