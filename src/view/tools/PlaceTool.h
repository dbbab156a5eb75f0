#pragma once

#include "SelectTool.h"

namespace tavlora {

class CTavloraDoc;
class DefaultSizes;

// A work-bar tool: selection and tracking as ever, and a click that selection
// does not consume places one control of the tool's type centred on the press
// point, on the current screen, as one undo step.
class PlaceTool : public SelectTool {
    Q_OBJECT
public:
    PlaceTool(ToolHost& host, int tool);

    int ToolNumber() const { return tool_; }

    // Places a control of `tool` at a design point, moved onto the guides in
    // reach when there are guides; false when the tool places nothing.
    static bool Place(CTavloraDoc& doc, int tool, Point p, const DefaultSizes& sizes,
                      const SmartGuides* guides = nullptr, double reach = 0);

protected:
    void ClickNotConsumed(Point p, Qt::KeyboardModifiers mods) override;

private:
    int tool_;
};

} // namespace tavlora
