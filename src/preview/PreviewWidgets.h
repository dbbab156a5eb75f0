#pragma once

#include "widgets/WidgetContext.h"

#include <QPoint>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tavlora {

class ControlRecord;
class DesignWidget;
class ScreenSet;

// The widgets of the screen a preview shows: made for the records of that
// screen and of the persistent layer by WidgetFactory::MakeStandalone, in a
// context of their own. The records, their looks and the design view's
// widgets stay as they are.
class PreviewWidgets {
public:
    explicit PreviewWidgets(const ScreenSet& set);
    ~PreviewWidgets();
    PreviewWidgets(const PreviewWidgets&) = delete;
    PreviewWidgets& operator=(const PreviewWidgets&) = delete;

    WidgetContext& Context() { return ctx_; }

    // Makes the widgets of `screen` anew, with the pictures of `vornFolder`.
    void Show(int32_t screen, const std::string& vornFolder);
    int32_t Screen() const { return screen_; }
    // A record changed or joined the set: its widget is made anew, or
    // dropped when it does not show on the screen.
    void Refresh(const ControlRecord& record);
    // A record left the set.
    void Drop(const ControlRecord& record);
    void Clear();

    DesignWidget* Of(const ControlRecord& record) const;
    // The topmost widget at a design point, or null.
    DesignWidget* At(QPoint designPoint) const;
    // In list order.
    std::vector<DesignWidget*> Widgets() const;

private:
    const ScreenSet& set_;
    WidgetContext ctx_;
    int32_t screen_ = 1;
    // Declared after the context they refer to, so they go first.
    std::unordered_map<const ControlRecord*, std::unique_ptr<DesignWidget>> widgets_;
};

} // namespace tavlora
