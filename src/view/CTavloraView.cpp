#include "CTavloraView.h"

#include "tools/OutlineEdges.h"
#include "tools/PlaceTool.h"
#include "tools/SelectTool.h"

#include "core/ControlPick.h"
#include "core/ControlTools.h"
#include "core/Handles.h"
#include "core/ScreenSet.h"
#include "document/CTavloraDoc.h"
#include "document/Prompter.h"
#include "settings/DesignSettings.h"
#include "settings/SettingsProfile.h"
#include "widgets/ScreenRenderer.h"
#include "widgets/WidgetContext.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QSplashScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <climits>

namespace tavlora {

namespace {

const QColor kStripColour(0, 128, 128);

int TruncateToInt(double value)
{
    if (!(value == value))
        return 0;
    if (value >= double(INT_MAX))
        return INT_MAX;
    if (value <= double(INT_MIN))
        return INT_MIN;
    return int(std::trunc(value));
}

QFont SplashFont(const char* family, int pixels, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QPixmap SplashPicture()
{
    QPixmap pixmap(500, 300);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 0, 300);
    back.setColorAt(0, QColor(0, 128, 128));
    back.setColorAt(1, QColor(0, 70, 78));
    p.fillRect(pixmap.rect(), back);

    // A small operator screen: a DRO, an LED and a button.
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    for (int x = 300; x < 480; x += 12)
        p.drawLine(x, 40, x, 230);
    for (int y = 40; y < 232; y += 12)
        p.drawLine(300, y, 480, y);
    p.setPen(QPen(QColor(20, 40, 40), 1));
    p.setBrush(QColor(160, 255, 160));
    p.drawRect(312, 64, 156, 34);
    p.setBrush(QColor(240, 240, 240));
    p.drawRoundedRect(312, 160, 90, 40, 4, 4);
    p.setBrush(QColor(40, 220, 60));
    p.drawEllipse(QPoint(440, 180), 11, 11);
    p.setFont(SplashFont("Liberation Mono", 24, true));
    p.setPen(Qt::black);
    p.drawText(QRect(312, 64, 150, 34), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("+0.0000"));
    p.setFont(SplashFont("Liberation Sans", 14, true));
    p.drawText(QRect(312, 160, 90, 40), Qt::AlignCenter, QStringLiteral("Cycle Start"));

    p.setFont(SplashFont("Liberation Sans", 54, true));
    p.setPen(Qt::white);
    p.drawText(QRect(28, 70, 270, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tavlora"));
    p.setFont(SplashFont("Liberation Sans", 16, false));
    p.setPen(QColor(210, 240, 240));
    p.drawText(QRect(30, 140, 270, 50), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Screen designer for Vorn3 operator screens"));
    p.setFont(SplashFont("Liberation Sans", 13, false));
    p.drawText(QRect(30, 250, 440, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Version 1.2"));
    return pixmap;
}

} // namespace

const char* const CTavloraView::kToolMimeType = "application/x-tavlora-tool";

QString CTavloraView::CaptionFor(int screen)
{
    if (screen != 0)
        return QString::asprintf("        Currenly designing Window # %d ", screen);
    return QStringLiteral("        Currenly designing Persistant Controls");
}

CTavloraView::CTavloraView(CTavloraDoc& doc, SettingsProfile& profile, Prompter& prompter, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), profile_(profile), prompter_(prompter),
      grid_(DesignSettings::LoadGrid(profile)), sizes_(DesignSettings::LoadSizes(profile))
{
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    setAcceptDrops(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(true);

    SetCurrentTool(0);

    auto repaint = [this] { viewport()->update(); };
    connect(&doc_, &CTavloraDoc::controlsChanged, this, repaint);
    connect(&doc_, &CTavloraDoc::controlsInserted, this, repaint);
    connect(&doc_, &CTavloraDoc::controlsRemoved, this, [this] {
        // A drag must not outlive the records it drags.
        tool_->Cancel();
        viewport()->update();
    });
    connect(&doc_, &CTavloraDoc::selectionChanged, this, repaint);
    connect(&doc_, &CTavloraDoc::coloursChanged, this, repaint);
    connect(&doc_, &CTavloraDoc::repaintRequested, this, repaint);
    connect(&doc_, &CTavloraDoc::currentScreenChanged, this, &CTavloraView::OnScreenChanged);
    connect(&doc_, &CTavloraDoc::documentReset, this, &CTavloraView::OnDocumentReset);
    connect(&doc_, &CTavloraDoc::screenSizeChanged, this, &CTavloraView::OnInitialUpdate);
    connect(&doc_, &CTavloraDoc::fileChangeNotified, this, &CTavloraView::OnFileChange);
    connect(&doc_, &CTavloraDoc::splashRequested, this, &CTavloraView::ShowSplash);

    designSize_ = doc_.ScreenSize();
    caption_ = CaptionFor(doc_.CurrentScreen());
    UpdateScrollBars();
}

CTavloraView::~CTavloraView()
{
    delete splash_.data();
}

QPoint CTavloraView::ScrollOffset() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QString CTavloraView::StatusText() const
{
    return tool_->StatusText();
}

void CTavloraView::RepaintOverlay()
{
    viewport()->update();
}

void CTavloraView::SetCurrentTool(int tool)
{
    if (tool_ && tool == currentTool_)
        return;
    if (tool_)
        tool_->Cancel();
    currentTool_ = tool;
    if (ControlTools::TypeForTool(tool) != 0)
        tool_ = std::make_unique<PlaceTool>(*this, tool);
    else
        tool_ = std::make_unique<SelectTool>(*this);
    connect(tool_.get(), &Tool::statusChanged, this, &CTavloraView::statusTextChanged);
    connect(tool_.get(), &Tool::propertiesRequested, this, &CTavloraView::propertiesRequested);
    connect(tool_.get(), &Tool::cursorChanged, this, [this](Qt::CursorShape shape) { viewport()->setCursor(shape); });
    viewport()->setCursor(tool_->Cursor());
}

void CTavloraView::SetCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    emit captionChanged(caption_);
}

void CTavloraView::OnUpdate()
{
    SetCaption(CaptionFor(doc_.CurrentScreen()));
    if (doc_.Set().controls.empty())
        return;
    doc_.ShowCurrentScreen(showImages_);
    viewport()->update();
}

void CTavloraView::OnScreenChanged()
{
    OnUpdate();
    emit viewStateChanged();
}

void CTavloraView::OnInitialUpdate()
{
    designSize_ = doc_.ScreenSize();
    UpdateScrollBars();
    viewport()->update();
}

void CTavloraView::OnDocumentReset()
{
    tool_->Cancel();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    OnInitialUpdate();
    OnUpdate();
    emit viewStateChanged();
}

void CTavloraView::UpdateScrollBars()
{
    const QSize client = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, std::max(0, designSize_.width() - client.width()));
    v->setRange(0, std::max(0, designSize_.height() - client.height()));
    h->setPageStep(std::max(1, client.width()));
    v->setPageStep(std::max(1, client.height()));
    h->setSingleStep(std::max(1, client.width() / 20));
    v->setSingleStep(std::max(1, client.height() / 20));
}

void CTavloraView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CTavloraView::scrollContentsBy(int, int)
{
    // Records keep their design coordinates; only the drawing moves.
    viewport()->update();
}

void CTavloraView::paintEvent(QPaintEvent* event)
{
    QPainter p(viewport());
    const QRect client = viewport()->rect();
    const QRect dirty = event->rect();
    const int w = designSize_.width();
    const int h = designSize_.height();

    // The strips beyond the design area are not offset by scrolling: a strip
    // only exists along an axis that cannot scroll.
    if (client.width() > w)
        p.fillRect(QRect(w, 0, client.width() - w, client.height()), kStripColour);
    if (client.height() > h)
        p.fillRect(QRect(0, h, client.width(), client.height() - h), kStripColour);

    const QPoint offset = ScrollOffset();
    p.save();
    p.translate(-offset);
    ScreenRenderer::Paint(p, doc_.Set(), doc_.Context(), designSize_, dirty.translated(offset));
    if (!doc_.AskingPassword())
        PaintSelectionMarks(p);
    tool_->PaintOverlay(p);
    p.restore();
    p.end();

    if (!painted_) {
        painted_ = true;
        emit firstPainted();
    }
}

void CTavloraView::PaintSelectionMarks(QPainter& p) const
{
    const Selection& selection = doc_.CurrentSelection();
    if (selection.Empty())
        return;
    // Outlines and handles are filled in one batch.
    std::vector<QRect> marks;
    marks.reserve(selection.Size() * 12);
    for (const ControlRecord* rec : selection.Records()) {
        if (!rec->widget || !rec->widget->IsVisible())
            continue;
        const Rect o = Handles::Outline(rec->rect);
        OutlineEdges::Append(marks, QRect(o.left, o.top, int(static_cast<long long>(o.right) - o.left),
                                          int(static_cast<long long>(o.bottom) - o.top)));
        for (const Rect& h : Handles::HandleRects(rec->rect))
            marks.emplace_back(h.left, h.top, Handles::kSize, Handles::kSize);
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRects(marks.data(), int(marks.size()));
    p.restore();
}

void CTavloraView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    if (splashPending_) {
        splashPending_ = false;
        QTimer::singleShot(0, this, &CTavloraView::ShowSplash);
    }
}

void CTavloraView::ShowSplash()
{
    if (!isVisible()) {
        splashPending_ = true;
        return;
    }
    if (!splash_) {
        splash_ = new QSplashScreen(SplashPicture());
        splash_->setAttribute(Qt::WA_DeleteOnClose);
    }
    const QRect area(mapToGlobal(QPoint(0, 0)), size());
    QRect frame(QPoint(0, 0), splash_->size());
    frame.moveCenter(area.center());
    splash_->move(frame.topLeft());
    splash_->show();
    splash_->raise();
    QPointer<QSplashScreen> shown = splash_;
    QTimer::singleShot(kSplashMs, this, [shown] {
        if (shown)
            shown->close();
    });
}

namespace {

ToolEvent MakeToolEvent(QPoint design, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    return ToolEvent{Point{design.x(), design.y()}, button, mods};
}

} // namespace

void CTavloraView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const QPoint design = ToDesign(event->position().toPoint());
    tool_->Press(MakeToolEvent(design, event->button(), event->modifiers()));
}

void CTavloraView::mouseMoveEvent(QMouseEvent* event)
{
    tool_->Move(MakeToolEvent(ToDesign(event->position().toPoint()), Qt::NoButton, event->modifiers()));
}

void CTavloraView::mouseReleaseEvent(QMouseEvent* event)
{
    tool_->Release(MakeToolEvent(ToDesign(event->position().toPoint()), event->button(), event->modifiers()));
}

void CTavloraView::mouseDoubleClickEvent(QMouseEvent* event)
{
    tool_->DoubleClick(MakeToolEvent(ToDesign(event->position().toPoint()), event->button(), event->modifiers()));
}

void CTavloraView::keyPressEvent(QKeyEvent* event)
{
    if (tool_->KeyPress(event))
        return;
    if (event->key() == Qt::Key_Escape) {
        SetCurrentTool(0);
        emit toolReset();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CTavloraView::keyReleaseEvent(QKeyEvent* event)
{
    if (!tool_->KeyRelease(event))
        QAbstractScrollArea::keyReleaseEvent(event);
}

void CTavloraView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(QString::fromLatin1(kToolMimeType)))
        event->acceptProposedAction();
}

void CTavloraView::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasFormat(QString::fromLatin1(kToolMimeType)))
        event->acceptProposedAction();
}

void CTavloraView::dropEvent(QDropEvent* event)
{
    bool ok = false;
    const int tool = event->mimeData()->data(QString::fromLatin1(kToolMimeType)).toInt(&ok);
    if (!ok)
        return;
    // Drops reach the view itself: its coordinates, not the viewport's.
    const QPoint design = ToDesign(viewport()->mapFrom(this, event->position().toPoint()));
    if (PlaceTool::Place(doc_, tool, Point{design.x(), design.y()}, sizes_))
        event->acceptProposedAction();
}

void CTavloraView::OnToggleTab()
{
    if (doc_.CurrentScreen() == kTabScreen) {
        doc_.SetCurrentScreen(savedScreen_);
    } else {
        savedScreen_ = doc_.CurrentScreen();
        doc_.SetCurrentScreen(kTabScreen);
    }
    OnUpdate();
    emit viewStateChanged();
}

void CTavloraView::OnRemoveBitmaps()
{
    showImages_ = !showImages_;
    doc_.SwitchImages(showImages_);
    viewport()->update();
    emit viewStateChanged();
}

void CTavloraView::OnPageJump()
{
    const std::optional<int> page = prompter_.AskPage(doc_.CurrentScreen());
    if (page && *page >= 0 && *page < kPageCount)
        doc_.SetCurrentScreen(*page);
    OnUpdate();
    emit viewStateChanged();
}

void CTavloraView::OnGridGranularity()
{
    const Grid stored = DesignSettings::LoadGrid(profile_);
    const Prompter::GridAnswer answer =
        prompter_.AskGrid(stored.Step() <= 0 ? 1.0 : double(stored.Step()), stored.On());
    // The dialog's values apply however it closed; only OK stores them.
    grid_ = Grid(TruncateToInt(answer.granularity), answer.on);
    if (answer.accepted) {
        DesignSettings::StoreGrid(profile_, grid_);
        profile_.Save();
    }
}

void CTavloraView::OnSelectAll()
{
    const std::vector<ControlRecord*> all = ControlPick::OnScreen(doc_.Set(), doc_.CurrentScreen());
    doc_.EditSelection([&all](Selection& s) {
        s.Clear();
        for (ControlRecord* rec : all)
            s.Select(rec);
    });
}

void CTavloraView::OnFileChange(const QString& path)
{
    if (path.isEmpty() || askingReload_)
        return;
    if (!doc_.TakeOutsideChange())
        return;
    askingReload_ = true;
    const bool reload = prompter_.AskReload();
    askingReload_ = false;
    if (!reload)
        return;
    doc_.Reload();
}

} // namespace tavlora
