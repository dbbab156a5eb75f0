#include "ToolPath.h"

#include "Vorn3Image.h"
#include "WidgetContext.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

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

struct Ink {
    int x;
    int y;
    QRgb rgb;
};

const std::vector<Ink>& SampleInk()
{
    static const std::vector<Ink> ink = [] {
        std::vector<Ink> found;
        const QImage& img = ToolPath::SamplePicture();
        for (int y = 0; y < img.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if (line[x] != 0xFFFFFFFFu)
                    found.push_back({x, y, line[x]});
        }
        return found;
    }();
    return ink;
}

// For each source index, the first and last target index whose span holds it
// (spans as StretchAnd takes them); first is -1 when none does.
std::vector<std::pair<int, int>> SpanOwners(int source, int target)
{
    std::vector<std::pair<int, int>> owners(size_t(source), {-1, -1});
    for (int t = 0; t < target; ++t) {
        const int s0 = int(qint64(t) * source / target);
        const int s1 = std::max(s0 + 1, int(qint64(t + 1) * source / target));
        for (int s = s0; s < s1 && s < source; ++s) {
            if (owners[size_t(s)].first < 0)
                owners[size_t(s)].first = t;
            owners[size_t(s)].second = t;
        }
    }
    return owners;
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
    // Separable: the source rows of an output row are ANDed into one line,
    // then each output pixel ANDs its span of that line.
    std::vector<QRgb> line(size_t(sw), 0);
    int lineFrom = -1;
    int lineTo = -1;
    for (int y = 0; y < height; ++y) {
        const int y0 = int(qint64(y) * sh / height);
        const int y1 = std::max(y0 + 1, int(qint64(y + 1) * sh / height));
        if (y0 != lineFrom || y1 != lineTo) {
            lineFrom = y0;
            lineTo = y1;
            std::fill(line.begin(), line.end(), 0xFFFFFFFFu);
            for (int sy = y0; sy < y1; ++sy) {
                const auto* row = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
                for (int sx = 0; sx < sw; ++sx)
                    line[size_t(sx)] &= row[sx];
            }
        }
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int x0 = int(qint64(x) * sw / width);
            const int x1 = std::max(x0 + 1, int(qint64(x + 1) * sw / width));
            QRgb acc = 0xFFFFFFFFu;
            for (int sx = x0; sx < x1; ++sx)
                acc &= line[size_t(sx)];
            dst[x] = acc;
        }
    }
    return out;
}

QImage ToolPath::StretchSample(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    QImage out(width, height, QImage::Format_RGB32);
    if (out.isNull())
        return {};
    out.fill(0xFFFFFFFFu);
    const auto columns = SpanOwners(kPictureWidth, width);
    const auto rows = SpanOwners(kPictureHeight, height);
    uchar* bits = out.bits();
    const qsizetype stride = out.bytesPerLine();
    for (const Ink& ink : SampleInk()) {
        const auto [x0, x1] = columns[size_t(ink.x)];
        const auto [y0, y1] = rows[size_t(ink.y)];
        if (x0 < 0 || y0 < 0)
            continue;
        for (int y = y0; y <= y1; ++y) {
            auto* line = reinterpret_cast<QRgb*>(bits + stride * y);
            for (int x = x0; x <= x1; ++x)
                line[x] &= ink.rgb;
        }
    }
    return out;
}

QImage ToolPath::ScaledPicture(QSize size) const
{
    QByteArray key("tool path ");
    key += QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height());
    return Context().Images().Product(key, [size] {
        return StretchSample(size.width(), size.height());
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
