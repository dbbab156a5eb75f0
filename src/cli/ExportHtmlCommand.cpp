#include "ExportHtmlCommand.h"

#include "CliSupport.h"
#include "RenderCommand.h"

#include "core/HtmlPages.h"
#include "settings/SettingsProfile.h"
#include "widgets/ScreenRenderer.h"
#include "widgets/WidgetContext.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <utility>
#include <vector>

using namespace tavlora;

namespace {

const char* kExportHtmlUsage =
    "Usage: tavlora-cli export-html FILE [--size WxH] [--vorn3 DIR] [--profile PATH] -o DIR\n"
    "Writes the screen set FILE as linked HTML pages that a browser opens from disk,\n"
    "without scripts or a network: per screen in use its picture screen-N.png, drawn\n"
    "as render draws it, and screen-N.html, where each screen-jump button (function 32,\n"
    "OEM code below 100) links to the page of its screen and each control shows its\n"
    "caption, function and hot key as a tooltip; then DIR/index.html, linking them all.\n"
    "  --size WxH      target screen size in pixels (default 1024x768)\n"
    "  --vorn3 DIR     Vorn3 folder with Bitmaps and the function catalogs\n"
    "                  (default: the folder of the settings profile)\n"
    "  --profile PATH  settings profile to read the Vorn3 folder from\n"
    "Nothing is written for a file that cannot be read; index.html is written last, so\n"
    "a folder without it holds no finished export.\n"
    "Exit status: 0 success, 1 bad input file or output not written, 2 usage error.\n";

struct Options {
    QString file;
    QString output;
    CliSupport::ScreenOptions look;
};

// An empty string means success, otherwise the problem.
QString Parse(const QStringList& args, Options& o)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        QString problem;
        if (CliSupport::TakeScreenOption(args, i, o.look, problem)) {
            if (!problem.isEmpty())
                return problem;
        } else if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            if (i + 1 >= args.size())
                return QStringLiteral("%1 needs a folder").arg(a);
            o.output = args[++i];
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return QStringLiteral("unknown option '%1'").arg(a);
        } else if (o.file.isEmpty()) {
            o.file = a;
        } else {
            return QStringLiteral("export-html takes one FILE");
        }
    }
    if (o.file.isEmpty())
        return QStringLiteral("export-html needs a FILE");
    if (o.output.isEmpty())
        return QStringLiteral("export-html needs -o DIR");
    return {};
}

QByteArray Png(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return {};
    return png;
}

QByteArray Bytes(const std::string& s)
{
    return QByteArray::fromStdString(s);
}

// A file to write: its name in the output folder and its contents.
using Output = std::pair<QString, QByteArray>;

bool WriteAll(const QString& folder, const std::vector<Output>& files)
{
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir()) {
        CliSupport::Err(QStringLiteral("tavlora-cli: cannot write to %1: it is not a folder").arg(folder));
        return false;
    }
    if (!QDir().mkpath(folder)) {
        CliSupport::Err(QStringLiteral("tavlora-cli: cannot create folder %1").arg(folder));
        return false;
    }
    const QDir dir(folder);
    // An index left by an earlier export must not link pages half replaced.
    QFile::remove(dir.filePath(QStringLiteral("index.html")));
    for (const auto& [name, bytes] : files) {
        const QString path = dir.filePath(name);
        if (!CliSupport::WriteFile(path, bytes)) {
            CliSupport::Err(QStringLiteral("tavlora-cli: the export to %1 is not finished").arg(folder));
            return false;
        }
        std::printf("%s\n", QDir::toNativeSeparators(path).toLocal8Bit().constData());
    }
    return true;
}

} // namespace

int RunExportHtmlCommand(const QStringList& args)
{
    if (CliSupport::WantsHelp(args)) {
        std::fputs(kExportHtmlUsage, stdout);
        return CliSupport::kOk;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        CliSupport::Err(QStringLiteral("tavlora-cli: export-html needs a GUI application object"));
        return CliSupport::kUsage;
    }
    Options o;
    if (const QString problem = Parse(args, o); !problem.isEmpty())
        return CliSupport::Usage(kExportHtmlUsage, problem);

    ScreenSet set;
    ReadResult read;
    if (!CliSupport::LoadSet(o.file, set, read))
        return CliSupport::kBadInput;

    SettingsProfile profile(SettingsProfile::ChoosePath(o.look.profile));
    profile.SetSaveOnDestroy(false);
    CliSupport::WarnAboutProfile(profile);
    WidgetContext ctx(set);
    BuildRenderWidgets(set, ctx, profile, o.look.vorn3);

    // Everything is made before anything is written.
    const QSize size = o.look.size;
    const std::vector<HtmlPages::Page> pages =
        HtmlPages::Build(set, HtmlPages::LoadCatalogs(ctx.vornFolder), size.width(), size.height());
    const std::string setName = QFileInfo(o.file).fileName().toStdString();
    std::vector<Output> files;
    for (const HtmlPages::Page& page : pages) {
        const QByteArray png = Png(ScreenRenderer::Render(set, ctx, page.screen, size));
        if (png.isEmpty()) {
            CliSupport::Err(QStringLiteral("tavlora-cli: cannot make the picture of screen %1").arg(page.screen));
            return CliSupport::kBadInput;
        }
        files.emplace_back(QString::fromStdString(HtmlPages::ImageFile(page.screen)), png);
        files.emplace_back(QString::fromStdString(HtmlPages::PageFile(page.screen)),
                           Bytes(HtmlPages::PageHtml(page, pages, setName, size.width(), size.height())));
    }
    files.emplace_back(QStringLiteral("index.html"), Bytes(HtmlPages::IndexHtml(pages, setName)));
    return WriteAll(o.output, files) ? CliSupport::kOk : CliSupport::kBadInput;
}
