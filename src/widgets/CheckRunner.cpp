#include "CheckRunner.h"

#include <algorithm>
#include <future>
#include <iterator>
#include <system_error>

namespace tavlora {

std::vector<Finding> CheckRunner::Run(const ScreenSet& set, const Options& options)
{
    // The Qt-free checks run beside the pictures and the texts, which stay on
    // the calling thread with its fonts; all of them only read the set.
    std::future<std::vector<Finding>> fromSet;
    try {
        fromSet = std::async(std::launch::async, [&set, &options] { return SetCheck::Run(set, options.set); });
    } catch (const std::system_error&) {
    }
    std::vector<Finding> more;
    auto append = [&more](std::vector<Finding>&& found) {
        more.insert(more.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    };
    if (options.checkPictures)
        append(pictures_.Run(set, options.vornFolder));
    if (options.checkText)
        append(text_.Run(set));
    Finding::Sort(more);
    std::vector<Finding> sorted = fromSet.valid() ? fromSet.get() : SetCheck::Run(set, options.set);
    std::vector<Finding> all;
    all.reserve(sorted.size() + more.size());
    std::merge(std::make_move_iterator(sorted.begin()), std::make_move_iterator(sorted.end()),
               std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()), std::back_inserter(all));
    return all;
}

} // namespace tavlora
