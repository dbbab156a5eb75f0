#pragma once

#include "PreviewWidgets.h"

#include <QSize>
#include <QWidget>

namespace tavlora {

class ControlRecord;
class ScreenSet;

// The screen of a preview as the machine shows it, at the target screen size
// or scaled down to the room there is, without any design marks. A press
// shows a button pushed in until the release; what the press does is the
// window's.
class PreviewScreen : public QWidget {
    Q_OBJECT
public:
    PreviewScreen(const ScreenSet& set, QWidget* parent = nullptr);

    PreviewWidgets& Widgets() { return widgets_; }
    void SetDesignSize(QSize size);
    QSize DesignSize() const { return designSize_; }
    // Widget point of a design point, and back.
    QPoint FromDesign(QPoint design) const;
    QPoint ToDesign(QPoint local) const;
    double Scale() const;

    // A button shown pushed in (a held hot key or mouse button), and let go.
    void Hold(const ControlRecord& record);
    void LetGo(const ControlRecord& record);
    // Lets go of whatever the mouse holds, without a release.
    void CancelHold();

    QSize sizeHint() const override;

signals:
    // A button pressed and released over it.
    void released(const ControlRecord* record);
    // A press on another control; null for none.
    void clicked(const ControlRecord* record);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint Origin() const;

    const ScreenSet& set_;
    PreviewWidgets widgets_;
    QSize designSize_{1024, 768};
    const ControlRecord* mouseHeld_ = nullptr;
};

} // namespace tavlora
