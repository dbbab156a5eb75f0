#include "ControlType.h"

#include "ControlRecord.h"
#include "ControlTypes.h"

namespace tavlora {

void ApplyCreationRules(ControlRecord& record)
{
    if (record.type == TypeOlderImage)
        record.type = TypeImage;
    else if (record.type == TypeGCodeList && record.parameter == 0)
        record.parameter = ControlTypes::kDefaultLineCount;
}

} // namespace tavlora
