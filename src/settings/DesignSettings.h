#pragma once

#include "core/DefaultSizes.h"
#include "core/Grid.h"

namespace tavlora {

class SettingsProfile;

// The design surface's settings from the profile: the grid and the smart
// guides ("Griding") and the sizes of new controls ("defs", only ever read).
class DesignSettings {
public:
    static constexpr const char* kGridSection = "Griding";
    static constexpr const char* kGranularityKey = "Granularity";
    static constexpr const char* kGridOnKey = "OnOff";
    static constexpr const char* kGridShownKey = "Show";
    static constexpr const char* kGuidesKey = "SnapToControls";
    static constexpr const char* kSizesSection = "defs";
    static constexpr int kDefaultGranularity = 3;

    // Grid on only when "OnOff" is exactly 1.
    static Grid LoadGrid(SettingsProfile& profile);
    static void StoreGrid(SettingsProfile& profile, const Grid& grid);
    static DefaultSizes LoadSizes(SettingsProfile& profile);
    // "Show Grid": the grid drawn on the design surface (1 shown).
    static bool LoadGridShown(SettingsProfile& profile);
    static void StoreGridShown(SettingsProfile& profile, bool shown);
    // "Snap to Controls": drags snap to the other controls (on unless 0).
    static bool LoadSnapToControls(SettingsProfile& profile);
    static void StoreSnapToControls(SettingsProfile& profile, bool on);
};

} // namespace tavlora
