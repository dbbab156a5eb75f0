#include "PictureCheck.h"

#include "PresenceTest.h"
#include "Vorn3Image.h"

#include "core/CheckCode.h"
#include "core/ControlType.h"
#include "core/Windows1252.h"

#include <QDir>
#include <QFileInfo>

#include <map>

namespace tavlora {

namespace {

struct Resolved {
    QString path;    // platform path the widget opens
    PresenceTest::Result presence = PresenceTest::Result::NotFound;
    bool caseMatched = false; // found only by the case-insensitive match
    bool decoded = false;     // problem below is known (once per run and file)
    QString problem;
};

std::string Quoted(const std::string& bytes)
{
    return "\"" + Windows1252::ToUtf8(bytes) + "\"";
}

std::string Native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

} // namespace

std::optional<ImagePath::Keywords> PictureCheck::RuleFor(const ControlRecord& r)
{
    switch (r.type) {
    case TypeDro:
        if (r.label == "Skinned")
            return ImagePath::Keywords::Dro;
        return std::nullopt;
    case TypeImage:
        if (!r.image.empty())
            return ImagePath::Keywords::Picture;
        return std::nullopt;
    case TypeImageButton:
        if (!r.image.empty())
            return ImagePath::Keywords::EmergButton;
        return std::nullopt;
    case TypeLed:
        return ImagePath::Keywords::LedCustom;
    default:
        return std::nullopt;
    }
}

QString PictureCheck::DecodeProblem(const QString& path)
{
    if (Vorn3Image::ExtensionOf(path).isEmpty())
        return QStringLiteral("its name has no extension, so it is never loaded");
    const QFileInfo info(path);
    auto it = verdicts_.constFind(path);
    if (it != verdicts_.constEnd() && it->modified == info.lastModified() && it->size == info.size())
        return it->error;
    Verdict v;
    v.modified = info.lastModified();
    v.size = info.size();
    QString error;
    if (Vorn3Image::Decode(path, Vorn3Image::FormatCodeFor(path), &error).isNull())
        v.error = error.isEmpty() ? QStringLiteral("it cannot be decoded") : QStringLiteral("it cannot be decoded: ") + error;
    verdicts_.insert(path, v);
    return v.error;
}

std::vector<Finding> PictureCheck::Run(const ScreenSet& set, const std::string& vornFolder)
{
    std::vector<Finding> out;
    std::map<std::string, Resolved> resolved; // by stored path, for this run
    for (size_t i = 0; i < set.controls.size(); ++i) {
        const ControlRecord& r = *set.controls[i];
        const std::optional<ImagePath::Keywords> rule = RuleFor(r);
        if (!rule)
            continue;
        std::string name = ImagePath::Normalise(r.image);
        if (!ImagePath::ApplyKeywords(*rule, name) || name.empty())
            continue; // the widget shows no picture, or the name is only the folder
        auto add = [&](Finding::Severity severity, std::string_view code, const std::string& message) {
            Finding f;
            f.severity = severity;
            f.code = code;
            f.screen = r.screen;
            f.index = i;
            f.message = message;
            out.push_back(std::move(f));
        };
        std::string what = "picture " + Quoted(r.image);
        if (name != ImagePath::Normalise(r.image))
            what += " (shown as " + Quoted(name) + ")";
        if (ImagePath::LeavesFolder(name)) {
            add(Finding::Severity::Error, CheckCode::PictureOutsideBitmaps,
                what + " lies outside the Bitmaps folder, so it is never opened");
            continue;
        }
        const std::string stored = ImagePath::InBitmaps(vornFolder, name);

        auto found = resolved.find(stored);
        if (found == resolved.end()) {
            Resolved res;
            res.path = QString::fromStdString(ImagePath::ToPlatform(stored));
            res.presence = PresenceTest::Test(res.path);
#ifndef _WIN32
            QString exact = QString::fromStdString(stored);
            exact.replace(QLatin1Char('\\'), QLatin1Char('/'));
            res.caseMatched = res.path != exact && res.path.compare(exact, Qt::CaseInsensitive) == 0;
#endif
            found = resolved.emplace(stored, res).first;
        }
        Resolved& res = found->second;
        if (res.presence == PresenceTest::Result::NotFound) {
            add(Finding::Severity::Error, CheckCode::PictureMissing, what + ": " + Native(res.path) + " not found");
            continue;
        }
        if (res.presence != PresenceTest::Result::Present) {
            add(Finding::Severity::Error, CheckCode::PictureMissing,
                what + ": " + Native(res.path) + " is there but cannot be read");
            continue;
        }
        if (!res.decoded) {
            res.problem = DecodeProblem(res.path);
            res.decoded = true;
        }
        if (!res.problem.isEmpty())
            add(Finding::Severity::Error, CheckCode::PictureUndecodable,
                what + ": " + Native(res.path) + " is never shown: " + res.problem.toStdString());
        if (res.caseMatched)
            add(Finding::Severity::Note, CheckCode::PictureCaseMismatch,
                what + " differs in letter case from the file " + Native(res.path)
                    + ", found only by matching names without regard to case");
    }
    return out;
}

} // namespace tavlora
