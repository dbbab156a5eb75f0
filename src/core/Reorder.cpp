#include "Reorder.h"

namespace tavlora {

std::vector<size_t> Reorder::PicturesFirst(const std::vector<bool>& shownPicture)
{
    std::vector<size_t> order;
    order.reserve(shownPicture.size());
    for (size_t i = shownPicture.size(); i-- > 0;) {
        if (shownPicture[i])
            order.push_back(i);
    }
    for (size_t i = shownPicture.size(); i-- > 0;) {
        if (!shownPicture[i])
            order.push_back(i);
    }
    return order;
}

} // namespace tavlora
