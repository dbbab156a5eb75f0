#include "SpanIndex.h"

#include <algorithm>

namespace tavlora {

SpanIndex::SpanIndex(std::vector<Span> spans) : spans_(std::move(spans))
{
    std::erase_if(spans_, [](const Span& s) { return s.to <= s.from; });
    std::sort(spans_.begin(), spans_.end(), [](const Span& a, const Span& b) { return a.from < b.from; });
    for (const Span& s : spans_)
        longest_ = std::max(longest_, static_cast<long long>(s.to) - s.from);
}

void SpanIndex::Overlapping(int32_t from, int32_t to, std::vector<uint32_t>& ids) const
{
    ids.clear();
    if (to <= from)
        return;
    // An interval overlapping the band starts after from - longest and before to.
    const long long first = static_cast<long long>(from) - longest_ + 1;
    auto it = std::lower_bound(spans_.begin(), spans_.end(), first,
                               [](const Span& s, long long v) { return s.from < v; });
    for (; it != spans_.end() && it->from < to; ++it) {
        if (it->to > from)
            ids.push_back(it->id);
    }
}

} // namespace tavlora
