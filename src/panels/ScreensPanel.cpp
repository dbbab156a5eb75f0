#include "ScreensPanel.h"

#include "ScreenListModel.h"

#include "core/ScreenVisibility.h"
#include "document/CTavloraDoc.h"
#include "document/Prompter.h"
#include "editing/ScreenEdits.h"
#include "widgets/ScreenRenderer.h"
#include "widgets/WidgetContext.h"

#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QListView>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

namespace tavlora {

ScreensPanel::ScreensPanel(CTavloraDoc& doc, Prompter& prompter, QWidget* parent)
    : QDockWidget(tr("Screens"), parent), doc_(doc), prompter_(prompter)
{
    setObjectName(QStringLiteral("ScreensPanel"));
    model_ = new ScreenListModel(this);
    model_->SetThumbnailSize(ThumbnailSize());
    const QPointer<WidgetContext> ctx(&doc_.Context());
    model_->SetBudget([ctx](qint64 bytes) { return !ctx || ctx->TakeLookBytes(bytes); },
                      [ctx](qint64 bytes) {
                          if (ctx)
                              ctx->ReturnLookBytes(bytes);
                      });

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    view_ = new QListView(body);
    view_->setModel(model_);
    view_->setIconSize(ThumbnailSize());
    view_->setUniformItemSizes(true);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    view_->setSpacing(2);
    copy_ = new QPushButton(tr("Copy..."), body);
    copy_->setToolTip(tr("Copy the controls of the current screen to another screen"));
    move_ = new QPushButton(tr("Move..."), body);
    move_->setToolTip(tr("Move the controls of the current screen to another screen"));
    delete_ = new QPushButton(tr("Delete"), body);
    delete_->setToolTip(tr("Delete the controls of the current screen"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy_);
    buttons->addWidget(move_);
    buttons->addWidget(delete_);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    setWidget(body);

    timer_.setSingleShot(true);
    timer_.setInterval(kDebounceMs);
    connect(&timer_, &QTimer::timeout, this, [this] { DrawSome(kSliceMs); });

    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (syncing_)
            return;
        // Shown once the click or key is over: the entries change with the screen.
        if (const std::optional<int> screen = model_->ScreenAt(current.row()))
            QTimer::singleShot(0, this, [this, s = *screen] { doc_.SetCurrentScreen(s); });
    });
    connect(view_, &QListView::customContextMenuRequested, this, &ScreensPanel::ContextMenu);
    connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, this, &ScreensPanel::DrawDeferredInView);
    connect(view_->verticalScrollBar(), &QScrollBar::rangeChanged, this, &ScreensPanel::DrawDeferredInView);
    connect(copy_, &QPushButton::clicked, this, [this] { CopyScreen(doc_.CurrentScreen()); });
    connect(move_, &QPushButton::clicked, this, [this] { MoveScreen(doc_.CurrentScreen()); });
    connect(delete_, &QPushButton::clicked, this, [this] { DeleteScreen(doc_.CurrentScreen()); });

    connect(&doc_, &CTavloraDoc::controlsChanged, this, &ScreensPanel::OnChanged);
    connect(&doc_, &CTavloraDoc::controlsInserted, this, &ScreensPanel::OnInserted);
    connect(&doc_, &CTavloraDoc::controlsRemoved, this, &ScreensPanel::OnRemoved);
    connect(&doc_, &CTavloraDoc::coloursChanged, this, &ScreensPanel::InvalidateThumbnails);
    connect(&doc_, &CTavloraDoc::currentScreenChanged, this, &ScreensPanel::UpdateEntries);
    connect(&doc_, &CTavloraDoc::screenSizeChanged, this, [this] {
        model_->SetThumbnailSize(ThumbnailSize());
        view_->setIconSize(ThumbnailSize());
        InvalidateThumbnails();
    });
    connect(&doc_, &CTavloraDoc::documentReset, this, &ScreensPanel::Rebuild);
    Rebuild();
}

QSize ScreensPanel::ThumbnailSize() const
{
    const QSize screen = doc_.ScreenSize();
    if (screen.isEmpty())
        return QSize(kThumbnailWidth, kThumbnailWidth * 3 / 4);
    const int height = int(qint64(kThumbnailWidth) * screen.height() / screen.width());
    return QSize(kThumbnailWidth, std::clamp(height, 16, 2 * kThumbnailWidth));
}

void ScreensPanel::Rebuild()
{
    // No thumbnail of the previous set stays.
    const bool wasSyncing = std::exchange(syncing_, true);
    model_->SetScreens({});
    syncing_ = wasSyncing;
    screenOf_.clear();
    counts_.clear();
    for (const auto& rec : doc_.Set().controls)
        Count(rec.get(), rec->screen, 1);
    UpdateEntries();
    InvalidateThumbnails();
}

void ScreensPanel::Count(const ControlRecord* record, int screen, int delta)
{
    if (delta > 0)
        screenOf_.insert(record, screen);
    else
        screenOf_.remove(record);
    const int count = counts_[screen] += delta;
    if (count <= 0)
        counts_.erase(screen);
}

void ScreensPanel::OnInserted(const RecordList& records)
{
    for (const ControlRecord* rec : records) {
        Count(rec, rec->screen, 1);
        Touch(rec->screen);
    }
    UpdateEntries();
}

void ScreensPanel::OnRemoved(const RecordList& records)
{
    for (const ControlRecord* rec : records) {
        const auto it = screenOf_.constFind(rec);
        if (it == screenOf_.constEnd())
            continue;
        const int screen = *it;
        Count(rec, screen, -1);
        Touch(screen);
    }
    UpdateEntries();
}

void ScreensPanel::OnChanged(const RecordList& records, ControlChanges)
{
    bool moved = false;
    for (const ControlRecord* rec : records) {
        const auto it = screenOf_.constFind(rec);
        const int before = it == screenOf_.constEnd() ? rec->screen : *it;
        if (before != rec->screen) {
            Count(rec, before, -1);
            Count(rec, rec->screen, 1);
            Touch(before);
            moved = true;
        }
        Touch(rec->screen);
    }
    if (moved)
        UpdateEntries();
}

void ScreensPanel::Touch(int screen)
{
    if (allStale_)
        return;
    // The persistent layer shows on every screen.
    if (screen == ScreenVisibility::kPersistentScreen) {
        InvalidateThumbnails();
        return;
    }
    stale_.insert(screen);
    if (!timer_.isActive())
        timer_.start(kDebounceMs);
}

void ScreensPanel::InvalidateThumbnails()
{
    allStale_ = true;
    stale_.clear();
    deferred_.clear();
    if (!timer_.isActive())
        timer_.start(kDebounceMs);
}

void ScreensPanel::UpdateEntries()
{
    // The persistent layer first, then ascending; the current screen is
    // listed even while it is empty.
    const auto before = [](int a, int b) {
        if ((a == ScreenVisibility::kPersistentScreen) != (b == ScreenVisibility::kPersistentScreen))
            return a == ScreenVisibility::kPersistentScreen;
        return a < b;
    };
    std::vector<std::pair<int, int>> screens(counts_.begin(), counts_.end());
    std::stable_sort(screens.begin(), screens.end(), [&before](const auto& a, const auto& b) { return before(a.first, b.first); });
    const int current = doc_.CurrentScreen();
    if (!counts_.count(current)) {
        const auto at = std::find_if(screens.begin(), screens.end(),
                                     [&](const auto& s) { return before(current, s.first); });
        screens.insert(at, {current, 0});
    }
    const bool wasSyncing = std::exchange(syncing_, true);
    model_->SetScreens(screens);
    syncing_ = wasSyncing;
    ShowCurrent();
}

void ScreensPanel::ShowCurrent()
{
    const int current = doc_.CurrentScreen();
    model_->SetCurrent(current);
    const int row = model_->RowOf(current);
    const bool wasSyncing = std::exchange(syncing_, true);
    if (row >= 0)
        view_->setCurrentIndex(model_->index(row));
    else
        view_->selectionModel()->clearCurrentIndex();
    syncing_ = wasSyncing;
    UpdateButtons();
}

void ScreensPanel::UpdateButtons()
{
    const bool has = counts_.count(doc_.CurrentScreen()) != 0;
    copy_->setEnabled(has);
    move_->setEnabled(has);
    delete_->setEnabled(has);
}

void ScreensPanel::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    DrawDeferredInView();
    if (ThumbnailsPending() && !timer_.isActive())
        timer_.start(0);
}

void ScreensPanel::DrawThumbnails()
{
    DrawSome(-1);
}

void ScreensPanel::DrawSome(qint64 budgetMs)
{
    // A hidden panel draws when it shows again.
    if (budgetMs >= 0 && !isVisible())
        return;
    std::vector<int> order = model_->Screens();
    if (!allStale_) {
        order.erase(std::remove_if(order.begin(), order.end(), [this](int s) { return !stale_.count(s); }),
                    order.end());
    }
    // The current screen first, then those in view.
    const std::set<int> inView = ScreensInView();
    std::stable_partition(order.begin(), order.end(), [&inView](int s) { return inView.count(s) != 0; });
    const auto current = std::find(order.begin(), order.end(), doc_.CurrentScreen());
    if (current != order.end())
        std::rotate(order.begin(), current, current + 1);
    allStale_ = false;
    stale_.clear();

    QElapsedTimer clock;
    clock.start();
    const QSize size = ThumbnailSize();
    // One batch: each picture file is checked for changes once per pass.
    doc_.Context().BeginBatch();
    for (size_t i = 0; i < order.size(); ++i) {
        if (budgetMs >= 0 && i > 0 && clock.elapsed() >= budgetMs) {
            stale_.insert(order.begin() + qsizetype(i), order.end());
            timer_.start(0);
            break;
        }
        const int screen = order[i];
        deferred_.erase(screen);
        if (!Keep(screen, ScreenRenderer::Thumbnail(doc_.Set(), doc_.Context(), screen, doc_.ScreenSize(), size),
                  inView))
            deferred_.insert(screen);
    }
    doc_.Context().EndBatch();
}

bool ScreensPanel::Keep(int screen, const QImage& image, const std::set<int>& inView)
{
    if (model_->SetThumbnail(screen, image))
        return true;
    if (!inView.count(screen) && screen != doc_.CurrentScreen())
        return false;
    for (int row = 0; row < model_->rowCount(); ++row) {
        const std::optional<int> other = model_->ScreenAt(row);
        if (!other || inView.count(*other) || *other == doc_.CurrentScreen() || !model_->IsDrawn(row))
            continue;
        model_->DropThumbnail(row);
        deferred_.insert(*other);
        if (model_->SetThumbnail(screen, image))
            return true;
    }
    return false;
}

std::set<int> ScreensPanel::ScreensInView() const
{
    std::set<int> screens;
    const QRect area = view_->viewport()->rect();
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (view_->visualRect(model_->index(row)).intersects(area))
            screens.insert(*model_->ScreenAt(row));
    }
    return screens;
}

void ScreensPanel::DrawDeferredInView()
{
    bool any = false;
    for (int screen : ScreensInView()) {
        if (deferred_.erase(screen)) {
            stale_.insert(screen);
            any = true;
        }
    }
    if (any && !timer_.isActive())
        timer_.start(0);
}

int ScreensPanel::SuggestedTarget(int from) const
{
    for (int screen = 1; screen < 100; ++screen) {
        if (screen != from && screen != ScreenVisibility::kTabScreen && !counts_.count(screen))
            return screen;
    }
    return from;
}

bool ScreensPanel::CopyScreen(int from)
{
    if (!counts_.count(from))
        return false;
    const std::optional<int> to =
        prompter_.AskScreenNumber(tr("Copy %1 to Screen").arg(ScreenEdits::ScreenName(from)), SuggestedTarget(from));
    if (!to)
        return false;
    std::unique_ptr<QUndoCommand> command = ScreenEdits::Copy(doc_, from, *to);
    if (!command)
        return false;
    doc_.UndoStack().push(command.release());
    return true;
}

bool ScreensPanel::MoveScreen(int from)
{
    if (!counts_.count(from))
        return false;
    const std::optional<int> to =
        prompter_.AskScreenNumber(tr("Move %1 to Screen").arg(ScreenEdits::ScreenName(from)), SuggestedTarget(from));
    if (!to)
        return false;
    std::unique_ptr<QUndoCommand> command = ScreenEdits::Move(doc_, from, *to);
    if (!command)
        return false;
    doc_.UndoStack().push(command.release());
    return true;
}

bool ScreensPanel::DeleteScreen(int screen)
{
    std::unique_ptr<QUndoCommand> command = ScreenEdits::Delete(doc_, screen);
    if (!command)
        return false;
    doc_.UndoStack().push(command.release());
    return true;
}

void ScreensPanel::ContextMenu(const QPoint& pos)
{
    const std::optional<int> screen = model_->ScreenAt(view_->indexAt(pos).row());
    if (!screen)
        return;
    const int s = *screen;
    const bool has = counts_.count(s) != 0;
    QMenu menu(this);
    menu.addAction(tr("Show"), this, [this, s] { doc_.SetCurrentScreen(s); });
    menu.addSeparator();
    menu.addAction(tr("Copy Controls to Screen..."), this, [this, s] { CopyScreen(s); })->setEnabled(has);
    menu.addAction(tr("Move Controls to Screen..."), this, [this, s] { MoveScreen(s); })->setEnabled(has);
    menu.addAction(tr("Delete Controls"), this, [this, s] { DeleteScreen(s); })->setEnabled(has);
    menu.exec(view_->viewport()->mapToGlobal(pos));
}

} // namespace tavlora
