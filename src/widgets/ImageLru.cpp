#include "ImageLru.h"

namespace tavlora {

QImage ImageLru::Find(const QByteArray& key)
{
    auto it = index_.constFind(key);
    if (it == index_.constEnd())
        return {};
    order_.splice(order_.begin(), order_, *it);
    return order_.front().image;
}

bool ImageLru::Insert(const QByteArray& key, const QImage& image)
{
    if (auto it = index_.constFind(key); it != index_.constEnd())
        Remove(*it);
    const qint64 bytes = BytesOf(image);
    if (image.isNull() || bytes > budget_)
        return false;
    order_.push_front(Node{key, image, bytes});
    index_.insert(key, order_.begin());
    bytes_ += bytes;
    Trim();
    return true;
}

void ImageLru::Clear()
{
    order_.clear();
    index_.clear();
    bytes_ = 0;
}

void ImageLru::SetBudget(qint64 bytes)
{
    budget_ = std::max<qint64>(bytes, 0);
    Trim();
}

void ImageLru::Remove(std::list<Node>::iterator it)
{
    bytes_ -= it->bytes;
    index_.remove(it->key);
    order_.erase(it);
}

void ImageLru::Trim()
{
    while (bytes_ > budget_ && !order_.empty()) {
        Remove(std::prev(order_.end()));
        ++evictions_;
    }
}

} // namespace tavlora
