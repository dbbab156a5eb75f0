#include "CTavloraView.h"

#include "tools/OutlineEdges.h"
#include "tools/PlaceTool.h"
#include "tools/SelectTool.h"

#include "core/ControlPick.h"
#include "core/ControlTools.h"
#include "core/Handles.h"
#include "core/ScreenSet.h"
#include "core/ScreenVisibility.h"
#include "document/CTavloraDoc.h"
#include "editing/Clipboard.h"
#include "settings/DesignSettings.h"
#include "settings/SettingsProfile.h"
#include "widgets/ScreenRenderer.h"
#include "widgets/WidgetContext.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <cstring>
#include <cmath>
#include <climits>

namespace tavlora {

namespace {

const QColor kStripColour(0, 128, 128);
// Where controls lie beyond the target screen.
const QColor kBeyondColour(78, 96, 104);
const QColor kEdgeColour(255, 80, 40);
const QColor kMarkHalo(255, 255, 255, 220);
const QColor kAnchorHandle(0, 110, 230);

} // namespace

const char* const CTavloraView::kToolMimeType = "application/x-tavlora-tool";

QString CTavloraView::CaptionFor(int screen)
{
    if (screen != 0)
        return QString::asprintf("        Currenly designing Window # %d ", screen);
    return QStringLiteral("        Currenly designing Persistant Controls");
}

CTavloraView::CTavloraView(CTavloraDoc& doc, SettingsProfile& profile, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), profile_(profile),
      grid_(DesignSettings::LoadGrid(profile)), showGrid_(DesignSettings::LoadGridShown(profile)),
      snapToControls_(DesignSettings::LoadSnapToControls(profile)),
      sizes_(DesignSettings::LoadSizes(profile))
{
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    setAcceptDrops(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(true);

    SetCurrentTool(0);

    auto repaint = [this] { viewport()->update(); };
    auto redraw = [this] { InvalidateScreen(); };
    // Controls beyond the target screen widen the canvas.
    auto changed = [this] {
        UpdateScrollBars();
        InvalidateScreen();
    };
    connect(&doc_, &CTavloraDoc::controlsChanged, this, changed);
    connect(&doc_, &CTavloraDoc::controlsInserted, this, changed);
    connect(&doc_, &CTavloraDoc::controlsRemoved, this, [this, changed] {
        // A drag must not outlive the records it drags.
        tool_->Cancel();
        changed();
    });
    connect(&doc_, &CTavloraDoc::selectionChanged, this, repaint);
    // The tool's status shows the anchor's place: it follows every change.
    // Once per turn of the event loop, however many changes came.
    const auto refreshTool = [this] {
        if (toolRefreshQueued_)
            return;
        toolRefreshQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            toolRefreshQueued_ = false;
            tool_->Refresh();
        });
    };
    connect(&doc_, &CTavloraDoc::controlsChanged, this, refreshTool);
    connect(&doc_, &CTavloraDoc::controlsRemoved, this, refreshTool);
    connect(&doc_, &CTavloraDoc::selectionChanged, this, refreshTool);
    connect(&doc_, &CTavloraDoc::documentReset, this, refreshTool);
    connect(&doc_, &CTavloraDoc::coloursChanged, this, redraw);
    connect(&doc_, &CTavloraDoc::repaintRequested, this, redraw);
    connect(&doc_, &CTavloraDoc::currentScreenChanged, this, &CTavloraView::OnScreenChanged);
    connect(&doc_, &CTavloraDoc::documentReset, this, &CTavloraView::OnDocumentReset);
    connect(&doc_, &CTavloraDoc::screenSizeChanged, this, &CTavloraView::OnInitialUpdate);
    connect(&doc_, &CTavloraDoc::showImagesChanged, this, redraw);

    designSize_ = doc_.ScreenSize();
    caption_ = CaptionFor(doc_.CurrentScreen());
    UpdateScrollBars();
}

CTavloraView::~CTavloraView() = default;

bool CTavloraView::ShowImages() const
{
    return doc_.ShowImages();
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
    emit toolChanged(currentTool_);
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
    InvalidateScreen();
}

void CTavloraView::OnScreenChanged()
{
    OnUpdate();
    UpdateScrollBars();
}

void CTavloraView::OnInitialUpdate()
{
    designSize_ = doc_.ScreenSize();
    UpdateScrollBars();
    InvalidateScreen();
}

void CTavloraView::OnDocumentReset()
{
    tool_->Cancel();
    SetCurrentTool(0);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    OnInitialUpdate();
    OnUpdate();
}

QRect CTavloraView::CanvasRect() const
{
    QRect canvas(QPoint(0, 0), designSize_);
    for (const auto& rec : doc_.Set().controls) {
        if (!rec->widget || !rec->widget->IsVisible())
            continue;
        const Rect n = Handles::Normalised(rec->rect);
        if (n.right > n.left && n.bottom > n.top)
            canvas |= QRect(QPoint(n.left, n.top), QPoint(n.right - 1, n.bottom - 1));
    }
    return canvas;
}

ViewScale CTavloraView::Scale() const
{
    return ViewScale(zoom_, Point{horizontalScrollBar()->value(), verticalScrollBar()->value()});
}

QPoint CTavloraView::ToDesign(QPoint viewportPoint) const
{
    const Point p = Scale().ToDesignPixel(Point{viewportPoint.x(), viewportPoint.y()});
    return QPoint(p.x, p.y);
}

QPoint CTavloraView::ToViewport(QPoint designPoint) const
{
    const ViewScale scale = Scale();
    return QPoint(scale.ToScreenX(designPoint.x()), scale.ToScreenY(designPoint.y()));
}

QPoint CTavloraView::VisibleTopLeft() const
{
    const QRect canvas = CanvasRect();
    const QPoint p = ToDesign(QPoint(0, 0));
    return QPoint(std::max(p.x(), canvas.left()), std::max(p.y(), canvas.top()));
}

void CTavloraView::UpdateScrollBars()
{
    const QSize client = viewport()->size();
    const QRect canvas = CanvasRect();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    // A canvas larger than a scroll bar can count (controls near the 32-bit
    // limits, zoomed in) scrolls as far as it can.
    const auto scaled = [this](double design, bool up) {
        const double v = up ? std::ceil(design * zoom_) : std::floor(design * zoom_);
        return int(std::clamp(v, double(INT_MIN / 2), double(INT_MAX / 2)));
    };
    const int left = scaled(canvas.left(), false);
    const int top = scaled(canvas.top(), false);
    const int right = scaled(double(canvas.right()) + 1, true);
    const int bottom = scaled(double(canvas.bottom()) + 1, true);
    h->setRange(left, std::max(left, right - client.width()));
    v->setRange(top, std::max(top, bottom - client.height()));
    // A page is a quarter of the view, a line a twentieth.
    h->setPageStep(std::max(1, client.width() / 4));
    v->setPageStep(std::max(1, client.height() / 4));
    h->setSingleStep(std::max(1, client.width() / 20));
    v->setSingleStep(std::max(1, client.height() / 20));
}

void CTavloraView::SetZoom(double zoom, QPoint anchor)
{
    zoom = ViewScale::Clamped(zoom);
    if (zoom == zoom_)
        return;
    const ViewScale before = Scale();
    const double dx = before.ToDesignX(anchor.x());
    const double dy = before.ToDesignY(anchor.y());
    zoom_ = zoom;
    UpdateScrollBars();
    horizontalScrollBar()->setValue(int(std::lround(dx * zoom_)) - anchor.x());
    verticalScrollBar()->setValue(int(std::lround(dy * zoom_)) - anchor.y());
    viewport()->update();
    emit zoomChanged(zoom_);
}

namespace {

constexpr double kZoomSteps[] = {0.25, 1.0 / 3, 0.5, 2.0 / 3, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0, 6.0, 8.0};

// The zoom step after (or before) a zoom; the zoom itself at the ends.
double NextZoom(double zoom, bool in)
{
    if (in) {
        for (double step : kZoomSteps) {
            if (step > zoom + 1e-9)
                return step;
        }
    } else {
        for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it) {
            if (*it < zoom - 1e-9)
                return *it;
        }
    }
    return zoom;
}

} // namespace

void CTavloraView::OnZoomIn()
{
    SetZoom(NextZoom(zoom_, true));
}

void CTavloraView::OnZoomOut()
{
    SetZoom(NextZoom(zoom_, false));
}

void CTavloraView::OnZoomReset()
{
    SetZoom(1.0);
}

void CTavloraView::OnZoomFit()
{
    const QSize client = viewport()->size();
    if (designSize_.isEmpty() || client.isEmpty())
        return;
    const double fit = std::min(double(client.width()) / designSize_.width(),
                                double(client.height()) / designSize_.height());
    SetZoom(fit);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void CTavloraView::SetGridShown(bool shown)
{
    if (shown == showGrid_)
        return;
    showGrid_ = shown;
    DesignSettings::StoreGridShown(profile_, shown);
    viewport()->update();
}

void CTavloraView::SetSnapToControls(bool on)
{
    if (on == snapToControls_)
        return;
    snapToControls_ = on;
    DesignSettings::StoreSnapToControls(profile_, on);
}

void CTavloraView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CTavloraView::scrollContentsBy(int, int)
{
    // Records keep their design coordinates; only the drawing moves.
    InvalidateScreen();
}

void CTavloraView::InvalidateScreen()
{
    screenValid_ = false;
    viewport()->update();
}

void CTavloraView::RenderScreen(const QRect& client)
{
    const ViewScale scale = Scale();
    if (screen_.size() != client.size())
        screen_ = QImage(client.size(), QImage::Format_ARGB32_Premultiplied);
    screenScale_ = scale;
    screenValid_ = !screen_.isNull();
    if (!screenValid_)
        return;
    QPainter p(&screen_);

    // Teal beyond the canvas; the target screen's area on the screen colour.
    const QRect canvasRect = CanvasRect();
    screenCanvas_ = canvasRect;
    const Rect canvas = scale.ToScreen(Rect{canvasRect.left(), canvasRect.top(), canvasRect.right() + 1,
                                            canvasRect.bottom() + 1});
    const QRect canvasOnScreen(QPoint(canvas.left, canvas.top), QPoint(canvas.right - 1, canvas.bottom - 1));
    if (!canvasOnScreen.contains(client)) {
        const QRegion strips = QRegion(client) - QRegion(canvasOnScreen);
        for (const QRect& r : strips)
            p.fillRect(r, kStripColour);
    }
    const QRect design(QPoint(0, 0), designSize_);
    if (canvasRect != design)
        p.fillRect(canvasOnScreen & client, kBeyondColour);

    p.translate(-scale.Scroll().x, -scale.Scroll().y);
    p.scale(zoom_, zoom_);
    const QRectF shown = p.worldTransform().inverted().mapRect(QRectF(client));
    // The marks of a large selection are worked out while the widgets are drawn.
    std::function<void()> beside;
    if (doc_.CurrentSelection().Size() >= kMaskedMarksFrom)
        beside = [this, scale, client] {
            FillMarkOverlay(SelectionMarks(scale), client);
            markOverlayReady_ = true;
        };
    ScreenRenderer::Paint(p, doc_.Set(), doc_.Context(), designSize_, shown.toAlignedRect().adjusted(-1, -1, 1, 1),
                          beside);
}

void CTavloraView::paintEvent(QPaintEvent* event)
{
    const QRect client = viewport()->rect();
    const QRect dirty = event->rect();
    // The screen is drawn once and kept until something on it changes; marks,
    // grid and drag outlines are drawn over it at every paint.
    const ViewScale scale = Scale();
    if (!screenValid_ || screen_.size() != client.size() || !(screenScale_.Scroll() == scale.Scroll())
        || screenScale_.Zoom() != scale.Zoom())
        RenderScreen(client);
    QPainter p(viewport());
    if (screenValid_) {
        // A plain copy: the kept screen is opaque and in the window's own format.
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(dirty, screen_, dirty);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    const QRect design(QPoint(0, 0), designSize_);
    if (showGrid_)
        PaintGrid(p, dirty);
    if (screenCanvas_ != design) // as the kept screen was drawn: nothing moved since
        PaintEdge(p);
    PaintSelectionMarks(p);
    tool_->PaintOverlay(p);
    p.end();

    if (!painted_) {
        painted_ = true;
        emit firstPainted();
    }
}

void CTavloraView::PaintGrid(QPainter& p, const QRect& dirty) const
{
    const int step = grid_.Step();
    if (step < 1)
        return;
    // Dots at the grid points, at least four screen pixels apart: at a fine
    // step and a small zoom only every n-th point shows.
    const double pitch = step * zoom_;
    const int every = pitch >= 4 ? 1 : int(std::ceil(4 / pitch));
    const long long unit = static_cast<long long>(step) * every;
    const ViewScale scale = Scale();
    const QRect area = dirty & QRect(ToViewport(QPoint(0, 0)), ToViewport(QPoint(designSize_.width(), designSize_.height())));
    if (area.isEmpty())
        return;
    const double x0 = scale.ToDesignX(area.left()), x1 = scale.ToDesignX(area.right() + 1);
    const double y0 = scale.ToDesignY(area.top()), y1 = scale.ToDesignY(area.bottom() + 1);
    std::vector<QPoint> dots;
    for (long long y = static_cast<long long>(std::ceil(y0 / unit)) * unit; y < y1; y += unit) {
        for (long long x = static_cast<long long>(std::ceil(x0 / unit)) * unit; x < x1; x += unit)
            dots.emplace_back(scale.ToScreenX(x), scale.ToScreenY(y));
    }
    p.save();
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.drawPoints(dots.data(), int(dots.size()));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    for (QPoint& d : dots)
        d += QPoint(1, 0);
    p.drawPoints(dots.data(), int(dots.size()));
    p.restore();
}

void CTavloraView::PaintEdge(QPainter& p) const
{
    // The target screen's edge, where controls lie beyond it.
    const Rect edge = Scale().ToScreen(Rect{0, 0, designSize_.width(), designSize_.height()});
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kEdgeColour, 1, Qt::DashLine));
    p.drawRect(QRect(QPoint(edge.left - 1, edge.top - 1), QPoint(edge.right, edge.bottom)));
    p.restore();
}

CTavloraView::MarkRects CTavloraView::SelectionMarks(const ViewScale& scale) const
{
    // Marks keep their size on the screen at any zoom and show on any
    // background: dark marks inside a light halo, the anchor's handles (the
    // control Arrange aligns to) in their own colour.
    const Selection& selection = doc_.CurrentSelection();
    MarkRects m;
    m.marks.reserve(selection.Size() * 12);
    for (const ControlRecord* rec : selection.Records()) {
        if (!rec->widget || !rec->widget->IsVisible())
            continue;
        const Rect onScreen = scale.ToScreen(rec->rect);
        const Rect o = Handles::Outline(onScreen);
        OutlineEdges::Append(m.marks, QRect(o.left, o.top, int(static_cast<long long>(o.right) - o.left),
                                            int(static_cast<long long>(o.bottom) - o.top)));
        std::vector<QRect>& handles = rec == selection.Anchor() ? m.anchorHandles : m.marks;
        for (const Rect& h : Handles::HandleRects(onScreen))
            handles.emplace_back(h.left, h.top, Handles::kSize, Handles::kSize);
    }
    m.halo.reserve(m.marks.size() + m.anchorHandles.size());
    for (const std::vector<QRect>* kind : {&m.marks, &m.anchorHandles}) {
        for (const QRect& r : *kind)
            m.halo.push_back(r.adjusted(-1, -1, 1, 1));
    }
    return m;
}

void CTavloraView::PaintSelectionMarks(QPainter& p) const
{
    const Selection& selection = doc_.CurrentSelection();
    if (selection.Empty())
        return;
    if (selection.Size() >= kMaskedMarksFrom) {
        if (!markOverlayReady_)
            FillMarkOverlay(SelectionMarks(Scale()), viewport()->rect());
        markOverlayReady_ = false;
        if (!markExtent_.isEmpty())
            p.drawImage(markExtent_.topLeft(), markOverlay_, QRect(QPoint(0, 0), markExtent_.size()));
        return;
    }
    // Each kind is filled in one batch.
    const MarkRects m = SelectionMarks(Scale());
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kMarkHalo);
    p.drawRects(m.halo.data(), int(m.halo.size()));
    p.setBrush(Qt::black);
    p.drawRects(m.marks.data(), int(m.marks.size()));
    p.setBrush(kAnchorHandle);
    p.drawRects(m.anchorHandles.data(), int(m.anchorHandles.size()));
    p.restore();
}

void CTavloraView::FillMarkOverlay(const MarkRects& m, const QRect& client) const
{
    // Large selections overlap their marks many times over: each kind is set
    // in one overlay over the marks' extent (later kinds over earlier ones),
    // and the overlay is drawn once. The overlay is kept between paints.
    const std::vector<QRect>* kinds[] = {&m.halo, &m.marks, &m.anchorHandles};
    // Tens of thousands of small rectangles: plain integer bounds, no QRect calls.
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const std::vector<QRect>* rects : kinds)
        for (const QRect& r : *rects) {
            left = std::min(left, r.left());
            top = std::min(top, r.top());
            right = std::max(right, r.right());
            bottom = std::max(bottom, r.bottom());
        }
    markExtent_ = QRect();
    if (left > right || top > bottom)
        return;
    const QRect extent = QRect(QPoint(left, top), QPoint(right, bottom)) & client;
    if (extent.isEmpty())
        return;
    if (markOverlay_.width() < extent.width() || markOverlay_.height() < extent.height())
        markOverlay_ = QImage(extent.size().expandedTo(markOverlay_.size()), QImage::Format_ARGB32_Premultiplied);
    if (markOverlay_.isNull())
        return;
    // Each kind's number is set in a byte per pixel (a quarter of the memory
    // the marks touch at random), then the bytes become colours row by row.
    const QRgb colours[] = {0, qPremultiply(kMarkHalo.rgba()), qPremultiply(QColor(Qt::black).rgba()),
                            qPremultiply(kAnchorHandle.rgba())};
    const qsizetype width = extent.width();
    markKinds_.assign(size_t(width) * size_t(extent.height()), 0);
    uchar* kindsAt = markKinds_.data();
    const int x0 = extent.left(), y0 = extent.top(), x1 = extent.right(), y1 = extent.bottom();
    for (size_t kind = 0; kind < std::size(kinds); ++kind) {
        for (const QRect& r : *kinds[kind]) {
            const int l = std::max(r.left(), x0), t = std::max(r.top(), y0);
            const int rr = std::min(r.right(), x1), b = std::min(r.bottom(), y1);
            if (l > rr || t > b)
                continue;
            uchar* row = kindsAt + width * (t - y0) + (l - x0);
            const uchar k = uchar(kind + 1);
            const int n = rr - l + 1;
            if (n > 3) {
                for (int y = t; y <= b; ++y, row += width)
                    std::memset(row, k, size_t(n));
                continue;
            }
            // Upright edges and their halos: a call per row would cost more than the bytes.
            for (int y = t; y <= b; ++y, row += width) {
                row[0] = k;
                if (n > 1)
                    row[1] = k;
                if (n > 2)
                    row[2] = k;
            }
        }
    }
    uchar* bits = markOverlay_.bits();
    const qsizetype stride = markOverlay_.bytesPerLine();
    for (int y = 0; y < extent.height(); ++y) {
        const uchar* in = kindsAt + width * y;
        auto* out = reinterpret_cast<QRgb*>(bits + stride * y);
        qsizetype x = 0;
        // Runs of eight pixels of one kind, the most common, are set at once.
        for (; x + 8 <= width; x += 8) {
            quint64 eight;
            std::memcpy(&eight, in + x, sizeof eight);
            if (eight == (eight & 0xff) * 0x0101010101010101ULL) {
                const QRgb colour = colours[eight & 0xff];
                for (int i = 0; i < 8; ++i)
                    out[x + i] = colour;
                continue;
            }
            for (int i = 0; i < 8; ++i)
                out[x + i] = colours[in[x + i]];
        }
        for (; x < width; ++x)
            out[x] = colours[in[x]];
    }
    markExtent_ = extent;
}

ToolEvent CTavloraView::MakeEvent(QPointF viewportPoint, Qt::MouseButton button, Qt::KeyboardModifiers mods) const
{
    const ViewScale scale = Scale();
    const QPoint v = viewportPoint.toPoint();
    ToolEvent e;
    e.design = scale.ToDesignPixel(Point{v.x(), v.y()});
    e.x = scale.ToDesignX(v.x());
    e.y = scale.ToDesignY(v.y());
    e.button = button;
    e.mods = mods;
    return e;
}

void CTavloraView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    tool_->Press(MakeEvent(event->position(), event->button(), event->modifiers()));
}

void CTavloraView::mouseMoveEvent(QMouseEvent* event)
{
    tool_->Move(MakeEvent(event->position(), Qt::NoButton, event->modifiers()));
}

void CTavloraView::mouseReleaseEvent(QMouseEvent* event)
{
    tool_->Release(MakeEvent(event->position(), event->button(), event->modifiers()));
}

void CTavloraView::mouseDoubleClickEvent(QMouseEvent* event)
{
    tool_->DoubleClick(MakeEvent(event->position(), event->button(), event->modifiers()));
}

void CTavloraView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    // Around the cursor rather than the centre.
    SetZoom(NextZoom(zoom_, delta > 0), event->position().toPoint());
    event->accept();
}

void CTavloraView::keyPressEvent(QKeyEvent* event)
{
    if (tool_->KeyPress(event))
        return;
    if (event->key() == Qt::Key_Escape) {
        SetCurrentTool(0);
        return;
    }
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        StepScreen(event->key() == Qt::Key_PageDown ? 1 : -1);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CTavloraView::keyReleaseEvent(QKeyEvent* event)
{
    if (!tool_->KeyRelease(event))
        QAbstractScrollArea::keyReleaseEvent(event);
}

namespace {

// A work-bar entry or controls.
bool Droppable(const QMimeData& data)
{
    return data.hasFormat(QString::fromLatin1(CTavloraView::kToolMimeType))
        || data.hasFormat(QString::fromLatin1(Clipboard::kMimeType));
}

} // namespace

void CTavloraView::dragEnterEvent(QDragEnterEvent* event)
{
    if (Droppable(*event->mimeData()))
        event->acceptProposedAction();
}

void CTavloraView::dragMoveEvent(QDragMoveEvent* event)
{
    const QMimeData& data = *event->mimeData();
    if (!Droppable(data))
        return;
    event->acceptProposedAction();
    bool ok = false;
    const int tool = data.data(QString::fromLatin1(kToolMimeType)).toInt(&ok);
    if (!ok)
        return;
    // Drags reach the view itself: its coordinates, not the viewport's.
    tool_->PlaceOver(tool, MakeEvent(viewport()->mapFrom(this, event->position().toPoint()), Qt::NoButton,
                                     event->modifiers()));
}

void CTavloraView::dragLeaveEvent(QDragLeaveEvent*)
{
    tool_->PlaceOver(0, {});
}

void CTavloraView::dropEvent(QDropEvent* event)
{
    // Drops reach the view itself: its coordinates, not the viewport's.
    const QPoint at = viewport()->mapFrom(this, event->position().toPoint());
    const QMimeData& data = *event->mimeData();
    if (data.hasFormat(QString::fromLatin1(Clipboard::kMimeType))) {
        event->acceptProposedAction();
        emit controlsDropped(data, ToDesign(at));
        return;
    }
    bool ok = false;
    const int tool = data.data(QString::fromLatin1(kToolMimeType)).toInt(&ok);
    if (ok && tool_->PlaceDrop(tool, MakeEvent(at, Qt::NoButton, event->modifiers())))
        event->acceptProposedAction();
}

void CTavloraView::StepScreen(int direction)
{
    // Through the screens that hold controls, in the order 0, 1, 2, ...
    const std::vector<int> used = ScreenVisibility::UsedScreens(doc_.Set());
    const int current = doc_.CurrentScreen();
    if (direction > 0) {
        for (int screen : used) {
            if (screen > current) {
                doc_.SetCurrentScreen(screen);
                return;
            }
        }
    } else {
        for (auto it = used.rbegin(); it != used.rend(); ++it) {
            if (*it < current) {
                doc_.SetCurrentScreen(*it);
                return;
            }
        }
    }
}

void CTavloraView::OnSelectAll()
{
    const std::vector<const ControlRecord*> all = ControlPick::OnScreen(doc_.Set(), doc_.CurrentScreen());
    doc_.EditSelection([&all](Selection& s) {
        s.Clear();
        for (const ControlRecord* rec : all)
            s.Select(rec);
    });
}

} // namespace tavlora
