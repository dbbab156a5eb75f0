#pragma once

#include <QFlags>
#include <QList>
#include <QMetaType>

namespace tavlora {

class ControlRecord;

// What an edit changed of the records it names.
enum class ControlChange : unsigned {
    Geometry = 1, // rect
    Fields = 2,   // any stored field but rect
    Stacking = 4, // list order or stacking order
};
Q_DECLARE_FLAGS(ControlChanges, ControlChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(ControlChanges)

using RecordList = QList<const ControlRecord*>;

} // namespace tavlora

Q_DECLARE_METATYPE(tavlora::RecordList)
Q_DECLARE_METATYPE(tavlora::ControlChanges)
