#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tavlora {

// The lines of one axis a dragged edge can snap to, sorted once: the nearest
// line and an exact match are binary searches.
class EdgeIndex {
public:
    EdgeIndex() = default;
    // Sorts the positions and drops repeats.
    explicit EdgeIndex(std::vector<int32_t> lines);

    bool Empty() const { return lines_.empty(); }
    size_t Size() const { return lines_.size(); }
    // The line nearest to v (of two at the same distance the lower); none
    // when there are no lines.
    std::optional<int32_t> Nearest(int32_t v) const;
    bool Contains(int32_t v) const;

private:
    std::vector<int32_t> lines_;
};

} // namespace tavlora
