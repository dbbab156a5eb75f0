#include "Process.h"

#include <cerrno>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <process.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace tavlora {

long Process::CurrentId()
{
#ifdef _WIN32
    return long(_getpid());
#else
    return long(::getpid());
#endif
}

bool Process::Alive(long pid)
{
    if (pid <= 0)
        return false;
    if (pid == CurrentId())
        return true;
#ifdef _WIN32
    HANDLE h = ::OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
    if (!h)
        return false;
    const bool alive = ::WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
    ::CloseHandle(h);
    return alive;
#else
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
#endif
}

} // namespace tavlora
