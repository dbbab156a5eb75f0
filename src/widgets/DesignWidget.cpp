#include "DesignWidget.h"
#include "core/ScreenVisibility.h"
#include "core/FunctionCatalog.h"

#include "Vorn3Image.h"
#include "WidgetContext.h"

#include "core/ControlRecord.h"
#include "core/ScreenSet.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <utility>
#include <climits>
#include <cmath>
#include <cstdint>

namespace tavlora {

namespace {


int ClampedExtent(int32_t from, int32_t to)
{
    const long long extent = static_cast<long long>(to) - from;
    const long long room = static_cast<long long>(INT_MAX) - from; // keep from + extent in range
    return int(std::clamp<long long>(extent, 0, std::min<long long>(room, INT_MAX)));
}

} // namespace

DesignWidget::DesignWidget(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled)
    : record_(&record), ctx_(ctx), id_(controlId), enabled_(!disabled)
{
    if (const Look* kept = ctx.LookOf(record)) {
        z_ = kept->z;
        framed_ = kept->framed;
        placed_ = kept->placed;
        placeholder_ = kept->placeholder;
    } else {
        z_ = ctx.TakeTopZ();
        KeepOwnLook();
    }
    syncedSize_ = ClientSize();
}

DesignWidget::~DesignWidget()
{
    DropLook();
}

void DesignWidget::DropLook()
{
    look_ = QImage();
    ctx_.ReturnLookBytes(std::exchange(lookBytes_, 0));
}

void DesignWidget::SetVisible(bool visible)
{
    visible_ = visible;
    if (!visible)
        DropLook(); // only shown widgets hold a cached look
}

void DesignWidget::PaintCached(QPainter& p)
{
    const QSize size = ClientSize();
    const QTransform& t = p.worldTransform();
    // The look is kept at the size the widget takes on the device: plain
    // translations, and uniform zooms of the design surface.
    const bool translated = t.type() <= QTransform::TxTranslate;
    const bool zoomed = t.type() == QTransform::TxScale && t.m11() == t.m22() && t.m11() > 0;
    if (!CachesLook() || !(translated || zoomed) || size.isEmpty() || !KeepsLooksOn(p)) {
        Paint(p);
        return;
    }
    const double scale = translated ? 1.0 : t.m11();
    const QRectF onDevice = t.mapRect(QRectF(QPointF(0, 0), QSizeF(size)));
    const QPoint origin(int(std::floor(onDevice.left() + 1e-9)), int(std::floor(onDevice.top() + 1e-9)));
    const QSize lookSize = LookSize(scale);
    if (lookSize.isEmpty()) {
        Paint(p);
        return;
    }
    if (!LookCurrent(lookSize, scale) && !RenderLook(lookSize, scale, 0)) {
        Paint(p);
        return;
    }
    if (translated && t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy())) {
        p.drawImage(0, 0, look_);
        return;
    }
    p.save();
    p.setWorldTransform(QTransform::fromTranslate(origin.x(), origin.y()));
    p.drawImage(0, 0, look_);
    p.restore();
}

bool DesignWidget::KeepsLooksOn(const QPainter& p)
{
    return p.device() && p.device()->devicePixelRatio() == 1 && p.paintEngine()
        && p.paintEngine()->type() == QPaintEngine::Raster;
}

QSize DesignWidget::LookSize(double scale) const
{
    const QSize size = ClientSize();
    const QSize lookSize(std::max(1, int(std::lround(size.width() * scale))),
                         std::max(1, int(std::lround(size.height() * scale))));
    if (size.isEmpty() || qint64(lookSize.width()) * lookSize.height() > kMaxLookPixels)
        return {};
    return lookSize;
}

bool DesignWidget::LookCurrent(QSize lookSize, double scale) const
{
    return look_.size() == lookSize && lookScale_ == scale && CurrentLookKey() == lookKey_;
}

bool DesignWidget::RenderLook(QSize lookSize, double scale, size_t slot)
{
    // Painted aside first: Paint itself may drop the old look.
    const LookKey key = CurrentLookKey();
    const bool opaque = LookIsOpaque();
    DropLook();
    // Beyond the budget the widget is painted directly, every time.
    const qint64 bytes = qint64(lookSize.width()) * lookSize.height() * 4;
    if (!ctx_.TakeLookBytes(bytes))
        return false;
    QImage fresh = ctx_.Canvas(slot).Make(lookSize, opaque, scale, [this](QPainter& lp) { Paint(lp); });
    if (fresh.isNull()) {
        ctx_.ReturnLookBytes(bytes);
        return false;
    }
    look_ = fresh;
    lookBytes_ = bytes;
    lookKey_ = key;
    lookScale_ = scale;
    return true;
}

bool DesignWidget::PrepareLook(double scale, size_t slot)
{
    if (!CachesLook() || !LookThreadSafe())
        return false;
    const QSize lookSize = LookSize(scale);
    if (lookSize.isEmpty() || LookCurrent(lookSize, scale))
        return false;
    return RenderLook(lookSize, scale, slot);
}

bool DesignWidget::NeedsLook(double scale) const
{
    if (!CachesLook() || !LookThreadSafe())
        return false;
    const QSize lookSize = LookSize(scale);
    return !lookSize.isEmpty() && !LookCurrent(lookSize, scale);
}

void DesignWidget::SyncGeometry()
{
    // A move keeps the cached look; the document's change signal repaints.
    const QSize size = ClientSize();
    if (size != syncedSize_) {
        syncedSize_ = size;
        Resized();
        DropLook();
    }
}

void DesignWidget::SetLook(const Look& look)
{
    z_ = look.z;
    placed_ = look.placed;
    placeholder_ = look.placeholder;
    if (framed_ != look.framed) {
        framed_ = look.framed;
        SyncGeometry();
    }
    KeepOwnLook();
}

void DesignWidget::KeepOwnLook()
{
    if (ctx_.OwnsRecordWidgets())
        ctx_.KeepLook(*record_, CurrentLook());
}

void DesignWidget::RaiseToTop()
{
    z_ = ctx_.TakeTopZ();
    KeepOwnLook();
}

void DesignWidget::LowerToBottom()
{
    z_ = ctx_.TakeBottomZ();
    KeepOwnLook();
}

QRect DesignWidget::Geometry() const
{
    const Rect& r = record_->rect;
    return QRect(r.left, r.top, ClampedExtent(r.left, r.right), ClampedExtent(r.top, r.bottom));
}

QRect DesignWidget::ClientGeometry() const
{
    const int f = FrameWidth();
    const QRect g = Geometry();
    const QSize s = ClientSize();
    return QRect(g.left() + (g.width() > 0 ? f : 0), g.top() + (g.height() > 0 ? f : 0), s.width(), s.height());
}

QSize DesignWidget::ClientSize() const
{
    const QRect g = Geometry();
    const int f2 = 2 * FrameWidth();
    return QSize(std::max(0, g.width() - f2), std::max(0, g.height() - f2));
}

int DesignWidget::MousePress(QPoint, Qt::KeyboardModifiers, int)
{
    return -1;
}

void DesignWidget::MouseRelease(QPoint) {}

void DesignWidget::Update()
{
    DropLook();
    ctx_.RequestRepaint();
}

int DesignWidget::JumpTarget(int function, int parameter, Qt::KeyboardModifiers mods, int currentScreen)
{
    if (function != FunctionCatalog::kOemButton || parameter < 0 || parameter >= ScreenVisibility::kScreenCount
        || parameter == currentScreen
        || (mods & Qt::ShiftModifier))
        return -1;
    return parameter;
}

QString DesignWidget::ResolvePicture(const std::string& name, ImagePath::Keywords rule) const
{
    return ctx_.ResolvePicture(name, rule);
}

bool DesignWidget::ReloadScaled(Vorn3Image& image, const QString& path, bool keyBmp)
{
    if (!image.Load(path, &ctx_.Images()))
        return false;
    if (keyBmp) {
        image.SetKeyColour(Vorn3Image::kBmpKeyColour);
        image.SetKeyIndex(Vorn3Image::kBmpKeyIndex);
    }
    const QSize s = ClientSize();
    image.Resample(s.width(), s.height());
    return true;
}

bool DesignWidget::IsBmpPath(const QString& path)
{
    return path.contains(QLatin1String(".BMP")) || path.contains(QLatin1String(".bmp"));
}

bool DesignWidget::IsPngPath(const QString& path)
{
    return path.contains(QLatin1String(".PNG")) || path.contains(QLatin1String(".png"));
}

} // namespace tavlora
