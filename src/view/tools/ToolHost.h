#pragma once

#include "core/DefaultSizes.h"
#include "core/Grid.h"
#include "core/ViewScale.h"

namespace tavlora {

class CTavloraDoc;

// What a tool needs of the design surface it works on.
class ToolHost {
public:
    virtual ~ToolHost() = default;

    virtual CTavloraDoc& Document() = 0;
    virtual Grid CurrentGrid() const = 0;
    // "Snap to Controls": mouse drags snap to the other controls' lines.
    virtual bool SnapToControls() const = 0;
    // False while "Remove Bitmaps" hides the pictures.
    virtual bool ShowImages() const = 0;
    virtual const DefaultSizes& Sizes() const = 0;
    // Zoom and scroll of the surface.
    virtual ViewScale Scale() const = 0;
    // The tool's overlay changed: repaint.
    virtual void RepaintOverlay() = 0;
};

} // namespace tavlora
