#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlora {

// One problem found in a screen set: how bad it is, a stable code, where it is
// (the screen and the control's index in the list; both absent for problems of
// the file, only the screen for problems of a screen) and a one-line message.
class Finding {
public:
    enum class Severity { Error, Warning, Note };

    Severity severity = Severity::Warning;
    // One of the CheckCode constants (static storage).
    std::string_view code;
    std::optional<int32_t> screen;
    std::optional<size_t> index;
    // The other control of a problem between two controls.
    std::optional<size_t> otherIndex;
    std::string message;

    // "error", "warning", "note".
    static std::string_view SeverityName(Severity severity);

    bool operator==(const Finding&) const = default;
    // The order findings are listed in: problems of the file, then of screens
    // (by screen), then of controls (by index); then severity, code, the other
    // control and the message.
    bool operator<(const Finding& other) const;

    // Sorts findings into that order, comparing packed keys first and moving
    // each finding once: large sets have a finding for most controls.
    static void Sort(std::vector<Finding>& findings);
};

} // namespace tavlora
