#pragma once

#include "core/ControlLook.h"
#include "core/ControlWidget.h"
#include "core/ImagePath.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <Qt>

#include <array>
#include <string>

class QPainter;

namespace tavlora {

class ControlRecord;
class Vorn3Image;
class WidgetContext;

// Base of the design-time widgets: a painted item at its record's rectangle
// (design coordinates), with visibility, a place in the stacking order and an
// optional one-pixel window frame around its client area.
class DesignWidget : public ControlWidget {
public:
    // Larger widgets are always painted directly.
    static constexpr qint64 kMaxLookPixels = 1024 * 1024;

    using Look = ControlLook;

    DesignWidget(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled);
    ~DesignWidget() override;
    DesignWidget(const DesignWidget&) = delete;
    DesignWidget& operator=(const DesignWidget&) = delete;

    bool IsVisible() const override { return visible_; }
    void SetVisible(bool visible) override;
    int ControlId() const override { return id_; }
    // The record's rectangle changed: a new size runs the resize reaction.
    // Repainting is the caller's.
    void SyncGeometry();

    Look CurrentLook() const { return {z_, framed_, placed_, placeholder_}; }
    // Takes a look, and keeps it for the record.
    void SetLook(const Look& look);

    // Takes what it shows from its record, as loading does.
    virtual void Configure(const ControlRecord& record) { (void)record; }
    // Painter origin at the widget's top-left, clipped to the widget.
    virtual void Paint(QPainter& p) = 0;
    // Paint, but widgets that keep their look as an image between paints (the
    // text-bearing ones) draw that image while nothing they show has changed.
    void PaintCached(QPainter& p);
    // Looks are kept only for pixel devices (images, windows): a printer or a
    // PDF writer gets every widget as shapes and text, at its own resolution.
    static bool KeepsLooksOn(const QPainter& p);
    // Whether the look at a zoom must be made, and making it: independent of
    // every other widget, so looks can be made side by side on worker threads.
    bool NeedsLook(double scale) const;
    // `slot`: the context's canvas of the thread (0 on the GUI thread).
    bool PrepareLook(double scale, size_t slot);

    // Whether the client area is painted over to its last pixel.
    bool CoversClient() const { return LookIsOpaque(); }

    // Disabled widgets get no mouse input; the view handles the click itself.
    bool IsEnabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    qint64 ZOrder() const { return z_; }
    void RaiseToTop();
    void LowerToBottom();

    const ControlRecord* Record() const { return record_; }
    WidgetContext& Context() const { return ctx_; }

    // Design-coordinate rectangle of the window (empty when the stored one is
    // inverted), and of its client area inside the frame.
    QRect Geometry() const;
    QRect ClientGeometry() const;
    // Client size, never negative.
    QSize ClientSize() const;
    int FrameWidth() const { return framed_ ? 1 : 0; }

    // Left press forwarded by the view (client coordinates) while `currentScreen`
    // is shown. Buttons show the pressed look and return the screen to jump to;
    // -1 for none.
    virtual int MousePress(QPoint local, Qt::KeyboardModifiers mods, int currentScreen);
    virtual void MouseRelease(QPoint local);

    // Something drawn changed: forgets the cached look and asks the view to repaint.
    void Update();

protected:
    // Reaction to a size change.
    virtual void Resized() {}

    // What a cached look depends on besides size and the setters (colours read
    // at paint time, the sample value, the pressed state).
    using LookKey = std::array<quint64, 2>;
    virtual bool CachesLook() const { return false; }
    // An opaque look covers every pixel of the widget (no transparency to keep).
    virtual bool LookIsOpaque() const { return false; }
    virtual LookKey CurrentLookKey() const { return {}; }
    // Forgets the cached look; Update does this too.
    void DropLook();
    // Whether painting the look touches nothing shared with other widgets (no
    // picture from the image cache).
    virtual bool LookThreadSafe() const { return true; }

    // Screen jump of the button kinds: function 32 with an OEM code below 100
    // that is not the current screen, and no Shift; -1 when there is none.
    static int JumpTarget(int function, int parameter, Qt::KeyboardModifiers mods, int currentScreen);

    // Resolves a record picture name under the Bitmaps folder with a keyword
    // rule to a platform path; empty when the rule gives no picture.
    QString ResolvePicture(const std::string& name, ImagePath::Keywords rule) const;
    // Load + optional BMP keying + scale to the client size, as the image
    // widgets do on resize.
    bool ReloadScaled(Vorn3Image& image, const QString& path, bool keyBmp);

public:
    static bool IsBmpPath(const QString& path);
    static bool IsPngPath(const QString& path);

private:
    // Keeps the look for the record, when the context is the records' own.
    void KeepOwnLook();
    // The look's size at a zoom; empty when the look is not kept.
    QSize LookSize(double scale) const;
    bool LookCurrent(QSize lookSize, double scale) const;
    bool RenderLook(QSize lookSize, double scale, size_t slot);

    const ControlRecord* record_;
    WidgetContext& ctx_;
    QSize syncedSize_;
    int id_;
    bool visible_ = false;
    bool enabled_;
    bool framed_ = false;
    bool placed_ = false;
    bool placeholder_ = false;
    qint64 z_ = 0;
    QImage look_;
    qint64 lookBytes_ = 0; // taken from the context's look budget
    LookKey lookKey_{};
    double lookScale_ = 1.0;
};

} // namespace tavlora
