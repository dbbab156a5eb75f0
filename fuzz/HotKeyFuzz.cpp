// Hot-key codes as files hold them (any int) named, and codes composed from any
// key and modifiers: a key of 1..255 keeps its code below the modifiers.
#include "core/HotKey.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace tavlora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int code = 0;
    std::memcpy(&code, data, size < sizeof code ? size : sizeof code);
    const uint8_t flags = size > sizeof code ? data[sizeof code] : 0;
    const int composed = HotKey::Compose(code, flags & 1, flags & 2, flags & 4);
    if (HotKey::Name(code).empty() || HotKey::KeyName(code).empty() || HotKey::Name(composed).empty()
        || (code > 0 && code <= 0xFF && (composed & 0xFF) != code))
        std::abort();
    return 0;
}
