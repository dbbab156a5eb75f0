#pragma once

#include <string>
#include <string_view>

namespace tavlora {

// A DRO format from a screen-set file, checked once: it is applied to the
// sample value only when it holds exactly one floating-point conversion
// (flags, width, precision and "%%" allowed); otherwise the text is shown as it is.
class DroFormat {
public:
    // Longest text a format ever produces; wider output is cut.
    static constexpr size_t kMaxOutput = 256;
    // Largest width or precision a conversion may ask for.
    static constexpr int kMaxField = 99;

    DroFormat() : DroFormat("%+.4f") {}
    explicit DroFormat(std::string_view format);

    const std::string& Text() const { return format_; }
    // True when the format holds exactly one accepted conversion.
    bool IsConversion() const { return kind_ == Kind::Conversion; }
    // The precision of the conversion (6 when it gives none); -1 without one.
    int Precision() const { return IsConversion() ? precision_ : -1; }

    // The text drawn for a value (Windows-1252 bytes, at most kMaxOutput long).
    std::string Apply(double value) const;

    // What a stored DRO format says about the look: a format that begins with
    // "S" is a skin format ("D" in it: digits drawn, "T": digits on top) whose
    // paint format is its tail from the first "%" (the whole format without one).
    struct Skin {
        bool skin = false;
        bool drawDigits = true;
        bool textOnTop = false;
        std::string paintFormat;
    };
    static Skin ParseSkin(std::string_view format);

private:
    enum class Kind { Literal, Plain, Conversion };
    std::string format_;
    Kind kind_ = Kind::Literal;
    int precision_ = 6;
};

} // namespace tavlora
