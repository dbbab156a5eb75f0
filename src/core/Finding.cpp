#include "Finding.h"

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
                               std::string_view(f.code), f.otherIndex.has_value(),
                               f.otherIndex.value_or(0), std::string_view(f.message));
    };
    return key(*this) < key(other);
}

} // namespace tavlora
