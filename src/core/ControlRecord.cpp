#include "ControlRecord.h"

namespace tavlora {

ControlRecord::ControlRecord(const ControlRecord& other)
{
    *this = other;
}

ControlRecord& ControlRecord::operator=(const ControlRecord& other)
{
    if (this == &other)
        return *this;
    rect = other.rect;
    function = other.function;
    type = other.type;
    screen = other.screen;
    deleteMark = other.deleteMark;
    text = other.text;
    gcode = other.gcode;
    image = other.image;
    reservedA = other.reservedA;
    reservedB = other.reservedB;
    label = other.label;
    ledColour = other.ledColour;
    ledFlashing = other.ledFlashing;
    ledRedGreen = other.ledRedGreen;
    parameter = other.parameter;
    hotKey = other.hotKey;
    format = other.format;
    tabGroup = other.tabGroup;
    locked = other.locked;
    selected = other.selected;
    current = other.current;
    return *this;
}

ControlRecord::~ControlRecord() = default;

int ControlRecord::LedChoice() const
{
    int choice = ledColour;
    if (ledFlashing != 0)
        choice += 4;
    if (ledRedGreen != 0 || choice == 3)
        choice = ledFlashing != 0 ? 7 : 3;
    return choice;
}

void ControlRecord::SetLedChoice(int choice)
{
    ledRedGreen = (choice == 3 || choice == 7) ? 1 : 0;
    ledFlashing = choice > 3 ? 1 : 0;
    if (choice < 3)
        ledColour = choice;
    else if (choice > 3)
        ledColour = choice - 4;
}

bool ControlRecord::SameStoredFields(const ControlRecord& o) const
{
    return rect == o.rect && function == o.function && type == o.type && screen == o.screen
        && text == o.text && gcode == o.gcode && image == o.image && reservedA == o.reservedA
        && reservedB == o.reservedB && label == o.label && ledColour == o.ledColour
        && ledFlashing == o.ledFlashing && ledRedGreen == o.ledRedGreen
        && parameter == o.parameter && hotKey == o.hotKey && format == o.format
        && tabGroup == o.tabGroup && locked == o.locked;
}

void ControlRecord::MoveToRect(const Rect& r)
{
    if (!widget || !widget->IsVisible())
        return;
    rect = r;
    widget->MoveTo(r);
}

} // namespace tavlora
