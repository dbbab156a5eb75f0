#include "WorkBar.h"

#include "ToolList.h"

#include "core/ControlTypes.h"

#include <QEvent>
#include <QIcon>
#include <QListWidget>
#include <QToolBox>
#include <QVBoxLayout>

#include <algorithm>

namespace tavlora {

namespace {

const char* const kControls = "Controls";
const char* const kNone = "NONE";

QIcon EntryIcon(std::string_view icon)
{
    return QIcon(QStringLiteral(":/tavlora/icons/%1.svg").arg(QLatin1String(icon.data(), qsizetype(icon.size()))));
}
const char* const kPanels = "Panels";

const char* const kStyle = R"(
QToolBox { background: #d8e6f8; }
QToolBox::tab {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #e4effd, stop:0.5 #c4daf6, stop:1 #9ebfe9);
    border: 1px solid #6f97cf;
    border-radius: 0px;
    color: #15428b;
    font-weight: bold;
    padding-left: 6px;
}
QToolBox::tab:selected {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff3cf, stop:0.5 #fed98e, stop:1 #fbc05d);
    color: #15428b;
}
QListWidget {
    background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #eef4fd, stop:1 #d5e4f8);
    border: none;
    color: #0e2f63;
    outline: 0;
}
QListWidget::item {
    border: 1px solid transparent;
    border-radius: 2px;
    padding: 3px 2px 3px 2px;
}
QListWidget::item:hover {
    background: #fff4cc;
    border: 1px solid #e8b54c;
}
QListWidget::item:selected {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fee3a8, stop:1 #fbbf5c);
    border: 1px solid #c58b25;
    color: #0e2f63;
}
)";

QListWidget* MakeList(QListWidget* list)
{
    list->setViewMode(QListView::IconMode);
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(false);
    list->setMovement(QListView::Static);
    list->setResizeMode(QListView::Adjust);
    list->setIconSize(QSize(32, 33));
    list->setSpacing(2);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFocusPolicy(Qt::NoFocus);
    return list;
}

} // namespace

WorkBar::WorkBar(QWidget* parent) : QDockWidget(QStringLiteral("Workspace"), parent)
{
    setObjectName(QStringLiteral("WorkBar"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable
                | QDockWidget::DockWidgetClosable);
    setAllowedAreas(Qt::AllDockWidgetAreas);

    auto* body = new QWidget(this);
    body->setStyleSheet(QString::fromLatin1(kStyle));
    groups_ = new QToolBox(body);
    groups_->setObjectName(QStringLiteral("ShortcutBar"));

    auto* tools = new ToolList(&WorkBar::ToolForText, groups_);
    controls_ = MakeList(tools);
    // A dragged entry places a control where it is dropped; the current tool stays.
    connect(tools, &ToolList::dragFinished, this, [this] { SelectTool(tool_); });
    // Entries drag onto the design view (a static icon list turns dragging off).
    controls_->setDragEnabled(true);
    controls_->setDragDropMode(QAbstractItemView::DragOnly);
    auto addEntry = [this](std::string_view text, std::string_view icon) {
        auto* item = new QListWidgetItem(EntryIcon(icon), QLatin1String(text.data(), qsizetype(text.size())), controls_);
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        item->setSizeHint(QSize(118, 58));
    };
    for (const ControlTypes::Facts* f : ControlTypes::WorkBar())
        addEntry(f->toolName, f->toolIcon);
    addEntry(kNone, "work-none");
    panels_ = MakeList(new QListWidget(groups_));

    groups_->addItem(controls_, QString::fromLatin1(kControls));
    groups_->addItem(panels_, QString::fromLatin1(kPanels));
    groups_->setCurrentIndex(0);
    SelectItem(NoneItem());

    connect(controls_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ItemClicked(QString::fromLatin1(kControls), controls_->row(item)); });
    connect(panels_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ItemClicked(QString::fromLatin1(kPanels), panels_->row(item)); });

    controls_->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(groups_);
    setWidget(body);
    body->setMinimumSize(130, 200);
}

bool WorkBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == controls_->viewport() && event->type() == QEvent::Resize)
        FitItems();
    return QDockWidget::eventFilter(watched, event);
}

void WorkBar::FitItems()
{
    const int width = std::max(80, controls_->viewport()->width() - 2 * controls_->spacing() - 2);
    for (int i = 0; i < controls_->count(); ++i)
        controls_->item(i)->setSizeHint(QSize(width, 58));
}

int WorkBar::ToolForText(const QString& text)
{
    if (text == QLatin1String(kNone))
        return 0;
    for (const ControlTypes::Facts* f : ControlTypes::WorkBar()) {
        if (text == QLatin1String(f->toolName.data(), qsizetype(f->toolName.size())))
            return f->tool;
    }
    return -1;
}

int WorkBar::NoneItem() const
{
    return controls_->count() - 1;
}

void WorkBar::SelectTool(int tool)
{
    tool_ = tool;
    for (int i = 0; i < controls_->count(); ++i) {
        if (ToolForText(controls_->item(i)->text()) == tool) {
            SelectItem(i);
            return;
        }
    }
    SelectItem(NoneItem());
}

void WorkBar::ItemClicked(const QString& groupTitle, int item)
{
    if (item == -1 || groupTitle != QLatin1String(kControls))
        return;
    if (item < 0 || item >= controls_->count())
        return;
    const int tool = ToolForText(controls_->item(item)->text());
    if (tool >= 0)
        emit toolChosen(tool);
}

void WorkBar::SelectItem(int item)
{
    if (item >= 0 && item < controls_->count())
        controls_->setCurrentRow(item);
}

int WorkBar::SelectedItem() const
{
    return controls_->currentRow();
}

} // namespace tavlora
