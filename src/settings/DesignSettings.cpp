#include "DesignSettings.h"

#include "SettingsProfile.h"

namespace tavlora {

Grid DesignSettings::LoadGrid(SettingsProfile& profile)
{
    const QString section = QString::fromLatin1(kGridSection);
    const int step = profile.ReadInt(section, QString::fromLatin1(kGranularityKey), kDefaultGranularity);
    const bool on = profile.ReadInt(section, QString::fromLatin1(kGridOnKey), 0) == 1;
    return Grid(step, on);
}

void DesignSettings::StoreGrid(SettingsProfile& profile, const Grid& grid)
{
    const QString section = QString::fromLatin1(kGridSection);
    profile.WriteInt(section, QString::fromLatin1(kGranularityKey), grid.Step());
    profile.WriteInt(section, QString::fromLatin1(kGridOnKey), grid.On() ? 1 : 0);
}

bool DesignSettings::LoadGridShown(SettingsProfile& profile)
{
    return profile.ReadInt(QString::fromLatin1(kGridSection), QString::fromLatin1(kGridShownKey), 0) == 1;
}

void DesignSettings::StoreGridShown(SettingsProfile& profile, bool shown)
{
    profile.WriteInt(QString::fromLatin1(kGridSection), QString::fromLatin1(kGridShownKey), shown ? 1 : 0);
}

bool DesignSettings::LoadSnapToControls(SettingsProfile& profile)
{
    return profile.ReadInt(QString::fromLatin1(kGridSection), QString::fromLatin1(kGuidesKey), 1) != 0;
}

void DesignSettings::StoreSnapToControls(SettingsProfile& profile, bool on)
{
    profile.WriteInt(QString::fromLatin1(kGridSection), QString::fromLatin1(kGuidesKey), on ? 1 : 0);
}

DefaultSizes DesignSettings::LoadSizes(SettingsProfile& profile)
{
    DefaultSizes sizes;
    const QString section = QString::fromLatin1(kSizesSection);
    for (int i = 0; i < DefaultSizes::Count; ++i) {
        const auto which = DefaultSizes::Which(i);
        sizes.Set(which, profile.ReadInt(section, QString::fromLatin1(DefaultSizes::Key(which)),
                                         DefaultSizes::Default(which)));
    }
    return sizes;
}

} // namespace tavlora
