#include "PresenceTest.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavlora {

PresenceTest::Result PresenceTest::Test(const QString& path)
{
    if (path.isEmpty())
        return Result::NotFound;
#ifdef _WIN32
    const std::wstring wide = path.toStdWString();
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ? Result::NotFound : Result::NotReadable;
    }
    const bool regular = GetFileType(h) == FILE_TYPE_DISK;
    CloseHandle(h);
    return regular ? Result::Present : Result::NotReadable;
#else
    const QByteArray native = QFile::encodeName(path);
    // O_NONBLOCK keeps a FIFO from blocking the open.
    const int fd = ::open(native.constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? Result::NotFound : Result::NotReadable;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular ? Result::Present : Result::NotReadable;
#endif
}

QString PresenceTest::Why(Result result)
{
    switch (result) {
    case Result::Present:
        return {};
    case Result::NotFound:
        return QStringLiteral("not found");
    case Result::NotReadable:
        return QStringLiteral("not readable");
    case Result::OutsideFolder:
        return QStringLiteral("outside the Bitmaps folder");
    }
    return {};
}

} // namespace tavlora
