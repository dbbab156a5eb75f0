#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>

#include <list>

namespace tavlora {

// Pictures by key under a byte budget: adding one evicts the least recently
// used until the total fits. A picture larger than the whole budget is not
// kept. Callers that still hold an evicted picture keep it alive until they
// drop it, so pictures are held here, not in the widgets.
class ImageLru {
public:
    explicit ImageLru(qint64 budgetBytes) : budget_(budgetBytes) {}

    // The picture under key (and marks it most recently used), or a null image.
    QImage Find(const QByteArray& key);
    bool Contains(const QByteArray& key) const { return index_.contains(key); }
    // Stores (or replaces) a picture; false when it is larger than the budget.
    bool Insert(const QByteArray& key, const QImage& image);
    void Clear();

    // Lowering the budget evicts at once.
    void SetBudget(qint64 bytes);
    qint64 Budget() const { return budget_; }
    qint64 Bytes() const { return bytes_; }
    int Count() const { return int(index_.size()); }
    qint64 Evictions() const { return evictions_; }

    static qint64 BytesOf(const QImage& image) { return image.isNull() ? 0 : qint64(image.sizeInBytes()); }

private:
    struct Node {
        QByteArray key;
        QImage image;
        qint64 bytes;
    };
    void Remove(std::list<Node>::iterator it);
    void Trim();

    qint64 budget_;
    qint64 bytes_ = 0;
    qint64 evictions_ = 0;
    std::list<Node> order_; // most recently used first
    QHash<QByteArray, std::list<Node>::iterator> index_;
};

} // namespace tavlora
