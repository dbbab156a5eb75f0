#pragma once

#include <QAbstractListModel>
#include <QImage>
#include <QPixmap>
#include <QSize>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace tavlora {

// One row per screen of the Screens panel: its name, the number of its
// controls and a thumbnail; the current screen is bold. Rows come and go
// with SetScreens, which keeps the thumbnails of screens that stay. Drawn
// thumbnails take their bytes from a budget shared with other pictures.
class ScreenListModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kScreenRole = Qt::UserRole + 1;
    static constexpr int kCountRole = Qt::UserRole + 2;
    // True while the row shows a thumbnail that was drawn for it.
    static constexpr int kDrawnRole = Qt::UserRole + 3;

    explicit ScreenListModel(QObject* parent = nullptr);
    ~ScreenListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The screens with their control counts, in the order to list them.
    void SetScreens(const std::vector<std::pair<int, int>>& screens);
    // Where drawn thumbnails take their bytes from and give them back to; a
    // thumbnail the budget has no room for is not kept.
    void SetBudget(std::function<bool(qint64)> take, std::function<void(qint64)> give);
    // False when the budget had no room: the row stays blank.
    bool SetThumbnail(int screen, const QImage& image);
    // Blanks a drawn thumbnail and gives its bytes back.
    void DropThumbnail(int row);
    bool IsDrawn(int row) const;
    qint64 HeldBytes() const { return heldBytes_; }
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
        qint64 bytes = 0;
    };
    void Release(Entry& e);

    std::vector<Entry> entries_;
    QPixmap blank_; // shared by every row not drawn
    std::function<bool(qint64)> take_;
    std::function<void(qint64)> give_;
    qint64 heldBytes_ = 0;
    QSize thumbnailSize_{120, 90};
    int current_ = -1;
};

} // namespace tavlora
