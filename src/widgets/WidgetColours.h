#pragma once

#include "core/ColourSet.h"

#include <QColor>

namespace tavlora {

// Colour references to QColor, and the fixed system colours the widgets draw
// with (the classic Windows button colours, so renders are reproducible).
class WidgetColours {
public:
    static QColor FromRef(ColourRef c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
    static QColor Of(const ColourSet& set, ColourSet::Index i) { return FromRef(set.Get(i)); }

    static QColor ButtonFace() { return QColor(240, 240, 240); }
    static QColor ButtonShadow() { return QColor(160, 160, 160); }
    static QColor ButtonHighlight() { return QColor(255, 255, 255); }
    static QColor DarkShadow() { return QColor(105, 105, 105); }
    static QColor Light() { return QColor(227, 227, 227); }
    static QColor ButtonText() { return QColor(0, 0, 0); }
};

} // namespace tavlora
