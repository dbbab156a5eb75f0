#include "ImageCache.h"

#include "Vorn3Image.h"

#include <QFileInfo>

namespace tavlora {

QImage ImageCache::Decode(const QString& path, int formatCode, QString* error)
{
    auto it = entries_.find(path);
    QFileInfo info;
    if (it != entries_.end() && it->formatCode == formatCode) {
        if (trusted_) {
            if (error)
                *error = it->error;
            return it->image;
        }
        info = QFileInfo(path);
        if (info.exists() && info.lastModified() == it->modified && info.size() == it->size) {
            if (error)
                *error = it->error;
            return it->image;
        }
    } else {
        info = QFileInfo(path);
    }

    Entry entry;
    entry.formatCode = formatCode;
    entry.modified = info.lastModified();
    entry.size = info.exists() ? info.size() : -1;
    entry.image = Vorn3Image::Decode(path, formatCode, &entry.error);
    ++decodes_;
    if (entry.image.isNull() && !reported_.contains(path)) {
        reported_.insert(path);
        if (reporter_)
            reporter_(path, entry.error);
    }
    if (error)
        *error = entry.error;
    QImage image = entry.image;
    entries_.insert(path, std::move(entry));
    return image;
}

void ImageCache::Reset()
{
    entries_.clear();
    reported_.clear();
    decodes_ = 0;
}

} // namespace tavlora
