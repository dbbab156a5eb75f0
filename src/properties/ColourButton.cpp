#include "ColourButton.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace tavlora {

namespace {

constexpr int kMargin = 8;
constexpr int kPicture = 20;
constexpr int kSwatchWidth = 42;
constexpr int kSwatchHeight = 24;

} // namespace

ColourButton::ColourButton(const QString& label, QWidget* parent) : QPushButton(label, parent)
{
    setAutoDefault(false);
}

void ColourButton::SetColour(const QColor& colour)
{
    QColor opaque = colour.toRgb();
    opaque.setAlpha(255);
    if (opaque == colour_)
        return;
    colour_ = opaque;
    update();
}

QRect ColourButton::SwatchRect() const
{
    return QRect(width() - kMargin - kSwatchWidth, (height() - kSwatchHeight) / 2, kSwatchWidth,
                 kSwatchHeight);
}

QSize ColourButton::sizeHint() const
{
    ensurePolished();
    const int textWidth = fontMetrics().horizontalAdvance(text());
    // A few pixels spare: the advance is rounded and elision is strict.
    const int width = kMargin + kPicture + kMargin + textWidth + 4 + kMargin + kSwatchWidth + kMargin;
    return QSize(qMax(width, 200), 46);
}

QSize ColourButton::minimumSizeHint() const
{
    return QSize(3 * kMargin + kPicture + kSwatchWidth + 40, kSwatchHeight + 12);
}

void ColourButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    QPoint shift;
    if (isDown() || isChecked())
        shift = QPoint(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));

    const QRect picture(kMargin, (height() - kPicture) / 2, kPicture, kPicture);
    painter.drawPixmap(picture.translated(shift), PalettePicture(kPicture, devicePixelRatioF()));

    const QRect swatch = SwatchRect().translated(shift);
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(colour_);
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    painter.setPen(QColor(255, 255, 255));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(swatch.adjusted(1, 1, -2, -2));

    const int textLeft = picture.right() + 1 + kMargin;
    const QRect textRect(textLeft, 0, swatch.left() - kMargin - textLeft, height());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
    const QString label =
        fontMetrics().elidedText(text(), Qt::ElideRight, textRect.width());
    painter.drawText(textRect.translated(shift), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                     label);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

QPixmap ColourButton::PalettePicture(int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 20.0, size / 20.0);

    // An artist's palette: a flattened disc with a thumb hole and a notch.
    QPainterPath board;
    board.addEllipse(QRectF(1, 3, 18, 14));
    QPainterPath cut;
    cut.addEllipse(QRectF(4.5, 11, 4, 3.5));
    cut.addEllipse(QRectF(-1, 12.5, 7, 6));
    board = board.subtracted(cut);
    painter.setPen(QPen(QColor(120, 78, 36), 1));
    painter.setBrush(QColor(226, 190, 140));
    painter.drawPath(board);

    struct Dab {
        QPointF at;
        QColor colour;
    };
    const Dab dabs[] = {
        {{6.0, 7.0}, QColor(220, 30, 30)},
        {{10.0, 5.6}, QColor(250, 200, 20)},
        {{14.2, 7.0}, QColor(40, 160, 50)},
        {{15.2, 11.2}, QColor(30, 80, 220)},
        {{11.5, 13.6}, QColor(150, 60, 200)},
    };
    painter.setPen(QPen(QColor(0, 0, 0, 90), 0.5));
    for (const Dab& dab : dabs) {
        painter.setBrush(dab.colour);
        painter.drawEllipse(dab.at, 1.8, 1.6);
    }
    return pixmap;
}

} // namespace tavlora
