#include "MapCommand.h"

#include "CliSupport.h"

#include "core/ControlCaption.h"
#include "core/JumpMap.h"
#include "core/ScreenVisibility.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>
#include <set>

using namespace tavlora;

namespace {

constexpr int kDotTimeoutMs = 60000;

const char* kMapUsage =
    "Usage: tavlora-cli map FILE [--format dot|json] [-o OUT]\n"
    "Prints the screens of the screen set FILE and the jumps between them (buttons\n"
    "with function 32 and an OEM code below 100) as a Graphviz DOT graph: one node\n"
    "per screen with its number and control count, one edge per jump labelled with\n"
    "the button's caption or picture; jumps on the persistent layer start from the\n"
    "\"persistent\" node. Screens no jump reaches from screen 1 are dashed, jump\n"
    "targets without controls red.\n"
    "  --format dot|json  DOT (default) or JSON: {\"screens\": [...], \"jumps\": [...]}\n"
    "  -o OUT             write to OUT instead of stdout; OUT.svg, OUT.png or OUT.pdf\n"
    "                     is rendered by Graphviz's dot, which must be installed\n"
    "Without dot, render the DOT yourself: tavlora-cli map FILE | dot -Tsvg -o map.svg\n"
    "Exit status: 0 success, 1 bad input file or output not written, 2 usage error.\n";

struct Options {
    QString file;
    QString output;
    bool json = false;
};

QString Parse(const QStringList& args, Options& o)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            if (i + 1 >= args.size())
                return QStringLiteral("%1 needs a path").arg(a);
            o.output = args[++i];
        } else if (a == QLatin1String("--format")) {
            if (i + 1 >= args.size())
                return QStringLiteral("--format needs dot or json");
            const QString f = args[++i];
            if (f != QLatin1String("dot") && f != QLatin1String("json"))
                return QStringLiteral("--format needs dot or json, not '%1'").arg(f);
            o.json = f == QLatin1String("json");
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return QStringLiteral("unknown option '%1'").arg(a);
        } else if (o.file.isEmpty()) {
            o.file = a;
        } else {
            return QStringLiteral("map takes one FILE");
        }
    }
    if (o.file.isEmpty())
        return QStringLiteral("map needs a FILE");
    return {};
}

// A DOT string literal.
QString DotQuoted(const QString& s)
{
    QString out = QStringLiteral("\"");
    for (QChar c : s) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\\n");
            continue;
        }
        if (c == QLatin1Char('\r'))
            continue;
        out += c;
    }
    return out + QLatin1Char('"');
}

QString NodeId(int32_t screen)
{
    return screen == ScreenVisibility::kPersistentScreen ? QStringLiteral("persistent")
                                                         : QStringLiteral("\"s%1\"").arg(screen);
}

QString EdgeLabel(const ScreenSet& set, size_t index)
{
    const QString caption = CliSupport::Text(ControlCaption::Of(*set.controls[index]));
    return caption.isEmpty() ? QStringLiteral("#%1").arg(index) : caption;
}

QString Plural(size_t n)
{
    return QStringLiteral("%1 control%2").arg(n).arg(n == 1 ? "" : "s");
}

// Screens drawn: every screen in use and every jump target.
std::set<int32_t> Screens(const JumpMap& map)
{
    std::set<int32_t> screens;
    for (const auto& [screen, count] : map.ControlsPerScreen())
        screens.insert(screen);
    for (const JumpMap::Jump& j : map.Jumps())
        screens.insert(j.to);
    return screens;
}

QByteArray Dot(const QString& name, const ScreenSet& set, const JumpMap& map)
{
    const std::set<int32_t> reached = map.ReachableFrom(1);
    QString out = QStringLiteral("digraph %1 {\n").arg(DotQuoted(name));
    out += QStringLiteral("  rankdir=LR;\n  node [shape=box, style=rounded, fontname=\"Arial\"];\n"
                          "  edge [fontname=\"Arial\", fontsize=10];\n");
    for (int32_t screen : Screens(map)) {
        const size_t count = map.ControlsOn(screen);
        QStringList attrs;
        if (screen == ScreenVisibility::kPersistentScreen) {
            attrs << QStringLiteral("label=%1").arg(DotQuoted(QStringLiteral("persistent\n") + Plural(count)))
                  << QStringLiteral("style=\"rounded,bold\"");
        } else {
            attrs << QStringLiteral("label=%1").arg(DotQuoted(QStringLiteral("screen %1\n").arg(screen) + Plural(count)));
            if (count == 0)
                attrs << QStringLiteral("color=red") << QStringLiteral("fontcolor=red");
            else if (!reached.count(screen))
                attrs << QStringLiteral("style=\"rounded,dashed\"");
        }
        out += QStringLiteral("  %1 [%2];\n").arg(NodeId(screen), attrs.join(QStringLiteral(", ")));
    }
    for (const JumpMap::Jump& j : map.Jumps())
        out += QStringLiteral("  %1 -> %2 [label=%3];\n")
                   .arg(NodeId(j.from), NodeId(j.to), DotQuoted(EdgeLabel(set, j.index)));
    out += QStringLiteral("}\n");
    return out.toUtf8();
}

QByteArray Json(const ScreenSet& set, const JumpMap& map)
{
    const std::set<int32_t> reached = map.ReachableFrom(1);
    QJsonArray screens;
    for (int32_t screen : Screens(map)) {
        QJsonObject s;
        s.insert(QStringLiteral("screen"), qint64(screen));
        s.insert(QStringLiteral("controls"), qint64(map.ControlsOn(screen)));
        s.insert(QStringLiteral("persistent"), screen == ScreenVisibility::kPersistentScreen);
        s.insert(QStringLiteral("reachable"), screen == ScreenVisibility::kPersistentScreen || reached.count(screen) > 0);
        screens.append(s);
    }
    QJsonArray jumps;
    for (const JumpMap::Jump& j : map.Jumps()) {
        QJsonObject o;
        o.insert(QStringLiteral("from"), qint64(j.from));
        o.insert(QStringLiteral("to"), qint64(j.to));
        o.insert(QStringLiteral("index"), qint64(j.index));
        o.insert(QStringLiteral("label"), EdgeLabel(set, j.index));
        jumps.append(o);
    }
    QJsonObject root;
    root.insert(QStringLiteral("screens"), screens);
    root.insert(QStringLiteral("jumps"), jumps);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

// Runs dot on the DOT text; false after a message.
bool Render(const QByteArray& dot, const QString& format, QByteArray& rendered, const Options& o)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("dot"));
    if (program.isEmpty()) {
        CliSupport::Err(QStringLiteral("tavlora-cli: cannot write %1: Graphviz's dot is not installed"
                                       " (Debian: apt-get install graphviz).\n"
                                       "To render the map yourself, print the DOT and give it to dot elsewhere:\n"
                                       "  tavlora-cli map %2 -o map.dot\n"
                                       "  dot -T%3 map.dot -o %1")
                            .arg(o.output, o.file, format));
        return false;
    }
    QProcess process;
    process.start(program, {QStringLiteral("-T") + format});
    if (!process.waitForStarted(kDotTimeoutMs)) {
        CliSupport::Err(QStringLiteral("tavlora-cli: cannot run %1: %2").arg(program, process.errorString()));
        return false;
    }
    process.write(dot);
    process.closeWriteChannel();
    if (!process.waitForFinished(kDotTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        CliSupport::Err(QStringLiteral("tavlora-cli: dot did not finish rendering %1").arg(o.output));
        return false;
    }
    rendered = process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || rendered.isEmpty()) {
        CliSupport::Err(QStringLiteral("tavlora-cli: dot could not render %1 as %2: %3")
                            .arg(o.output, format, QString::fromLocal8Bit(process.readAllStandardError()).trimmed()));
        return false;
    }
    return true;
}

} // namespace

int RunMapCommand(const QStringList& args)
{
    if (CliSupport::WantsHelp(args)) {
        std::fputs(kMapUsage, stdout);
        return CliSupport::kOk;
    }
    Options o;
    if (const QString problem = Parse(args, o); !problem.isEmpty())
        return CliSupport::Usage(kMapUsage, problem);

    ScreenSet set;
    ReadResult read;
    if (!CliSupport::LoadSet(o.file, set, read))
        return CliSupport::kBadInput;
    const JumpMap map = JumpMap::Build(set);
    const QByteArray text = o.json ? Json(set, map) : Dot(QFileInfo(o.file).fileName(), set, map);

    if (o.output.isEmpty()) {
        CliSupport::Out(text);
        return CliSupport::kOk;
    }
    const QString suffix = QFileInfo(o.output).suffix().toLower();
    QByteArray bytes = text;
    if (!o.json && suffix != QLatin1String("dot") && suffix != QLatin1String("gv")) {
        if (suffix.isEmpty()) {
            CliSupport::Err(QStringLiteral("tavlora-cli: %1 has no extension; use .dot for the DOT text or"
                                           " .svg, .png or .pdf for a picture")
                                .arg(o.output));
            return CliSupport::kUsage;
        }
        if (!Render(text, suffix, bytes, o))
            return CliSupport::kBadInput;
    }
    return CliSupport::WriteFile(o.output, bytes) ? CliSupport::kOk : CliSupport::kBadInput;
}
