#include "ShadeDib.h"

#include <QPainter>

#include <algorithm>

namespace tavlora {

bool ShadeDib::Create(int width, int height, int depth)
{
    Clear();
    if (width <= 0 || height <= 0)
        return false;
    depth = depth <= 1 ? 1 : depth <= 4 ? 4 : depth <= 8 ? 8 : 24;
    const size_t rowBytes = ((size_t(width) * size_t(depth) + 31) / 32) * 4;
    if (rowBytes > kMaxBytes / size_t(height))
        return false;
    width_ = width;
    height_ = height;
    depth_ = depth;
    rowBytes_ = rowBytes;
    if (depth <= 8)
        palette_.assign(size_t(1) << depth, qRgb(0, 0, 0));
    bits_.assign(rowBytes * size_t(height), 0);
    return true;
}

void ShadeDib::Clear()
{
    width_ = height_ = depth_ = 0;
    rowBytes_ = 0;
    palette_.clear();
    bits_.clear();
    image_ = QImage();
    imageValid_ = false;
}

void ShadeDib::CopyFrom(const ShadeDib& other)
{
    width_ = other.width_;
    height_ = other.height_;
    depth_ = other.depth_;
    rowBytes_ = other.rowBytes_;
    palette_ = other.palette_;
    bits_ = other.bits_;
    imageValid_ = false;
}

QRgb ShadeDib::PaletteEntry(int index) const
{
    if (index < 0 || size_t(index) >= palette_.size())
        return qRgb(0, 0, 0);
    return palette_[size_t(index)];
}

void ShadeDib::SetPaletteEntry(int index, QRgb colour)
{
    if (index < 0 || size_t(index) >= palette_.size())
        return;
    palette_[size_t(index)] = colour | 0xFF000000u;
    imageValid_ = false;
}

void ShadeDib::SetPalette(const QRgb* colours, int count)
{
    const size_t n = std::min(palette_.size(), size_t(std::max(count, 0)));
    for (size_t i = 0; i < n; ++i)
        palette_[i] = colours[i] | 0xFF000000u;
    imageValid_ = false;
}

void ShadeDib::BlendPalette(QRgb colour, int percent)
{
    percent = std::clamp(percent, 0, 100);
    auto mix = [percent](int c, int ch) { return (c * percent + ch * (100 - percent)) / 100; };
    for (QRgb& e : palette_)
        e = qRgb(mix(qRed(colour), qRed(e)), mix(qGreen(colour), qGreen(e)),
                 mix(qBlue(colour), qBlue(e)));
    imageValid_ = false;
}

uint8_t* ShadeDib::Row(int memoryRow)
{
    imageValid_ = false;
    return bits_.data() + size_t(memoryRow) * rowBytes_;
}

const uint8_t* ShadeDib::Row(int memoryRow) const
{
    return bits_.data() + size_t(memoryRow) * rowBytes_;
}

QImage ShadeDib::ToImage() const
{
    if (IsEmpty())
        return {};
    QImage out(width_, height_, QImage::Format_RGB32);
    if (out.isNull())
        return {};
    for (int y = 0; y < height_; ++y) {
        const uint8_t* src = Row(height_ - 1 - y);
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width_; ++x) {
            switch (depth_) {
            case 1:
                dst[x] = palette_[(src[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                dst[x] = palette_[(src[x / 2] >> (x % 2 ? 0 : 4)) & 15];
                break;
            case 8:
                dst[x] = palette_[src[x]];
                break;
            default:
                dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                break;
            }
        }
    }
    return out;
}

void ShadeDib::Draw(QPainter& p, int x, int y) const
{
    if (IsEmpty())
        return;
    if (!imageValid_) {
        image_ = ToImage();
        imageValid_ = true;
    }
    p.drawImage(x, y, image_);
}

} // namespace tavlora
