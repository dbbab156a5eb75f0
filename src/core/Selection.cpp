#include "Selection.h"

#include "ControlRecord.h"

#include <algorithm>

namespace tavlora {

void Selection::Select(const ControlRecord* record)
{
    anchor_ = nullptr;
    if (!record || record->locked)
        return;
    if (members_.insert(record).second)
        order_.push_back(record);
    anchor_ = record;
}

void Selection::Deselect(const ControlRecord* record)
{
    if (!Contains(record))
        return;
    members_.erase(record);
    order_.erase(std::find(order_.begin(), order_.end(), record));
    anchor_ = nullptr;
}

void Selection::Clear()
{
    order_.clear();
    members_.clear();
    anchor_ = nullptr;
}

void Selection::Forget(const std::unordered_set<const ControlRecord*>& records)
{
    if (records.empty() || order_.empty())
        return;
    const auto gone = [&records](const ControlRecord* r) { return records.count(r) != 0; };
    order_.erase(std::remove_if(order_.begin(), order_.end(), gone), order_.end());
    for (const ControlRecord* r : records)
        members_.erase(r);
    if (anchor_ && gone(anchor_))
        anchor_ = nullptr;
}

} // namespace tavlora
