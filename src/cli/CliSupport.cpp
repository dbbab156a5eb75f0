#include "CliSupport.h"

#include "core/AtomicFile.h"
#include "core/Windows1252.h"
#include "settings/SettingsProfile.h"
#include "settings/VornFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace tavlora {

void CliSupport::Err(const QString& line)
{
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

void CliSupport::Out(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

bool CliSupport::WantsHelp(const QStringList& args)
{
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

int CliSupport::Usage(const char* text, const QString& problem)
{
    if (!problem.isEmpty())
        Err(QStringLiteral("tavlora-cli: ") + problem);
    std::fputs(text, stderr);
    return kUsage;
}

bool CliSupport::LoadSet(const QString& path, ScreenSet& set, ReadResult& result)
{
    std::string bytes, error;
    if (!AtomicFile::ReadAll(path.toStdString(), bytes, error)) {
        Err(QStringLiteral("tavlora-cli: ") + QString::fromStdString(error));
        return false;
    }
    result = ScreenSetFile::Read(bytes.data(), bytes.size(), set);
    if (!result.ok) {
        Err(QStringLiteral("tavlora-cli: %1: %2").arg(path, QString::fromStdString(result.error)));
        return false;
    }
    return true;
}

bool CliSupport::WriteFile(const QString& path, const QByteArray& bytes)
{
    std::string error;
    if (!AtomicFile::WriteAll(path.toStdString(), std::string_view(bytes.constData(), size_t(bytes.size())), error)) {
        Err(QStringLiteral("tavlora-cli: ") + QString::fromStdString(error));
        return false;
    }
    return true;
}

bool CliSupport::ParseSize(const QString& text, QSize& size, QString& problem)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) {
        problem = QStringLiteral("--size needs WIDTHxHEIGHT, for example 1024x768");
        return false;
    }
    const QSize s(m.captured(1).toInt(), m.captured(2).toInt());
    if (s.width() < 1 || s.height() < 1 || s.width() > kMaxSide || s.height() > kMaxSide) {
        problem = QStringLiteral("--size must be between 1x1 and %1x%1").arg(kMaxSide);
        return false;
    }
    size = s;
    return true;
}

bool CliSupport::TakeScreenOption(const QStringList& args, int& i, ScreenOptions& o, QString& problem)
{
    const QString& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == QLatin1String("--size")) {
        problem = QStringLiteral("--size needs WIDTHxHEIGHT, for example 1024x768");
        if (hasValue && ParseSize(args[++i], o.size, problem))
            problem.clear();
    } else if (a == QLatin1String("--vorn3")) {
        if (hasValue)
            o.vorn3 = args[++i];
        else
            problem = QStringLiteral("--vorn3 needs a folder");
    } else if (a == QLatin1String("--profile")) {
        if (hasValue)
            o.profile = args[++i];
        else
            problem = QStringLiteral("--profile needs a path");
    } else {
        return false;
    }
    return true;
}

void CliSupport::WarnAboutProfile(const SettingsProfile& profile)
{
    if (!profile.LoadProblem().isEmpty())
        std::fprintf(stderr, "tavlora-cli: warning: settings not read: %s; defaults are used\n",
                     qPrintable(profile.LoadProblem()));
}

QString CliSupport::VornFolderFor(const QString& vorn3Option, const QString& profileOption)
{
    if (!vorn3Option.isEmpty())
        return vorn3Option;
    SettingsProfile profile(SettingsProfile::ChoosePath(profileOption));
    profile.SetSaveOnDestroy(false);
    WarnAboutProfile(profile);
    return VornFolder::RefreshFromProfile(profile);
}

void CliSupport::PrepareGuiEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_UNIX
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray runtime = QDir::tempPath().toLocal8Bit() + "/tavlora-runtime-"
            + QByteArray::number(qulonglong(::getuid()));
        if (QDir().mkpath(QString::fromLocal8Bit(runtime))) {
            QFile::setPermissions(QString::fromLocal8Bit(runtime),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", runtime);
        }
    }
#endif
}

QString CliSupport::Text(const std::string& bytes)
{
    return QString::fromStdString(Windows1252::ToUtf8(bytes));
}

} // namespace tavlora
