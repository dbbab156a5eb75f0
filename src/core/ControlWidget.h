#pragma once

#include "Rect.h"

namespace tavlora {

// The design-time widget a record owns. The core only shows, hides, moves and
// queries it; drawing lives with the concrete widget classes.
class ControlWidget {
public:
    virtual ~ControlWidget() = default;

    virtual bool IsVisible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    // Placement of the widget in design coordinates.
    virtual Rect Placement() const = 0;
    virtual void MoveTo(const Rect& rect) = 0;
    virtual int ControlId() const = 0;
};

} // namespace tavlora
