#include "ColourSettings.h"

#include "SettingsProfile.h"

namespace tavlora {

namespace {
QString Key(int i)
{
    const auto k = ColourSet::ProfileKey(ColourSet::Index(i));
    return QString::fromLatin1(k.data(), qsizetype(k.size()));
}
} // namespace

ColourSet ColourSettings::Load(SettingsProfile& profile)
{
    ColourSet colours;
    const auto defaults = ColourSet::Defaults();
    for (int i = 0; i < ColourSet::Count; ++i)
        colours[size_t(i)] = ColourRef(profile.ReadInt(QString::fromLatin1(kSection), Key(i), int(defaults[size_t(i)])));
    return colours;
}

void ColourSettings::Store(SettingsProfile& profile, const ColourSet& colours)
{
    for (int i = 0; i < ColourSet::Count; ++i)
        profile.WriteInt(QString::fromLatin1(kSection), Key(i), int(colours[size_t(i)]));
}

} // namespace tavlora
