#pragma once

#include <QString>

namespace tavlora {

class SettingsProfile;

// The program-wide Vorn3 folder: catalogs, LED pictures and Bitmaps live below it.
class VornFolder {
public:
    static constexpr const char* kSection = "Locations";
    static constexpr const char* kKey = "VornLocation";

    // "C:\Vorn3" on Windows; elsewhere the sample folder shipped with the program.
    static QString DefaultLocation();
    // The sample folder next to the executable (installed or build tree); empty if none.
    static QString SampleFolder();

    static QString Current();
    static void Set(const QString& folder);
    // Re-reads the folder from the profile (with the default above).
    static QString RefreshFromProfile(SettingsProfile& profile);
    // Writes the folder to the profile and makes it current; false, and
    // nothing changed, for a name the profile cannot store.
    static bool Store(SettingsProfile& profile, const QString& folder);
};

} // namespace tavlora
