#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavlora {

// Windows-1252 with the WHATWG mapping: the five undefined bytes map to the C1
// controls of the same value, so every byte string round-trips through Unicode.
class Windows1252 {
public:
    static char32_t ToCodePoint(unsigned char byte);
    // Byte for a code point, or -1 when the code page has none.
    static int FromCodePoint(char32_t cp);

    static std::string ToUtf8(std::string_view bytes);
    // False (out untouched beyond what was appended) on invalid UTF-8 (overlong
    // forms, surrogates and code points above U+10FFFF included; badChar is then
    // U+FFFD) or a character outside the code page (badChar is that character).
    static bool FromUtf8(std::string_view utf8, std::string& out, char32_t* badChar = nullptr);
    // UTF-16 code units to bytes; unmappable characters and lone surrogates become '?'.
    static std::string FromUtf16(const char16_t* units, size_t count);
    // The same, refusing: false at the first lone surrogate or character outside
    // the code page, which badChar receives.
    static bool FromUtf16(const char16_t* units, size_t count, std::string& out, char32_t* badChar = nullptr);
};

} // namespace tavlora
