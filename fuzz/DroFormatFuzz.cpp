// Feeds arbitrary DRO formats (they come from screen-set files) and sample
// values to the format checker; whatever the format, applying it must neither
// crash nor produce more than the bounded output.
#include "core/DroFormat.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

using namespace tavlora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    double value = 0.1;
    if (size >= sizeof(double)) {
        std::memcpy(&value, data, sizeof(double));
        data += sizeof(double);
        size -= sizeof(double);
    }
    const DroFormat format(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string text = format.Apply(value);
    if (text.size() > DroFormat::kMaxOutput)
        std::abort();
    return 0;
}
