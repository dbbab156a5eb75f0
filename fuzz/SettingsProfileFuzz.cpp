// Settings profiles from arbitrary bytes: a profile that was read, given a
// string value (taken when XML can carry it) and saved loads again with that
// value and with every key read before unchanged.
#include "settings/SettingsProfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace tavlora;

namespace {

QStringList ReadKeys(SettingsProfile& profile)
{
    QStringList values;
    for (const char* key : {"Locations/VornLocation", "Griding/Granularity", "Griding/OnOff", "Colors/Color0"}) {
        const QStringList part = QString::fromLatin1(key).split(QLatin1Char('/'));
        values << profile.ReadString(part[0], part[1], QStringLiteral("\x7f"))
               << QString::number(profile.ReadInt(part[0], part[1], -7));
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tavlora.xml"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();
    // The value written: the first bytes of the input as UTF-8.
    const QString value = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(std::min<size_t>(size, 24)));
    const QString section = QStringLiteral("Fuzz"), key = QStringLiteral("Value");
    QStringList before;
    bool stored = false;
    {
        SettingsProfile profile(path);
        profile.SetSaveOnDestroy(false);
        before = ReadKeys(profile);
        stored = profile.WriteString(section, key, value);
        if (stored != SettingsProfile::Storable(value) || !profile.Save())
            std::abort();
    }
    SettingsProfile saved(path);
    saved.SetSaveOnDestroy(false);
    if (ReadKeys(saved) != before || saved.ReadString(section, key, QString()) != (stored ? value : QString()))
        std::abort();
    return 0;
}
