#include "HotKey.h"

#include "ControlType.h"

#include <cstdio>

namespace tavlora {

int HotKey::Compose(int virtualKey, bool ctrl, bool shift, bool alt)
{
    if (virtualKey <= 0 || virtualKey > 0xFF)
        return 0;
    int code = virtualKey;
    if (ctrl)
        code += kCtrl;
    if (shift)
        code += kShift;
    if (alt && code != kEnter)
        code += kAlt;
    return code;
}

std::string HotKey::KeyName(int vk)
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return std::string(1, char(vk));
    if (vk >= 0x70 && vk <= 0x87)
        return "F" + std::to_string(vk - 0x70 + 1);
    if (vk >= 0x60 && vk <= 0x69)
        return "Num " + std::to_string(vk - 0x60);
    switch (vk) {
    case 0x08: return "Backspace";
    case 0x09: return "Tab";
    case 0x0D: return "Enter";
    case 0x10: return "Shift";
    case 0x11: return "Ctrl";
    case 0x12: return "Alt";
    case 0x13: return "Pause";
    case 0x14: return "Caps Lock";
    case 0x1B: return "Esc";
    case 0x20: return "Space";
    case 0x21: return "Page Up";
    case 0x22: return "Page Down";
    case 0x23: return "End";
    case 0x24: return "Home";
    case 0x25: return "Left";
    case 0x26: return "Up";
    case 0x27: return "Right";
    case 0x28: return "Down";
    case 0x2C: return "Print Screen";
    case 0x2D: return "Insert";
    case 0x2E: return "Delete";
    case 0x6A: return "Num *";
    case 0x6B: return "Num +";
    case 0x6D: return "Num -";
    case 0x6E: return "Num .";
    case 0x6F: return "Num /";
    case 0x90: return "Num Lock";
    case 0x91: return "Scroll Lock";
    case 0xBA: return ";";
    case 0xBB: return "=";
    case 0xBC: return ",";
    case 0xBD: return "-";
    case 0xBE: return ".";
    case 0xBF: return "/";
    case 0xC0: return "`";
    case 0xDB: return "[";
    case 0xDC: return "\\";
    case 0xDD: return "]";
    case 0xDE: return "'";
    default: break;
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "Key 0x%02X", unsigned(vk) & 0xFFu);
    return buf;
}

std::string HotKey::Name(int code)
{
    if (code == 0)
        return "None";
    std::string name;
    int rest = code;
    if (rest & kCtrl) {
        name += "Ctrl+";
        rest &= ~kCtrl;
    }
    if (rest & kShift) {
        name += "Shift+";
        rest &= ~kShift;
    }
    if (rest & kAlt) {
        name += "Alt+";
        rest &= ~kAlt;
    }
    if (rest & ~0xFF) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%X", unsigned(code));
        return buf;
    }
    return name + KeyName(rest);
}

const ControlRecord* HotKey::FindDuplicate(const ScreenSet& set, const ControlRecord& edited, int screen)
{
    if (!IsSet(edited.hotKey))
        return nullptr;
    for (const auto& rec : set.controls) {
        if (rec.get() == &edited || rec->screen != screen)
            continue;
        if (rec->hotKey == edited.hotKey)
            return rec.get();
    }
    return nullptr;
}

std::string HotKey::DuplicateMessage(const ControlRecord& d)
{
    std::string name;
    if (d.type == TypeDro)
        name = "DRO";
    else if (d.type == TypeButton)
        name = "Button '" + d.text + "'";
    else if (d.type == TypeImageButton)
        name = "Bitmap button '" + d.image + "'";
    return "The hotkey just set up duplicates another on:\n\n" + name + "\nFunction = "
        + std::to_string(d.function) + " OEM code = " + std::to_string(d.parameter)
        + " \nat X = " + std::to_string(d.rect.left) + " Y = " + std::to_string(d.rect.top);
}

} // namespace tavlora
