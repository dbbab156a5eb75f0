#include "EdgePainter.h"

#include "WidgetColours.h"

#include <QPainter>

namespace tavlora {

namespace {

// One one-pixel border ring: top-left colour and bottom-right colour.
void Ring(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight, int sides)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    if (sides & EdgePainter::Left)
        p.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    if (sides & EdgePainter::Top)
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    if (sides & EdgePainter::Right)
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    if (sides & EdgePainter::Bottom)
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
}

QRect Inner(const QRect& r, int sides)
{
    return r.adjusted(sides & EdgePainter::Left ? 1 : 0, sides & EdgePainter::Top ? 1 : 0,
                      sides & EdgePainter::Right ? -1 : 0, sides & EdgePainter::Bottom ? -1 : 0);
}

} // namespace

void EdgePainter::Draw(QPainter& p, const QRect& r, Style style, int sides)
{
    const QColor light = WidgetColours::Light();
    const QColor highlight = WidgetColours::ButtonHighlight();
    const QColor shadow = WidgetColours::ButtonShadow();
    const QColor dark = WidgetColours::DarkShadow();
    switch (style) {
    case Raised:
        Ring(p, r, light, dark, sides);
        Ring(p, Inner(r, sides), highlight, shadow, sides);
        break;
    case Sunken:
        Ring(p, r, shadow, highlight, sides);
        Ring(p, Inner(r, sides), dark, light, sides);
        break;
    case Bump:
        Ring(p, r, light, dark, sides);
        Ring(p, Inner(r, sides), dark, light, sides);
        break;
    }
}

} // namespace tavlora
