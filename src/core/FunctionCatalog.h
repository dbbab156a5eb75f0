#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavlora {

// The Vorn3 function names of a control type, one per line of a catalog file
// in the Vorn3 folder; the line index is the function number.
class FunctionCatalog {
public:
    static constexpr int kOemDro = 12;
    static constexpr int kOemButton = 32;
    static constexpr int kGCodeButton = 33;
    static constexpr int kScriptButton = 34;
    static constexpr int kOemLed = 56;
    // A catalog larger than this is not read.
    static constexpr long long kMaxBytes = 16LL << 20;
    static constexpr std::string_view kMissingMessage =
        "Text file for Function calls missing.. Please reinstall..";

    // "DROs.txt", "Buttons.txt", "Leds.txt", or empty for a type without catalog.
    static std::string_view FileNameForType(int type);
    // Vorn3 folder + "\" + file name, in the stored form.
    static std::string PathForType(std::string_view vornFolder, int type);

    // Loads the catalog of a type. A type without catalog succeeds with no
    // entries; a file that cannot be opened fails with no entries.
    bool Load(std::string_view vornFolder, int type);
    // Splits file contents into entries: CR LF or LF removed, nothing trimmed,
    // empty lines kept, a last line without line end kept.
    static std::vector<std::string> SplitLines(std::string_view contents);

    const std::vector<std::string>& Entries() const { return entries_; }

private:
    std::vector<std::string> entries_;
};

} // namespace tavlora
