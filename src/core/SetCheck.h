#pragma once

#include "Finding.h"
#include "ScreenSet.h"
#include "ScreenSetFile.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tavlora {

// The checks of a screen set that need neither pictures nor fonts: hot keys,
// screen jumps, DRO formats, function numbers, types, geometry and stacking,
// and what the file itself showed when it was read. Pure and stateless, so the
// designer can run it again after every edit.
class SetCheck {
public:
    struct Catalog {
        std::string path; // platform form, for messages
        long entries = -1; // -1: the file cannot be read
    };

    struct Options {
        // The target screen the controls must lie on.
        int screenWidth = 1024;
        int screenHeight = 768;
        // What reading the file found (stored count, bytes after the colours);
        // the default means nothing to report.
        ReadResult file;
        // Function catalogs by file name ("DROs.txt", ...); with none loaded,
        // function numbers are not checked.
        std::map<std::string, Catalog, std::less<>> catalogs;

        // Reads the three catalogs of a Vorn3 folder (their line counts).
        void LoadCatalogs(std::string_view vornFolder);
    };

    // Every finding of these checks, sorted.
    static std::vector<Finding> Run(const ScreenSet& set, const Options& options);

    // "#3 Button "Cycle Start"": a control named in a message (index from 0).
    static std::string Describe(const ScreenSet& set, size_t index);
    static void AppendDescription(std::string& s, const ScreenSet& set, size_t index);
    // "10,10,70,30": left, top, right, bottom.
    static void AppendRect(std::string& s, const Rect& r);

private:
    static void CheckFile(const ScreenSet& set, const Options& o, std::vector<Finding>& out);
    static void CheckTypes(const ScreenSet& set, std::vector<Finding>& out);
    static void CheckFunctions(const ScreenSet& set, const Options& o, std::vector<Finding>& out);
    static void CheckDroFormats(const ScreenSet& set, std::vector<Finding>& out);
    static void CheckGeometry(const ScreenSet& set, const Options& o, std::vector<Finding>& out);
    static void CheckHidden(const ScreenSet& set, std::vector<Finding>& out);
    static void CheckHotKeys(const ScreenSet& set, std::vector<Finding>& out);
    static void CheckJumps(const ScreenSet& set, std::vector<Finding>& out);
};

} // namespace tavlora
