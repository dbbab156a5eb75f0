#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tavlora {

// Windows colour reference 0x00BBGGRR.
using ColourRef = uint32_t;

constexpr uint8_t RedOf(ColourRef c) { return c & 0xFF; }
constexpr uint8_t GreenOf(ColourRef c) { return (c >> 8) & 0xFF; }
constexpr uint8_t BlueOf(ColourRef c) { return (c >> 16) & 0xFF; }
constexpr ColourRef MakeColourRef(uint8_t r, uint8_t g, uint8_t b)
{
    return ColourRef(r) | (ColourRef(g) << 8) | (ColourRef(b) << 16);
}

// The ten screen colours, in file order.
class ColourSet {
public:
    enum Index {
        ScreenBack = 0,
        DROBack,
        DroSel,
        MDIBack,
        MDISel,
        Label,
        DRONumers,
        MDIText,
        GCodeBack,
        GCodeTextScreenBack,
        Count
    };

    ColourSet() : values_(Defaults()) {}

    ColourRef Get(Index i) const { return values_[i]; }
    void Set(Index i, ColourRef c) { values_[i] = c; }
    ColourRef& operator[](size_t i) { return values_.at(i); }
    ColourRef operator[](size_t i) const { return values_.at(i); }
    bool operator==(const ColourSet&) const = default;

    static std::array<ColourRef, Count> Defaults();
    // Settings profile key of a colour ("ScreenBack", "DRONumers", ...).
    static std::string_view ProfileKey(Index i);
    // Label of the colour in the colour dialog ("Screen Background", ...).
    static std::string_view Title(Index i);

private:
    std::array<ColourRef, Count> values_;
};

} // namespace tavlora
