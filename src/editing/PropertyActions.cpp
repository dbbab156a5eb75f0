#include "PropertyActions.h"

#include "SetColoursCommand.h"
#include "SetFieldsCommand.h"

#include "core/ControlForm.h"
#include "core/ControlPick.h"
#include "core/ControlType.h"
#include "core/HotKey.h"
#include "document/CTavloraDoc.h"
#include "document/Prompter.h"
#include "settings/ColourSettings.h"
#include "settings/SettingsProfile.h"
#include "widgets/WidgetContext.h"
#include "widgets/WidgetFactory.h"

#include <QCoreApplication>

#include <algorithm>
#include <climits>

namespace tavlora {

namespace {

int32_t Clamp(long long v)
{
    return int32_t(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

} // namespace

PropertyActions::PropertyActions(CTavloraDoc& doc, Prompter& prompter, SettingsProfile& profile, QObject* parent)
    : QObject(parent), doc_(doc), prompter_(prompter), profile_(profile)
{
}

void PropertyActions::EditAt(Point p)
{
    if (doc_.CurrentSelection().Size() > 1)
        return;
    doc_.EditSelection([](Selection& s) { s.Clear(); });
    if (const ControlRecord* rec = ControlPick::Inside(doc_.Set(), doc_.CurrentScreen(), doc_.Context().showImages, p))
        Edit(rec);
}

void PropertyActions::Edit(const ControlRecord* rec)
{
    const std::optional<ControlForm> answer = prompter_.AskControlProperties(ControlForm::FromRecord(*rec));
    if (answer) {
        ControlRecord fields = answer->Apply(*rec, doc_.CurrentScreen());
        // "Original Size": pictures with a name and image buttons with a system
        // or OEM function take their picture's natural size.
        const bool picture = fields.type == TypeImage && !fields.image.empty();
        const bool imageButton = fields.type == TypeImageButton && answer->kind <= ControlForm::OemFunction;
        if (answer->keepImageSize && (picture || imageButton)) {
            if (const auto size = WidgetFactory::NaturalSize(fields, doc_.Context())) {
                fields.rect.right = Clamp(static_cast<long long>(fields.rect.left) + size->width());
                fields.rect.bottom = Clamp(static_cast<long long>(fields.rect.top) + size->height());
            }
        }
        if (!fields.SameStoredFields(*rec)) {
            doc_.UndoStack().push(new SetFieldsCommand(
                doc_, QCoreApplication::translate("PropertyActions", "Properties"), {{rec, fields}}));
        }
    }
    // The check runs after OK and Cancel alike.
    if (const ControlRecord* duplicate = HotKey::FindDuplicate(doc_.Set(), *rec, doc_.CurrentScreen()))
        prompter_.ShowWarning(QString::fromStdString(HotKey::DuplicateMessage(*duplicate)));
}

void PropertyActions::EditColours()
{
    const std::optional<Prompter::ColourAnswer> answer = prompter_.AskColours(doc_.Set().colours);
    if (!answer)
        return;
    if (!(answer->colours == doc_.Set().colours))
        doc_.UndoStack().push(new SetColoursCommand(doc_, answer->colours));
    if (answer->makeDefaults) {
        ColourSettings::Store(profile_, answer->colours);
        profile_.Save();
    }
}

} // namespace tavlora
