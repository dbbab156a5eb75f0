#pragma once

#include "Rect.h"

#include <optional>
#include <vector>

namespace tavlora {

// The layout commands over the selected rectangles, given in selection order.
// Alignment and size take the anchor as reference: it must be an entry after
// the first, and its top must differ from its bottom, or the command does
// nothing. Spacing needs three rectangles or more.
class Arrange {
public:
    enum Command {
        AlignTops,
        AlignBottoms,
        AlignLefts,
        AlignRights,
        SameHeight,
        SameWidth,
        SpaceAcross,      // left edges spread evenly, step truncated
        SpaceDown,        // top edges likewise
        AlignCentresAcross, // horizontal centres on the reference's
        AlignCentresDown,   // vertical centres on the reference's
        DistributeAcross, // equal gaps between neighbours, outer edges kept
        DistributeDown,
    };

    // The new rectangles in the same order, or nothing when the command does
    // not apply. `anchor` is the anchor's index in `rects`, or -1.
    static std::optional<std::vector<Rect>> Apply(Command command, const std::vector<Rect>& rects, int anchor);

    static bool NeedsReference(Command command);

    // A rectangle of a screen rescaled by (sx, sy): every edge rounded on its
    // own, so edges that met still meet.
    static Rect Scaled(const Rect& r, double sx, double sy);
};

} // namespace tavlora
