#include "PresenceTest.h"

#include <QFile>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavlora {

bool PresenceTest::IsPresent(const QString& path)
{
    if (path.isEmpty())
        return false;
#ifdef _WIN32
    const std::wstring wide = path.toStdWString();
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
#else
    const QByteArray native = QFile::encodeName(path);
    // O_NONBLOCK keeps a FIFO from blocking the open.
    const int fd = ::open(native.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
#endif
}

} // namespace tavlora
