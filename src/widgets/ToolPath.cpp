#include "ToolPath.h"

#include "Vorn3Image.h"
#include "WidgetContext.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavlora {

namespace {

QImage DrawSample()
{
    QImage img(ToolPath::kPictureWidth, ToolPath::kPictureHeight, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);

    // Olive square outline.
    const QRect square(22, 20, 442, 442);
    p.setPen(QPen(QColor(128, 128, 0), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(square);

    // Passes fanning out from the lower-left corner: out along one ray, across
    // at the outer radius, back along the next ray, across at the inner radius.
    const QPointF origin(square.left() + 18, square.bottom() - 18);
    const double inner = 24.0;
    const double outer = 400.0;
    const int rays = 24;
    QPolygonF path;
    path << origin;
    for (int i = 0; i <= rays; ++i) {
        const double a = (std::numbers::pi / 2.0) * i / rays;
        const QPointF dir(std::cos(a), -std::sin(a));
        const QPointF near = origin + dir * inner;
        const QPointF far = origin + dir * outer;
        if (i % 2 == 0)
            path << near << far;
        else
            path << far << near;
    }
    p.setPen(QPen(QColor(0, 0, 255), 1));
    p.drawPolyline(path);

    // A second, finer finishing pass in dark blue closer to the corner.
    QPolygonF finish;
    for (int i = 0; i <= rays * 2; ++i) {
        const double a = (std::numbers::pi / 2.0) * i / (rays * 2);
        const double rad = (i % 2 == 0) ? 60.0 : 200.0;
        finish << origin + QPointF(std::cos(a), -std::sin(a)) * rad;
    }
    p.setPen(QPen(QColor(0, 0, 128), 1));
    p.drawPolyline(finish);

    // Plunge marker at the start point.
    p.setPen(QPen(QColor(255, 0, 0), 1));
    p.drawLine(origin + QPointF(-5, 0), origin + QPointF(5, 0));
    p.drawLine(origin + QPointF(0, -5), origin + QPointF(0, 5));
    p.end();
    return img;
}

} // namespace

ToolPath::ToolPath(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled)
    : DesignWidget(record, ctx, controlId, disabled)
{
}

const QImage& ToolPath::SamplePicture()
{
    static const QImage picture = DrawSample();
    return picture;
}

QImage ToolPath::StretchAnd(const QImage& source, int width, int height)
{
    if (source.isNull() || width <= 0 || height <= 0)
        return {};
    const QImage src = source.convertToFormat(QImage::Format_RGB32);
    QImage out(width, height, QImage::Format_RGB32);
    if (out.isNull())
        return {};
    const int sw = src.width();
    const int sh = src.height();
    for (int y = 0; y < height; ++y) {
        const int y0 = int(qint64(y) * sh / height);
        const int y1 = std::max(y0 + 1, int(qint64(y + 1) * sh / height));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int x0 = int(qint64(x) * sw / width);
            const int x1 = std::max(x0 + 1, int(qint64(x + 1) * sw / width));
            QRgb acc = 0xFFFFFFFFu;
            for (int sy = y0; sy < y1; ++sy) {
                const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
                for (int sx = x0; sx < x1; ++sx)
                    acc &= line[sx];
            }
            dst[x] = acc;
        }
    }
    return out;
}

QImage ToolPath::ScaledPicture(QSize size) const
{
    QByteArray key("tool path ");
    key += QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height());
    return Context().Images().Product(key, [size] {
        return StretchAnd(SamplePicture(), size.width(), size.height());
    });
}

void ToolPath::Paint(QPainter& p)
{
    const QSize size = ClientSize();
    const QRect r(QPoint(0, 0), size);
    if (r.isEmpty())
        return;
    p.fillRect(r, QColor(255, 255, 128));
    if (qint64(size.width()) * size.height() > Vorn3Image::kMaxScaledPixels) {
        p.drawImage(r, SamplePicture());
        return;
    }
    p.drawImage(0, 0, ScaledPicture(size));
}

} // namespace tavlora
