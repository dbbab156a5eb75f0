#include "Vorn3Image.h"

#include "ImageCache.h"

#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace tavlora {

namespace {

const char* QtFormatName(int code)
{
    switch (code) {
    case Vorn3Image::FormatBmp: return "bmp";
    case Vorn3Image::FormatGif: return "gif";
    case Vorn3Image::FormatJpeg: return "jpeg";
    case Vorn3Image::FormatPng: return "png";
    case Vorn3Image::FormatIco: return "ico";
    case Vorn3Image::FormatTga: return "tga";
    case Vorn3Image::FormatPcx: return "pcx";
    case Vorn3Image::FormatWbmp: return "wbmp";
    case Vorn3Image::FormatWmf: return "wmf";
    default: return "";
    }
}

// Source index for each target index: trunc(float(i) * (float(from) / float(to))).
std::vector<int> NearestTable(int from, int to)
{
    std::vector<int> table(static_cast<size_t>(to));
    const float ratio = float(from) / float(to);
    for (int i = 0; i < to; ++i) {
        const float f = float(i) * ratio;
        table[size_t(i)] = std::min(int(f), from - 1);
    }
    return table;
}

} // namespace

QString Vorn3Image::ExtensionOf(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    return path.mid(dot + 1).toLower();
}

int Vorn3Image::FormatCodeFor(const QString& path)
{
    const QString ext = ExtensionOf(path);
    if (ext == QLatin1String("bmp")) return FormatBmp;
    if (ext == QLatin1String("gif")) return FormatGif;
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) return FormatJpeg;
    if (ext == QLatin1String("png")) return FormatPng;
    if (ext == QLatin1String("ico")) return FormatIco;
    if (ext == QLatin1String("tga")) return FormatTga;
    if (ext == QLatin1String("pcx")) return FormatPcx;
    if (ext == QLatin1String("wbmp")) return FormatWbmp;
    if (ext == QLatin1String("wmf") || ext == QLatin1String("emf")) return FormatWmf;
    return FormatUnknown;
}

QImage Vorn3Image::Decode(const QString& path, int formatCode, QString* error)
{
    QImageReader reader(path, QByteArray(QtFormatName(formatCode)));
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxDecodePixels) {
        if (error)
            *error = QStringLiteral("The picture is too large to load (%1 x %2 pixels)")
                         .arg(size.width())
                         .arg(size.height());
        return {};
    }
    QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = reader.errorString();
        return {};
    }
    switch (image.format()) {
    case QImage::Format_Indexed8:
        break;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        image = image.convertToFormat(QImage::Format_Indexed8);
        break;
    default:
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                              : QImage::Format_RGB32);
        break;
    }
    if (image.isNull() && error)
        *error = QStringLiteral("Not enough memory to hold the picture");
    return image;
}

QImage Vorn3Image::ResampleNearest(const QImage& source, int width, int height)
{
    if (source.isNull() || width <= 0 || height <= 0)
        return {};
    QImage src = source;
    if (src.depth() != 8 && src.depth() != 32)
        src = src.convertToFormat(QImage::Format_ARGB32);
    QImage out(width, height, src.format());
    if (out.isNull())
        return {};
    if (src.format() == QImage::Format_Indexed8)
        out.setColorTable(src.colorTable());
    const std::vector<int> xs = NearestTable(src.width(), width);
    const std::vector<int> ys = NearestTable(src.height(), height);
    for (int y = 0; y < height; ++y) {
        const uchar* in = src.constScanLine(ys[size_t(y)]);
        uchar* dst = out.scanLine(y);
        if (src.depth() == 8) {
            for (int x = 0; x < width; ++x)
                dst[x] = in[xs[size_t(x)]];
        } else {
            const auto* in32 = reinterpret_cast<const quint32*>(in);
            auto* dst32 = reinterpret_cast<quint32*>(dst);
            for (int x = 0; x < width; ++x)
                dst32[x] = in32[xs[size_t(x)]];
        }
    }
    return out;
}

bool Vorn3Image::Load(const QString& path, ImageCache* cache)
{
    Clear();
    if (ExtensionOf(path).isEmpty())
        return false;
    const int code = FormatCodeFor(path);
    QString error;
    QImage image = cache ? cache->Decode(path, code, &error) : Decode(path, code, &error);
    if (image.isNull()) {
        lastError_ = error;
        return false;
    }
    picture_ = image;
    if (code == FormatBmp) {
        hasKeyColour_ = true;
        keyColour_ = kBmpKeyColour;
    }
    width_ = image.width();
    height_ = image.height();
    drawSize_ = image.size();
    lastError_.clear();
    return true;
}

void Vorn3Image::Clear()
{
    picture_ = QImage();
    drawSize_ = QSize();
    hasKeyColour_ = false;
    keyColour_ = kBmpKeyColour;
    keyIndex_ = -1;
    Changed();
}

void Vorn3Image::SetKeyColour(QRgb colour)
{
    hasKeyColour_ = true;
    keyColour_ = colour | 0xFF000000u;
    Changed();
}

void Vorn3Image::SetKeyIndex(int index)
{
    keyIndex_ = index;
    Changed();
}

void Vorn3Image::Resample(int width, int height)
{
    if (picture_.isNull())
        return;
    const QSize target(std::max(width, 0), std::max(height, 0));
    if (target == drawSize_ && target == picture_.size())
        return;
    drawSize_ = target;
    // An empty or huge target keeps the picture; drawing copes with the size.
    if (!target.isEmpty() && qint64(target.width()) * target.height() <= kMaxScaledPixels
        && target != picture_.size()) {
        QImage scaled = ResampleNearest(picture_, target.width(), target.height());
        if (!scaled.isNull())
            picture_ = scaled;
    }
    Changed();
}

void Vorn3Image::Crop(int left, int top, int right, int bottom)
{
    if (picture_.isNull())
        return;
    const qint64 l = std::max(left, 0);
    const qint64 t = std::max(top, 0);
    const qint64 r = std::min<qint64>(right, picture_.width());
    const qint64 b = std::min<qint64>(bottom, picture_.height());
    picture_ = (r <= l || b <= t) ? QImage() : picture_.copy(int(l), int(t), int(r - l), int(b - t));
    drawSize_ = picture_.size();
    Changed();
}

void Vorn3Image::Changed()
{
    drawableValid_ = false;
    drawable_ = QImage();
    stretched_ = QImage();
    stretchedSize_ = QSize();
}

const QImage& Vorn3Image::Drawable() const
{
    if (drawableValid_)
        return drawable_;
    drawableValid_ = true;
    if (picture_.isNull()) {
        drawable_ = QImage();
        return drawable_;
    }
    if (keyIndex_ < 0) {
        drawable_ = picture_.convertToFormat(picture_.hasAlphaChannel()
                                                 ? QImage::Format_ARGB32_Premultiplied
                                                 : QImage::Format_RGB32);
        return drawable_;
    }
    QRgb key = keyColour_;
    if (picture_.format() == QImage::Format_Indexed8 && keyIndex_ < picture_.colorCount())
        key = picture_.color(keyIndex_);
    key &= 0x00FFFFFFu;
    if (picture_.format() == QImage::Format_Indexed8) {
        QImage indexed = picture_;
        QList<QRgb> table = indexed.colorTable();
        for (QRgb& c : table) {
            if ((c & 0x00FFFFFFu) == key)
                c = 0;
        }
        indexed.setColorTable(table);
        drawable_ = indexed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        return drawable_;
    }
    QImage argb = picture_.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == key)
                line[x] = 0;
        }
    }
    drawable_ = argb.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return drawable_;
}

void Vorn3Image::Draw(QPainter& p, int x, int y) const
{
    const QImage& img = Drawable();
    if (img.isNull() || drawSize_.isEmpty())
        return;
    if (img.size() == drawSize_)
        p.drawImage(x, y, img);
    else
        p.drawImage(QRect(QPoint(x, y), drawSize_), img);
}

void Vorn3Image::DrawStretched(QPainter& p, const QRect& target) const
{
    const QImage& img = Drawable();
    if (img.isNull() || target.isEmpty())
        return;
    if (img.size() == target.size()) {
        p.drawImage(target.topLeft(), img);
        return;
    }
    if (qint64(target.width()) * target.height() > kMaxScaledPixels) {
        p.drawImage(target, img);
        return;
    }
    if (stretchedSize_ != target.size()) {
        stretched_ = ResampleNearest(img, target.width(), target.height());
        stretchedSize_ = target.size();
    }
    p.drawImage(target.topLeft(), stretched_);
}

} // namespace tavlora
