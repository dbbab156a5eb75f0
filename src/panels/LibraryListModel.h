#pragma once

#include <QAbstractListModel>
#include <QImage>
#include <QPixmap>
#include <QSize>

#include <vector>

namespace tavlora {

class ControlLibrary;

// One row per block of the control library, in its order: the name, the
// number of controls (or why the file cannot be used, greyed) and a
// thumbnail. A good block drags as controls the design view takes.
class LibraryListModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kNameRole = Qt::UserRole + 1;
    static constexpr int kShippedRole = Qt::UserRole + 2;
    static constexpr int kProblemRole = Qt::UserRole + 3;
    // True while the row shows a thumbnail that was drawn for it.
    static constexpr int kDrawnRole = Qt::UserRole + 4;
    // The block's name beside the dragged controls.
    static const char* const kNameMimeType;

    explicit LibraryListModel(const ControlLibrary& library, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

    // The rows again from the library, with blank thumbnails.
    void Reset();
    void SetThumbnail(int row, const QImage& image);
    void SetThumbnailSize(QSize size) { thumbnailSize_ = size; }
    // The name a drag of a block carries, or an empty text.
    static QString DraggedName(const QMimeData& data);

private:
    QPixmap Blank() const;
    // A warning sign in place of the thumbnail of a file that cannot be used.
    QPixmap Damaged() const;

    const ControlLibrary& library_;
    std::vector<QPixmap> thumbnails_;
    std::vector<bool> drawn_;
    QSize thumbnailSize_{120, 80};
};

} // namespace tavlora
