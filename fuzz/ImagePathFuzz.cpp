// Picture names from records (arbitrary bytes) through every keyword rule to a
// path on disk, over a small Bitmaps folder: a name resolves to a file in the
// Bitmaps folder (as the system opens it, up to a NUL) or to nothing, and the
// name of a chosen file in that folder is the name given.
#include "core/ImagePath.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

using namespace tavlora;
namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const fs::path root = fs::temp_directory_path() / ("tavlora-fuzz-" + std::to_string(::getpid()));
    static const bool made = fs::create_directories(root / "Bitmaps" / "Sub") || true;
    const std::string bitmaps = (root / "Bitmaps" / "").string();
    const std::string_view name(reinterpret_cast<const char*>(data), size);
    const std::string normal = ImagePath::Normalise(name);
    using K = ImagePath::Keywords;
    for (const K rule : {K::Dro, K::Picture, K::EmergButton, K::LedCustom}) {
        bool outside = false;
        const std::string resolved = ImagePath::Resolve(root.string(), name, rule, &outside);
        if (!made || normal.find('/') != std::string::npos || (outside && !resolved.empty()))
            std::abort();
        if (resolved.empty())
            continue;
        const std::string platform = ImagePath::ToPlatform(resolved);
        const fs::path opened = fs::path(platform.substr(0, platform.find('\0'))).lexically_normal();
        if (platform.find('\\') != std::string::npos || opened.string().compare(0, bitmaps.size(), bitmaps) != 0)
            std::abort();
    }
    if (!normal.empty() && ImagePath::BitmapsRelative(ImagePath::InBitmaps(root.string(), normal)) != normal)
        std::abort();
    return 0;
}
