#pragma once

#include "ScreenSet.h"

#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tavlora {

// The machine's side of a preview: whether each LED signal is on, the value
// of each DRO, and the current line of the G-code program. LEDs and DROs are
// told apart as the machine tells them: by type and catalog function, and
// for the OEM entry by the OEM code; controls of the same key show the same.
class PreviewSignals {
public:
    struct Key {
        int32_t type = 0;
        int32_t function = -1;
        int32_t oemCode = 0; // 0 but for the OEM entry
        auto operator<=>(const Key&) const = default;
    };
    // The key of an LED or a DRO; nothing for other controls.
    static std::optional<Key> KeyOf(const ControlRecord& record);
    // The catalog's name of the function, with the OEM code for the OEM entry (UTF-8).
    static std::string Name(const Key& key, const std::vector<std::string>* catalog);
    // The keys of a type's controls in the set, ascending, each once.
    static std::vector<Key> Keys(const ScreenSet& set, int32_t type);

    // Off until switched on.
    bool IsOn(const Key& key) const;
    void SetOn(const Key& key, bool on);
    // 0 until set.
    double Value(const Key& key) const;
    void SetValue(const Key& key, double value);
    // Every DRO key of the set takes the widest value its formats show.
    void SetWidestValues(const ScreenSet& set);

    // Index of the program line on the current band (0: the first).
    int GCodeLine() const { return gcodeLine_; }
    void SetGCodeLine(int line) { gcodeLine_ = line; }

private:
    std::map<Key, bool> on_;
    std::map<Key, double> values_;
    int gcodeLine_ = 0;
};

} // namespace tavlora
