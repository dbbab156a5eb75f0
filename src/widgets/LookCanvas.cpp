#include "LookCanvas.h"

#include <QPainter>

#include <algorithm>

namespace tavlora {

QImage LookCanvas::Make(QSize size, bool opaque, double scale, const std::function<void(QPainter&)>& paint)
{
    const QImage::Format format = opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    QImage& canvas = opaque ? opaque_ : clear_;
    const QSize wanted = canvas.size().expandedTo(size);
    QImage own;
    QImage* target = &canvas;
    if (qint64(wanted.width()) * wanted.height() > kMaxPixels) {
        own = QImage(size, format);
        target = &own;
    } else if (canvas.size() != wanted) {
        canvas = QImage(wanted, format);
    }
    if (target->isNull())
        return {};
    const QRect area(QPoint(0, 0), size);
    {
        QPainter p(target);
        p.setClipRect(area);
        if (!opaque) {
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.fillRect(area, Qt::transparent);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        if (scale != 1.0)
            p.scale(scale, scale);
        paint(p);
    }
    return target == &own ? own : target->copy(area);
}

} // namespace tavlora
