#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <vector>

class QPainter;

namespace tavlora {

class DesignWidget;
class ScreenSet;
class WidgetContext;

// The one drawing path of a screen, used by the design view and the CLI.
class ScreenRenderer {
public:
    // Fills QRect(0,0,designSize) with ScreenBack, then paints every visible
    // widget in stacking order, in the painter's current (design) coordinates.
    // A non-null clip (design coordinates) limits the work. `beside`, when
    // given, runs on another thread while the widgets are drawn (or after,
    // when none is free): work of the caller that reads the set but draws
    // nothing.
    static void Paint(QPainter& p, const ScreenSet& set, const WidgetContext& ctx, QSize designSize,
                      const QRect& clip = QRect(), const std::function<void()>& beside = {});
    // Shows the widgets of `screen` and the persistent layer (making those
    // that are not there), renders at `size`, then puts the widgets back.
    static QImage Render(const ScreenSet& set, WidgetContext& ctx, int screen, QSize size);
    // Paints widgets the records do not own (a preview's) as Paint paints the
    // records' own: the background, then the visible ones in stacking order.
    static void PaintStandalone(QPainter& p, const ScreenSet& set, std::vector<DesignWidget*> widgets,
                                QSize designSize);
    // Topmost visible widget containing the design point, or nullptr.
    static DesignWidget* WidgetAt(const ScreenSet& set, QPoint designPoint);
    // The same among the given widgets.
    static DesignWidget* WidgetAt(const std::vector<DesignWidget*>& widgets, QPoint designPoint);
    // Looks of at least this many widgets are made side by side before a paint.
    static constexpr size_t kParallelLooks = 16;

    // Visible widgets in stacking order (bottom first), optionally only those
    // meeting a design rectangle.
    static std::vector<DesignWidget*> PaintOrder(const ScreenSet& set, const QRect& clip = QRect());
    // Screens with at least this many widgets skip those that opaque widgets
    // above them cover completely.
    static constexpr size_t kCullFrom = 256;
    // Removes from a paint order the widgets whose every pixel an opaque
    // client above them covers (worked out on a grid of whole design pixels,
    // so only for painters that map design pixels to whole device pixels).
    // Returns, for each widget kept, the part of it that can show (design
    // coordinates), or nothing when it culled nothing.
    static std::vector<QRect> DropCovered(const QPainter& p, std::vector<DesignWidget*>& order);
    // Frames and clients of the widgets in order; `cached` paints through the
    // widgets' looks; `shown`, when given, limits each widget's client;
    // `before`, when given, is called with each widget's index before it is drawn.
    static void PaintWidgets(QPainter& p, const std::vector<DesignWidget*>& order, const QRect& clip, bool cached,
                             const std::vector<QRect>& shown = {},
                             const std::function<void(size_t)>& before = {});

    // Paints `screen` with the persistent layer as Render shows it, whatever
    // the widgets' visibility, and changes no widget: the design view keeps
    // its cached looks.
    static void PaintScreen(QPainter& p, const ScreenSet& set, const WidgetContext& ctx, int screen,
                            QSize designSize);
    // PaintScreen scaled down to `size`, with the screen's widgets made for
    // the while where they are not there.
    static QImage Thumbnail(const ScreenSet& set, WidgetContext& ctx, int screen, QSize designSize, QSize size);

private:
    // Indices of the widgets whose looks are to be made side by side at the
    // painter's zoom (none when too few, or on one core), canvases reserved.
    static std::vector<size_t> StaleLooks(const QPainter& p, const std::vector<DesignWidget*>& widgets,
                                          double& scale);
    static int Helpers();
    // PaintWidgets through the looks, the missing ones made on all cores while drawing.
    static void PaintWithLooks(QPainter& p, const std::vector<DesignWidget*>& order, const QRect& clip,
                               const std::vector<QRect>& shown, const std::function<void()>& beside);
    static bool TooLargeForDevice(const QPainter& p, const QRect& client);
    static void PaintLargeWidget(QPainter& p, DesignWidget& w, const QRect& client, QRect area);
};

} // namespace tavlora
