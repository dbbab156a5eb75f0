#pragma once

#include "core/SmartGuides.h"
#include "core/ViewScale.h"

class QPainter;

namespace tavlora {

// Draws the smart guides over the design surface: each line a thin rule
// across the whole view, each equal gap a bar with end ticks and its size in
// pixels.
class GuideOverlay {
public:
    static void Paint(QPainter& p, const ViewScale& scale, const SmartGuides::Shown& shown);
};

} // namespace tavlora
