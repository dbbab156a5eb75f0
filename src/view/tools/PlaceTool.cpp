#include "PlaceTool.h"

#include "ToolHost.h"

#include "core/ControlTools.h"
#include "core/ControlType.h"
#include "document/CTavloraDoc.h"
#include "editing/InsertControlsCommand.h"

namespace tavlora {

PlaceTool::PlaceTool(ToolHost& host, int tool) : SelectTool(host), tool_(tool) {}

bool PlaceTool::Place(CTavloraDoc& doc, int tool, Point p, const DefaultSizes& sizes, const SmartGuides* guides,
                      double reach)
{
    std::unique_ptr<ControlRecord> rec = ControlTools::NewRecord(tool, p, sizes, doc.CurrentScreen());
    if (!rec)
        return false;
    if (guides)
        rec->rect = guides->Snapped(rec->rect, reach);
    ApplyCreationRules(*rec);
    const int type = rec->type;
    std::vector<ControlEdits::Held> held(1);
    held[0].index = doc.Set().Size();
    held[0].record = std::move(rec);
    held[0].placed = true;
    doc.UndoStack().push(new InsertControlsCommand(doc, InsertControlsCommand::PlaceText(type), std::move(held)));
    return true;
}

void PlaceTool::ClickNotConsumed(Point p, Qt::KeyboardModifiers mods)
{
    const std::optional<SmartGuides> guides = GuidesFor({}, mods);
    Place(host_.Document(), tool_, p, host_.Sizes(), guides ? &*guides : nullptr, Reach());
}

} // namespace tavlora
