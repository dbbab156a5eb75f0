#pragma once

#include "DefaultSizes.h"

#include <span>
#include <string_view>
#include <vector>

namespace tavlora {

// Everything that depends on a control's type, in one table: its titles, the
// widget that shows it, the work-bar tool that places it and its default
// size, and the items of its property form. Adding a type is adding a row
// (and a widget class).
class ControlTypes {
public:
    // The widget kinds a record type is shown with (0 = none).
    enum Widget {
        NoWidget = 0,
        PictureWidget = 1,
        ButtonWidget = 2,
        DroWidget = 6,
        ImageButtonWidget = 7,
        MissingPictureWidget = 8, // the older image: a picture named "Missing"
        LabelWidget = 9,
        LedWidget = 10,
        MdiWidget = 11,
        GCodeListWidget = 12,
        ToolPathWidget = 13,
    };

    struct Facts {
        int type;
        std::string_view title;    // dialog title as shown (leading blank kept); empty for none
        std::string_view name;     // in messages and undo texts: "Place Image Button"
        Widget widget;
        bool takesInput;           // the widget gets mouse input itself (image buttons)
        bool framedWhenPlaced;     // a placed one gets a window frame (lists, tool paths)
        int tool;                  // the work-bar tool placing it; 0 none
        int barPosition;           // its entry's place on the work bar; -1 none
        std::string_view toolName; // the work-bar entry: "IMAGE BUTTON"
        std::string_view toolIcon; // the entry's picture
        DefaultSizes::Which width; // default size keys of the tool
        DefaultSizes::Which height;
        unsigned formItems;        // ControlForm items enabled, one bit per item
    };

    // The rows of the known types 1 to 11, in type order.
    static std::span<const Facts> All();
    // The row of a type or a tool; null for unknown ones.
    static const Facts* Of(int type);
    static const Facts* ForTool(int tool);
    // The rows with a work-bar entry, in the bar's order.
    static std::vector<const Facts*> WorkBar();

    // A type of the file format (1 to 11, the obsolete 2 included).
    static bool Known(int type) { return Of(type) != nullptr; }
    // A type the designer makes a widget for.
    static bool Shown(int type);
    // Dialog title of a type; empty for type 5 and unknown types.
    static std::string_view Title(int type);

    // The G-code list's line count when the file says 0.
    static constexpr int kDefaultLineCount = 10;
};

} // namespace tavlora
