#pragma once

#include "core/ControlWidget.h"
#include "core/ImagePath.h"
#include "core/Rect.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <Qt>

#include <string>

class QPainter;

namespace tavlora {

class ControlRecord;
class Vorn3Image;
class WidgetContext;

// Base of the design-time widgets: a painted item with a rectangle in design
// coordinates, visibility, a place in the stacking order and a link to its record.
class DesignWidget : public ControlWidget {
public:
    DesignWidget(ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled,
                 const Rect& rect);
    ~DesignWidget() override;
    DesignWidget(const DesignWidget&) = delete;
    DesignWidget& operator=(const DesignWidget&) = delete;

    bool IsVisible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    Rect Placement() const override { return rect_; }
    // Moves the widget; a size change runs the widget's resize reaction.
    void MoveTo(const Rect& rect) override;
    int ControlId() const override { return id_; }

    // Painter origin at the widget's top-left, clipped to the widget.
    virtual void Paint(QPainter& p) = 0;

    // Disabled widgets get no mouse input; the view handles the click itself.
    bool IsEnabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    qint64 ZOrder() const { return z_; }
    void RaiseToTop();
    void LowerToBottom();

    ControlRecord* Record() const { return record_; }
    WidgetContext& Context() const { return ctx_; }

    // Design-coordinate rectangle (empty when the stored one is inverted).
    QRect Geometry() const;
    // Client size, never negative.
    QSize ClientSize() const;

    // Left press forwarded by the view (local coordinates). Buttons do the
    // screen jump check and show the pressed look; true when the screen changed.
    virtual bool MousePress(QPoint local, Qt::KeyboardModifiers mods);
    virtual void MouseRelease(QPoint local);

    // Asks the view to repaint.
    void Update() const;

protected:
    // Reaction to a size change.
    virtual void Resized() {}

    // Screen jump of the button kinds: function 32 with an OEM code below 100
    // that is not the current screen, and no Shift.
    bool ScreenJump(int function, int parameter, Qt::KeyboardModifiers mods);

    // Resolves a record picture name under the Bitmaps folder with a keyword
    // rule to a platform path; empty when the rule gives no picture.
    QString ResolvePicture(const std::string& name, ImagePath::Keywords rule) const;
    // Load + optional BMP keying + scale to the client size, as the image
    // widgets do on resize.
    bool ReloadScaled(Vorn3Image& image, const QString& path, bool keyBmp);

    // "Original Size": the record's rect keeps its top-left corner and takes
    // the given size (sums truncated), and the widget moves there.
    void TakeNaturalSize(double width, double height);

    static bool IsBmpPath(const QString& path);
    static bool IsPngPath(const QString& path);

private:
    ControlRecord* record_;
    WidgetContext& ctx_;
    Rect rect_;
    int id_;
    bool visible_ = false;
    bool enabled_;
    qint64 z_;
};

} // namespace tavlora
