// Clipboard data from arbitrary bytes: what reads writes and reads back to the
// same records; what does not reads nothing and says why.
#include "core/ControlsBlock.h"

#include <cstdint>
#include <cstdlib>

using namespace tavlora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::unique_ptr<ControlRecord>> records, again;
    std::string error;
    if (!ControlsBlock::Read(data, size, records, error)) {
        if (error.empty() || !records.empty())
            std::abort();
        return 0;
    }
    std::vector<const ControlRecord*> view;
    for (const auto& rec : records)
        view.push_back(rec.get());
    const std::string bytes = ControlsBlock::Write(view);
    if (!ControlsBlock::Read(bytes.data(), bytes.size(), again, error) || again.size() != records.size())
        std::abort();
    for (size_t i = 0; i < records.size(); ++i) {
        if (!again[i]->SameStoredFields(*records[i]))
            std::abort();
    }
    return 0;
}
