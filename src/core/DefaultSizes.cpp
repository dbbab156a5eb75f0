#include "DefaultSizes.h"

#include <cstddef>

namespace tavlora {

namespace {

struct Entry {
    const char* key;
    int value;
};

constexpr Entry kEntries[DefaultSizes::Count] = {
    {"DROY", 40}, {"DROX", 200}, {"PBY", 20}, {"PBX", 60}, {"BY", 50}, {"BX", 50},
    {"JX", 80}, {"JY", 80}, {"LX", 70}, {"LY", 20}, {"LEDX", 16}, {"LEDY", 16},
    {"MDIX", 370}, {"MDIY", 25}, {"GCX", 400}, {"GCY", 300}, {"TX", 400}, {"TY", 300},
};

} // namespace

const char* DefaultSizes::Key(Which which)
{
    return kEntries[which].key;
}

int DefaultSizes::Default(Which which)
{
    return kEntries[which].value;
}

DefaultSizes::DefaultSizes()
{
    for (int i = 0; i < Count; ++i)
        values_[std::size_t(i)] = kEntries[i].value;
}

} // namespace tavlora
