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

// The decoders' own allocation limit: the largest picture at 64 bits a pixel,
// for decodes whose size the header does not tell.
void LimitDecodes()
{
    static const bool done = [] {
        QImageReader::setAllocationLimit(int((ImageCache::kMaxPixels * 8) >> 20));
        return true;
    }();
    (void)done;
}

bool TooLarge(QSize size, QString* error)
{
    if (!size.isValid() || qint64(size.width()) * size.height() <= ImageCache::kMaxPixels)
        return false;
    if (error)
        *error = QStringLiteral("The picture is too large to decode (%1 x %2 pixels, more than %3 megapixels)")
                     .arg(size.width())
                     .arg(size.height())
                     .arg(ImageCache::kMaxPixels >> 20);
    return true;
}

// Indexed8 stays; one-bit pictures become Indexed8; the rest RGB32 or ARGB32.
QImage Normalised(QImage image, QString* error)
{
    switch (image.format()) {
    case QImage::Format_Indexed8:
        break;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        image = image.convertToFormat(QImage::Format_Indexed8);
        break;
    default:
        if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
            image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                  : QImage::Format_RGB32);
        break;
    }
    if (image.isNull() && error)
        *error = QStringLiteral("Not enough memory to hold the picture");
    return image;
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

QSize Vorn3Image::NaturalSize(const QString& path, int formatCode)
{
    QImageReader reader(path, QByteArray(QtFormatName(formatCode)));
    reader.setAutoTransform(false);
    return reader.size();
}

QImage Vorn3Image::Decode(const QString& path, int formatCode, QString* error)
{
    LimitDecodes();
    QImageReader reader(path, QByteArray(QtFormatName(formatCode)));
    reader.setAutoTransform(false);
    if (TooLarge(reader.size(), error))
        return {};
    QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = reader.errorString();
        return {};
    }
    if (TooLarge(image.size(), error))
        return {};
    return Normalised(std::move(image), error);
}

QImage Vorn3Image::DecodeScaled(const QString& path, int formatCode, QSize size, QString* error)
{
    LimitDecodes();
    if (TooLarge(size, error))
        return {};
    QImageReader reader(path, QByteArray(QtFormatName(formatCode)));
    reader.setAutoTransform(false);
    reader.setScaledSize(size);
    QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = reader.errorString();
        return {};
    }
    if (image.format() == QImage::Format_Indexed8 || image.depth() < 8)
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image = Normalised(std::move(image), error);
    if (!image.isNull() && image.size() != size)
        image = ResampleNearest(image, size.width(), size.height());
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

QImage Vorn3Image::MakeDrawable(const QImage& picture, int keyIndex, QRgb keyColour)
{
    if (picture.isNull())
        return {};
    if (keyIndex < 0)
        return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                 : QImage::Format_RGB32);
    QRgb key = keyColour;
    if (picture.format() == QImage::Format_Indexed8 && keyIndex < picture.colorCount())
        key = picture.color(keyIndex);
    key &= 0x00FFFFFFu;
    if (picture.format() == QImage::Format_Indexed8) {
        QImage indexed = picture;
        QList<QRgb> table = indexed.colorTable();
        for (QRgb& c : table) {
            if ((c & 0x00FFFFFFu) == key)
                c = 0;
        }
        indexed.setColorTable(table);
        return indexed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == key)
                line[x] = 0;
        }
    }
    return argb.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool Vorn3Image::Load(const QString& path, ImageCache* cache)
{
    Clear();
    if (ExtensionOf(path).isEmpty())
        return false;
    if (cache) {
        cache_ = cache;
    } else {
        if (!own_)
            own_ = std::make_shared<ImageCache>();
        cache_ = own_.get();
    }
    const int code = FormatCodeFor(path);
    QString error;
    if (!cache_->Open(path, code, source_, &error)) {
        source_ = {};
        lastError_ = error;
        return false;
    }
    if (code == FormatBmp) {
        hasKeyColour_ = true;
        keyColour_ = kBmpKeyColour;
    }
    width_ = source_.natural.width();
    height_ = source_.natural.height();
    size_ = drawSize_ = source_.natural;
    lastError_.clear();
    return true;
}

void Vorn3Image::Clear()
{
    source_ = {};
    steps_.clear();
    size_ = QSize();
    drawSize_ = QSize();
    hasKeyColour_ = false;
    keyColour_ = kBmpKeyColour;
    keyIndex_ = -1;
}

QImage Vorn3Image::Picture() const
{
    if (IsEmpty())
        return {};
    return cache_->Picture(source_, steps_, keyIndex_ >= 0);
}

void Vorn3Image::SetKeyColour(QRgb colour)
{
    hasKeyColour_ = true;
    keyColour_ = colour | 0xFF000000u;
}

void Vorn3Image::SetKeyIndex(int index)
{
    keyIndex_ = index;
}

QSize Vorn3Image::SizeAfterSteps() const
{
    QSize size = source_.natural;
    for (const ImageCache::Step& s : steps_)
        size = s.kind == ImageCache::Step::Crop ? s.rect.size() : s.size;
    return size;
}

void Vorn3Image::Resample(int width, int height)
{
    if (IsEmpty())
        return;
    const QSize target(std::max(width, 0), std::max(height, 0));
    if (target == drawSize_ && target == size_)
        return;
    drawSize_ = target;
    // An empty or huge target keeps the picture; drawing copes with the size.
    if (target.isEmpty() || qint64(target.width()) * target.height() > kMaxScaledPixels || target == size_)
        return;
    if (!steps_.empty() && steps_.back().kind == ImageCache::Step::Resample)
        steps_.pop_back();
    if (target != SizeAfterSteps())
        steps_.push_back({ImageCache::Step::Resample, QRect(), target});
    size_ = target;
}

void Vorn3Image::Crop(int left, int top, int right, int bottom)
{
    if (IsEmpty())
        return;
    const qint64 l = std::max(left, 0);
    const qint64 t = std::max(top, 0);
    const qint64 r = std::min<qint64>(right, size_.width());
    const qint64 b = std::min<qint64>(bottom, size_.height());
    const QRect kept = (r <= l || b <= t) ? QRect() : QRect(int(l), int(t), int(r - l), int(b - t));
    if (kept != QRect(QPoint(0, 0), size_))
        steps_.push_back({ImageCache::Step::Crop, kept, QSize()});
    size_ = drawSize_ = kept.size();
}

QImage Vorn3Image::Drawable(QSize stretch) const
{
    if (IsEmpty())
        return {};
    const bool keyed = keyIndex_ >= 0;
    return cache_->Drawable(source_, steps_, keyIndex_, keyed ? keyColour_ : 0, stretch);
}

void Vorn3Image::Draw(QPainter& p, int x, int y) const
{
    if (drawSize_.isEmpty())
        return;
    const QImage img = Drawable();
    if (img.isNull())
        return;
    if (img.size() == drawSize_)
        p.drawImage(x, y, img);
    else
        p.drawImage(QRect(QPoint(x, y), drawSize_), img);
}

void Vorn3Image::DrawStretched(QPainter& p, const QRect& target) const
{
    if (target.isEmpty())
        return;
    const QImage img = Drawable();
    if (img.isNull())
        return;
    if (img.size() == target.size()) {
        p.drawImage(target.topLeft(), img);
        return;
    }
    if (qint64(target.width()) * target.height() > kMaxScaledPixels) {
        p.drawImage(target, img);
        return;
    }
    const QImage stretched = Drawable(target.size());
    if (!stretched.isNull())
        p.drawImage(target.topLeft(), stretched);
}

} // namespace tavlora
