#pragma once

#include <QColor>
#include <QImage>

#include <cstdint>
#include <vector>

class QPainter;

namespace tavlora {

// A device-independent bitmap for the button faces: a palette (for depths
// 1, 4 and 8) and pixel rows stored bottom-up, each padded to 4 bytes.
class ShadeDib {
public:
    // Larger bitmaps are refused, which leaves the buffer empty.
    static constexpr size_t kMaxBytes = 64u * 1024 * 1024;

    // Frees any previous block; depth is rounded up to 1, 4, 8 or 24.
    bool Create(int width, int height, int depth);
    void Clear();
    void CopyFrom(const ShadeDib& other);

    bool IsEmpty() const { return bits_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Depth() const { return depth_; }
    int PaletteSize() const { return int(palette_.size()); }
    size_t RowBytes() const { return rowBytes_; }

    QRgb PaletteEntry(int index) const;
    void SetPaletteEntry(int index, QRgb colour);
    // Copies as many entries as the palette holds.
    void SetPalette(const QRgb* colours, int count);
    // Each palette channel becomes (colour x percent + channel x (100 - percent)) / 100;
    // percent is capped at 100.
    void BlendPalette(QRgb colour, int percent);

    // Row 0 is the bottom row of the picture.
    uint8_t* Row(int memoryRow);
    const uint8_t* Row(int memoryRow) const;

    // Draws the bitmap at its natural size.
    void Draw(QPainter& p, int x, int y) const;
    // The picture as a top-down image.
    QImage ToImage() const;

private:
    int width_ = 0;
    int height_ = 0;
    int depth_ = 0;
    size_t rowBytes_ = 0;
    std::vector<QRgb> palette_;
    std::vector<uint8_t> bits_;
    mutable QImage image_; // drawing copy, made when first needed
    mutable bool imageValid_ = false;
};

} // namespace tavlora
