#include "LibraryListModel.h"

#include "core/ControlsBlock.h"
#include "editing/Clipboard.h"
#include "library/ControlLibrary.h"

#include <QApplication>
#include <QFont>
#include <QMimeData>
#include <QPainter>
#include <QPalette>
#include <QStyle>

namespace tavlora {

const char* const LibraryListModel::kNameMimeType = "application/x-tavlora-library-block";

LibraryListModel::LibraryListModel(const ControlLibrary& library, QObject* parent)
    : QAbstractListModel(parent), library_(library)
{
    Reset();
}

int LibraryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(library_.Blocks().size());
}

QVariant LibraryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || size_t(index.row()) >= library_.Blocks().size())
        return {};
    const size_t row = size_t(index.row());
    const ControlLibrary::Block& b = library_.Blocks()[row];
    switch (role) {
    case Qt::DisplayRole: {
        if (!b.problem.isEmpty())
            return b.name + QLatin1Char('\n') + b.problem;
        const size_t n = b.records.size();
        QString what = n == 1 ? tr("1 control") : tr("%1 controls").arg(n);
        if (b.shipped)
            what += tr(", shipped");
        return b.name + QLatin1Char('\n') + what;
    }
    case Qt::DecorationRole:
        if (!b.problem.isEmpty())
            return Damaged();
        return row < thumbnails_.size() ? thumbnails_[row] : QPixmap();
    case Qt::ToolTipRole:
        if (!b.problem.isEmpty())
            return tr("%1 cannot be used: %2").arg(b.path, b.problem);
        return b.shipped ? tr("Shipped with Tavlora (read-only): double-click or drag onto the screen to insert")
                         : tr("Double-click or drag onto the screen to insert");
    case Qt::ForegroundRole:
        if (!b.problem.isEmpty())
            return QPalette().color(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::FontRole:
        if (b.shipped) {
            QFont italic;
            italic.setItalic(true);
            return italic;
        }
        return {};
    case kNameRole:
        return b.name;
    case kShippedRole:
        return b.shipped;
    case kProblemRole:
        return b.problem;
    case kDrawnRole:
        return row < drawn_.size() && drawn_[row];
    default:
        return {};
    }
}

Qt::ItemFlags LibraryListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractListModel::flags(index);
    if (index.isValid() && size_t(index.row()) < library_.Blocks().size()
        && library_.Blocks()[size_t(index.row())].problem.isEmpty())
        f |= Qt::ItemIsDragEnabled;
    return f;
}

QStringList LibraryListModel::mimeTypes() const
{
    return {QString::fromLatin1(Clipboard::kMimeType), QString::fromLatin1(kNameMimeType)};
}

QMimeData* LibraryListModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    const int row = indexes.first().row();
    if (row < 0 || size_t(row) >= library_.Blocks().size())
        return nullptr;
    const ControlLibrary::Block& b = library_.Blocks()[size_t(row)];
    if (!b.problem.isEmpty())
        return nullptr;
    std::vector<const ControlRecord*> records;
    for (const auto& rec : b.records)
        records.push_back(rec.get());
    const std::string block = ControlsBlock::Write(records);
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(Clipboard::kMimeType), QByteArray(block.data(), qsizetype(block.size())));
    data->setData(QString::fromLatin1(kNameMimeType), b.name.toUtf8());
    return data;
}

QString LibraryListModel::DraggedName(const QMimeData& data)
{
    return QString::fromUtf8(data.data(QString::fromLatin1(kNameMimeType)));
}

QPixmap LibraryListModel::Blank() const
{
    QPixmap blank(thumbnailSize_);
    blank.fill(Qt::transparent);
    return blank;
}

QPixmap LibraryListModel::Damaged() const
{
    QPixmap pixmap = Blank();
    const QPixmap warning = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32);
    QPainter p(&pixmap);
    p.drawPixmap((pixmap.width() - warning.width()) / 2, (pixmap.height() - warning.height()) / 2, warning);
    return pixmap;
}

void LibraryListModel::Reset()
{
    beginResetModel();
    const size_t n = library_.Blocks().size();
    thumbnails_.assign(n, Blank());
    drawn_.assign(n, false);
    endResetModel();
}

void LibraryListModel::SetThumbnail(int row, const QImage& image)
{
    if (row < 0 || size_t(row) >= thumbnails_.size())
        return;
    thumbnails_[size_t(row)] = image.isNull() ? Blank() : QPixmap::fromImage(image);
    drawn_[size_t(row)] = !image.isNull();
    emit dataChanged(index(row), index(row), {Qt::DecorationRole, kDrawnRole});
}

} // namespace tavlora
