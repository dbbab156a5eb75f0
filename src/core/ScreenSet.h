#pragma once

#include "ColourSet.h"
#include "ControlRecord.h"
#include "OwnedRecord.h"

#include <memory>
#include <vector>

namespace tavlora {

// The screen-set model: the owning control list in file order and the colours.
// A record's index in the list is its place in the file; records keep their
// address for as long as they live, in or out of the list. A const set gives
// read-only records: in the designer only ControlEdits holds the set itself.
class ScreenSet {
public:
    ScreenSet() = default;
    ScreenSet(const ScreenSet&) = delete;
    ScreenSet& operator=(const ScreenSet&) = delete;
    ScreenSet(ScreenSet&&) = default;
    ScreenSet& operator=(ScreenSet&&) = default;

    std::vector<OwnedRecord> controls;
    ColourSet colours;

    size_t Size() const { return controls.size(); }
    // Bounds-checked access; an index outside the list throws std::out_of_range.
    ControlRecord& At(size_t index);
    const ControlRecord& At(size_t index) const;
    ControlRecord& Append(std::unique_ptr<ControlRecord> record);
    // Inserts before `index` (index Size() appends); throws std::out_of_range beyond.
    ControlRecord& Insert(size_t index, std::unique_ptr<ControlRecord> record);
    // Takes the record at `index` out of the list; throws std::out_of_range.
    std::unique_ptr<ControlRecord> Take(size_t index);
    // Index of a record of the list, or -1.
    long long IndexOf(const ControlRecord* record) const;

    // Hides and destroys every widget, then deletes every record.
    void ClearAll();

    // Replaces the controls and colours with those of a freshly read set.
    void AdoptContents(ScreenSet&& fresh);
};

} // namespace tavlora
