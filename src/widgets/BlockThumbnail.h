#pragma once

#include "core/ColourSet.h"
#include "core/ControlRecord.h"

#include <QImage>
#include <QSize>

#include <memory>
#include <string>
#include <vector>

namespace tavlora {

// A picture of controls that are not in the document (a library block): a
// set and widgets of its own, drawn through ScreenRenderer as the Screens dock
// draws a screen, on the screen background of `colours`.
class BlockThumbnail {
public:
    // The records' bounding box scaled to fit `box` (never enlarged), centred
    // on a transparent image of that size; a null image when nothing shows.
    static QImage Draw(const std::vector<std::unique_ptr<ControlRecord>>& records, const ColourSet& colours,
                       const std::string& vornFolder, bool showImages, QSize box);
};

} // namespace tavlora
