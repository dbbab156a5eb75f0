#pragma once

#include "core/Rect.h"

namespace tavlora {

class ControlRecord;
class ScreenSet;
class WidgetContext;

// Creates the design-time widget of a record by widget kind, and all widgets of
// a freshly read set.
class WidgetFactory {
public:
    enum Kind {
        KindPicture = 1,
        KindButton = 2,
        KindDro = 6,
        KindImageButton = 7,
        KindMissingPicture = 8,
        KindLabel = 9,
        KindLed = 10,
        KindMdi = 11,
        KindGCodeList = 12,
        KindToolPath = 13,
    };

    // Creates the widget of a kind for the record (hidden, with the next control
    // identifier) and sets the record's type. A non-empty rect is copied into the
    // record first. Returns false only for kinds that create nothing.
    static bool CreateWidget(ControlRecord& rec, int kind, WidgetContext& ctx, bool disabled,
                             const Rect& rect);
    // Creates and configures the widgets of every record; each record then
    // takes its rectangle back from its widget.
    static void RebuildWidgets(ScreenSet& set, WidgetContext& ctx);
    // Applies a record's settings to its widget as loading does; `type` is the
    // record's type before the widget was created (5 for older images).
    static void Configure(ControlRecord& rec, int type);

    // Widget kind of a record type (0 = no widget) and whether it is created disabled.
    static int KindForType(int type);
    static bool DisabledForType(int type);
};

} // namespace tavlora
