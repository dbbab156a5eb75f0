#include "ControlRecord.h"

#include <utility>

namespace tavlora {

ControlRecord::ControlRecord(const ControlRecord& other)
{
    *this = other;
}

ControlRecord& ControlRecord::operator=(const ControlRecord& other)
{
    if (this == &other)
        return *this;
    ControlRecord copy; // no widget
    copy.rect = other.rect;
    copy.function = other.function;
    copy.type = other.type;
    copy.screen = other.screen;
    copy.text = other.text;
    copy.gcode = other.gcode;
    copy.image = other.image;
    copy.reservedA = other.reservedA;
    copy.reservedB = other.reservedB;
    copy.label = other.label;
    copy.ledColour = other.ledColour;
    copy.ledFlashing = other.ledFlashing;
    copy.ledRedGreen = other.ledRedGreen;
    copy.parameter = other.parameter;
    copy.hotKey = other.hotKey;
    copy.format = other.format;
    copy.tabGroup = other.tabGroup;
    copy.locked = other.locked;
    SwapStoredFields(copy);
    return *this;
}

ControlRecord::~ControlRecord() = default;

void ControlRecord::TakeChanges(const ControlRecord& before, const ControlRecord& after)
{
    auto take = [](auto& field, const auto& from, const auto& to) {
        if (!(from == to))
            field = to;
    };
    take(rect.left, before.rect.left, after.rect.left);
    take(rect.top, before.rect.top, after.rect.top);
    take(rect.right, before.rect.right, after.rect.right);
    take(rect.bottom, before.rect.bottom, after.rect.bottom);
    take(function, before.function, after.function);
    take(type, before.type, after.type);
    take(screen, before.screen, after.screen);
    take(text, before.text, after.text);
    take(gcode, before.gcode, after.gcode);
    take(image, before.image, after.image);
    take(reservedA, before.reservedA, after.reservedA);
    take(reservedB, before.reservedB, after.reservedB);
    take(label, before.label, after.label);
    take(ledColour, before.ledColour, after.ledColour);
    take(ledFlashing, before.ledFlashing, after.ledFlashing);
    take(ledRedGreen, before.ledRedGreen, after.ledRedGreen);
    take(parameter, before.parameter, after.parameter);
    take(hotKey, before.hotKey, after.hotKey);
    take(format, before.format, after.format);
    take(tabGroup, before.tabGroup, after.tabGroup);
    take(locked, before.locked, after.locked);
}

int ControlRecord::LedChoice() const
{
    const bool flashing = ledFlashing != 0;
    if (ledRedGreen != 0 || ledColour == 3)
        return flashing ? 7 : 3;
    if (ledColour < 0 || ledColour > 2)
        return -1;
    return ledColour + (flashing ? 4 : 0);
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

bool ControlRecord::SameFieldsButRect(const ControlRecord& o) const
{
    return function == o.function && type == o.type && screen == o.screen && text == o.text
        && gcode == o.gcode && image == o.image && reservedA == o.reservedA && reservedB == o.reservedB
        && label == o.label && ledColour == o.ledColour && ledFlashing == o.ledFlashing
        && ledRedGreen == o.ledRedGreen && parameter == o.parameter && hotKey == o.hotKey
        && format == o.format && tabGroup == o.tabGroup && locked == o.locked;
}

bool ControlRecord::SameStoredFields(const ControlRecord& o) const
{
    return rect == o.rect && SameFieldsButRect(o);
}

void ControlRecord::SwapStoredFields(ControlRecord& o)
{
    using std::swap;
    swap(rect, o.rect);
    swap(function, o.function);
    swap(type, o.type);
    swap(screen, o.screen);
    swap(text, o.text);
    swap(gcode, o.gcode);
    swap(image, o.image);
    swap(reservedA, o.reservedA);
    swap(reservedB, o.reservedB);
    swap(label, o.label);
    swap(ledColour, o.ledColour);
    swap(ledFlashing, o.ledFlashing);
    swap(ledRedGreen, o.ledRedGreen);
    swap(parameter, o.parameter);
    swap(hotKey, o.hotKey);
    swap(format, o.format);
    swap(tabGroup, o.tabGroup);
    swap(locked, o.locked);
}

} // namespace tavlora
