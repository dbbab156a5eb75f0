#pragma once

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

class ControlRecord;

// What creating a control's widget makes of its record: an older image (5)
// becomes an image (3), and a G-code list's 0 lines become 10. Loading,
// placing and pasting apply it before the record joins the set.
void ApplyCreationRules(ControlRecord& record);

} // namespace tavlora
