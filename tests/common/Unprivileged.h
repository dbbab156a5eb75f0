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

    // Runs this test program again as nobody with `args`, from a copy in a
    // fresh home of its own (the build tree may lie where nobody cannot go);
    // the exit status, or -1 when it could not be started.
    static int RunSelf(const std::vector<std::string>& args, const std::vector<std::string>& env = {})
    {
        char home[] = "/tmp/tavlora-nobody-XXXXXX";
        if (!::mkdtemp(home) || ::chown(home, kNobody, kNobody) != 0)
            return -1;
        char program[4096];
        const ssize_t length = ::readlink("/proc/self/exe", program, sizeof program - 1);
        if (length <= 0)
            return -1;
        const std::string self = std::string(home) + "/test-program";
        const std::string copy = "cp '" + std::string(program, size_t(length)) + "' " + self + " && chmod 755 " + self;
        if (std::system(copy.c_str()) != 0)
            return -1;
        const std::string homeVar = std::string("HOME=") + home;
        const std::string uid = "--reuid=" + std::to_string(kNobody);
        const std::string gid = "--regid=" + std::to_string(kNobody);
        std::vector<std::string> all = {"/usr/bin/env", homeVar, "XDG_RUNTIME_DIR=" + std::string(home)};
        all.insert(all.end(), env.begin(), env.end());
        for (const std::string& a : {std::string("/usr/bin/setpriv"), uid, gid, std::string("--clear-groups"),
                                     std::string("--"), self})
            all.push_back(a);
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
