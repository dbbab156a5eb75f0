#pragma once

#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

namespace tavlora {

class ImageCache;

// The picture holder of the image-bearing widgets: loads a file chosen by its
// extension, keeps the natural size, resamples (nearest pixel), crops and draws,
// with optional colour keying.
class Vorn3Image {
public:
    enum FormatCode {
        FormatUnknown = 0,
        FormatBmp = 1,
        FormatGif = 2,
        FormatJpeg = 3,
        FormatPng = 4,
        FormatIco = 5,
        FormatTga = 6,
        FormatPcx = 7,
        FormatWbmp = 8,
        FormatWmf = 9,
    };

    static constexpr QRgb kBmpKeyColour = 0xFFFEFEFE; // RGB (254,254,254)
    static constexpr int kBmpKeyIndex = 254;
    // Pictures above this many pixels (128 MB at 32 bits) are refused before decoding.
    static constexpr qint64 kMaxDecodePixels = 32LL * 1024 * 1024;
    // Larger targets are not resampled in memory; drawing stretches instead.
    static constexpr qint64 kMaxScaledPixels = 16LL * 1024 * 1024;

    // Text after the last "." (empty when there is none), lower case.
    static QString ExtensionOf(const QString& path);
    static int FormatCodeFor(const QString& path);

    // Decodes a file into a picture of Indexed8, RGB32 or ARGB32; on failure a
    // null image and the reason. Refuses pictures too large to hold.
    static QImage Decode(const QString& path, int formatCode, QString* error);
    // Nearest-pixel resampling: target (x, y) takes source
    // (x * (sw / w), y * (sh / h)), ratios in single precision, products truncated.
    static QImage ResampleNearest(const QImage& source, int width, int height);

    // Empties the holder, then loads the file. A path without extension fails
    // silently. Decode failures go to the cache's reporter (once per file) or,
    // without a cache, only to LastError.
    bool Load(const QString& path, ImageCache* cache = nullptr);
    void Clear();

    bool IsEmpty() const { return picture_.isNull(); }
    const QImage& Picture() const { return picture_; }
    // Natural size of the last successfully loaded picture.
    double Width() const { return width_; }
    double Height() const { return height_; }
    const QString& LastError() const { return lastError_; }

    // Size the picture is drawn at (its resampled size).
    QSize DrawSize() const { return drawSize_; }

    bool HasKeyColour() const { return hasKeyColour_; }
    QRgb KeyColour() const { return keyColour_; }
    void SetKeyColour(QRgb colour);
    // Keying is active only while a key index is set (-1 = none).
    void SetKeyIndex(int index);
    int KeyIndex() const { return keyIndex_; }

    // Resampling to the current size does nothing.
    void Resample(int width, int height);
    void Crop(int left, int top, int right, int bottom);

    void Draw(QPainter& p, int x, int y) const;
    void DrawStretched(QPainter& p, const QRect& target) const;

private:
    const QImage& Drawable() const;
    void Changed();

    QImage picture_;
    double width_ = 0;
    double height_ = 0;
    QString lastError_;
    QSize drawSize_;
    bool hasKeyColour_ = false;
    QRgb keyColour_ = kBmpKeyColour;
    int keyIndex_ = -1;

    mutable QImage drawable_;
    mutable bool drawableValid_ = false;
    mutable QImage stretched_;
    mutable QSize stretchedSize_;
};

} // namespace tavlora
