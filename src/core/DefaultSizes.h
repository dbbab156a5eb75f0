#pragma once

#include <array>

namespace tavlora {

// The sizes new controls are placed with ("defs" keys of the settings), in
// the order they are read.
class DefaultSizes {
public:
    enum Which {
        DROY, DROX, PBY, PBX, BY, BX, JX, JY, LX, LY,
        LEDX, LEDY, MDIX, MDIY, GCX, GCY, TX, TY,
        Count
    };

    static const char* Key(Which which);
    static int Default(Which which);

    DefaultSizes();
    int Get(Which which) const { return values_[which]; }
    void Set(Which which, int value) { values_[which] = value; }

    bool operator==(const DefaultSizes&) const = default;

private:
    std::array<int, Count> values_{};
};

} // namespace tavlora
