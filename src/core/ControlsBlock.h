#pragma once

#include "ControlRecord.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace tavlora {

// Controls on their own, as copied between designers: a count and the records
// in the screen-set file's record encoding, rectangles exactly as they are.
// Read treats the bytes as untrusted: it checks every length and yields all
// records or none, and at most kMaxControls of them.
class ControlsBlock {
public:
    static constexpr size_t kMaxControls = 200000;

    static std::string Write(const std::vector<const ControlRecord*>& records);
    static bool Read(const void* data, size_t size, std::vector<std::unique_ptr<ControlRecord>>& records,
                     std::string& error);
};

} // namespace tavlora
