#pragma once

#include "ImageLru.h"

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QSet>
#include <QString>

#include <functional>
#include <mutex>
#include <vector>

namespace tavlora {

// The pictures of one load, shared by every widget that shows the same file.
// Opening a file reads its natural size; small pictures are decoded whole at
// once, large ones only when drawn, straight at the size they are drawn (a
// JPEG through the decoder's own scaling where no colour key is applied,
// otherwise a whole decode that is dropped after nearest-pixel resampling).
// Every decoded, scaled and keyed picture is held under one byte budget with
// least-recently-used eviction and made again from the file when needed.
// A failed decode is reported once per file until the next Reset.
class ImageCache {
public:
    using Reporter = std::function<void(const QString& path, const QString& error)>;

    static constexpr qint64 kDefaultBudgetBytes = 256LL << 20;
    // Pictures up to this many pixels (16 MB at 32 bits) are decoded when opened.
    static constexpr qint64 kWholePixels = 4LL << 20;
    // Largest picture decoded whole (256 MB at 32 bits); larger ones are
    // refused with a message, or decoded only scaled down (JPEG).
    static constexpr qint64 kMaxPixels = 64LL << 20;

    // A file as opened: its natural size and which version of it was read.
    struct Source {
        QString path;
        int formatCode = 0;
        quint64 generation = 0; // 0 while nothing is open
        QSize natural;
        bool IsOpen() const { return generation != 0; }
    };
    // One step from the natural picture to the one shown, applied in order.
    struct Step {
        enum Kind { Crop, Resample };
        Kind kind = Resample;
        QRect rect; // Crop: the part kept (clipped to the picture)
        QSize size; // Resample: nearest-pixel to this size
    };
    using Steps = std::vector<Step>;

    // `reporter` is read at each failure, so it may be set after construction.
    explicit ImageCache(const Reporter& reporter);
    ImageCache();
    ImageCache(const ImageCache&) = delete;
    ImageCache& operator=(const ImageCache&) = delete;

    // Opens a file: false, with the reason, when it cannot be decoded.
    bool Open(const QString& path, int formatCode, Source& source, QString* error);
    // The picture after the steps (no keying); `exact` asks for nearest-pixel
    // scaling even where the decoder could scale a JPEG itself. Null on failure.
    QImage Picture(const Source& source, const Steps& steps, bool exact, QString* error = nullptr);
    // The picture ready to draw: premultiplied, with pixels of the key colour
    // transparent while keyIndex >= 0, and nearest-pixel stretched to `stretch`
    // when that is given.
    QImage Drawable(const Source& source, const Steps& steps, int keyIndex, QRgb keyColour,
                    QSize stretch = QSize());
    // Any other picture made on demand, held under the same budget. The one
    // call that may come from the threads making looks side by side, also
    // while this thread draws through the others.
    QImage Product(const QByteArray& key, const std::function<QImage()>& make);

    void SetBudget(qint64 bytes);
    qint64 Budget() const;
    qint64 HeldBytes() const;
    int HeldCount() const;

    // While trusted (many widgets built or resized at once), each file is
    // checked for changes once; otherwise at every opening. A changed file is
    // opened again.
    void SetTrusted(bool trusted);
    // Forgets every picture and reported failure (a new load).
    void Reset();

    // Decodes from files (whole or scaled) since the last Reset.
    int DecodeCount() const { return decodes_; }
    // Files opened since the last Reset.
    int Size() const { return int(opened_.size()); }

private:
    struct Opened {
        int formatCode = 0;
        quint64 generation = 0;
        QSize natural;
        QString error;
        QDateTime modified;
        qint64 size = -1;
    };

    QImage Whole(const Source& source, QString* error);
    QImage Build(const Source& source, const Steps& steps, bool exact, QString* error);
    void Report(const QString& path, const QString& error);
    static QByteArray Key(const Source& source, const Steps& steps, char kind);
    // The held pictures, shared with the look threads (Product).
    QImage Find(const QByteArray& key);
    void Keep(const QByteArray& key, const QImage& image);
    bool Holds(const QByteArray& key) const;

    const Reporter& reporter_;
    ImageLru held_{kDefaultBudgetBytes};
    QHash<QString, Opened> opened_;
    QSet<QString> reported_;
    QSet<QString> checked_; // while trusted
    bool trusted_ = false;
    mutable std::mutex heldMutex_;
    int decodes_ = 0;
    quint64 nextGeneration_ = 1;
};

} // namespace tavlora
