#pragma once

#include <vector>

namespace tavlora {

class ControlRecord;
class ControlWidget;
class ScreenSet;
class WidgetContext;

// The widgets of one screen while it is drawn away from the design view (a
// thumbnail, a picture, a printed page): made for the records that show on it
// and have none, and dropped again when this goes. With `showScreen` every
// widget is also shown as that screen shows it until then (hiding a widget
// drops its kept look, so painters that pick widgets by screen leave it).
class ScreenWidgets {
public:
    ScreenWidgets(const ScreenSet& set, WidgetContext& ctx, int screen, bool showScreen);
    ~ScreenWidgets();
    ScreenWidgets(const ScreenWidgets&) = delete;
    ScreenWidgets& operator=(const ScreenWidgets&) = delete;

private:
    struct Shown {
        ControlWidget* widget;
        bool visible;
    };
    std::vector<const ControlRecord*> made_;
    std::vector<Shown> shown_;
};

} // namespace tavlora
