#include "ControlListModel.h"

#include "core/ControlCaption.h"
#include "core/ControlForm.h"
#include "core/ControlType.h"
#include "core/ScreenVisibility.h"
#include "core/Windows1252.h"
#include "document/CTavloraDoc.h"
#include "widgets/WidgetContext.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <unordered_set>

namespace tavlora {

namespace {

QString Shown(const std::string& bytes)
{
    return QString::fromStdString(Windows1252::ToUtf8(bytes));
}

bool Persistent(const ControlRecord& rec)
{
    return rec.screen == ScreenVisibility::kPersistentScreen;
}

} // namespace

ControlListModel::ControlListModel(CTavloraDoc& doc, QObject* parent) : QAbstractTableModel(parent), doc_(doc)
{
    rows_ = Listed();
    Reindex();
}

int ControlListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int ControlListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const ControlRecord* ControlListModel::RecordAt(int row) const
{
    if (row < 0 || size_t(row) >= rows_.size())
        return nullptr;
    return rows_[size_t(row)];
}

QString ControlListModel::HiddenText(unsigned reasons)
{
    QStringList lines;
    if (reasons & ScreenVisibility::NoWidget)
        lines << tr("Obsolete or unknown type: nothing is shown for it");
    if (reasons & ScreenVisibility::NoArea)
        lines << tr("Zero or negative size");
    if (reasons & ScreenVisibility::OffScreen)
        lines << tr("Entirely outside the target screen");
    if (reasons & ScreenVisibility::PictureHidden)
        lines << tr("Picture hidden by \"Remove Bitmaps\"");
    return lines.join(QLatin1Char('\n'));
}

unsigned ControlListModel::HiddenReasons(const ControlRecord& rec) const
{
    const QSize size = doc_.ScreenSize();
    return ScreenVisibility::HiddenReasons(rec, size.width(), size.height(), doc_.Context().showImages);
}

QString ControlListModel::FunctionName(const ControlRecord& rec) const
{
    return Shown(ControlForm::FunctionName(rec, doc_.Catalogs().Entries(rec.type)));
}

QVariant ControlListModel::data(const QModelIndex& index, int role) const
{
    const ControlRecord* rec = RecordAt(index.row());
    if (!rec || !index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return Text(*rec, index.column());
    case Qt::CheckStateRole:
        if (index.column() == LockColumn)
            return rec->locked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == XColumn || index.column() == YColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::ForegroundRole:
        if (HiddenReasons(*rec) != ScreenVisibility::Visible)
            return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::FontRole:
        if (Persistent(*rec)) {
            QFont font;
            font.setItalic(true);
            return font;
        }
        return {};
    case Qt::ToolTipRole: {
        QStringList lines;
        if (Persistent(*rec))
            lines << tr("Persistent: shown on every screen but the TAB screen");
        const QString hidden = HiddenText(HiddenReasons(*rec));
        if (!hidden.isEmpty())
            lines << tr("Not seen on the screen:") << hidden;
        if (lines.isEmpty())
            return {};
        return lines.join(QLatin1Char('\n'));
    }
    case kHiddenRole:
        return HiddenReasons(*rec);
    default:
        return {};
    }
}

QString ControlListModel::Text(const ControlRecord& rec, int column) const
{
    const Rect& r = rec.rect;
    switch (column) {
    case TypeColumn: {
        const QString type = QString::fromStdString(ControlCaption::TypeName(rec.type));
        return Persistent(rec) ? tr("%1 (persistent)").arg(type) : type;
    }
    case CaptionColumn: return Shown(ControlCaption::Of(rec));
    case FunctionColumn: return FunctionName(rec);
    case XColumn: return QString::number(r.left);
    case YColumn: return QString::number(r.top);
    case SizeColumn:
        return QStringLiteral("%1 \u00d7 %2").arg(qint64(r.right) - r.left).arg(qint64(r.bottom) - r.top);
    default: return {};
    }
}

bool ControlListModel::Wanted(const ControlRecord& rec) const
{
    if (!ScreenVisibility::ShowsOn(rec.screen, doc_.CurrentScreen()))
        return false;
    if (filter_.isEmpty())
        return true;
    for (int column = 0; column < LockColumn; ++column) {
        if (Text(rec, column).contains(filter_, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void ControlListModel::SetFilter(const QString& text)
{
    if (text == filter_)
        return;
    filter_ = text;
    ApplyRows(Listed());
}

QVariant ControlListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case TypeColumn: return tr("Type");
    case CaptionColumn: return tr("Caption");
    case FunctionColumn: return tr("Function");
    case XColumn: return tr("x");
    case YColumn: return tr("y");
    case SizeColumn: return tr("Size");
    case LockColumn: return tr("Lock");
    default: return {};
    }
}

Qt::ItemFlags ControlListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == LockColumn)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool ControlListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const ControlRecord* rec = RecordAt(index.row());
    if (!rec || index.column() != LockColumn || role != Qt::CheckStateRole)
        return false;
    const bool locked = value.toInt() == Qt::Checked;
    if (locked != rec->locked)
        emit lockToggled(rec, locked);
    return true;
}

std::vector<const ControlRecord*> ControlListModel::Listed() const
{
    std::vector<const ControlRecord*> rows;
    for (const auto& rec : doc_.Set().controls) {
        if (Wanted(*rec))
            rows.push_back(rec.get());
    }
    return rows;
}

void ControlListModel::Reindex()
{
    rowOf_.clear();
    rowOf_.reserve(qsizetype(rows_.size()));
    for (size_t i = 0; i < rows_.size(); ++i)
        rowOf_.insert(rows_[i], int(i));
}

void ControlListModel::Reset()
{
    beginResetModel();
    rows_ = Listed();
    Reindex();
    endResetModel();
}

void ControlListModel::BeginDocumentReset()
{
    beginResetModel();
    rows_.clear();
    rowOf_.clear();
}

void ControlListModel::EndDocumentReset()
{
    rows_ = Listed();
    Reindex();
    endResetModel();
}

void ControlListModel::RefreshMarks()
{
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(int(rows_.size()) - 1, ColumnCount - 1));
}

void ControlListModel::ApplyRows(const std::vector<const ControlRecord*>& rows)
{
    const std::unordered_set<const ControlRecord*> wanted(rows.begin(), rows.end());
    // Removals, from the end, one call per run of rows.
    bool removed = false;
    for (int end = int(rows_.size()) - 1; end >= 0;) {
        if (wanted.count(rows_[size_t(end)])) {
            --end;
            continue;
        }
        int first = end;
        while (first > 0 && !wanted.count(rows_[size_t(first - 1)]))
            --first;
        beginRemoveRows(QModelIndex(), first, end);
        rows_.erase(rows_.begin() + first, rows_.begin() + end + 1);
        endRemoveRows();
        removed = true;
        end = first - 1;
    }
    if (removed)
        Reindex();

    // The survivors must keep their order; otherwise the list starts anew.
    size_t next = 0;
    for (const ControlRecord* rec : rows) {
        if (next < rows_.size() && rows_[next] == rec)
            ++next;
        else if (rowOf_.contains(rec)) {
            Reset();
            return;
        }
    }
    if (next != rows_.size()) {
        Reset();
        return;
    }

    // Insertions, one call per run of new rows.
    bool inserted = false;
    for (size_t i = 0; i < rows.size();) {
        if (i < rows_.size() && rows_[i] == rows[i]) {
            ++i;
            continue;
        }
        size_t last = i;
        while (last + 1 < rows.size() && !rowOf_.contains(rows[last + 1]))
            ++last;
        beginInsertRows(QModelIndex(), int(i), int(last));
        rows_.insert(rows_.begin() + qsizetype(i), rows.begin() + qsizetype(i), rows.begin() + qsizetype(last) + 1);
        endInsertRows();
        inserted = true;
        i = last + 1;
    }
    if (inserted)
        Reindex();
}

void ControlListModel::OnChanged(const RecordList& records, ControlChanges what)
{
    if (what.testFlag(ControlChange::Stacking)) {
        ApplyRows(Listed());
        return;
    }
    // A new screen number (or text) may list or unlist a record.
    int first = -1;
    int last = -1;
    for (const ControlRecord* rec : records) {
        const int row = RowOf(rec);
        if ((row >= 0) != Wanted(*rec)) {
            ApplyRows(Listed());
            first = 0;
            last = int(rows_.size()) - 1;
            break;
        }
        if (row < 0)
            continue;
        first = first < 0 ? row : std::min(first, row);
        last = std::max(last, row);
    }
    if (first >= 0 && last >= first)
        emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
}

void ControlListModel::OnInserted(const RecordList& records)
{
    for (const ControlRecord* rec : records) {
        if (Wanted(*rec)) {
            ApplyRows(Listed());
            return;
        }
    }
}

void ControlListModel::OnRemoved(const RecordList& records)
{
    for (const ControlRecord* rec : records) {
        if (rowOf_.contains(rec)) {
            ApplyRows(Listed());
            return;
        }
    }
}

} // namespace tavlora
