#pragma once

#include <QRect>

class QPainter;

namespace tavlora {

// Two-pixel 3D edges in the classic system colours.
class EdgePainter {
public:
    enum Sides { Left = 1, Top = 2, Right = 4, Bottom = 8, All = 15 };
    enum Style {
        Raised, // outer light / dark shadow, inner highlight / shadow
        Sunken, // outer shadow / highlight, inner dark shadow / light
        Bump,   // raised outer, sunken inner
    };

    static void Draw(QPainter& p, const QRect& r, Style style, int sides);
};

} // namespace tavlora
