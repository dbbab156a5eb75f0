#include "ScreenListModel.h"
#include "core/ScreenVisibility.h"

#include "editing/ScreenEdits.h"

#include <QFont>

#include <unordered_set>

namespace tavlora {

ScreenListModel::ScreenListModel(QObject* parent) : QAbstractListModel(parent)
{
    blank_ = QPixmap(thumbnailSize_);
    blank_.fill(Qt::lightGray);
}

ScreenListModel::~ScreenListModel()
{
    if (give_ && heldBytes_ > 0)
        give_(heldBytes_);
}

void ScreenListModel::SetBudget(std::function<bool(qint64)> take, std::function<void(qint64)> give)
{
    take_ = std::move(take);
    give_ = std::move(give);
}

void ScreenListModel::Release(Entry& e)
{
    if (give_ && e.bytes > 0)
        give_(e.bytes);
    heldBytes_ -= e.bytes;
    e.bytes = 0;
    e.thumbnail = blank_;
    e.drawn = false;
}

int ScreenListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

QVariant ScreenListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || size_t(index.row()) >= entries_.size())
        return {};
    const Entry& e = entries_[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole: {
        QString name = ScreenEdits::ScreenName(e.screen);
        if (e.screen == ScreenVisibility::kPersistentScreen || e.screen == ScreenVisibility::kTabScreen)
            name += QStringLiteral(" (%1)").arg(e.screen);
        const QString count = e.count == 0 ? tr("empty") : e.count == 1 ? tr("1 control") : tr("%1 controls").arg(e.count);
        return name + QLatin1Char('\n') + count;
    }
    case Qt::DecorationRole:
        return e.thumbnail;
    case Qt::ToolTipRole:
        return tr("Show %1").arg(ScreenEdits::ScreenName(e.screen));
    case Qt::FontRole:
        if (e.screen == current_) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case kScreenRole:
        return e.screen;
    case kCountRole:
        return e.count;
    case kDrawnRole:
        return e.drawn;
    default:
        return {};
    }
}

void ScreenListModel::SetScreens(const std::vector<std::pair<int, int>>& screens)
{
    // Both lists are in the same order: remove what is gone, then insert what is new.
    std::unordered_set<int> wanted;
    for (const auto& s : screens)
        wanted.insert(s.first);
    for (int row = int(entries_.size()) - 1; row >= 0; --row) {
        if (wanted.count(entries_[size_t(row)].screen))
            continue;
        beginRemoveRows(QModelIndex(), row, row);
        Release(entries_[size_t(row)]);
        entries_.erase(entries_.begin() + row);
        endRemoveRows();
    }
    for (size_t i = 0; i < screens.size(); ++i) {
        const auto& [screen, count] = screens[i];
        if (i < entries_.size() && entries_[i].screen == screen) {
            if (entries_[i].count != count) {
                entries_[i].count = count;
                emit dataChanged(index(int(i)), index(int(i)));
            }
            continue;
        }
        beginInsertRows(QModelIndex(), int(i), int(i));
        Entry e;
        e.screen = screen;
        e.count = count;
        e.thumbnail = blank_;
        entries_.insert(entries_.begin() + qsizetype(i), std::move(e));
        endInsertRows();
    }
}

bool ScreenListModel::SetThumbnail(int screen, const QImage& image)
{
    const int row = RowOf(screen);
    if (row < 0)
        return true;
    Entry& e = entries_[size_t(row)];
    Release(e);
    const qint64 bytes = image.sizeInBytes();
    const bool kept = !take_ || take_(bytes);
    if (kept) {
        e.thumbnail = QPixmap::fromImage(image);
        e.drawn = true;
        e.bytes = bytes;
        heldBytes_ += bytes;
    }
    emit dataChanged(index(row), index(row), {Qt::DecorationRole, kDrawnRole});
    return kept;
}

void ScreenListModel::DropThumbnail(int row)
{
    if (row < 0 || size_t(row) >= entries_.size() || !entries_[size_t(row)].drawn)
        return;
    Release(entries_[size_t(row)]);
    emit dataChanged(index(row), index(row), {Qt::DecorationRole, kDrawnRole});
}

bool ScreenListModel::IsDrawn(int row) const
{
    return row >= 0 && size_t(row) < entries_.size() && entries_[size_t(row)].drawn;
}

void ScreenListModel::SetThumbnailSize(QSize size)
{
    if (size == thumbnailSize_)
        return;
    thumbnailSize_ = size;
    blank_ = QPixmap(thumbnailSize_);
    blank_.fill(Qt::lightGray);
    for (Entry& e : entries_)
        Release(e);
    if (!entries_.empty())
        emit dataChanged(index(0), index(int(entries_.size()) - 1));
}

void ScreenListModel::SetCurrent(int screen)
{
    const int before = RowOf(current_);
    current_ = screen;
    for (int row : {before, RowOf(current_)}) {
        if (row >= 0)
            emit dataChanged(index(row), index(row), {Qt::FontRole});
    }
}

int ScreenListModel::RowOf(int screen) const
{
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].screen == screen)
            return int(i);
    }
    return -1;
}

std::optional<int> ScreenListModel::ScreenAt(int row) const
{
    if (row < 0 || size_t(row) >= entries_.size())
        return std::nullopt;
    return entries_[size_t(row)].screen;
}

int ScreenListModel::CountAt(int row) const
{
    return row >= 0 && size_t(row) < entries_.size() ? entries_[size_t(row)].count : 0;
}

std::vector<int> ScreenListModel::Screens() const
{
    std::vector<int> screens;
    screens.reserve(entries_.size());
    for (const Entry& e : entries_)
        screens.push_back(e.screen);
    return screens;
}

} // namespace tavlora
