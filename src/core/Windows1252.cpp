#include "Windows1252.h"

namespace tavlora {

namespace {

constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (cp >> 18)));
        out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}

} // namespace

char32_t Windows1252::ToCodePoint(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHigh[byte - 0x80];
    return byte;
}

int Windows1252::FromCodePoint(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == cp)
            return 0x80 + i;
    }
    return -1;
}

std::string Windows1252::ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes)
        AppendUtf8(out, ToCodePoint(b));
    return out;
}

bool Windows1252::FromUtf8(std::string_view s, std::string& out, char32_t* badChar)
{
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = s[i];
        char32_t cp;
        size_t extra;
        if (c < 0x80) {
            cp = c;
            extra = 0;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            extra = 3;
        } else {
            if (badChar)
                *badChar = 0xFFFD;
            return false;
        }
        if (i + extra >= s.size()) {
            if (badChar)
                *badChar = 0xFFFD;
            return false;
        }
        for (size_t k = 1; k <= extra; ++k) {
            unsigned char cc = s[i + k];
            if ((cc & 0xC0) != 0x80) {
                if (badChar)
                    *badChar = 0xFFFD;
                return false;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Only the shortest form of a Unicode scalar value is UTF-8.
        static constexpr char32_t kLeast[4] = {0, 0x80, 0x800, 0x10000};
        if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            if (badChar)
                *badChar = 0xFFFD;
            return false;
        }
        int b = FromCodePoint(cp);
        if (b < 0) {
            if (badChar)
                *badChar = cp;
            return false;
        }
        out.push_back(char(b));
        i += extra + 1;
    }
    return true;
}

namespace {

// The code point at units[i] and how many units it takes; a lone surrogate is
// returned as itself.
char32_t NextUtf16(const char16_t* units, size_t count, size_t i, size_t& taken)
{
    const char32_t u = units[i];
    taken = 1;
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
        taken = 2;
        return 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00);
    }
    return u;
}

} // namespace

std::string Windows1252::FromUtf16(const char16_t* units, size_t count)
{
    std::string out;
    out.reserve(count);
    size_t taken = 0;
    for (size_t i = 0; i < count; i += taken) {
        const int b = FromCodePoint(NextUtf16(units, count, i, taken));
        out.push_back(b < 0 ? '?' : char(b));
    }
    return out;
}

bool Windows1252::FromUtf16(const char16_t* units, size_t count, std::string& out, char32_t* badChar)
{
    size_t taken = 0;
    for (size_t i = 0; i < count; i += taken) {
        const char32_t cp = NextUtf16(units, count, i, taken);
        const int b = cp >= 0xD800 && cp <= 0xDFFF ? -1 : FromCodePoint(cp);
        if (b < 0) {
            if (badChar)
                *badChar = cp;
            return false;
        }
        out.push_back(char(b));
    }
    return true;
}

} // namespace tavlora
