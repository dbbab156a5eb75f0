#include "core/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace tavlora;
namespace fs = std::filesystem;

namespace {

struct TempDir {
    TempDir() : path(fs::temp_directory_path() / ("tavlora-atomic-" + std::to_string(::getpid())))
    {
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    size_t EntryCount() const
    {
        return size_t(std::distance(fs::directory_iterator(path), fs::directory_iterator()));
    }
    fs::path path;
};

} // namespace

TEST(AtomicFile, ReplacesWholeFile)
{
    TempDir dir;
    const std::string target = (dir.path / "a.set").string();
    std::string error, bytes;
    ASSERT_TRUE(AtomicFile::WriteAll(target, std::string(1000, 'x'), error)) << error;
    ASSERT_TRUE(AtomicFile::WriteAll(target, "short", error)) << error;
    ASSERT_TRUE(AtomicFile::ReadAll(target, bytes, error));
    EXPECT_EQ(bytes, "short");
    EXPECT_EQ(dir.EntryCount(), 1u); // no temporary left behind
}

TEST(AtomicFile, FailedWriteKeepsThePreviousFileAndSaysSo)
{
    TempDir dir;
    const fs::path blocker = dir.path / "blocked.set";
    fs::create_directories(blocker / "inside"); // a non-empty folder cannot be replaced by a file
    std::string error;
    EXPECT_FALSE(AtomicFile::WriteAll(blocker.string(), "data", error));
    EXPECT_NE(error.find("blocked.set"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(blocker / "inside"));
    EXPECT_EQ(dir.EntryCount(), 1u);

    error.clear();
    EXPECT_FALSE(AtomicFile::WriteAll((dir.path / "no-such-folder" / "x.set").string(), "data", error));
    EXPECT_FALSE(error.empty());

    std::string bytes;
    EXPECT_FALSE(AtomicFile::ReadAll((dir.path / "missing.set").string(), bytes, error));
    EXPECT_NE(error.find("missing.set"), std::string::npos);
}

TEST(AtomicFile, ReadingAFolderFailsWithAMessage)
{
    TempDir dir;
    std::string bytes, error;
    EXPECT_FALSE(AtomicFile::ReadAll(dir.path.string(), bytes, error));
    EXPECT_NE(error.find("folder"), std::string::npos) << error;
    EXPECT_TRUE(bytes.empty());
}
