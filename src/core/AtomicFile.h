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
class AtomicFile {
public:
    // Reads a whole file; false with a message on failure.
    static bool ReadAll(const std::string& path, std::string& bytes, std::string& error);
    // Replaces path with bytes; on failure the previous file is left intact.
    static bool WriteAll(const std::string& path, std::string_view bytes, std::string& error);

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
