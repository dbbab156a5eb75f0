#include "InsertControlsCommand.h"

#include "document/CTavloraDoc.h"

#include "core/ControlTypes.h"

#include <QCoreApplication>

namespace tavlora {

InsertControlsCommand::InsertControlsCommand(CTavloraDoc& doc, const QString& text,
                                             std::vector<ControlEdits::Held> records)
    : QUndoCommand(text), doc_(doc), held_(std::move(records))
{
    records_.reserve(held_.size());
    for (const ControlEdits::Held& h : held_)
        records_.push_back(h.record.get());
}

void InsertControlsCommand::redo()
{
    doc_.Edits().Insert(held_);
}

void InsertControlsCommand::undo()
{
    std::vector<ControlEdits::Held> back = doc_.Edits().Remove(records_);
    // Same records, same places; keep the flags the command was made with.
    for (size_t i = 0; i < back.size() && i < held_.size(); ++i) {
        held_[i].record = std::move(back[i].record);
        held_[i].index = back[i].index;
        held_[i].look.reset(); // kept by the widget context from now on
    }
}

QString InsertControlsCommand::PlaceText(int type)
{
    const ControlTypes::Facts* facts = ControlTypes::Of(type);
    const std::string_view name = facts ? facts->name : std::string_view("Control");
    return QCoreApplication::translate("InsertControlsCommand", "Place %1")
        .arg(QLatin1String(name.data(), qsizetype(name.size())));
}

} // namespace tavlora
