#include "settings/SettingsProfile.h"
#include "shell/AboutDialog.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavlora;

namespace {

QString SettingsLine(const AboutDialog& about)
{
    const auto* label = about.findChild<QLabel*>(QStringLiteral("settingsPath"));
    return label ? label->text() : QString();
}

} // namespace

TEST(AboutDialog, NamesTheSettingsFileInUse)
{
    int argc = 1;
    char name[] = "shell_tests";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Chosen Profile.xml"));
    {
        SettingsProfile profile(path);
        profile.SetSaveOnDestroy(false);
        SettingsProfile::SetGlobal(&profile);
        AboutDialog about;
        EXPECT_EQ(SettingsLine(about), QStringLiteral("Settings: ") + QDir::toNativeSeparators(path));
        SettingsProfile::SetGlobal(nullptr);
    }
    AboutDialog without;
    EXPECT_EQ(SettingsLine(without), QStringLiteral("Settings: (none)"));
}
