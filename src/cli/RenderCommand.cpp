#include "RenderCommand.h"

#include "CliSupport.h"

#include "settings/SettingsProfile.h"
#include "settings/VornFolder.h"

#include "widgets/ScreenPages.h"
#include "widgets/ScreenRenderer.h"
#include "widgets/WidgetContext.h"
#include "widgets/WidgetFactory.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <set>

using namespace tavlora;

namespace {

constexpr int kOk = CliSupport::kOk;
constexpr int kBadInput = CliSupport::kBadInput;

const char* kRenderUsage =
    "Usage: tavlora-cli render FILE [--screen N] [--size WxH] [--vorn3 DIR] [--profile PATH] -o OUT.png\n"
    "       tavlora-cli render FILE --all [--size WxH] [--vorn3 DIR] [--profile PATH] -o DIR\n"
    "       tavlora-cli render FILE [--screen N | --all] [--size WxH] ... -o OUT.pdf\n"
    "Renders a screen of the screen set FILE as the designer draws it: the screen's\n"
    "controls and the persistent ones (not on the TAB screen 50) on the screen background.\n"
    "  --screen N      screen to render (default 1)\n"
    "  --size WxH      target screen size in pixels (default 1024x768)\n"
    "  --vorn3 DIR     Vorn3 folder with Bitmaps and the LED pictures\n"
    "                  (default: the folder of the settings profile)\n"
    "  --profile PATH  settings profile to read the Vorn3 folder from\n"
    "  --all           one PNG per screen in use, written to DIR as NAME-screenN.png\n"
    "An output ending in .pdf is a PDF document (A4, one screen per page, scaled to\n"
    "fit, with the screen and the file named in a footer): the screen of --screen, or\n"
    "with --all one page per screen in use, the persistent controls (screen 0) on a\n"
    "page of their own. Nothing is written when the document cannot be made whole.\n"
    "Missing and undecodable pictures never stop a render; they are listed on stderr.\n";

void Err(const QString& s)
{
    CliSupport::Err(s);
}

int Usage(const QString& problem)
{
    return CliSupport::Usage(kRenderUsage, problem);
}

struct Options {
    QString file;
    QString output;
    int screen = 1;
    CliSupport::ScreenOptions look;
    bool all = false;
};

// Parses the arguments; an empty string means success, otherwise the problem.
QString Parse(const QStringList& args, Options& o)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](QString& out) {
            if (i + 1 >= args.size())
                return false;
            out = args[++i];
            return true;
        };
        QString v;
        QString problem;
        if (CliSupport::TakeScreenOption(args, i, o.look, problem)) {
            if (!problem.isEmpty())
                return problem;
        } else if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            if (!value(o.output))
                return QStringLiteral("%1 needs a path").arg(a);
        } else if (a == QLatin1String("--screen")) {
            bool ok = false;
            if (!value(v) || (o.screen = v.toInt(&ok), !ok))
                return QStringLiteral("--screen needs a whole number");
        } else if (a == QLatin1String("--all")) {
            o.all = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return QStringLiteral("unknown option '%1'").arg(a);
        } else if (o.file.isEmpty()) {
            o.file = a;
        } else {
            return QStringLiteral("render takes one FILE");
        }
    }
    if (o.file.isEmpty())
        return QStringLiteral("render needs a FILE");
    if (o.output.isEmpty())
        return QStringLiteral("render needs -o %1").arg(o.all ? QStringLiteral("DIR") : QStringLiteral("OUT.png"));
    return {};
}

bool IsPdf(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
}

bool SavePdf(const ScreenSet& set, WidgetContext& ctx, const Options& o)
{
    const QString fileName = QFileInfo(o.file).fileName();
    const ScreenPages pages(set, ctx, o.look.size, fileName);
    const std::vector<int> screens = o.all ? ScreenPages::UsedScreens(set) : std::vector<int>{o.screen};
    const QByteArray pdf = pages.Pdf(screens, fileName);
    if (pdf.isEmpty()) {
        Err(QStringLiteral("tavlora-cli: cannot make the PDF document for %1").arg(o.output));
        return false;
    }
    if (!CliSupport::WriteFile(o.output, pdf))
        return false;
    std::printf("%s\n", QDir::toNativeSeparators(o.output).toLocal8Bit().constData());
    return true;
}

bool Save(const QImage& image, const QString& path)
{
    QByteArray png;
    QBuffer buffer(&png);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        Err(QStringLiteral("tavlora-cli: cannot make the picture for %1").arg(path));
        return false;
    }
    if (!CliSupport::WriteFile(path, png))
        return false;
    std::printf("%s\n", QDir::toNativeSeparators(path).toLocal8Bit().constData());
    return true;
}

} // namespace

void BuildRenderWidgets(const ScreenSet& set, WidgetContext& ctx, SettingsProfile& profile, const QString& vorn3Option)
{
    ctx.vornFolder = (vorn3Option.isEmpty() ? VornFolder::RefreshFromProfile(profile) : vorn3Option).toStdString();
    QObject::connect(&ctx, &WidgetContext::pictureFailed, [](const QString& path, const QString& why) {
        Err(QStringLiteral("tavlora-cli: cannot decode picture %1: %2").arg(QDir::toNativeSeparators(path), why));
    });
    ctx.BeginLoad();
    ctx.Images().SetBudget(WidgetContext::PictureBudget(profile));
    WidgetFactory::RebuildWidgets(set, ctx);
    for (const QString& missing : ctx.MissingImages())
        Err(QStringLiteral("tavlora-cli: missing picture %1 (%2)")
                .arg(QDir::toNativeSeparators(missing), PresenceTest::Why(ctx.MissingReason(missing))));
}

int RunRenderCommand(const QStringList& args)
{
    if (CliSupport::WantsHelp(args)) {
        std::fputs(kRenderUsage, stdout);
        return kOk;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        Err(QStringLiteral("tavlora-cli: render needs a GUI application object"));
        return CliSupport::kUsage;
    }
    Options o;
    if (const QString problem = Parse(args, o); !problem.isEmpty())
        return Usage(problem);

    ScreenSet set;
    ReadResult read;
    if (!CliSupport::LoadSet(o.file, set, read))
        return kBadInput;

    SettingsProfile profile(SettingsProfile::ChoosePath(o.look.profile));
    profile.SetSaveOnDestroy(false);
    CliSupport::WarnAboutProfile(profile);
    WidgetContext ctx(set);
    BuildRenderWidgets(set, ctx, profile, o.look.vorn3);

    if (IsPdf(o.output))
        return SavePdf(set, ctx, o) ? kOk : kBadInput;
    if (!o.all)
        return Save(ScreenRenderer::Render(set, ctx, o.screen, o.look.size), o.output) ? kOk : kBadInput;

    std::set<int> screens;
    for (const auto& rec : set.controls)
        if (ControlTypes::Shown(rec->type) && rec->screen != 0)
            screens.insert(rec->screen);
    if (screens.empty())
        screens.insert(1);
    if (!QDir().mkpath(o.output)) {
        Err(QStringLiteral("tavlora-cli: cannot create folder %1").arg(o.output));
        return kBadInput;
    }
    const QString stem = QFileInfo(o.file).completeBaseName();
    for (int screen : screens) {
        const QString path = QDir(o.output).filePath(QStringLiteral("%1-screen%2.png").arg(stem).arg(screen));
        if (!Save(ScreenRenderer::Render(set, ctx, screen, o.look.size), path))
            return kBadInput;
    }
    return kOk;
}
