#pragma once

#include "PictureCheck.h"
#include "TextFitCheck.h"

#include "core/Finding.h"
#include "core/ScreenSet.h"
#include "core/SetCheck.h"

#include <string>
#include <vector>

namespace tavlora {

// Runs every check of a screen set: the Qt-free ones of SetCheck, the
// pictures and the fit of texts. Keep one runner per open set and run it
// again after an edit: it remembers decoded pictures and font metrics.
// Needs a QGuiApplication (fonts).
class CheckRunner {
public:
    struct Options {
        SetCheck::Options set;
        // The Vorn3 folder the pictures are resolved under (stored form).
        std::string vornFolder;
        bool checkPictures = true;
        bool checkText = true;
    };

    // Every finding, sorted (Finding::operator<).
    std::vector<Finding> Run(const ScreenSet& set, const Options& options);

private:
    PictureCheck pictures_;
    TextFitCheck text_;
};

} // namespace tavlora
