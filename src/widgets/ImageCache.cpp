#include "ImageCache.h"

#include "Vorn3Image.h"

#include <QFileInfo>
#include <QImageReader>

namespace tavlora {

namespace {

const ImageCache::Reporter& NoReporter()
{
    static const ImageCache::Reporter none;
    return none;
}

void Append(QByteArray& key, qint64 v)
{
    key.append(reinterpret_cast<const char*>(&v), sizeof v);
}

} // namespace

ImageCache::ImageCache(const Reporter& reporter) : reporter_(reporter) {}

ImageCache::ImageCache() : reporter_(NoReporter()) {}

void ImageCache::Report(const QString& path, const QString& error)
{
    if (reported_.contains(path))
        return;
    reported_.insert(path);
    if (reporter_)
        reporter_(path, error);
}

bool ImageCache::Open(const QString& path, int formatCode, Source& source, QString* error)
{
    source = Source{};
    auto it = opened_.find(path);
    QFileInfo info;
    bool reuse = false;
    if (it != opened_.end() && it->formatCode == formatCode) {
        if (trusted_ && checked_.contains(path)) {
            reuse = true;
        } else {
            info = QFileInfo(path);
            reuse = info.exists() && info.lastModified() == it->modified && info.size() == it->size;
        }
    } else {
        info = QFileInfo(path);
    }
    if (trusted_)
        checked_.insert(path);

    if (!reuse) {
        Opened entry;
        entry.formatCode = formatCode;
        entry.generation = nextGeneration_++;
        entry.modified = info.lastModified();
        entry.size = info.exists() ? info.size() : -1;
        // The header gives the size; small pictures are decoded at once, which
        // also tells whether the file is whole.
        const QSize header = Vorn3Image::NaturalSize(path, formatCode);
        if (header.isValid() && qint64(header.width()) * header.height() > kWholePixels) {
            entry.natural = header;
        } else {
            const Source probe{path, formatCode, entry.generation, QSize()};
            QImage whole = Vorn3Image::Decode(path, formatCode, &entry.error);
            ++decodes_;
            if (!whole.isNull()) {
                entry.natural = whole.size();
                Keep(Key(probe, {}, 'w'), whole);
            }
        }
        it = opened_.insert(path, entry);
    }

    if (!it->error.isEmpty() || !it->natural.isValid()) {
        const QString why = it->error.isEmpty() ? QStringLiteral("Unknown or wrong format") : it->error;
        if (error)
            *error = why;
        Report(path, why);
        return false;
    }
    source = Source{path, formatCode, it->generation, it->natural};
    if (error)
        error->clear();
    return true;
}

QByteArray ImageCache::Key(const Source& source, const Steps& steps, char kind)
{
    QByteArray key = source.path.toUtf8();
    key.append('\0').append(kind);
    Append(key, qint64(source.generation));
    for (const Step& s : steps) {
        if (s.kind == Step::Crop) {
            key.append('c');
            Append(key, (qint64(s.rect.x()) << 32) | quint32(s.rect.y()));
            Append(key, (qint64(s.rect.width()) << 32) | quint32(s.rect.height()));
        } else {
            key.append('r');
            Append(key, (qint64(s.size.width()) << 32) | quint32(s.size.height()));
        }
    }
    return key;
}

QImage ImageCache::Whole(const Source& source, QString* error)
{
    const QByteArray key = Key(source, {}, 'w');
    QImage whole = Find(key);
    if (!whole.isNull())
        return whole;
    whole = Vorn3Image::Decode(source.path, source.formatCode, error);
    ++decodes_;
    // Large whole pictures are only passed through on their way to a scaled copy.
    if (!whole.isNull() && qint64(whole.width()) * whole.height() <= kWholePixels)
        Keep(key, whole);
    return whole;
}

QImage ImageCache::Build(const Source& source, const Steps& steps, bool exact, QString* error)
{
    const qint64 natural = qint64(source.natural.width()) * source.natural.height();
    if (!exact && source.formatCode == Vorn3Image::FormatJpeg && natural > kWholePixels
        && steps.size() == 1 && steps[0].kind == Step::Resample) {
        const QSize size = steps[0].size;
        if (qint64(size.width()) * size.height() < natural && !Holds(Key(source, {}, 'w'))) {
            ++decodes_;
            return Vorn3Image::DecodeScaled(source.path, source.formatCode, size, error);
        }
    }
    QImage img = Whole(source, error);
    for (const Step& s : steps) {
        if (img.isNull())
            break;
        if (s.kind == Step::Crop) {
            const QRect kept = s.rect.intersected(img.rect());
            img = kept.isEmpty() ? QImage() : img.copy(kept);
            if (img.isNull())
                return {};
        } else if (s.size != img.size() && !s.size.isEmpty()
                   && qint64(s.size.width()) * s.size.height() <= Vorn3Image::kMaxScaledPixels) {
            img = Vorn3Image::ResampleNearest(img, s.size.width(), s.size.height());
            if (img.isNull() && error)
                *error = QStringLiteral("Not enough memory to scale the picture");
        }
    }
    return img;
}

QImage ImageCache::Picture(const Source& source, const Steps& steps, bool exact, QString* error)
{
    if (!source.IsOpen())
        return {};
    // Only a large JPEG can be scaled by its decoder.
    if (source.formatCode != Vorn3Image::FormatJpeg
        || qint64(source.natural.width()) * source.natural.height() <= kWholePixels)
        exact = true;
    const QByteArray key = Key(source, steps, exact ? 'e' : 'p');
    QImage img = Find(key);
    if (!img.isNull())
        return img;
    QString why;
    img = Build(source, steps, exact, &why);
    if (img.isNull()) {
        bool emptied = false; // a crop to nothing is no failure
        for (const Step& s : steps)
            emptied = emptied || (s.kind == Step::Crop && s.rect.isEmpty());
        if (!emptied && !why.isEmpty())
            Report(source.path, why);
        if (error)
            *error = why;
        return {};
    }
    Keep(key, img);
    return img;
}

QImage ImageCache::Drawable(const Source& source, const Steps& steps, int keyIndex, QRgb keyColour,
                            QSize stretch)
{
    if (!source.IsOpen())
        return {};
    QByteArray key = Key(source, steps, 'd');
    Append(key, keyIndex);
    Append(key, qint64(keyColour));
    Append(key, (qint64(stretch.width()) << 32) | quint32(stretch.height()));
    QImage img = Find(key);
    if (!img.isNull())
        return img;
    const QImage picture = Picture(source, steps, keyIndex >= 0);
    if (picture.isNull())
        return {};
    img = Vorn3Image::MakeDrawable(picture, keyIndex, keyColour);
    if (stretch.isValid() && !stretch.isEmpty() && stretch != img.size())
        img = Vorn3Image::ResampleNearest(img, stretch.width(), stretch.height());
    Keep(key, img);
    return img;
}

QImage ImageCache::Product(const QByteArray& key, const std::function<QImage()>& make)
{
    const QByteArray full = QByteArray("\0x", 2) + key;
    QImage img = Find(full);
    if (!img.isNull())
        return img;
    img = make();
    Keep(full, img);
    return img;
}

QImage ImageCache::Find(const QByteArray& key)
{
    const std::lock_guard lock(heldMutex_);
    return held_.Find(key);
}

void ImageCache::Keep(const QByteArray& key, const QImage& image)
{
    const std::lock_guard lock(heldMutex_);
    held_.Insert(key, image);
}

bool ImageCache::Holds(const QByteArray& key) const
{
    const std::lock_guard lock(heldMutex_);
    return held_.Contains(key);
}

void ImageCache::SetBudget(qint64 bytes)
{
    const std::lock_guard lock(heldMutex_);
    held_.SetBudget(bytes);
}

qint64 ImageCache::Budget() const
{
    const std::lock_guard lock(heldMutex_);
    return held_.Budget();
}

qint64 ImageCache::HeldBytes() const
{
    const std::lock_guard lock(heldMutex_);
    return held_.Bytes();
}

int ImageCache::HeldCount() const
{
    const std::lock_guard lock(heldMutex_);
    return held_.Count();
}

void ImageCache::SetTrusted(bool trusted)
{
    trusted_ = trusted;
    checked_.clear();
}

void ImageCache::Reset()
{
    checked_.clear();
    {
        const std::lock_guard lock(heldMutex_);
        held_.Clear();
    }
    opened_.clear();
    reported_.clear();
    decodes_ = 0;
}

} // namespace tavlora
