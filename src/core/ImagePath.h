#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavlora {

// Resolution of picture names stored in records ("Sub\Pic.bmp", relative to the
// Bitmaps folder of the Vorn3 folder) to full paths.
class ImagePath {
public:
    // How a widget treats the keywords "None" and "Missing" in a name.
    enum class Keywords {
        Dro,         // "None" -> offline placeholder
        Picture,     // "None" -> offline placeholder
        EmergButton, // "None" -> no image; "Missing" -> offline placeholder
        LedCustom,   // "None" -> the call does nothing
    };

    static constexpr std::string_view kOfflineImage = "MillBitmaps\\offline.jpg";

    // "/" -> "\", then one leading "\" removed.
    static std::string Normalise(std::string_view name);

    // Applies the keyword rule to a normalised name. Returns false when the rule
    // says there is no image.
    static bool ApplyKeywords(Keywords rule, std::string& name);

    // Vorn3 folder + "\Bitmaps\" + name, in the stored (Windows) form.
    static std::string InBitmaps(std::string_view vornFolder, std::string_view name);

    // Whether a name climbs out of the folder it is relative to ("..\\..\\etc"),
    // with either separator; names holding a NUL, and parts of dots and
    // blanks that Windows reads as "..", count as climbing out. Such a name is
    // never opened.
    static bool LeavesFolder(std::string_view name);

    // Full stored-form path for a record's image name, or empty when the
    // keyword rule gives no image or the name leaves the Bitmaps folder (then
    // *outside is set).
    static std::string Resolve(std::string_view vornFolder, std::string_view name, Keywords rule,
                               bool* outside = nullptr);

    // The image name of a chosen file: the part of its full path after the first
    // "bitmaps" folder (any letter case, either separator), with backslashes as
    // records store them ("Buttons\Start.bmp"); nothing outside any Bitmaps folder.
    static std::optional<std::string> BitmapsRelative(std::string_view fullPath);

    // Stored-form path to a path of this platform: separators converted, and on
    // a case-sensitive file system every component that does not exist exactly
    // is matched without regard to case. Components that match nothing are kept.
    static std::string ToPlatform(std::string_view storedPath);
};

} // namespace tavlora
