#include "SelectTool.h"

#include "ToolHost.h"

#include "GuideOverlay.h"
#include "OutlineEdges.h"
#include "PlaceTool.h"

#include "core/ControlTools.h"
#include "core/ControlTypes.h"
#include "core/ControlPick.h"
#include "core/ControlType.h"
#include "core/Handles.h"
#include "core/ScreenSet.h"
#include "document/CTavloraDoc.h"
#include "editing/SetRectsCommand.h"
#include "widgets/DesignWidget.h"
#include "widgets/ScreenRenderer.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <climits>

namespace tavlora {

namespace {

int32_t Clamp(long long v)
{
    return int32_t(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

Rect Offset(const Rect& r, long long dx, long long dy)
{
    return {Clamp(r.left + dx), Clamp(r.top + dy), Clamp(r.right + dx), Clamp(r.bottom + dy)};
}

Rect Bounds(const std::vector<Rect>& rects)
{
    if (rects.empty())
        return {};
    Rect u = rects.front();
    for (const Rect& r : rects) {
        u.left = std::min(u.left, r.left);
        u.top = std::min(u.top, r.top);
        u.right = std::max(u.right, r.right);
        u.bottom = std::max(u.bottom, r.bottom);
    }
    return u;
}

QString Tr(const char* text)
{
    return QCoreApplication::translate("SelectTool", text);
}

QString Placement(const Rect& r)
{
    return QStringLiteral("x %1, y %2, %3 %4 %5")
        .arg(r.left)
        .arg(r.top)
        .arg(static_cast<long long>(r.right) - r.left)
        .arg(QChar(0xD7))
        .arg(static_cast<long long>(r.bottom) - r.top);
}

// The pixels an outline of a design rectangle covers on the screen.
QRect ToQRect(const ViewScale& scale, const Rect& r)
{
    const Rect n = scale.ToScreen(Handles::Normalised(r));
    return QRect(QPoint(n.left, n.top), QPoint(std::max(n.left, n.right - 1), std::max(n.top, n.bottom - 1)));
}

} // namespace

SelectTool::SelectTool(ToolHost& host) : Tool(host) {}

Qt::CursorShape SelectTool::CursorFor(int code)
{
    switch (code) {
    case Handles::TopLeft:
    case Handles::BottomRight: return Qt::SizeFDiagCursor;
    case Handles::TopRight:
    case Handles::BottomLeft: return Qt::SizeBDiagCursor;
    case Handles::Top:
    case Handles::Bottom: return Qt::SizeVerCursor;
    case Handles::Right:
    case Handles::Left: return Qt::SizeHorCursor;
    case Handles::Middle: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

void SelectTool::Press(const ToolEvent& e)
{
    if (e.button == Qt::RightButton) {
        // The right button cancels a drag; otherwise it asks for properties.
        if (Dragging())
            Cancel();
        else
            emit propertiesRequested(e.design);
        return;
    }
    if (e.button != Qt::LeftButton || Dragging())
        return;
    press_ = e.design;
    pressMods_ = e.mods;
    lastMouse_ = e.design;
    lastX_ = e.x;
    lastY_ = e.y;
    PressButtonWidget(e);
    if (!Click(e) && drag_ != Drag::Band)
        ClickNotConsumed(e.design, e.mods);
    if (Dragging())
        UpdateDragStatus();
}

void SelectTool::PressButtonWidget(const ToolEvent& e)
{
    CTavloraDoc& doc = host_.Document();
    const QPoint p(e.design.x, e.design.y);
    DesignWidget* w = ScreenRenderer::WidgetAt(doc.Set(), p);
    if (!w || !w->IsEnabled())
        return;
    pressedRecord_ = w->Record();
    pressedWidgetId_ = w->ControlId();
    const int target = w->MousePress(p - w->ClientGeometry().topLeft(), e.mods, doc.CurrentScreen());
    if (target >= 0)
        doc.SetCurrentScreen(target);
}

void SelectTool::ReleaseButtonWidget(const ToolEvent& e)
{
    const ControlRecord* rec = std::exchange(pressedRecord_, nullptr);
    if (!rec || host_.Document().Set().IndexOf(rec) < 0 || !rec->widget
        || rec->widget->ControlId() != pressedWidgetId_)
        return;
    auto* w = static_cast<DesignWidget*>(rec->widget.get());
    w->MouseRelease(QPoint(e.design.x, e.design.y) - w->ClientGeometry().topLeft());
}

bool SelectTool::Click(const ToolEvent& e)
{
    CTavloraDoc& doc = host_.Document();
    const int current = doc.CurrentScreen();
    const ControlPick::Hit hit =
        ControlPick::At(doc.Set(), current, host_.ShowImages(), e.x, e.y, host_.Scale().Zoom());
    const bool ctrl = e.mods & Qt::ControlModifier;
    const bool shift = e.mods & Qt::ShiftModifier;

    if (hit) {
        const ControlRecord* rec = hit.record;
        const bool selected = doc.CurrentSelection().Contains(rec);
        if (ctrl) {
            doc.EditSelection([&](Selection& s) { selected ? s.Deselect(rec) : s.Select(rec); });
            return true;
        }
        if (shift) {
            if (!selected)
                doc.EditSelection([&](Selection& s) { s.Select(rec); });
            return true;
        }
        if (!selected) {
            doc.EditSelection([&](Selection& s) {
                s.Clear();
                s.Select(rec);
            });
        }
        if (hit.code == Handles::Middle) {
            StartMove(e.design);
        } else if (rec->screen == current) {
            // A locked control's handle is no control at all: the press places.
            if (rec->locked)
                return false;
            dragged_ = {rec};
            startRects_ = {rec->rect};
            // An inverted rectangle is resized as the one it shows: its handles
            // swapped to their mirrors.
            tracker_.emplace(Handles::Normalised(rec->rect), hit.code, e.design, host_.CurrentGrid(), false);
            drag_ = Drag::Resize;
            StartGuides();
        }
        return true;
    }

    if (ctrl || shift)
        return false;
    doc.EditSelection([](Selection& s) { s.Clear(); });
    const Rect start{e.design.x, e.design.y, e.design.x, e.design.y};
    tracker_.emplace(start, Handles::BottomRight, e.design, host_.CurrentGrid(), true);
    drag_ = Drag::Band;
    return false;
}

void SelectTool::StartMove(Point p)
{
    dragged_.clear();
    startRects_.clear();
    for (const ControlRecord* rec : host_.Document().CurrentSelection().Records()) {
        // Locked records, and records without a widget, keep their rectangle.
        if (rec->locked || !ControlTypes::Shown(rec->type))
            continue;
        dragged_.push_back(rec);
        startRects_.push_back(rec->rect);
    }
    if (dragged_.empty())
        return;
    tracker_.emplace(Bounds(startRects_), Handles::Middle, p, host_.CurrentGrid(), false);
    drag_ = Drag::Move;
    StartGuides();
}

std::optional<SmartGuides> SelectTool::GuidesFor(const std::vector<const ControlRecord*>& moving,
                                                 Qt::KeyboardModifiers mods) const
{
    if (!host_.SnapToControls() || (mods & Qt::ControlModifier))
        return std::nullopt;
    CTavloraDoc& doc = host_.Document();
    const QSize size = doc.ScreenSize();
    return SmartGuides::ForScreen(doc.Set(), doc.CurrentScreen(), host_.ShowImages(), moving, size.width(),
                                  size.height());
}

double SelectTool::Reach() const
{
    return SmartGuides::ReachAt(host_.Scale().Zoom());
}

void SelectTool::StartGuides()
{
    // Ctrl at the press does not count: it suspends snapping only while held
    // during the drag.
    guides_ = GuidesFor(dragged_, {});
    shown_ = {};
}

void SelectTool::ClearGuides()
{
    guides_.reset();
    shown_ = {};
    placing_.reset();
}

void SelectTool::Follow(Point mouse, Qt::KeyboardModifiers mods)
{
    const Rect before = tracker_->Current();
    const bool snap = guides_ && !(mods & Qt::ControlModifier);
    tracker_->MoveTo(mouse, snap ? &*guides_ : nullptr, Reach());
    SmartGuides::Shown shown;
    if (snap)
        shown = guides_->Show(tracker_->Current(), tracker_->Handle());
    if (!(tracker_->Current() == before) || !(shown == shown_)) {
        shown_ = std::move(shown);
        host_.RepaintOverlay();
    }
}

void SelectTool::Move(const ToolEvent& e)
{
    lastMouse_ = e.design;
    lastX_ = e.x;
    lastY_ = e.y;
    if (!Dragging()) {
        UpdateRestingState(e.design);
        return;
    }
    Follow(e.design, e.mods);
    UpdateDragStatus();
}

void SelectTool::Release(const ToolEvent& e)
{
    if (e.button != Qt::LeftButton)
        return;
    lastX_ = e.x;
    lastY_ = e.y;
    ReleaseButtonWidget(e);
    if (Dragging())
        FinishDrag(e.design, e.mods);
    UpdateRestingState(e.design);
}

void SelectTool::DoubleClick(const ToolEvent& e)
{
    if (e.button == Qt::LeftButton && !Dragging())
        emit propertiesRequested(e.design);
}

std::vector<Rect> SelectTool::PreviewRects() const
{
    if (!tracker_)
        return {};
    const Rect& r = tracker_->Current();
    if (drag_ == Drag::Resize)
        return {r};
    if (drag_ != Drag::Move)
        return {};
    const Rect& start = tracker_->Start();
    const long long dx = static_cast<long long>(r.left) - start.left;
    const long long dy = static_cast<long long>(r.top) - start.top;
    std::vector<Rect> rects;
    rects.reserve(startRects_.size());
    for (const Rect& s : startRects_)
        rects.push_back(Offset(s, dx, dy));
    return rects;
}

void SelectTool::FinishDrag(Point p, Qt::KeyboardModifiers mods)
{
    const Drag kind = std::exchange(drag_, Drag::None);
    const Rect start = tracker_->Start();
    const bool snap = guides_ && !(mods & Qt::ControlModifier);
    const Rect end = tracker_->Finish(p, snap ? &*guides_ : nullptr, Reach());
    tracker_.reset();
    ClearGuides();
    CTavloraDoc& doc = host_.Document();

    if (kind == Drag::Band) {
        const std::vector<const ControlRecord*> inside = ControlPick::InBand(doc.Set(), doc.CurrentScreen(), end);
        if (!inside.empty()) {
            doc.EditSelection([&inside](Selection& s) {
                for (const ControlRecord* rec : inside)
                    s.Select(rec);
            });
        }
        host_.RepaintOverlay();
        ClickNotConsumed(press_, pressMods_);
        return;
    }

    host_.RepaintOverlay();
    if (end == start)
        return;
    std::vector<ControlEdits::RectSwap> swaps;
    if (kind == Drag::Resize) {
        swaps.push_back({dragged_.front(), end});
    } else {
        const long long dx = static_cast<long long>(end.left) - start.left;
        const long long dy = static_cast<long long>(end.top) - start.top;
        if (dx == 0 && dy == 0)
            return;
        swaps.reserve(dragged_.size());
        for (size_t i = 0; i < dragged_.size(); ++i)
            swaps.push_back({dragged_[i], Offset(startRects_[i], dx, dy)});
    }
    dragged_.clear();
    startRects_.clear();
    doc.UndoStack().push(new SetRectsCommand(doc, kind == Drag::Resize ? Tr("Resize") : Tr("Move"), std::move(swaps)));
}

void SelectTool::Cancel()
{
    if (!Dragging()) {
        if (placing_) {
            ClearGuides();
            host_.RepaintOverlay();
        }
        return;
    }
    drag_ = Drag::None;
    tracker_.reset();
    ClearGuides();
    dragged_.clear();
    startRects_.clear();
    host_.RepaintOverlay();
    UpdateRestingState(lastMouse_);
}

bool SelectTool::KeyPress(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && Dragging()) {
        Cancel();
        return true;
    }
    if (e->key() == Qt::Key_Control && Dragging()) {
        Follow(lastMouse_, e->modifiers() | Qt::ControlModifier);
        UpdateDragStatus();
        return true;
    }
    int dx = 0, dy = 0;
    switch (e->key()) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    default: return false;
    }
    if (Dragging())
        return true;
    const int n = std::max(1, e->count());
    if (e->modifiers() & Qt::ShiftModifier)
        Grow(dx * n, dy * n);
    else
        Nudge(dx * n, dy * n);
    return true;
}

bool SelectTool::KeyRelease(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Control && Dragging()) {
        Follow(lastMouse_, e->modifiers() & ~Qt::ControlModifier);
        UpdateDragStatus();
        return true;
    }
    // The key's own repeats belong to the same burst.
    if (!e->isAutoRepeat())
        host_.Document().EndNudgeBurst();
    return false;
}

void SelectTool::Nudge(int dx, int dy)
{
    CTavloraDoc& doc = host_.Document();
    std::vector<ControlEdits::RectSwap> swaps;
    for (const ControlRecord* rec : doc.CurrentSelection().Records()) {
        if (rec->locked)
            break;
        swaps.push_back({rec, Offset(rec->rect, dx, dy)});
    }
    if (swaps.empty())
        return;
    doc.UndoStack().push(new SetRectsCommand(doc, Tr("Move"), std::move(swaps), doc.NudgeBurst()));
    UpdateRestingState(lastMouse_);
}

void SelectTool::Grow(int dw, int dh)
{
    auto extend = [](int32_t from, int32_t to, int d) {
        const long long extent = static_cast<long long>(to) - from;
        if (d >= 0)
            return Clamp(to + static_cast<long long>(d));
        if (extent <= Handles::kMinSize)
            return to;
        return Clamp(from + std::max<long long>(extent + d, Handles::kMinSize));
    };
    CTavloraDoc& doc = host_.Document();
    std::vector<ControlEdits::RectSwap> swaps;
    for (const ControlRecord* rec : doc.CurrentSelection().Records()) {
        if (rec->locked)
            break;
        Rect r = rec->rect;
        r.right = extend(r.left, r.right, dw);
        r.bottom = extend(r.top, r.bottom, dh);
        if (!(r == rec->rect))
            swaps.push_back({rec, r});
    }
    if (swaps.empty())
        return;
    // Sizing and moving in one key press stay apart.
    doc.UndoStack().push(new SetRectsCommand(doc, Tr("Resize"), std::move(swaps), -doc.NudgeBurst()));
    UpdateRestingState(lastMouse_);
}

void SelectTool::Refresh()
{
    if (!Dragging())
        UpdateRestingState(lastMouse_);
}

void SelectTool::UpdateRestingState(Point p)
{
    CTavloraDoc& doc = host_.Document();
    int code = Handles::None;
    for (const ControlRecord* rec : doc.CurrentSelection().Records()) {
        if (rec->screen != doc.CurrentScreen())
            continue;
        if (rec->type == TypeImage && !host_.ShowImages())
            continue;
        const int hit = Handles::HitZoomed(rec->rect, lastX_, lastY_, host_.Scale().Zoom());
        if (hit != Handles::None)
            code = hit;
    }
    SetCursor(CursorFor(code));
    QString status = QStringLiteral("%1, %2").arg(p.x).arg(p.y);
    if (const ControlRecord* anchor = doc.CurrentSelection().Anchor())
        status += QStringLiteral("    ") + Tr("Anchor:") + QLatin1Char(' ') + Placement(anchor->rect);
    SetStatus(status);
}

void SelectTool::UpdateDragStatus()
{
    if (!tracker_)
        return;
    Rect shown = tracker_->Current();
    if (drag_ == Drag::Band)
        shown = Handles::Normalised(shown);
    SetStatus(Placement(shown));
}

void SelectTool::PlaceOver(int tool, const ToolEvent& e)
{
    if (Dragging())
        return;
    CTavloraDoc& doc = host_.Document();
    const std::unique_ptr<ControlRecord> rec =
        tool ? ControlTools::NewRecord(tool, e.design, host_.Sizes(), doc.CurrentScreen()) : nullptr;
    if (!rec) {
        Cancel();
        return;
    }
    if (!guides_)
        guides_ = GuidesFor({}, {});
    const bool snap = guides_ && !(e.mods & Qt::ControlModifier);
    placing_ = snap ? guides_->Snapped(rec->rect, Reach()) : rec->rect;
    shown_ = snap ? guides_->Show(*placing_, Handles::Middle) : SmartGuides::Shown{};
    host_.RepaintOverlay();
}

bool SelectTool::PlaceDrop(int tool, const ToolEvent& e)
{
    if (Dragging())
        return false;
    Cancel();
    const std::optional<SmartGuides> guides = GuidesFor({}, e.mods);
    return PlaceTool::Place(host_.Document(), tool, e.design, host_.Sizes(), guides ? &*guides : nullptr, Reach());
}

void SelectTool::PaintOverlay(QPainter& p)
{
    if (!Dragging() && !placing_)
        return;
    const ViewScale scale = host_.Scale();
    std::vector<QRect> edges;
    if (placing_) {
        OutlineEdges::Append(edges, ToQRect(scale, *placing_));
    } else if (drag_ == Drag::Band) {
        OutlineEdges::Append(edges, ToQRect(scale, tracker_->Current()));
    } else {
        const std::vector<Rect> rects = PreviewRects();
        edges.reserve(rects.size() * 4);
        for (const Rect& r : rects)
            OutlineEdges::Append(edges, ToQRect(scale, r));
    }
    // A black outline with a white one beside it shows on any background (an
    // inverting raster operation costs far more with thousands of outlines).
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRects(edges.data(), int(edges.size()));
    for (QRect& e : edges)
        e.translate(1, 1);
    p.setBrush(Qt::white);
    p.drawRects(edges.data(), int(edges.size()));
    p.restore();
    GuideOverlay::Paint(p, scale, shown_);
}

} // namespace tavlora
