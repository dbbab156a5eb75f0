#pragma once

#include "ColourSet.h"
#include "ScreenSet.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavlora {

// What differs between two screen sets: controls added, removed and changed
// (with the fields that changed), and colours.
//
// Controls are paired in this order: identical controls at the start and at
// the end of both lists by position; in between, identical controls wherever
// they are; then controls at the same index with the same type and caption;
// then controls of the same type and caption in list order; then controls at
// the same index with the same type; then controls of the same type and screen
// in list order. So an inserted control shows as one addition, not as a change
// of every control after it.
class SetDiff {
public:
    struct FieldChange {
        std::string field;  // the record field: "rect", "text", "hotKey", ...
        std::string before; // values as text (strings quoted, UTF-8)
        std::string after;
        bool operator==(const FieldChange&) const = default;
    };

    struct Change {
        enum class Kind { Added, Removed, Changed };
        Kind kind = Kind::Changed;
        std::optional<size_t> before; // index in the first set
        std::optional<size_t> after;  // index in the second set
        int32_t screen = 0;           // screen in the second set (the first for a removal)
        // The control changed its place in the list relative to the others.
        bool reordered = false;
        std::vector<FieldChange> fields;
    };

    struct ColourChange {
        int index = 0; // ColourSet::Index
        ColourRef before = 0;
        ColourRef after = 0;
    };

    static SetDiff Compare(const ScreenSet& a, const ScreenSet& b);
    // The stored fields that differ between two records, in declaration order.
    static std::vector<FieldChange> FieldsChanged(const ControlRecord& a, const ControlRecord& b);

    // By screen, then by index (in the second set, else the first).
    const std::vector<Change>& Changes() const { return changes_; }
    const std::vector<ColourChange>& Colours() const { return colours_; }
    bool Empty() const { return changes_.empty() && colours_.empty(); }

private:
    std::vector<Change> changes_;
    std::vector<ColourChange> colours_;
};

} // namespace tavlora
