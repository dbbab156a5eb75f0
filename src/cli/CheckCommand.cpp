#include "CheckCommand.h"

#include "CliSupport.h"

#include "core/ControlCaption.h"
#include "widgets/CheckRunner.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

using namespace tavlora;

namespace {

const char* kCheckUsage =
    "Usage: tavlora-cli check FILE... [--json] [--werror] [--size WxH] [--vorn3 DIR] [--profile PATH]\n"
    "Checks screen sets for what goes wrong on the machine: duplicate hot keys among\n"
    "the controls shown together, missing or undecodable pictures, jumps to empty or\n"
    "unreachable screens, DRO formats drawn as text, text that does not fit, function\n"
    "numbers beyond the catalogs, old and unknown types, controls of no size, off the\n"
    "screen or hidden under others, and oddities of the file itself.\n"
    "  --json          print the findings as a JSON list on stdout\n"
    "  --werror        count warnings as errors\n"
    "  --size WxH      target screen size in pixels (default 1024x768)\n"
    "  --vorn3 DIR     Vorn3 folder with Bitmaps and the function catalogs\n"
    "                  (default: the folder of the settings profile)\n"
    "  --profile PATH  settings profile to read the Vorn3 folder from\n"
    "Each finding names its severity (error, warning, note), a stable code, the\n"
    "screen and the control (#N is its index in the file's list, from 0).\n"
    "Exit status: 0 no errors, 3 at least one error, 1 a file cannot be read, 2 usage error.\n";

struct Options {
    QStringList files;
    CliSupport::ScreenOptions screen;
    bool json = false;
    bool werror = false;
};

QString Parse(const QStringList& args, Options& o)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        QString problem;
        if (CliSupport::TakeScreenOption(args, i, o.screen, problem)) {
            if (!problem.isEmpty())
                return problem;
        } else if (a == QLatin1String("--json")) {
            o.json = true;
        } else if (a == QLatin1String("--werror")) {
            o.werror = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return QStringLiteral("unknown option '%1'").arg(a);
        } else {
            o.files << a;
        }
    }
    if (o.files.isEmpty())
        return QStringLiteral("check needs at least one FILE");
    return {};
}

// Text made by the checks is UTF-8; anything else goes through QString as it
// always has (invalid sequences become U+FFFD).
void AppendUtf8(QByteArray& out, std::string_view text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            out += QString::fromUtf8(text.data(), qsizetype(text.size())).toUtf8();
            return;
        }
    }
    out.append(text.data(), qsizetype(text.size()));
}

// "screen 1, #12 Button "Go" at 10,10,70,30: " for a control, "screen 3: " for
// a screen; appended, as large sets have a line for most controls.
void AppendWhere(QByteArray& out, const ScreenSet& set, const Finding& f)
{
    std::string where;
    if (f.index && *f.index < set.controls.size()) {
        const ControlRecord& r = *set.controls[*f.index];
        where += "screen " + std::to_string(r.screen) + ", ";
        SetCheck::AppendDescription(where, set, *f.index);
        where += " at ";
        SetCheck::AppendRect(where, r.rect);
        where += ": ";
    } else if (f.screen) {
        where += "screen " + std::to_string(*f.screen) + ": ";
    }
    AppendUtf8(out, where);
}

QJsonObject ToJson(const QString& file, const ScreenSet& set, const Finding& f)
{
    QJsonObject o;
    o.insert(QStringLiteral("file"), file);
    o.insert(QStringLiteral("severity"), QString::fromLatin1(Finding::SeverityName(f.severity).data(),
                                                             qsizetype(Finding::SeverityName(f.severity).size())));
    o.insert(QStringLiteral("code"), QString::fromLatin1(f.code.data(), qsizetype(f.code.size())));
    o.insert(QStringLiteral("screen"), f.screen ? QJsonValue(qint64(*f.screen)) : QJsonValue());
    o.insert(QStringLiteral("index"), f.index ? QJsonValue(qint64(*f.index)) : QJsonValue());
    if (f.otherIndex)
        o.insert(QStringLiteral("otherIndex"), qint64(*f.otherIndex));
    if (f.index && *f.index < set.controls.size()) {
        const ControlRecord& r = *set.controls[*f.index];
        o.insert(QStringLiteral("type"), QString::fromStdString(ControlCaption::TypeName(r.type)));
        o.insert(QStringLiteral("caption"), CliSupport::Text(ControlCaption::Of(r)));
        o.insert(QStringLiteral("rect"), QJsonArray{r.rect.left, r.rect.top, r.rect.right, r.rect.bottom});
    }
    o.insert(QStringLiteral("message"), QString::fromStdString(f.message));
    return o;
}

} // namespace

int RunCheckCommand(const QStringList& args)
{
    if (CliSupport::WantsHelp(args)) {
        std::fputs(kCheckUsage, stdout);
        return CliSupport::kOk;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        CliSupport::Err(QStringLiteral("tavlora-cli: check needs a GUI application object"));
        return CliSupport::kUsage;
    }
    Options o;
    if (const QString problem = Parse(args, o); !problem.isEmpty())
        return CliSupport::Usage(kCheckUsage, problem);

    CheckRunner::Options options;
    options.vornFolder = CliSupport::VornFolderFor(o.screen.vorn3, o.screen.profile).toStdString();
    options.set.screenWidth = o.screen.size.width();
    options.set.screenHeight = o.screen.size.height();
    options.set.LoadCatalogs(options.vornFolder);

    CheckRunner runner;
    QJsonArray json;
    bool unreadable = false;
    bool failed = false;
    for (const QString& file : o.files) {
        ScreenSet set;
        ReadResult read;
        if (!CliSupport::LoadSet(file, set, read)) {
            unreadable = true;
            continue;
        }
        options.set.file = read;
        const std::vector<Finding> findings = runner.Run(set, options);
        int counts[3] = {0, 0, 0};
        QByteArray text;
        const QByteArray fileUtf8 = file.toUtf8();
        for (const Finding& f : findings) {
            ++counts[int(f.severity)];
            if (f.severity == Finding::Severity::Error
                || (o.werror && f.severity == Finding::Severity::Warning))
                failed = true;
            if (o.json) {
                json.append(ToJson(file, set, f));
                continue;
            }
            text += fileUtf8;
            text += ": ";
            text += QByteArrayView(Finding::SeverityName(f.severity));
            text += " [";
            text += QByteArrayView(f.code);
            text += "] ";
            AppendWhere(text, set, f);
            AppendUtf8(text, f.message);
            text += '\n';
        }
        if (!o.json) {
            auto plural = [](int n, const char* word) {
                return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(word)).arg(n == 1 ? "" : "s");
            };
            text += QStringLiteral("%1: %2, %3, %4\n")
                        .arg(file, plural(counts[0], "error"), plural(counts[1], "warning"),
                             plural(counts[2], "note"))
                        .toUtf8();
            CliSupport::Out(text);
        }
    }
    if (o.json)
        CliSupport::Out(QJsonDocument(json).toJson(QJsonDocument::Indented));
    if (unreadable)
        return CliSupport::kBadInput;
    return failed ? CliSupport::kFindings : CliSupport::kOk;
}
