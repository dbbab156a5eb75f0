#pragma once

#include "core/Finding.h"
#include "core/ImagePath.h"
#include "core/ScreenSet.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace tavlora {

// Checks the pictures a set names, resolved as the design-time widgets
// resolve them (the keyword rule of each type, the Bitmaps folder, the
// case-insensitive match, the presence test) and decoded as they decode them.
// Keeps what it learnt about each file (by modification time and size), so a
// second run after an edit decodes only changed files.
class PictureCheck {
public:
    // The keyword rule a record's picture is resolved with, or nothing when
    // its widget loads no picture from the Bitmaps folder.
    static std::optional<ImagePath::Keywords> RuleFor(const ControlRecord& record);

    // Findings for every control whose picture is missing, undecodable or
    // found only by matching without regard to case (not sorted).
    std::vector<Finding> Run(const ScreenSet& set, const std::string& vornFolder);

private:
    struct Verdict {
        QDateTime modified;
        qint64 size = -1;
        QString error; // empty when the picture decodes
    };
    // Empty when the file decodes, else why it is never shown.
    QString DecodeProblem(const QString& path);

    QHash<QString, Verdict> verdicts_;
};

} // namespace tavlora
