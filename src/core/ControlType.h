#pragma once

#include <string_view>

namespace tavlora {

enum ControlType : int {
    TypeDro = 1,
    TypeObsolete = 2,
    TypeImage = 3,
    TypeButton = 4,
    TypeOlderImage = 5,
    TypeLed = 6,
    TypeLabel = 7,
    TypeImageButton = 8,
    TypeMdi = 9,
    TypeGCodeList = 10,
    TypeToolPath = 11,
};

// Dialog title of a control type; empty for type 5 and unknown types.
std::string_view ControlTypeTitle(int type);

} // namespace tavlora
