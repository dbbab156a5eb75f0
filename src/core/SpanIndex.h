#pragma once

#include <cstdint>
#include <vector>

namespace tavlora {

// Intervals [from, to) of one axis sorted by their start, with the longest
// length, so the ones overlapping a band are found from a binary search
// rather than a scan of all (the controls in the same row or column).
class SpanIndex {
public:
    struct Span {
        int32_t from = 0;
        int32_t to = 0;
        uint32_t id = 0;
    };

    SpanIndex() = default;
    // Empty intervals are dropped.
    explicit SpanIndex(std::vector<Span> spans);

    // The ids of the intervals overlapping [from, to), by ascending start.
    void Overlapping(int32_t from, int32_t to, std::vector<uint32_t>& ids) const;

private:
    std::vector<Span> spans_;
    long long longest_ = 0;
};

} // namespace tavlora
