#pragma once

#include <cstddef>
#include <unordered_set>
#include <vector>

namespace tavlora {

class ControlRecord;

// The selected records in the order they were selected, and the anchor: the
// most recently selected member, which layout commands take as reference. At
// most one record is the anchor; after a Deselect there is none until the next
// Select. Owns nothing.
class Selection {
public:
    // Drops the anchor; a locked record is not selected. Otherwise the record
    // joins the end of the order (once) and becomes the anchor.
    void Select(const ControlRecord* record);
    // Removes a member, keeping the order of the others; no anchor remains.
    void Deselect(const ControlRecord* record);
    void Clear();
    // Records left the control list: they leave the selection (and the anchor
    // with them) without touching the order of the other members.
    void Forget(const std::unordered_set<const ControlRecord*>& records);

    bool Contains(const ControlRecord* record) const { return members_.count(record) != 0; }
    const std::vector<const ControlRecord*>& Records() const { return order_; }
    const ControlRecord* Anchor() const { return anchor_; }
    bool Empty() const { return order_.empty(); }
    size_t Size() const { return order_.size(); }

    bool operator==(const Selection& other) const
    {
        return order_ == other.order_ && anchor_ == other.anchor_;
    }

private:
    std::vector<const ControlRecord*> order_;
    std::unordered_set<const ControlRecord*> members_;
    const ControlRecord* anchor_ = nullptr;
};

} // namespace tavlora
