#pragma once

#include "core/Point.h"

#include <QObject>
#include <QString>
#include <Qt>

class QKeyEvent;
class QPainter;

namespace tavlora {

class ToolHost;

// A mouse or key event as a tool sees it: in design coordinates (the design
// pixel, and the exact position for tests that depend on the zoom).
struct ToolEvent {
    Point design;
    double x = 0;
    double y = 0;
    Qt::MouseButton button = Qt::NoButton;
    Qt::KeyboardModifiers mods;
};

// What the design surface does with input. The view hands every event over in
// design coordinates and paints the overlay; the tool owns the rules, its
// status text and its cursor, which the view only shows.
class Tool : public QObject {
    Q_OBJECT
public:
    explicit Tool(ToolHost& host) : host_(host) {}

    virtual void Press(const ToolEvent&) {}
    virtual void Move(const ToolEvent&) {}
    virtual void Release(const ToolEvent&) {}
    virtual void DoubleClick(const ToolEvent&) {}
    // True when the tool used the key.
    virtual bool KeyPress(QKeyEvent*) { return false; }
    virtual bool KeyRelease(QKeyEvent*) { return false; }
    // Drawn over the screen, in the view's (screen) coordinates.
    virtual void PaintOverlay(QPainter&) {}
    // Drops a drag in progress without changing anything.
    virtual void Cancel() {}
    // What the status text shows changed elsewhere (an edit, undo, another set).
    virtual void Refresh() {}
    virtual bool Dragging() const { return false; }
    // A work-bar entry dragged over the surface (tool 0: it left again), and
    // dropped: the drop places the tool's control, true when it did.
    virtual void PlaceOver(int, const ToolEvent&) {}
    virtual bool PlaceDrop(int, const ToolEvent&) { return false; }

    const QString& StatusText() const { return status_; }
    Qt::CursorShape Cursor() const { return cursor_; }

signals:
    void statusChanged(const QString& text);
    // A double-click or right-click asks for the properties of what lies there.
    void propertiesRequested(tavlora::Point designPoint);
    void cursorChanged(Qt::CursorShape cursor);

protected:
    void SetStatus(const QString& text);
    void SetCursor(Qt::CursorShape cursor);

    ToolHost& host_;

private:
    QString status_;
    Qt::CursorShape cursor_ = Qt::ArrowCursor;
};

} // namespace tavlora
