#pragma once

#include <string>
#include <vector>

#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavlora::test {

// Tests of file permissions mean nothing as root, who reads and writes
// everything. Run as root, such a test runs itself again as the user nobody
// (through setpriv) and checks that run instead.
class Unprivileged {
public:
    static constexpr uid_t kNobody = 65534;

    static bool IsRoot() { return ::geteuid() == 0; }

    // This test program, by absolute path.
    static std::string Self()
    {
        char buffer[4096];
        const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        return n > 0 ? std::string(buffer, size_t(n)) : std::string();
    }

    // Runs `args` (args[0] an absolute path) as nobody with a fresh home of
    // its own; the exit status, or -1 when it could not be started.
    static int Run(const std::vector<std::string>& args)
    {
        char home[] = "/tmp/tavlora-nobody-XXXXXX";
        if (!::mkdtemp(home) || ::chown(home, kNobody, kNobody) != 0)
            return -1;
        const std::string homeVar = std::string("HOME=") + home;
        const std::string uid = "--reuid=" + std::to_string(kNobody);
        const std::string gid = "--regid=" + std::to_string(kNobody);
        std::vector<std::string> all = {"/usr/bin/env", homeVar, "XDG_RUNTIME_DIR=" + std::string(home),
                                        "/usr/bin/setpriv", uid, gid, "--clear-groups", "--"};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        int status = -1;
        if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
            status = -1;
        const std::string cleanup = std::string("rm -rf ") + home;
        (void)!std::system(cleanup.c_str());
        return status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

} // namespace tavlora::test
