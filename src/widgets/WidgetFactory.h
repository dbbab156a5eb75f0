#pragma once

#include "DesignWidget.h"

#include "core/ControlTypes.h"

#include <QSize>

#include <memory>
#include <optional>

namespace tavlora {

class ControlRecord;
class ScreenSet;
class WidgetContext;

// Makes the design-time widget of a record from the record's fields: the one
// mapping of record types to widget kinds, creation, the set-up loading gives
// a widget, and the sync after a record changed. Widgets never change records.
class WidgetFactory {
public:
    enum Kind {
        KindPicture = ControlTypes::PictureWidget,
        KindButton = ControlTypes::ButtonWidget,
        KindDro = ControlTypes::DroWidget,
        KindImageButton = ControlTypes::ImageButtonWidget,
        KindMissingPicture = ControlTypes::MissingPictureWidget,
        KindLabel = ControlTypes::LabelWidget,
        KindLed = ControlTypes::LedWidget,
        KindMdi = ControlTypes::MdiWidget,
        KindGCodeList = ControlTypes::GCodeListWidget,
        KindToolPath = ControlTypes::ToolPathWidget,
    };

    // Creates the widget of a kind for the record, hidden, with the next
    // control identifier. False (and no widget) for kinds that create nothing.
    static bool CreateWidget(const ControlRecord& rec, int kind, WidgetContext& ctx, bool disabled);

    // The look a record's first widget takes: its place in the stacking order
    // as if the widgets were made in file order, and the older-image placeholder.
    static ControlLook FirstLook(const ControlRecord& rec, int kind, WidgetContext& ctx);
    // Gives every record of a freshly read set that has none its first look,
    // without making widgets (the document applies the creation rules after).
    static void AssignLooks(const ScreenSet& set, WidgetContext& ctx);
    // Creates and configures the widgets of every record of a freshly read set.
    static void RebuildWidgets(const ScreenSet& set, WidgetContext& ctx);

    // Memory follows what is shown: the records shown while `screen` is
    // designed (its own and the persistent layer) get their widgets, shown as
    // the screen and the picture switch say; the others lose theirs and keep
    // their record and look.
    static void Follow(const ScreenSet& set, WidgetContext& ctx, int screen);
    // Makes (`wanted`) or drops one record's widget; an existing one stays as it is.
    static void Keep(const ControlRecord& rec, WidgetContext& ctx, bool wanted);

    // Brings a record's widget, when it has one, up to date. A changed
    // rectangle only moves (and maybe resizes) it; changed fields make it anew
    // from the record and the look kept for it, or remove it when the type has
    // no widget. Whether it should have one, and visibility, are the caller's.
    static void Sync(const ControlRecord& rec, WidgetContext& ctx, bool fieldsChanged);
    // Makes the widget of a record from its fields and the look kept for it.
    static void Build(const ControlRecord& rec, WidgetContext& ctx);
    // A widget for a record that the record does not own (a preview's), made
    // and set up as the record's own would be, shown; null for types without
    // one. Neither the record nor its look changes.
    static std::unique_ptr<DesignWidget> MakeStandalone(const ControlRecord& rec, WidgetContext& ctx);
    // What placing gives a new control's widget beyond its record: an image
    // button shows the offline picture; button copies of function and
    // parameter are 0 and -1.
    static void ApplyPlacementSetUp(const ControlRecord& rec);
    static void ApplyPlacementSetUp(DesignWidget* widget);

    // "Original Size": the natural size of the picture a picture or image
    // button record names, or nothing when there is none to be found.
    static std::optional<QSize> NaturalSize(const ControlRecord& rec, WidgetContext& ctx);

    static DesignWidget* Of(const ControlRecord& rec);
    // Widget kind of a record type (0 = no widget), whether it is created
    // disabled, and the type a kind gives its record.
    static int KindForType(int type);
    static bool DisabledForType(int type);
    static int TypeForKind(int kind);

private:
    // The widget of a kind, hidden, with the context's next control identifier.
    static std::unique_ptr<DesignWidget> NewWidget(const ControlRecord& rec, int kind, WidgetContext& ctx,
                                                   bool disabled);
};

} // namespace tavlora
