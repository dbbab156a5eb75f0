#include "ColourSet.h"

namespace tavlora {

std::array<ColourRef, ColourSet::Count> ColourSet::Defaults()
{
    return {0xF0F0F0, 0xA0FFA0, 0xE0FFE0, 0xFFB0B0, 0xFFE0E0, 0, 0, 0, 0x80FFFF, 0};
}

std::string_view ColourSet::ProfileKey(Index i)
{
    static constexpr std::string_view keys[Count] = {
        "ScreenBack", "DROBack", "DroSel", "MDIBack", "MDISel",
        "Label", "DRONumers", "MDIText", "GCodeBack", "GCodeTextScreenBack"};
    return keys[i];
}

std::string_view ColourSet::Title(Index i)
{
    static constexpr std::string_view titles[Count] = {
        "Screen Background", "DRO Background Normal", "DRO Background Selected",
        "MDI BackGround Normal", "MDI Background Selected", "Label Text", "DRO Numbers",
        "MDI Text", "GCode BackGround", "GCode Text"};
    return titles[i];
}

} // namespace tavlora
