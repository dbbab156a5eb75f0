#pragma once

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QString>

#include <functional>

namespace tavlora {

// Decoded pictures of one load, shared by every widget that shows the same
// file (widgets scale their own copies). A failed decode is reported once per
// file until the next Reset.
class ImageCache {
public:
    using Reporter = std::function<void(const QString& path, const QString& error)>;

    // `reporter` is read at each failure, so it may be set after construction.
    explicit ImageCache(const Reporter& reporter) : reporter_(reporter) {}

    // The decoded picture of a file, or a null image and the reason.
    QImage Decode(const QString& path, int formatCode, QString* error);

    // While trusted, a file decoded before is not checked for changes (used while
    // many widgets are built at once); otherwise a changed file is decoded again.
    void SetTrusted(bool trusted) { trusted_ = trusted; }
    void Reset();

    int DecodeCount() const { return decodes_; }
    int Size() const { return int(entries_.size()); }

private:
    struct Entry {
        QImage image;
        QString error;
        int formatCode = 0;
        QDateTime modified;
        qint64 size = -1;
    };

    const Reporter& reporter_;
    QHash<QString, Entry> entries_;
    QSet<QString> reported_;
    bool trusted_ = false;
    int decodes_ = 0;
};

} // namespace tavlora
