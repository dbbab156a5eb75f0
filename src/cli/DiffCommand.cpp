#include "DiffCommand.h"

#include "CliSupport.h"

#include "core/SetCheck.h"
#include "core/SetDiff.h"

#include <cstdio>
#include <optional>

using namespace tavlora;

namespace {

const char* kDiffUsage =
    "Usage: tavlora-cli diff A B\n"
    "Compares the screen sets A and B: controls added (+), removed (-) and changed (~)\n"
    "per screen with the fields that changed, and the colours. Controls are paired\n"
    "by place in the list first, then by type and caption, so one inserted control\n"
    "shows as one addition. #N is a control's index in its file's list, from 0.\n"
    "The path /dev/null stands for a set without controls (for version control).\n"
    "Exit status: 0 equal, 1 different, 2 usage error or a file that cannot be read.\n";

constexpr int kEqual = 0;
constexpr int kDifferent = 1;
constexpr int kTrouble = 2;

bool Load(const QString& path, ScreenSet& set)
{
    if (path == QLatin1String("/dev/null"))
        return true;
    ReadResult read;
    return CliSupport::LoadSet(path, set, read);
}

QString RectText(const Rect& r)
{
    return QStringLiteral("%1,%2,%3,%4").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom);
}

QString ScreenTitle(int32_t screen)
{
    return screen == 0 ? QStringLiteral("persistent (screen 0)") : QStringLiteral("screen %1").arg(screen);
}

QString Colour(ColourRef c)
{
    return QStringLiteral("0x%1").arg(uint(c), 6, 16, QLatin1Char('0'));
}

} // namespace

int RunDiffCommand(const QStringList& args)
{
    if (CliSupport::WantsHelp(args)) {
        std::fputs(kDiffUsage, stdout);
        return kEqual;
    }
    for (const QString& a : args)
        if (a.startsWith(QLatin1Char('-')) && a.size() > 1)
            return CliSupport::Usage(kDiffUsage, QStringLiteral("unknown option '%1'").arg(a));
    if (args.size() != 2)
        return CliSupport::Usage(kDiffUsage, QStringLiteral("diff takes two files, A and B"));
    ScreenSet a, b;
    if (!Load(args[0], a) || !Load(args[1], b))
        return kTrouble;

    const SetDiff diff = SetDiff::Compare(a, b);
    if (diff.Empty())
        return kEqual;

    QString out = QStringLiteral("--- %1\n+++ %2\n").arg(args[0], args[1]);
    std::optional<int32_t> screen;
    for (const SetDiff::Change& c : diff.Changes()) {
        if (!screen || *screen != c.screen) {
            screen = c.screen;
            out += ScreenTitle(c.screen) + QStringLiteral(":\n");
        }
        switch (c.kind) {
        case SetDiff::Change::Kind::Added:
            out += QStringLiteral("  + %1 at %2\n")
                       .arg(QString::fromStdString(SetCheck::Describe(b, *c.after)), RectText(b.controls[*c.after]->rect));
            break;
        case SetDiff::Change::Kind::Removed:
            out += QStringLiteral("  - %1 at %2\n")
                       .arg(QString::fromStdString(SetCheck::Describe(a, *c.before)), RectText(a.controls[*c.before]->rect));
            break;
        case SetDiff::Change::Kind::Changed: {
            QString line = QStringLiteral("  ~ ") + QString::fromStdString(SetCheck::Describe(b, *c.after));
            if (*c.before != *c.after)
                line += QStringLiteral(" (was #%1)").arg(*c.before);
            if (c.reordered)
                line += QStringLiteral(", moved in the list");
            out += line + QLatin1Char('\n');
            for (const SetDiff::FieldChange& f : c.fields)
                out += QStringLiteral("      %1 %2 -> %3\n")
                           .arg(QString::fromStdString(f.field), QString::fromStdString(f.before),
                                QString::fromStdString(f.after));
            break;
        }
        }
    }
    if (!diff.Colours().empty()) {
        out += QStringLiteral("colours:\n");
        for (const SetDiff::ColourChange& c : diff.Colours()) {
            const auto title = ColourSet::Title(ColourSet::Index(c.index));
            out += QStringLiteral("  ~ %1 %2 -> %3\n")
                       .arg(QString::fromLatin1(title.data(), qsizetype(title.size())), Colour(c.before), Colour(c.after));
        }
    }
    CliSupport::Out(out.toUtf8());
    return kDifferent;
}
