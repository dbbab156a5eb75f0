#pragma once

#include <QString>

namespace tavlora {

// Whether a picture file can be shown: it exists, is a regular file and can be
// opened for reading. Read-only files and folders are the normal case for an
// installed or shared Vorn3 folder, so write access is never asked for.
class PresenceTest {
public:
    enum class Result {
        Present,
        NotFound,
        NotReadable,   // there, but not a file this user can read
        OutsideFolder, // the name leaves the Bitmaps folder; never opened
    };

    static Result Test(const QString& path);
    static bool IsPresent(const QString& path) { return Test(path) == Result::Present; }
    // "not found", "not readable", ...: why a picture that is not present is not shown.
    static QString Why(Result result);
};

} // namespace tavlora
