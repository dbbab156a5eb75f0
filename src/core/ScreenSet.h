#pragma once

#include "ColourSet.h"
#include "ControlRecord.h"

#include <memory>
#include <vector>

namespace tavlora {

// The shared model: the owning control list in file order, the selection, the
// clipboard, the current screen, the colours and the widget identifier counter.
class ScreenSet {
public:
    static constexpr int kFirstControlId = 8000;

    ScreenSet() = default;
    ScreenSet(const ScreenSet&) = delete;
    ScreenSet& operator=(const ScreenSet&) = delete;
    ScreenSet(ScreenSet&&) = default;
    ScreenSet& operator=(ScreenSet&&) = default;

    std::vector<std::unique_ptr<ControlRecord>> controls;
    std::vector<ControlRecord*> selection;
    std::vector<std::unique_ptr<ControlRecord>> clipboard;
    int currentScreen = 1;
    ColourSet colours;
    int nextControlId = kFirstControlId;
    bool saving = false;
    bool passwordPrompt = false;

    size_t Size() const { return controls.size(); }
    // Bounds-checked access; an index outside the list throws std::out_of_range.
    ControlRecord& At(size_t index);
    const ControlRecord& At(size_t index) const;
    ControlRecord& Append(std::unique_ptr<ControlRecord> record);

    // Hides and destroys every widget, deletes every record and empties the
    // selection; with destroying set, empties the clipboard too.
    void ClearAll(bool destroying = false);

    // Replaces the controls and colours with those of a freshly read set.
    void AdoptContents(ScreenSet&& fresh);

    // Hands out the next widget identifier (never reused).
    int TakeControlId() { return nextControlId++; }
};

} // namespace tavlora
