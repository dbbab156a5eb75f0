#pragma once

#include "core/ColourSet.h"

namespace tavlora {

class SettingsProfile;

// The colour set's start-up defaults in the "Colors" section of the profile.
class ColourSettings {
public:
    static constexpr const char* kSection = "Colors";
    // Reads the ten keys in file order, each with its built-in default.
    static ColourSet Load(SettingsProfile& profile);
    // Writes the ten keys in file order.
    static void Store(SettingsProfile& profile, const ColourSet& colours);
};

} // namespace tavlora
