#include "PreviewScreen.h"

#include "core/PreviewRules.h"
#include "widgets/DesignWidget.h"
#include "widgets/ScreenRenderer.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tavlora {

PreviewScreen::PreviewScreen(const ScreenSet& set, QWidget* parent) : QWidget(parent), set_(set), widgets_(set)
{
    setObjectName(QStringLiteral("PreviewScreen"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(&widgets_.Context(), &WidgetContext::repaintRequested, this, qOverload<>(&QWidget::update));
}

void PreviewScreen::SetDesignSize(QSize size)
{
    designSize_ = size;
    updateGeometry();
    update();
}

QSize PreviewScreen::sizeHint() const
{
    return designSize_;
}

double PreviewScreen::Scale() const
{
    if (designSize_.isEmpty())
        return 1.0;
    return std::min({1.0, double(width()) / designSize_.width(), double(height()) / designSize_.height()});
}

QPoint PreviewScreen::Origin() const
{
    // Centred across, at the top.
    const double s = Scale();
    return QPoint(std::max(0, int((width() - designSize_.width() * s) / 2)), 0);
}

QPoint PreviewScreen::FromDesign(QPoint design) const
{
    const double s = Scale();
    return Origin() + QPoint(int(std::lround(design.x() * s)), int(std::lround(design.y() * s)));
}

QPoint PreviewScreen::ToDesign(QPoint local) const
{
    const double s = Scale();
    const QPoint p = local - Origin();
    return QPoint(int(std::floor(p.x() / s)), int(std::floor(p.y() / s)));
}

void PreviewScreen::Hold(const ControlRecord& record)
{
    if (DesignWidget* w = widgets_.Of(record))
        w->MousePress(QPoint(), {}, widgets_.Screen());
}

void PreviewScreen::LetGo(const ControlRecord& record)
{
    if (DesignWidget* w = widgets_.Of(record))
        w->MouseRelease(QPoint());
}

void PreviewScreen::CancelHold()
{
    if (const ControlRecord* held = std::exchange(mouseHeld_, nullptr))
        LetGo(*held);
}

void PreviewScreen::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (designSize_.isEmpty())
        return;
    const double s = Scale();
    p.translate(Origin());
    if (s != 1.0) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(s, s);
    }
    p.setClipRect(QRect(QPoint(0, 0), designSize_));
    ScreenRenderer::PaintStandalone(p, set_, widgets_.Widgets(), designSize_);
}

void PreviewScreen::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    CancelHold();
    const QPoint design = ToDesign(event->position().toPoint());
    DesignWidget* w = QRect(QPoint(0, 0), designSize_).contains(design) ? widgets_.At(design) : nullptr;
    if (!w) {
        emit clicked(nullptr);
        return;
    }
    const ControlRecord& record = *w->Record();
    if (PreviewRules::Pressable(record)) {
        mouseHeld_ = &record;
        Hold(record);
    } else {
        emit clicked(&record);
    }
}

void PreviewScreen::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !mouseHeld_)
        return;
    const ControlRecord* held = std::exchange(mouseHeld_, nullptr);
    DesignWidget* w = widgets_.Of(*held);
    if (!w)
        return; // changed or gone while held
    w->MouseRelease(QPoint());
    if (w->Geometry().contains(ToDesign(event->position().toPoint())))
        emit released(held);
}

} // namespace tavlora
