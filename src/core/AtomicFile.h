#pragma once

#include <string>
#include <string_view>

namespace tavlora {

// Whole-file reads and crash-safe writes (temporary file in the same folder,
// flushed, then renamed over the target).
class AtomicFile {
public:
    // Reads a whole file; false with a message on failure.
    static bool ReadAll(const std::string& path, std::string& bytes, std::string& error);
    // Replaces path with bytes; on failure the previous file is left intact.
    static bool WriteAll(const std::string& path, std::string_view bytes, std::string& error);
};

} // namespace tavlora
