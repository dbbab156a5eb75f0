#pragma once

#include <cstddef>
#include <vector>

namespace tavlora {

// "Bitmaps To Back": the list taken in reverse, shown pictures first, then
// every other record; each group ends up in the reverse of its former order,
// so giving the command twice restores both groups.
class Reorder {
public:
    // `shownPicture[i]` tells whether record i is a picture shown on the
    // screen. Returns the old indices in their new order.
    static std::vector<size_t> PicturesFirst(const std::vector<bool>& shownPicture);
};

} // namespace tavlora
