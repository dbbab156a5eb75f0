#pragma once

#include "ImageCache.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <memory>

class QPainter;

namespace tavlora {

// The picture holder of the image-bearing widgets: loads a file chosen by its
// extension, keeps the natural size, resamples (nearest pixel), crops and draws,
// with optional colour keying. The holder keeps only what the picture is (file,
// crops, size, keying); the pixels live in the image cache under its budget and
// are made again from the file when they were evicted.
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
    // Larger targets are not resampled in memory; drawing stretches instead.
    static constexpr qint64 kMaxScaledPixels = 16LL * 1024 * 1024;

    // Text after the last "." (empty when there is none), lower case.
    static QString ExtensionOf(const QString& path);
    static int FormatCodeFor(const QString& path);

    // The size in the file's header, without decoding; invalid when the header
    // does not tell it.
    static QSize NaturalSize(const QString& path, int formatCode);
    // Decodes a whole file into a picture of Indexed8, RGB32 or ARGB32; on
    // failure a null image and the reason. Refuses pictures of more than
    // ImageCache::kMaxPixels.
    static QImage Decode(const QString& path, int formatCode, QString* error);
    // Decodes straight at `size`, scaled by the decoder (JPEG: while decoding,
    // never holding the whole picture); RGB32 or ARGB32.
    static QImage DecodeScaled(const QString& path, int formatCode, QSize size, QString* error);
    // Nearest-pixel resampling: target (x, y) takes source
    // (x * (sw / w), y * (sh / h)), ratios in single precision, products truncated.
    static QImage ResampleNearest(const QImage& source, int width, int height);
    // A premultiplied copy to draw; while keyIndex >= 0, pixels of the key colour
    // (for palette pictures the colour of the key index) become transparent.
    static QImage MakeDrawable(const QImage& picture, int keyIndex, QRgb keyColour);

    // Empties the holder, then opens the file. A path without extension fails
    // silently. Decode failures go to the cache's reporter (once per file) or,
    // without a cache, only to LastError.
    bool Load(const QString& path, ImageCache* cache = nullptr);
    void Clear();

    bool IsEmpty() const { return !source_.IsOpen() || size_.isEmpty(); }
    // The picture at its current size, without keying (made on demand).
    QImage Picture() const;
    // Its size, known without decoding.
    QSize Size() const { return size_; }
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

    // Resampling to the current size does nothing. Resampling again starts
    // from the picture before the previous resampling.
    void Resample(int width, int height);
    void Crop(int left, int top, int right, int bottom);

    void Draw(QPainter& p, int x, int y) const;
    void DrawStretched(QPainter& p, const QRect& target) const;

private:
    QImage Drawable(QSize stretch = QSize()) const;
    QSize SizeAfterSteps() const;

    ImageCache* cache_ = nullptr;
    std::shared_ptr<ImageCache> own_; // for holders used without a shared cache
    ImageCache::Source source_;
    ImageCache::Steps steps_;
    QSize size_;
    double width_ = 0;
    double height_ = 0;
    QString lastError_;
    QSize drawSize_;
    bool hasKeyColour_ = false;
    QRgb keyColour_ = kBmpKeyColour;
    int keyIndex_ = -1;
};

} // namespace tavlora
