#include "CheckRunner.h"

#include <algorithm>

namespace tavlora {

std::vector<Finding> CheckRunner::Run(const ScreenSet& set, const Options& options)
{
    std::vector<Finding> all = SetCheck::Run(set, options.set);
    auto append = [&all](std::vector<Finding>&& more) {
        all.insert(all.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    };
    if (options.checkPictures)
        append(pictures_.Run(set, options.vornFolder));
    if (options.checkText)
        append(text_.Run(set));
    std::sort(all.begin(), all.end());
    return all;
}

} // namespace tavlora
