#include "DroFormat.h"

#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <locale.h>
#else
#include <clocale>
#include <locale.h>
#endif

namespace tavlora {

namespace {

bool IsFlag(char c)
{
    return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0';
}

bool IsFloatConversion(char c)
{
    return std::strchr("fFeEgGaA", c) != nullptr && c != '\0';
}

// Reads up to kMaxField from a digit run; false when the number is too large.
bool ReadField(std::string_view s, size_t& i, int* read = nullptr)
{
    int value = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        value = value * 10 + (s[i] - '0');
        if (value > DroFormat::kMaxField)
            return false;
        ++i;
    }
    if (read)
        *read = value;
    return true;
}

std::string Truncated(std::string s)
{
    if (s.size() > DroFormat::kMaxOutput)
        s.resize(DroFormat::kMaxOutput);
    return s;
}

} // namespace

DroFormat::DroFormat(std::string_view format) : format_(format)
{
    if (format.find('\0') != std::string_view::npos) {
        kind_ = Kind::Literal;
        return;
    }
    int conversions = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        ++i;
        if (i < format.size() && format[i] == '%')
            continue;
        while (i < format.size() && IsFlag(format[i]))
            ++i;
        if (!ReadField(format, i))
            return;
        if (i < format.size() && format[i] == '.') {
            ++i;
            if (!ReadField(format, i, &precision_))
                return;
        }
        if (i < format.size() && format[i] == 'l')
            ++i;
        if (i >= format.size() || !IsFloatConversion(format[i]))
            return; // anything but a floating-point conversion: literal
        ++conversions;
    }
    if (conversions == 0)
        kind_ = Kind::Plain;
    else if (conversions == 1)
        kind_ = Kind::Conversion;
}

DroFormat::Skin DroFormat::ParseSkin(std::string_view format)
{
    Skin out;
    out.paintFormat = format;
    if (!format.empty() && format[0] == 'S') {
        out.skin = true;
        out.drawDigits = format.find('D') != std::string_view::npos;
        out.textOnTop = format.find('T') != std::string_view::npos;
        const size_t percent = format.find('%');
        if (percent != std::string_view::npos)
            out.paintFormat = format.substr(percent);
    }
    return out;
}

std::string DroFormat::Apply(double value) const
{
    switch (kind_) {
    case Kind::Literal:
        return Truncated(format_);
    case Kind::Plain: {
        // What printf prints for a format without conversions: "%%" becomes "%".
        std::string out;
        for (size_t i = 0; i < format_.size(); ++i) {
            out += format_[i];
            if (format_[i] == '%' && i + 1 < format_.size() && format_[i + 1] == '%')
                ++i;
        }
        return Truncated(out);
    }
    case Kind::Conversion:
        break;
    }

    char buffer[kMaxOutput + 1];
    int n;
    // The decimal point is always ".", whatever the user's locale.
#ifdef _WIN32
    static _locale_t cLocale = _create_locale(LC_NUMERIC, "C");
    n = _snprintf_l(buffer, sizeof buffer, format_.c_str(), cLocale, value);
#else
    static locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
    locale_t previous = uselocale(cLocale);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    n = std::snprintf(buffer, sizeof buffer, format_.c_str(), value);
#pragma GCC diagnostic pop
    uselocale(previous);
#endif
    if (n < 0)
        return Truncated(format_);
    buffer[kMaxOutput] = '\0';
    return std::string(buffer);
}

} // namespace tavlora
