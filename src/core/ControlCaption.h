#pragma once

#include "ControlRecord.h"

#include <string>

namespace tavlora {

// How a control is named to a person: by its type and the text or picture it
// shows. Strings are the record's bytes (Windows-1252).
class ControlCaption {
public:
    // The caption a control shows: a button's text, a label's text, a picture's
    // name, an image button's text or else its picture; empty for the others.
    static std::string Of(const ControlRecord& record);
    // The type's dialog title without its leading blank, "Older Image Control"
    // for type 5 and "Unknown type N" for any other number.
    static std::string TypeName(int type);
};

} // namespace tavlora
