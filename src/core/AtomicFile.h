#pragma once

#include <string>
#include <string_view>

namespace tavlora {

// Whole-file reads and crash-safe writes. A write goes to a temporary file in
// the target's folder (".NAME.tavlora-save.PID.N"), flushed and synced, takes
// the target's permissions, and is renamed over the target; the folder is
// synced after the rename. A symbolic link is written through: its final
// target is replaced and the link stays a link. At any moment the target is
// either the whole old file or the whole new one. A failed write removes its
// temporary file; temporaries of killed writers are removed by the next
// successful write of the same file.
// A read-only target is never replaced. A character device or a FIFO is
// written directly (a FIFO only while a reader waits); a socket, a folder or a
// block device is refused. Reads take regular files only, up to a size limit,
// so a FIFO or a device never blocks a read or fills the memory.
class AtomicFile {
public:
    // Why a write failed, for callers that offer another way.
    enum class Failure {
        None,
        ReadOnly,      // the target is read-only
        FolderLocked,  // no temporary file can be made in the target's folder
        NotRegular,    // the target is a socket, a folder or a block device
        Other,
    };

    static constexpr long long kDefaultReadLimit = 512LL << 20;

    // Reads a whole regular file of at most `limit` bytes; false with a
    // message on failure.
    static bool ReadAll(const std::string& path, std::string& bytes, std::string& error,
                        long long limit = kDefaultReadLimit);
    // Replaces path with bytes; on failure the previous file is left intact.
    static bool WriteAll(const std::string& path, std::string_view bytes, std::string& error,
                         Failure* failure = nullptr);
    // Whether an existing file may be replaced: false for a file without any
    // write permission (even for root) or one this user cannot write.
    static bool IsReadOnly(const std::string& path);

    // The file that a write of path replaces: path itself, or the final target
    // of a chain of symbolic links (which need not exist yet). False with a
    // message for a loop of links.
    static bool ResolveTarget(const std::string& path, std::string& target, std::string& error);
    // Start of the temporary names of writes of the file called `fileName`.
    static std::string TempPrefix(const std::string& fileName);
    // Whether `entryName` (in the same folder) is a temporary of a write of
    // `fileName`, and the process id its name carries.
    static bool IsTempOf(const std::string& fileName, const std::string& entryName, long* pid = nullptr);
};

} // namespace tavlora
