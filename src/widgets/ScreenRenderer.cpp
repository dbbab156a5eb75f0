#include "ScreenRenderer.h"

#include "DesignWidget.h"
#include "PoolJob.h"
#include "ScreenWidgets.h"
#include "WidgetColours.h"
#include "WidgetContext.h"

#include "core/ScreenSet.h"
#include "core/ScreenVisibility.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QThreadPool>

#include <algorithm>
#include <cmath>
#include <atomic>
#include <memory>

namespace tavlora {

std::vector<DesignWidget*> ScreenRenderer::PaintOrder(const ScreenSet& set, const QRect& clip)
{
    std::vector<DesignWidget*> order;
    order.reserve(set.controls.size());
    for (const auto& rec : set.controls) {
        auto* w = dynamic_cast<DesignWidget*>(rec->widget.get());
        if (!w || !w->IsVisible())
            continue;
        if (!clip.isNull() && !w->Geometry().intersects(clip))
            continue;
        order.push_back(w);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const DesignWidget* a, const DesignWidget* b) { return a->ZOrder() < b->ZOrder(); });
    return order;
}

std::vector<QRect> ScreenRenderer::DropCovered(const QPainter& p, std::vector<DesignWidget*>& order)
{
    if (order.size() < kCullFrom)
        return {};
    const QTransform& t = p.worldTransform();
    const bool whole = t.type() <= QTransform::TxScale && t.m11() == t.m22() && t.m11() >= 1
        && t.m11() == std::floor(t.m11()) && t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy());
    if (!whole)
        return {};
    // The widgets' extent, on a grid of at most about a million cells.
    QRect area;
    for (const DesignWidget* w : order)
        area |= w->Geometry();
    if (area.isEmpty())
        return {};
    qint64 cell = 8;
    while ((qint64(area.width()) / cell + 1) * (qint64(area.height()) / cell + 1) > (qint64(1) << 20))
        cell *= 2;
    const qint64 cols = qint64(area.width()) / cell + 1;
    const qint64 rows = qint64(area.height()) / cell + 1;
    std::vector<bool> covered(size_t(cols * rows), false);
    const auto col = [&](qint64 x) { return (x - area.left()) / cell; };
    const auto row = [&](qint64 y) { return (y - area.top()) / cell; };
    const auto open = [&](qint64 r0, qint64 r1, qint64 c0, qint64 c1) {
        for (qint64 r = r0; r <= r1; ++r)
            for (qint64 c = c0; c <= c1; ++c)
                if (!covered[size_t(r * cols + c)])
                    return true;
        return false;
    };
    std::vector<QRect> shown(order.size());
    std::vector<bool> keep(order.size(), true);
    for (size_t i = order.size(); i-- > 0;) {
        const DesignWidget* w = order[i];
        const QRect g = w->Geometry();
        if (g.isEmpty())
            continue;
        // The cells of the widget left open by the clients above it, as a
        // bounding box: the only part that needs drawing.
        qint64 top = row(g.top()), bottom = row(g.bottom()), left = col(g.left()), right = col(g.right());
        while (top <= bottom && !open(top, top, left, right))
            ++top;
        if (top > bottom) {
            keep[i] = false;
            continue;
        }
        while (!open(bottom, bottom, left, right))
            --bottom;
        while (!open(top, bottom, left, left))
            ++left;
        while (!open(top, bottom, right, right))
            --right;
        shown[i] = g & QRect(int(area.left() + left * cell), int(area.top() + top * cell),
                             int((right - left + 1) * cell), int((bottom - top + 1) * cell));
        if (!w->CoversClient())
            continue;
        // The cells lying wholly inside the client.
        const QRect client = w->ClientGeometry();
        if (client.isEmpty())
            continue;
        const qint64 c0 = (qint64(client.left()) - area.left() + cell - 1) / cell;
        const qint64 c1 = (qint64(client.right()) + 1 - area.left()) / cell - 1;
        const qint64 r0 = (qint64(client.top()) - area.top() + cell - 1) / cell;
        const qint64 r1 = (qint64(client.bottom()) + 1 - area.top()) / cell - 1;
        for (qint64 r = r0; r <= r1; ++r)
            for (qint64 c = c0; c <= c1; ++c)
                covered[size_t(r * cols + c)] = true;
    }
    size_t kept = 0;
    for (size_t i = 0; i < order.size(); ++i)
        if (keep[i]) {
            shown[kept] = shown[i];
            order[kept++] = order[i];
        }
    order.resize(kept);
    shown.resize(kept);
    return shown;
}

std::vector<size_t> ScreenRenderer::StaleLooks(const QPainter& p, const std::vector<DesignWidget*>& widgets,
                                               double& scale)
{
    const QTransform& t = p.worldTransform();
    if (t.type() <= QTransform::TxTranslate)
        scale = 1.0;
    else if (t.type() == QTransform::TxScale && t.m11() == t.m22() && t.m11() > 0)
        scale = t.m11();
    else
        return {};
    if (!DesignWidget::KeepsLooksOn(p))
        return {};
    std::vector<size_t> stale;
    for (size_t i = 0; i < widgets.size(); ++i) {
        if (widgets[i]->NeedsLook(scale))
            stale.push_back(i);
    }
    if (stale.size() < kParallelLooks || QThreadPool::globalInstance()->maxThreadCount() < 2)
        return {}; // made one by one while painting
    WidgetContext* reserved = nullptr;
    for (size_t i : stale) {
        if (&widgets[i]->Context() != reserved) {
            reserved = &widgets[i]->Context();
            reserved->ReserveCanvases(size_t(Helpers()) + 1);
        }
    }
    return stale;
}

int ScreenRenderer::Helpers()
{
    return std::min(QThreadPool::globalInstance()->maxThreadCount(), 8) - 1;
}

void ScreenRenderer::PaintWithLooks(QPainter& p, const std::vector<DesignWidget*>& order, const QRect& clip,
                                    const std::vector<QRect>& shown, const std::function<void()>& beside)
{
    double scale = 1.0;
    const std::vector<size_t> stale = StaleLooks(p, order, scale);
    // The helpers make the looks in stacking order while this thread draws
    // the widgets below; a widget whose look is not made yet is waited for,
    // or this thread makes looks further up meanwhile. The first helper does
    // what the caller has to do beside first: this thread is never idle then.
    std::atomic<size_t> next{0};
    const std::unique_ptr<std::atomic<bool>[]> ready(new std::atomic<bool>[stale.size()]());
    auto make = [&next, &stale, &order, &ready, scale](size_t slot) {
        const size_t i = next++;
        if (i >= stale.size())
            return false;
        order[stale[i]]->PrepareLook(scale, slot);
        ready[i].store(true, std::memory_order_release);
        ready[i].notify_all();
        return true;
    };
    // With no looks to make, one helper at most, for what is to be done beside.
    const int helpers = !stale.empty() ? Helpers() : beside ? 1 : 0;
    std::vector<std::unique_ptr<PoolJob>> jobs;
    for (int i = 0; i < helpers; ++i) {
        const bool first = i == 0;
        jobs.push_back(std::make_unique<PoolJob>([make, i, first, &beside] {
            if (first && beside)
                beside();
            while (make(size_t(i) + 1)) {
            }
        }));
        if (!jobs.back()->Start()) {
            jobs.pop_back();
            break; // the pool is busy: this thread does the rest
        }
    }
    size_t s = 0;
    PaintWidgets(p, order, clip, true, shown, [&](size_t i) {
        if (s == stale.size() || stale[s] != i)
            return;
        while (!ready[s].load(std::memory_order_acquire)) {
            if (!make(0))
                ready[s].wait(false, std::memory_order_acquire);
        }
        ++s;
    });
    const bool besideDone = !jobs.empty();
    jobs.clear(); // each waits for its thread
    if (beside && !besideDone)
        beside();
}

void ScreenRenderer::Paint(QPainter& p, const ScreenSet& set, const WidgetContext& ctx,
                           QSize designSize, const QRect& clip, const std::function<void()>& beside)
{
    (void)ctx;
    QRect screen(QPoint(0, 0), designSize);
    if (!clip.isNull())
        screen &= clip;
    if (!screen.isEmpty())
        p.fillRect(screen, WidgetColours::Of(set.colours, ColourSet::ScreenBack));

    std::vector<DesignWidget*> order = PaintOrder(set, clip);
    const std::vector<QRect> shown = DropCovered(p, order);
    PaintWithLooks(p, order, clip, shown, beside);
}

void ScreenRenderer::PaintWidgets(QPainter& p, const std::vector<DesignWidget*>& order, const QRect& clip,
                                  bool cached, const std::vector<QRect>& shown,
                                  const std::function<void(size_t)>& before)
{
    for (size_t i = 0; i < order.size(); ++i) {
        DesignWidget* w = order[i];
        if (before)
            before(i);
        const QRect window = w->Geometry();
        if (w->FrameWidth() > 0 && !window.isEmpty()) {
            // A one-pixel window frame in the window-frame colour.
            p.save();
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(window.adjusted(0, 0, -1, -1));
            p.restore();
        }
        const QRect client = w->ClientGeometry();
        QRect area = client;
        if (!clip.isNull())
            area &= clip;
        if (!shown.empty())
            area &= shown[i];
        if (area.isEmpty())
            continue;
        if (TooLargeForDevice(p, client)) {
            PaintLargeWidget(p, *w, client, area);
            continue;
        }
        p.save();
        p.translate(client.topLeft());
        p.setClipRect(area.translated(-client.topLeft()), Qt::IntersectClip);
        if (cached)
            w->PaintCached(p);
        else
            w->Paint(p);
        p.restore();
    }
}

bool ScreenRenderer::TooLargeForDevice(const QPainter& p, const QRect& client)
{
    // The rasteriser works in 32-bit device coordinates: a widget whose
    // extent on the device comes near that limit is not painted whole.
    constexpr double kSafeExtent = double(1 << 26);
    const QTransform& t = p.worldTransform();
    const double scale = std::max(std::abs(t.m11()), std::abs(t.m22()));
    return double(client.width()) * scale > kSafeExtent || double(client.height()) * scale > kSafeExtent;
}

void ScreenRenderer::PaintLargeWidget(QPainter& p, DesignWidget& w, const QRect& client, QRect area)
{
    // Only the part on the device is painted: at design scale into a picture
    // of that part (the widget's own coordinates stay within 32 bits there),
    // which is then drawn through the painter's transform.
    const QRect device = p.device() ? QRect(0, 0, p.device()->width(), p.device()->height()) : QRect();
    if (!device.isEmpty())
        area &= p.worldTransform().inverted().mapRect(QRectF(device)).toAlignedRect().adjusted(-1, -1, 1, 1);
    if (area.isEmpty())
        return;
    QImage part(area.size(), QImage::Format_ARGB32_Premultiplied);
    if (part.isNull())
        return;
    part.fill(Qt::transparent);
    QPainter ip(&part);
    ip.translate(client.topLeft() - area.topLeft());
    ip.setClipRect(area.translated(-client.topLeft()));
    w.Paint(ip);
    ip.end();
    p.drawImage(area, part);
}

void ScreenRenderer::PaintScreen(QPainter& p, const ScreenSet& set, const WidgetContext& ctx, int screen,
                                 QSize designSize)
{
    (void)ctx;
    p.fillRect(QRect(QPoint(0, 0), designSize), WidgetColours::Of(set.colours, ColourSet::ScreenBack));
    std::vector<DesignWidget*> order;
    for (const auto& rec : set.controls) {
        if (!ScreenVisibility::ShowsOn(rec->screen, screen))
            continue;
        if (auto* w = dynamic_cast<DesignWidget*>(rec->widget.get()))
            order.push_back(w);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const DesignWidget* a, const DesignWidget* b) { return a->ZOrder() < b->ZOrder(); });
    // Painted directly: the widgets keep the looks they hold for the design view.
    PaintWidgets(p, order, QRect(), false);
}

QImage ScreenRenderer::Thumbnail(const ScreenSet& set, WidgetContext& ctx, int screen, QSize designSize, QSize size)
{
    if (size.isEmpty() || designSize.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const ScreenWidgets widgets(set, ctx, screen, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(double(size.width()) / designSize.width(), double(size.height()) / designSize.height());
    p.setClipRect(QRect(QPoint(0, 0), designSize));
    PaintScreen(p, set, ctx, screen, designSize);
    return image;
}

QImage ScreenRenderer::Render(const ScreenSet& set, WidgetContext& ctx, int screen, QSize size)
{
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const ScreenWidgets widgets(set, ctx, screen, true);
    QPainter p(&image);
    Paint(p, set, ctx, size);
    return image;
}

void ScreenRenderer::PaintStandalone(QPainter& p, const ScreenSet& set, std::vector<DesignWidget*> widgets,
                                     QSize designSize)
{
    p.fillRect(QRect(QPoint(0, 0), designSize), WidgetColours::Of(set.colours, ColourSet::ScreenBack));
    std::erase_if(widgets, [](const DesignWidget* w) { return !w || !w->IsVisible(); });
    std::stable_sort(widgets.begin(), widgets.end(),
                     [](const DesignWidget* a, const DesignWidget* b) { return a->ZOrder() < b->ZOrder(); });
    PaintWithLooks(p, widgets, QRect(), {}, {});
}

DesignWidget* ScreenRenderer::WidgetAt(const ScreenSet& set, QPoint designPoint)
{
    DesignWidget* best = nullptr;
    for (const auto& rec : set.controls) {
        auto* w = dynamic_cast<DesignWidget*>(rec->widget.get());
        if (!w || !w->IsVisible() || !w->Geometry().contains(designPoint))
            continue;
        if (!best || w->ZOrder() > best->ZOrder())
            best = w;
    }
    return best;
}

DesignWidget* ScreenRenderer::WidgetAt(const std::vector<DesignWidget*>& widgets, QPoint designPoint)
{
    DesignWidget* best = nullptr;
    for (DesignWidget* w : widgets) {
        if (!w || !w->IsVisible() || !w->Geometry().contains(designPoint))
            continue;
        if (!best || w->ZOrder() > best->ZOrder())
            best = w;
    }
    return best;
}

} // namespace tavlora
