#include "JumpMap.h"

#include "ControlType.h"
#include "FunctionCatalog.h"
#include "ScreenVisibility.h"

#include <deque>

namespace tavlora {

bool JumpMap::IsJump(const ControlRecord& r)
{
    return (r.type == TypeButton || r.type == TypeImageButton)
        && r.function == FunctionCatalog::kOemButton && r.parameter < kJumpLimit;
}

JumpMap JumpMap::Build(const ScreenSet& set)
{
    JumpMap map;
    for (size_t i = 0; i < set.controls.size(); ++i) {
        const ControlRecord& r = *set.controls[i];
        ++map.perScreen_[r.screen];
        if (IsJump(r))
            map.jumps_.push_back({r.screen, r.parameter, i});
    }
    return map;
}

size_t JumpMap::ControlsOn(int32_t screen) const
{
    const auto it = perScreen_.find(screen);
    return it == perScreen_.end() ? 0 : it->second;
}

std::set<int32_t> JumpMap::ReachableFrom(int32_t start) const
{
    std::multimap<int32_t, int32_t> edges;
    std::vector<int32_t> everywhere; // persistent jumps
    for (const Jump& j : jumps_) {
        if (j.from == ScreenVisibility::kPersistentScreen)
            everywhere.push_back(j.to);
        else
            edges.emplace(j.from, j.to);
    }
    std::set<int32_t> seen{start};
    std::deque<int32_t> queue{start};
    while (!queue.empty()) {
        const int32_t s = queue.front();
        queue.pop_front();
        auto visit = [&](int32_t to) {
            if (seen.insert(to).second)
                queue.push_back(to);
        };
        const auto [from, to] = edges.equal_range(s);
        for (auto it = from; it != to; ++it)
            visit(it->second);
        if (ScreenVisibility::ShowsOn(ScreenVisibility::kPersistentScreen, s))
            for (int32_t t : everywhere)
                visit(t);
    }
    return seen;
}

} // namespace tavlora
