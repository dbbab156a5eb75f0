// tavlora-cli: inspect, build, check, compare and render screen-set files without a display.
#include "CliSupport.h"
#include "DiffCommand.h"
#include "MapCommand.h"
#include "formats/ScreenSetJson.h"

#include "core/AtomicFile.h"
#include "core/ControlCaption.h"
#include "core/ControlType.h"
#include "core/HeapTuning.h"
#include "core/ScreenSetFile.h"

#if __has_include("RenderCommand.h")
#include "CheckCommand.h"
#include "ExportHtmlCommand.h"
#include "RenderCommand.h"
#include <QGuiApplication>
#define TAVLORA_HAS_RENDER 1
#endif

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>

#include <cstdio>
#include <map>

using namespace tavlora;

namespace {

constexpr int kOk = CliSupport::kOk;
constexpr int kBadInput = CliSupport::kBadInput;

const char* kMainUsage =
    "Usage: tavlora-cli COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  dump FILE         print a screen set as JSON\n"
    "  build JSON OUT    write a screen-set file from JSON\n"
    "  info FILE         print a summary of a screen set\n"
#ifdef TAVLORA_HAS_RENDER
    "  render FILE ...   render screens to PNG or PDF (see render --help)\n"
    "  check FILE...     list what will go wrong on the machine (see check --help)\n"
    "  export-html FILE  linked HTML pages of the screens (see export-html --help)\n"
#endif
    "  map FILE          the screens and the jumps between them as a graph\n"
    "  diff A B          the controls and colours that differ between two sets\n"
    "\n"
    "Run 'tavlora-cli COMMAND --help' for the options of a command.\n"
    "Exit status: 0 success, 1 bad input file, 2 usage error; check exits 3 when it\n"
    "finds an error, diff 1 when the sets differ and 2 on a bad file.\n";

const char* kDumpUsage =
    "Usage: tavlora-cli dump FILE\n"
    "Prints the screen set FILE (.set, .sset, .lset) as JSON on stdout:\n"
    "{\"protected\": bool, \"colours\": [10 ints], \"controls\": [{\"rect\": [l,t,r,b], ...}]}\n"
    "Strings are the file's bytes decoded as Windows-1252.\n";

const char* kBuildUsage =
    "Usage: tavlora-cli build JSON OUT\n"
    "Writes the screen-set file OUT from JSON in the format that 'dump' prints.\n"
    "Missing control fields take the record defaults, missing colours the default\n"
    "colour set; \"protected\" is ignored. Nothing is written on any error.\n";

const char* kInfoUsage =
    "Usage: tavlora-cli info FILE\n"
    "Prints the number of controls per screen and per type, whether the set is\n"
    "protected, and its colours.\n";

void Err(const QString& s)
{
    CliSupport::Err(s);
}

void Out(const QByteArray& s)
{
    CliSupport::Out(s);
}

bool WantsHelp(const QStringList& args)
{
    return CliSupport::WantsHelp(args);
}

int Usage(const char* text, const QString& problem = QString())
{
    return CliSupport::Usage(text, problem);
}

bool LoadSet(const QString& path, ScreenSet& set, ReadResult& result)
{
    return CliSupport::LoadSet(path, set, result);
}

int Dump(const QStringList& args)
{
    if (WantsHelp(args)) {
        std::fputs(kDumpUsage, stdout);
        return kOk;
    }
    if (args.size() != 1)
        return Usage(kDumpUsage, QStringLiteral("dump takes exactly one FILE"));
    ScreenSet set;
    ReadResult result;
    if (!LoadSet(args[0], set, result))
        return kBadInput;
    Out(QJsonDocument(ScreenSetJson::ToJson(set, result.isProtected)).toJson(QJsonDocument::Indented));
    return kOk;
}

int Build(const QStringList& args)
{
    if (WantsHelp(args)) {
        std::fputs(kBuildUsage, stdout);
        return kOk;
    }
    if (args.size() != 2)
        return Usage(kBuildUsage, QStringLiteral("build takes JSON and OUT"));
    std::string json, readError;
    if (!AtomicFile::ReadAll(args[0].toStdString(), json, readError)) {
        Err(QStringLiteral("tavlora-cli: ") + QString::fromStdString(readError));
        return kBadInput;
    }
    ScreenSet set;
    QString error;
    if (!ScreenSetJson::FromJson(QByteArray::fromStdString(json), set, error)) {
        Err(QStringLiteral("tavlora-cli: %1: %2").arg(args[0], error));
        return kBadInput;
    }
    const WriteResult written = ScreenSetFile::Write(set);
    if (!written.ok) {
        Err(QStringLiteral("tavlora-cli: %1: %2").arg(args[0], QString::fromStdString(written.error)));
        return kBadInput;
    }
    std::string writeError;
    if (!AtomicFile::WriteAll(args[1].toStdString(), written.bytes, writeError)) {
        Err(QStringLiteral("tavlora-cli: ") + QString::fromStdString(writeError));
        return kBadInput;
    }
    return kOk;
}

int Info(const QStringList& args)
{
    if (WantsHelp(args)) {
        std::fputs(kInfoUsage, stdout);
        return kOk;
    }
    if (args.size() != 1)
        return Usage(kInfoUsage, QStringLiteral("info takes exactly one FILE"));
    ScreenSet set;
    ReadResult result;
    if (!LoadSet(args[0], set, result))
        return kBadInput;

    std::map<int, int> perScreen, perType;
    for (const auto& r : set.controls) {
        ++perScreen[r->screen];
        ++perType[r->type];
    }
    QString out;
    out += QStringLiteral("File:       %1\n").arg(args[0]);
    out += QStringLiteral("Controls:   %1\n").arg(set.controls.size());
    out += QStringLiteral("Protected:  %1\n").arg(result.isProtected ? QStringLiteral("yes") : QStringLiteral("no"));
    out += QStringLiteral("\nPer screen:\n");
    for (const auto& [screen, n] : perScreen) {
        const QString name = screen == 0 ? QStringLiteral("persistent (0)")
                                         : QStringLiteral("screen %1").arg(screen);
        out += QStringLiteral("  %1 %2\n").arg(name, -16).arg(n, 6);
    }
    out += QStringLiteral("\nPer type:\n");
    for (const auto& [type, n] : perType) {
        const QString title = QString::fromStdString(ControlCaption::TypeName(type));
        out += QStringLiteral("  %1 %2 %3\n").arg(type, 3).arg(title, -26).arg(n, 6);
    }
    out += QStringLiteral("\nColours:\n");
    for (int i = 0; i < ColourSet::Count; ++i) {
        const ColourRef c = set.colours[size_t(i)];
        const auto title = ColourSet::Title(ColourSet::Index(i));
        out += QStringLiteral("  %1 0x%2  (RGB %3, %4, %5)\n")
                   .arg(QString::fromLatin1(title.data(), qsizetype(title.size())), -26)
                   .arg(uint(c), 6, 16, QLatin1Char('0'))
                   .arg(RedOf(c))
                   .arg(GreenOf(c))
                   .arg(BlueOf(c));
    }
    Out(out.toUtf8());
    return kOk;
}

} // namespace

int main(int argc, char** argv)
{
    HeapTuning::KeepFreedMemory();
    if (argc < 2)
        return Usage(kMainUsage, QStringLiteral("no command given"));
    const QString command = QString::fromLocal8Bit(argv[1]);
    QStringList args;
    for (int i = 2; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        std::fputs(kMainUsage, stdout);
        return kOk;
    }
#ifdef TAVLORA_HAS_RENDER
    // Painting and measuring text need a GUI application, without a display.
    if (command == QLatin1String("render") || command == QLatin1String("check")
        || command == QLatin1String("export-html")) {
        CliSupport::PrepareGuiEnvironment();
        QGuiApplication app(argc, argv);
        if (command == QLatin1String("render"))
            return RunRenderCommand(args);
        return command == QLatin1String("check") ? RunCheckCommand(args) : RunExportHtmlCommand(args);
    }
#endif
    QCoreApplication app(argc, argv);
    if (command == QLatin1String("dump"))
        return Dump(args);
    if (command == QLatin1String("build"))
        return Build(args);
    if (command == QLatin1String("info"))
        return Info(args);
    if (command == QLatin1String("map"))
        return RunMapCommand(args);
    if (command == QLatin1String("diff"))
        return RunDiffCommand(args);
    return Usage(kMainUsage, QStringLiteral("unknown command '%1'").arg(command));
}
