#pragma once

namespace tavlora {

// The design-time widget a record owns, derived from the record's fields. The
// core only shows and hides it; drawing lives with the concrete widget classes.
class ControlWidget {
public:
    virtual ~ControlWidget() = default;

    virtual bool IsVisible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual int ControlId() const = 0;
};

} // namespace tavlora
