#include "VornFolder.h"

#include "SettingsProfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tavlora {

namespace {
QString g_folder;
bool g_set = false;
}

QString VornFolder::SampleFolder()
{
    QStringList candidates;
    if (QCoreApplication::instance()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        candidates << exeDir + QStringLiteral("/../" TAVLORA_INSTALL_DATADIR "/tavlora/vorn3")
                   << exeDir + QStringLiteral("/../share/tavlora/vorn3");
    }
    candidates << QStringLiteral(TAVLORA_SOURCE_VORN3);
    for (const QString& c : candidates) {
        QFileInfo info(c);
        if (info.isDir())
            return QDir::cleanPath(info.absoluteFilePath());
    }
    return {};
}

QString VornFolder::DefaultLocation()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Vorn3");
#else
    const QString sample = SampleFolder();
    return sample.isEmpty() ? QStringLiteral("C:\\Vorn3") : sample;
#endif
}

QString VornFolder::Current()
{
    return g_set ? g_folder : DefaultLocation();
}

void VornFolder::Set(const QString& folder)
{
    g_folder = folder;
    g_set = true;
}

QString VornFolder::RefreshFromProfile(SettingsProfile& profile)
{
    Set(profile.ReadString(QString::fromLatin1(kSection), QString::fromLatin1(kKey), DefaultLocation()));
    return g_folder;
}

bool VornFolder::Store(SettingsProfile& profile, const QString& folder)
{
    if (!profile.WriteString(QString::fromLatin1(kSection), QString::fromLatin1(kKey), folder))
        return false;
    Set(folder);
    return true;
}

} // namespace tavlora
