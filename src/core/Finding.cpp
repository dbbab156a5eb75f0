#include "Finding.h"

#include <algorithm>
#include <tuple>

namespace tavlora {

std::string_view Finding::SeverityName(Severity severity)
{
    switch (severity) {
    case Severity::Error: return "error";
    case Severity::Warning: return "warning";
    case Severity::Note: return "note";
    }
    return "note";
}

bool Finding::operator<(const Finding& other) const
{
    auto key = [](const Finding& f) {
        const int level = f.index ? 2 : f.screen ? 1 : 0;
        return std::make_tuple(level, f.index.value_or(0), f.screen.value_or(0), int(f.severity),
                               f.code, f.otherIndex.has_value(),
                               f.otherIndex.value_or(0), std::string_view(f.message));
    };
    return key(*this) < key(other);
}

void Finding::Sort(std::vector<Finding>& findings)
{
    // The leading fields of the order, packed: level and index, then the
    // screen (offset to be unsigned) and the severity.
    struct Key {
        uint64_t first;
        uint64_t second;
        uint32_t at;
    };
    std::vector<Key> keys;
    keys.reserve(findings.size());
    for (size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        const uint64_t level = f.index ? 2 : f.screen ? 1 : 0;
        const uint64_t index = std::min<uint64_t>(f.index.value_or(0), (uint64_t(1) << 62) - 1);
        const uint64_t screen = uint64_t(int64_t(f.screen.value_or(0)) + (int64_t(1) << 31));
        keys.push_back({level << 62 | index, screen << 2 | uint64_t(f.severity), uint32_t(i)});
    }
    // An index at the cap ties and falls back to the whole comparison.
    std::sort(keys.begin(), keys.end(), [&findings](const Key& a, const Key& b) {
        if (a.first != b.first)
            return a.first < b.first;
        if (a.second != b.second)
            return a.second < b.second;
        return findings[a.at] < findings[b.at];
    });
    std::vector<Finding> sorted;
    sorted.reserve(findings.size());
    for (const Key& k : keys)
        sorted.push_back(std::move(findings[k.at]));
    findings = std::move(sorted);
}

} // namespace tavlora
