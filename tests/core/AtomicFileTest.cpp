#include "core/AtomicFile.h"

#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavlora;
namespace fs = std::filesystem;

namespace {

struct TempDir {
    TempDir() : path(fs::temp_directory_path() / ("tavlora-atomic-" + std::to_string(::getpid())))
    {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    std::set<std::string> Names() const
    {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(path))
            names.insert(e.path().filename().string());
        return names;
    }
    std::string Read(const std::string& name) const
    {
        std::string bytes, error;
        EXPECT_TRUE(AtomicFile::ReadAll((path / name).string(), bytes, error)) << error;
        return bytes;
    }
    void Touch(const std::string& name) const { std::fclose(std::fopen((path / name).c_str(), "w")); }
    fs::path path;
};

mode_t ModeOf(const fs::path& p)
{
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_mode & 07777;
}

// A process id that no process has (above the kernel's largest).
constexpr long kDeadPid = 99999999;

} // namespace

TEST(AtomicFile, ReplacesWholeFile)
{
    TempDir dir;
    const std::string target = (dir.path / "a.set").string();
    std::string error;
    ASSERT_TRUE(AtomicFile::WriteAll(target, std::string(1000, 'x'), error)) << error;
    ASSERT_TRUE(AtomicFile::WriteAll(target, "short", error)) << error;
    EXPECT_EQ(dir.Read("a.set"), "short");
    EXPECT_EQ(dir.Names(), std::set<std::string>{"a.set"}); // no temporary left behind
}

TEST(AtomicFile, KeepsThePermissionsOfTheFileItReplaces)
{
    TempDir dir;
    const fs::path target = dir.path / "perm.set";
    std::string error;
    for (mode_t mode : {0600, 0640, 0644, 0664, 0700, 0755, 0620}) {
        ASSERT_TRUE(AtomicFile::WriteAll(target.string(), "old", error)) << error;
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        ASSERT_TRUE(AtomicFile::WriteAll(target.string(), "new", error)) << error;
        EXPECT_EQ(ModeOf(target), mode) << std::oct << mode;
        EXPECT_EQ(dir.Read("perm.set"), "new");
        ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
    }
    // A new file gets the usual permissions for new files.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    const fs::path fresh = dir.path / "fresh.set";
    ASSERT_TRUE(AtomicFile::WriteAll(fresh.string(), "x", error)) << error;
    EXPECT_EQ(ModeOf(fresh), 0666 & ~mask);
}

TEST(AtomicFile, WritesThroughSymbolicLinksAndKeepsThem)
{
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links; // link -> points at
        std::string write;                                       // name written
        std::string real;                                        // file that gets the bytes
    };
    const std::vector<Case> cases = {
        {"relative", {{"link.set", "real.set"}}, "link.set", "real.set"},
        {"chain of two", {{"a.set", "b.set"}, {"b.set", "sub/real.set"}}, "a.set", "sub/real.set"},
        {"into a sub-folder and back", {{"sub/up.set", "../real.set"}}, "sub/up.set", "real.set"},
        {"dangling link creates its target", {{"new.set", "sub/created.set"}}, "new.set", "sub/created.set"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        fs::create_directories(dir.path / "sub");
        std::string error;
        if (c.real != "sub/created.set") {
            ASSERT_TRUE(AtomicFile::WriteAll((dir.path / c.real).string(), "old", error));
        }
        for (const auto& [link, to] : c.links)
            fs::create_symlink(to, dir.path / link);
        ASSERT_TRUE(AtomicFile::WriteAll((dir.path / c.write).string(), "new bytes", error)) << error;
        EXPECT_EQ(dir.Read(c.real), "new bytes");
        for (const auto& [link, to] : c.links) {
            EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.path / link))) << link;
            EXPECT_EQ(fs::read_symlink(dir.path / link).string(), to);
        }
        std::string resolved;
        ASSERT_TRUE(AtomicFile::ResolveTarget((dir.path / c.write).string(), resolved, error));
        EXPECT_TRUE(fs::equivalent(resolved, dir.path / c.real));
        for (const auto& e : fs::recursive_directory_iterator(dir.path))
            EXPECT_FALSE(AtomicFile::IsTempOf(fs::path(c.real).filename().string(),
                                              e.path().filename().string()))
                << e.path();
    }
}

TEST(AtomicFile, ALoopOfLinksIsRefusedWithAMessage)
{
    TempDir dir;
    fs::create_symlink("b.set", dir.path / "a.set");
    fs::create_symlink("a.set", dir.path / "b.set");
    std::string error;
    EXPECT_FALSE(AtomicFile::WriteAll((dir.path / "a.set").string(), "x", error));
    EXPECT_NE(error.find("symbolic links"), std::string::npos) << error;
    EXPECT_EQ(dir.Names(), (std::set<std::string>{"a.set", "b.set"}));
}

TEST(AtomicFile, FailedWriteKeepsThePreviousFileAndLeavesNoTemporary)
{
    TempDir dir;
    const fs::path blocker = dir.path / "blocked.set";
    fs::create_directories(blocker / "inside"); // a non-empty folder cannot be replaced by a file
    std::string error;
    EXPECT_FALSE(AtomicFile::WriteAll(blocker.string(), "data", error));
    EXPECT_NE(error.find("blocked.set"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(blocker / "inside"));
    EXPECT_EQ(dir.Names(), std::set<std::string>{"blocked.set"});

    error.clear();
    EXPECT_FALSE(AtomicFile::WriteAll((dir.path / "no-such-folder" / "x.set").string(), "data", error));
    EXPECT_FALSE(error.empty());

    std::string bytes;
    EXPECT_FALSE(AtomicFile::ReadAll((dir.path / "missing.set").string(), bytes, error));
    EXPECT_NE(error.find("missing.set"), std::string::npos);
}

TEST(AtomicFile, AWriteCutShortByTheFileSizeLimitLeavesTheOldFile)
{
    TempDir dir;
    const fs::path target = dir.path / "big.set";
    std::string error;
    ASSERT_TRUE(AtomicFile::WriteAll(target.string(), "old contents", error));

    // The disk "fills up" after 4 KiB: write() fails part-way.
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = AtomicFile::WriteAll(target.string(), std::string(1 << 20, 'n'), error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_NE(error.find("big.set"), std::string::npos) << error;
    EXPECT_EQ(dir.Read("big.set"), "old contents");
    EXPECT_EQ(dir.Names(), std::set<std::string>{"big.set"});
}

TEST(AtomicFile, TemporaryNamesAreRecognisable)
{
    struct Case {
        std::string file, entry;
        bool temp;
        long pid;
    };
    const std::vector<Case> cases = {
        {"mill.set", ".mill.set.tavlora-save.1234.7", true, 1234},
        {"mill.set", ".mill.set.tavlora-save.1.0", true, 1},
        {"mill.set", "mill.set", false, 0},
        {"mill.set", ".mill.set.tavlora-save.", false, 0},
        {"mill.set", ".mill.set.tavlora-save.12", false, 0},
        {"mill.set", ".mill.set.tavlora-save.12.", false, 0},
        {"mill.set", ".mill.set.tavlora-save..3", false, 0},
        {"mill.set", ".mill.set.tavlora-save.1x.3", false, 0},
        {"mill.set", ".other.set.tavlora-save.12.3", false, 0},
        {"mill.set", ".mill.set.tavlora-save.12.3.bak", false, 0},
        {"mill", ".mill.set.tavlora-save.12.3", false, 0},
    };
    for (const Case& c : cases) {
        long pid = 0;
        EXPECT_EQ(AtomicFile::IsTempOf(c.file, c.entry, &pid), c.temp) << c.entry;
        if (c.temp) {
            EXPECT_EQ(pid, c.pid) << c.entry;
        }
    }
    EXPECT_TRUE(AtomicFile::IsTempOf("a b.lset", AtomicFile::TempPrefix("a b.lset") + "5.6"));
}

TEST(AtomicFile, ASuccessfulWriteRemovesTemporariesOfKilledWritesOfTheSameFile)
{
    TempDir dir;
    const std::string dead = ".mill.set.tavlora-save." + std::to_string(kDeadPid) + ".1";
    const std::string dead2 = ".mill.set.tavlora-save." + std::to_string(kDeadPid) + ".2";
    const std::string live = ".mill.set.tavlora-save.1.9";                 // process 1 runs
    const std::string other = ".turn.lset.tavlora-save." + std::to_string(kDeadPid) + ".1";
    for (const std::string& n : {dead, dead2, live, other, std::string("notes.txt")})
        dir.Touch(n);

    std::string error;
    // A failed write leaves them.
    fs::create_directories(dir.path / "mill.set" / "x");
    EXPECT_FALSE(AtomicFile::WriteAll((dir.path / "mill.set").string(), "v1", error));
    EXPECT_TRUE(dir.Names().count(dead));
    fs::remove_all(dir.path / "mill.set");

    ASSERT_TRUE(AtomicFile::WriteAll((dir.path / "mill.set").string(), "v1", error)) << error;
    EXPECT_EQ(dir.Names(), (std::set<std::string>{"mill.set", live, other, "notes.txt"}));
    EXPECT_EQ(dir.Read("mill.set"), "v1");
}

TEST(AtomicFile, ReadingAFolderFailsWithAMessage)
{
    TempDir dir;
    std::string bytes, error;
    EXPECT_FALSE(AtomicFile::ReadAll(dir.path.string(), bytes, error));
    EXPECT_NE(error.find("folder"), std::string::npos) << error;
    EXPECT_TRUE(bytes.empty());
}

// What is not a regular file, or may not be replaced, is never renamed over:
// read-only files are refused, devices and FIFOs are written or read in place
// or refused at once, and nothing blocks.
TEST(AtomicFile, ReadOnlyFilesDevicesAndFifosAreNeverReplaced)
{
    TempDir dir;
    std::string error, bytes;
    AtomicFile::Failure why = AtomicFile::Failure::None;
    const fs::path locked = dir.path / "locked.set";
    ASSERT_TRUE(AtomicFile::WriteAll(locked.string(), "old", error)) << error;
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    EXPECT_FALSE(AtomicFile::WriteAll(locked.string(), "new", error, &why));
    EXPECT_EQ(why, AtomicFile::Failure::ReadOnly);
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(dir.Read("locked.set"), "old");

    ASSERT_TRUE(AtomicFile::WriteAll("/dev/null", "bytes", error, &why)) << error;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_FALSE(AtomicFile::ReadAll("/dev/zero", bytes, error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;

    const fs::path fifo = dir.path / "pipe.set";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_FALSE(AtomicFile::ReadAll(fifo.string(), bytes, error)); // no writer: no wait
    EXPECT_FALSE(AtomicFile::WriteAll(fifo.string(), "x", error, &why)); // no reader: no wait
    EXPECT_NE(error.find("nothing reads"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_fifo(fifo));

    ASSERT_TRUE(AtomicFile::WriteAll((dir.path / "big").string(), std::string(100, 'x'), error));
    EXPECT_FALSE(AtomicFile::ReadAll((dir.path / "big").string(), bytes, error, 99));
    EXPECT_NE(error.find("100 bytes"), std::string::npos) << error;
    EXPECT_TRUE(AtomicFile::ReadAll((dir.path / "big").string(), bytes, error, 100));
}

// A writable file in a folder where no temporary file can be made is refused
// with the folder named (as a user: root creates files anywhere).
TEST(AtomicFile, AFolderWithoutRoomForATemporaryIsNamed)
{
    using test::Unprivileged;
    if (Unprivileged::IsRoot()) {
        EXPECT_EQ(Unprivileged::RunSelf({"--gtest_filter=AtomicFile.AFolderWithoutRoomForATemporaryIsNamed"}), 0);
        return;
    }
    TempDir dir;
    std::string error;
    AtomicFile::Failure why = AtomicFile::Failure::None;
    const fs::path shut = dir.path / "shut";
    fs::create_directories(shut);
    const fs::path file = shut / "a.set";
    ASSERT_TRUE(AtomicFile::WriteAll(file.string(), "old", error)) << error;
    ASSERT_EQ(::chmod(shut.c_str(), 0555), 0);
    EXPECT_FALSE(AtomicFile::WriteAll(file.string(), "new", error, &why));
    EXPECT_EQ(why, AtomicFile::Failure::FolderLocked);
    EXPECT_NE(error.find(shut.string()), std::string::npos) << error;
    EXPECT_EQ(dir.Read("shut/a.set"), "old");
    ::chmod(shut.c_str(), 0755);
}
