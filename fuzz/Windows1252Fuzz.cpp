// Windows-1252 over arbitrary bytes: bytes -> UTF-8 -> bytes is the identity,
// and UTF-8 or UTF-16 is accepted only in its one valid form (what is accepted
// converts back to the same text).
#include "core/Windows1252.h"

#include <cstdint>
#include <cstdlib>

using namespace tavlora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string back, fromUtf8, strict;
    if (!Windows1252::FromUtf8(Windows1252::ToUtf8(bytes), back) || back != bytes)
        std::abort();
    if (Windows1252::FromUtf8(bytes, fromUtf8) && Windows1252::ToUtf8(fromUtf8) != bytes)
        std::abort();
    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(data[2 * i] | (data[2 * i + 1] << 8));
    const std::string lenient = Windows1252::FromUtf16(units.data(), units.size());
    if (Windows1252::FromUtf16(units.data(), units.size(), strict)) {
        if (strict != lenient || strict.size() != units.size())
            std::abort();
        for (size_t i = 0; i < units.size(); ++i) {
            if (Windows1252::ToCodePoint(static_cast<unsigned char>(strict[i])) != units[i])
                std::abort();
        }
    }
    return 0;
}
