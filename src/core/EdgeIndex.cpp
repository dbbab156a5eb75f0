#include "EdgeIndex.h"

#include <algorithm>

namespace tavlora {

EdgeIndex::EdgeIndex(std::vector<int32_t> lines) : lines_(std::move(lines))
{
    std::sort(lines_.begin(), lines_.end());
    lines_.erase(std::unique(lines_.begin(), lines_.end()), lines_.end());
}

std::optional<int32_t> EdgeIndex::Nearest(int32_t v) const
{
    if (lines_.empty())
        return std::nullopt;
    const auto above = std::lower_bound(lines_.begin(), lines_.end(), v);
    if (above == lines_.end())
        return lines_.back();
    if (above == lines_.begin())
        return *above;
    const int32_t below = *std::prev(above);
    const long long down = static_cast<long long>(v) - below;
    const long long up = static_cast<long long>(*above) - v;
    return up < down ? *above : below;
}

bool EdgeIndex::Contains(int32_t v) const
{
    return std::binary_search(lines_.begin(), lines_.end(), v);
}

} // namespace tavlora
