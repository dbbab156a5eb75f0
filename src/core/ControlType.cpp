#include "ControlType.h"

namespace tavlora {

std::string_view ControlTypeTitle(int type)
{
    switch (type) {
    case TypeDro: return " DRO Control";
    case TypeObsolete: return " Obsolete Control";
    case TypeImage: return " Bitmap or Image Control";
    case TypeButton: return " Button Control";
    case TypeLed: return " LED Control";
    case TypeLabel: return "Label Control";
    case TypeImageButton: return " Image Button";
    case TypeMdi: return " MDI Control";
    case TypeGCodeList: return "GCode Display";
    case TypeToolPath: return " ToolPath Display";
    default: return {};
    }
}

} // namespace tavlora
