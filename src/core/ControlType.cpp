#include "ControlType.h"

#include "ControlRecord.h"

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

void ApplyCreationRules(ControlRecord& record)
{
    constexpr int kDefaultLineCount = 10;
    if (record.type == TypeOlderImage)
        record.type = TypeImage;
    else if (record.type == TypeGCodeList && record.parameter == 0)
        record.parameter = kDefaultLineCount;
}

} // namespace tavlora
