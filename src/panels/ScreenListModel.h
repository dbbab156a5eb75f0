#pragma once

#include <QAbstractListModel>
#include <QImage>
#include <QPixmap>
#include <QSize>

#include <optional>
#include <utility>
#include <vector>

namespace tavlora {

// One row per screen of the Screens panel: its name, the number of its
// controls and a thumbnail; the current screen is bold. Rows come and go
// with SetScreens, which keeps the thumbnails of screens that stay.
class ScreenListModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kScreenRole = Qt::UserRole + 1;
    static constexpr int kCountRole = Qt::UserRole + 2;
    // True while the row shows a thumbnail that was drawn for it.
    static constexpr int kDrawnRole = Qt::UserRole + 3;

    explicit ScreenListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The screens with their control counts, in the order to list them.
    void SetScreens(const std::vector<std::pair<int, int>>& screens);
    void SetThumbnail(int screen, const QImage& image);
    // Blank thumbnails of this size until drawn; a new size blanks them all.
    void SetThumbnailSize(QSize size);
    void SetCurrent(int screen);

    int RowOf(int screen) const;
    std::optional<int> ScreenAt(int row) const;
    int CountAt(int row) const;
    std::vector<int> Screens() const;

private:
    struct Entry {
        int screen = 0;
        int count = 0;
        QPixmap thumbnail;
        bool drawn = false;
    };
    QPixmap Blank() const;

    std::vector<Entry> entries_;
    QSize thumbnailSize_{120, 90};
    int current_ = -1;
};

} // namespace tavlora
