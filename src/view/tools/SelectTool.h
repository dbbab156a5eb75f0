#pragma once

#include "Tool.h"

#include "core/Rect.h"
#include "core/SmartGuides.h"
#include "core/TrackerDrag.h"

#include <optional>
#include <vector>

namespace tavlora {

class ControlRecord;

// Selection and tracking: clicks with Ctrl and Shift, the rubber band, moving
// the selection and resizing one control by its handles (previewed, one undo
// step on release, Escape or the right button cancel), arrow-key nudges and
// Shift+arrow sizing (one undo step per key press), and the button presses
// that jump screens. A click it does not consume goes to ClickNotConsumed.
// With "Snap to Controls" on, mouse drags and placing snap to the smart
// guides and show them; Ctrl held suspends that.
class SelectTool : public Tool {
    Q_OBJECT
public:
    explicit SelectTool(ToolHost& host);

    void Press(const ToolEvent& e) override;
    void Move(const ToolEvent& e) override;
    void Release(const ToolEvent& e) override;
    void DoubleClick(const ToolEvent& e) override;
    bool KeyPress(QKeyEvent* e) override;
    bool KeyRelease(QKeyEvent* e) override;
    void PaintOverlay(QPainter& p) override;
    void Cancel() override;
    void Refresh() override;
    bool Dragging() const override { return drag_ != Drag::None; }
    void PlaceOver(int tool, const ToolEvent& e) override;
    bool PlaceDrop(int tool, const ToolEvent& e) override;

    // What the guides show now (nothing outside a drag).
    const SmartGuides::Shown& ShownGuides() const { return shown_; }

    // Cursor over the handles of selected controls: 0/2 north-west, 1/3
    // north-east, 4/6 vertical, 5/7 horizontal, middle the move cursor.
    static Qt::CursorShape CursorFor(int code);

protected:
    // A click that selection did not consume, at the press point, after the
    // rubber band (if one ran) was released.
    virtual void ClickNotConsumed(Point, Qt::KeyboardModifiers) {}
    // The guides of the shown controls but `moving`; none while "Snap to
    // Controls" is off or Ctrl is held.
    std::optional<SmartGuides> GuidesFor(const std::vector<const ControlRecord*>& moving,
                                         Qt::KeyboardModifiers mods) const;
    // The snapping reach in design pixels at the current zoom.
    double Reach() const;

private:
    enum class Drag { None, Move, Resize, Band };

    // Selection rules of a left press; true when consumed. May start a drag.
    bool Click(const ToolEvent& e);
    void PressButtonWidget(const ToolEvent& e);
    void ReleaseButtonWidget(const ToolEvent& e);
    void StartMove(Point p);
    // Index the guides at the start of a move or resize of dragged_.
    void StartGuides();
    // The tracker to the mouse, snapped unless Ctrl is held; repaints.
    void Follow(Point mouse, Qt::KeyboardModifiers mods);
    void FinishDrag(Point p, Qt::KeyboardModifiers mods);
    void ClearGuides();
    void Nudge(int dx, int dy);
    void Grow(int dw, int dh);
    void UpdateRestingState(Point p);
    void UpdateDragStatus();
    // Where the dragged records would go for the tracker's current rectangle.
    std::vector<Rect> PreviewRects() const;

    Drag drag_ = Drag::None;
    std::optional<TrackerDrag> tracker_;
    std::vector<const ControlRecord*> dragged_;
    std::vector<Rect> startRects_;
    Point press_;
    Qt::KeyboardModifiers pressMods_;
    const ControlRecord* pressedRecord_ = nullptr; // button showing its pressed look
    int pressedWidgetId_ = 0;
    std::optional<SmartGuides> guides_;
    SmartGuides::Shown shown_;
    std::optional<Rect> placing_; // a work-bar entry over the surface
    Point lastMouse_;
    double lastX_ = 0;
    double lastY_ = 0;
};

} // namespace tavlora
