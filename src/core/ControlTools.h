#pragma once

#include "DefaultSizes.h"
#include "Point.h"
#include "Rect.h"

#include <memory>
#include <string_view>

namespace tavlora {

class ControlRecord;

// The work bar's tools: the numbers the current tool takes (the type each
// places and its default size are in the ControlTypes table).
class ControlTools {
public:
    enum Tool {
        None = 0,
        Dro = 1,
        Button = 2,
        Image = 3,
        ImageButton = 4,
        Label = 6,
        Led = 7,
        Mdi = 8,
        GCodeList = 9,
        ToolPath = 10,
    };

    // Record type a tool places, or 0 for none and numbers outside the table.
    static int TypeForTool(int tool);
    // Work-bar name of a tool ("DRO", "IMAGE BUTTON", ...); empty for none.
    static std::string_view Name(int tool);
    // Width and height keys of a tool's default size.
    static DefaultSizes::Which WidthKey(int tool);
    static DefaultSizes::Which HeightKey(int tool);

    // The rectangle of a control of size w x h placed at p: half sizes
    // truncated, so odd sizes come out one pixel smaller.
    static Rect PlacedRect(Point p, int width, int height);
    // A new record of the tool's type on `screen` at the placed rectangle, with
    // the record defaults; null for a tool that places nothing.
    static std::unique_ptr<ControlRecord> NewRecord(int tool, Point p, const DefaultSizes& sizes, int screen);
};

} // namespace tavlora
