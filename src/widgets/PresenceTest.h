#pragma once

#include <QString>

namespace tavlora {

// A picture counts as present only when the existing file can be opened with
// write access (without creating or truncating it); missing, read-only and
// locked files count as absent.
class PresenceTest {
public:
    static bool IsPresent(const QString& path);
};

} // namespace tavlora
