#include "ScreenEdits.h"

#include "InsertControlsCommand.h"
#include "RemoveControlsCommand.h"
#include "SetFieldsCommand.h"

#include "core/ScreenVisibility.h"
#include "document/CTavloraDoc.h"
#include "widgets/WidgetContext.h"
#include "widgets/WidgetFactory.h"

#include <QCoreApplication>

#include <algorithm>
#include <optional>

namespace tavlora {

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("ScreenEdits", text);
}

} // namespace

std::vector<const ControlRecord*> ScreenEdits::ControlsOf(const ScreenSet& set, int screen)
{
    std::vector<const ControlRecord*> records;
    for (const auto& rec : set.controls) {
        if (rec->screen == screen)
            records.push_back(rec.get());
    }
    return records;
}

QString ScreenEdits::ScreenName(int screen)
{
    if (screen == ScreenVisibility::kPersistentScreen)
        return Tr("Persistent Controls");
    if (screen == ScreenVisibility::kTabScreen)
        return Tr("TAB Screen");
    return Tr("Screen %1").arg(screen);
}

std::unique_ptr<QUndoCommand> ScreenEdits::Copy(CTavloraDoc& doc, int from, int to)
{
    std::vector<const ControlRecord*> originals = ControlsOf(doc.Set(), from);
    if (originals.empty() || from == to)
        return nullptr;

    // The copies take fresh places on top, in the originals' stacking order.
    std::vector<std::optional<DesignWidget::Look>> looks(originals.size());
    std::vector<size_t> byZ;
    for (size_t i = 0; i < originals.size(); ++i) {
        if (const ControlLook* kept = doc.Context().LookOf(*originals[i])) {
            looks[i] = *kept;
            byZ.push_back(i);
        }
    }
    std::stable_sort(byZ.begin(), byZ.end(), [&looks](size_t a, size_t b) { return looks[a]->z < looks[b]->z; });
    for (size_t i : byZ)
        looks[i]->z = doc.Context().TakeTopZ();

    std::vector<ControlEdits::Held> held;
    held.reserve(originals.size());
    size_t at = doc.Set().Size();
    for (size_t i = 0; i < originals.size(); ++i) {
        ControlEdits::Held h;
        h.index = at++;
        h.record = std::make_unique<ControlRecord>(*originals[i]);
        h.record->screen = to;
        h.look = looks[i];
        held.push_back(std::move(h));
    }
    return std::make_unique<InsertControlsCommand>(
        doc, Tr("Copy %1 to %2").arg(ScreenName(from), ScreenName(to)), std::move(held));
}

std::unique_ptr<QUndoCommand> ScreenEdits::Move(CTavloraDoc& doc, int from, int to)
{
    const std::vector<const ControlRecord*> records = ControlsOf(doc.Set(), from);
    if (records.empty() || from == to)
        return nullptr;
    std::vector<ControlEdits::FieldsSwap> swaps;
    swaps.reserve(records.size());
    for (const ControlRecord* rec : records) {
        ControlRecord fields(*rec);
        fields.screen = to;
        swaps.push_back({rec, std::move(fields)});
    }
    return std::make_unique<SetFieldsCommand>(doc, Tr("Move %1 to %2").arg(ScreenName(from), ScreenName(to)),
                                              std::move(swaps));
}

std::unique_ptr<QUndoCommand> ScreenEdits::Delete(CTavloraDoc& doc, int screen)
{
    std::vector<const ControlRecord*> records = ControlsOf(doc.Set(), screen);
    if (records.empty())
        return nullptr;
    return std::make_unique<RemoveControlsCommand>(doc, Tr("Delete %1").arg(ScreenName(screen)),
                                                   std::move(records));
}

} // namespace tavlora
