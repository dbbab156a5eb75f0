#pragma once

#include <Qt>
#include <QtGlobal>

namespace tavlora {

// Qt key events to Windows virtual-key codes. A hot key is stored as the code
// the same physical key gives on Windows with a US layout, so it means on the
// machine what it meant to the user: shifted symbols go back to their key
// ("!" is the 1 key, 0x31), keypad keys keep their own codes (0x60-0x6F).
class VirtualKey {
public:
    // The virtual-key code, or 0 for a key that has none. On Windows the
    // native virtual key is returned as it is whenever it is not 0.
    static int FromQt(int qtKey, Qt::KeyboardModifiers mods, quint32 nativeVirtualKey);

private:
    static int Keypad(int qtKey);
    static int Main(int qtKey);
};

} // namespace tavlora
