#include "properties/VirtualKey.h"

#include <QtTest>

using namespace tavlora;

namespace {

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;

struct Row {
    const char* name;
    int qtKey;
    Qt::KeyboardModifiers mods;
    int vk;
};

// Every key with a code that is not part of a run (letters, digits, F keys).
const Row kRows[] = {
    // Shifted digits go back to their key.
    {"!", Qt::Key_Exclam, Qt::ShiftModifier, 0x31},
    {"@", Qt::Key_At, Qt::ShiftModifier, 0x32},
    {"#", Qt::Key_NumberSign, Qt::ShiftModifier, 0x33},
    {"$", Qt::Key_Dollar, Qt::ShiftModifier, 0x34},
    {"%", Qt::Key_Percent, Qt::ShiftModifier, 0x35},
    {"^", Qt::Key_AsciiCircum, Qt::ShiftModifier, 0x36},
    {"&", Qt::Key_Ampersand, Qt::ShiftModifier, 0x37},
    {"*", Qt::Key_Asterisk, Qt::ShiftModifier, 0x38},
    {"(", Qt::Key_ParenLeft, Qt::ShiftModifier, 0x39},
    {")", Qt::Key_ParenRight, Qt::ShiftModifier, 0x30},
    // Keypad.
    {"pad *", Qt::Key_Asterisk, kPad, 0x6A},
    {"pad +", Qt::Key_Plus, kPad, 0x6B},
    {"pad -", Qt::Key_Minus, kPad, 0x6D},
    {"pad .", Qt::Key_Period, kPad, 0x6E},
    {"pad , (decimal key)", Qt::Key_Comma, kPad, 0x6E},
    {"pad /", Qt::Key_Slash, kPad, 0x6F},
    {"pad Enter", Qt::Key_Enter, kPad, 0x0D},
    {"pad Home without Num Lock", Qt::Key_Home, kPad, 0x24},
    {"pad Up without Num Lock", Qt::Key_Up, kPad, 0x26},
    {"pad Delete without Num Lock", Qt::Key_Delete, kPad, 0x2E},
    {"pad 5 without Num Lock", Qt::Key_Clear, kPad, 0x0C},
    // Navigation and editing.
    {"Left", Qt::Key_Left, kNone, 0x25},
    {"Up", Qt::Key_Up, kNone, 0x26},
    {"Right", Qt::Key_Right, kNone, 0x27},
    {"Down", Qt::Key_Down, kNone, 0x28},
    {"Page Up", Qt::Key_PageUp, kNone, 0x21},
    {"Page Down", Qt::Key_PageDown, kNone, 0x22},
    {"End", Qt::Key_End, kNone, 0x23},
    {"Home", Qt::Key_Home, kNone, 0x24},
    {"Insert", Qt::Key_Insert, kNone, 0x2D},
    {"Delete", Qt::Key_Delete, kNone, 0x2E},
    // Control keys.
    {"Escape", Qt::Key_Escape, kNone, 0x1B},
    {"Tab", Qt::Key_Tab, kNone, 0x09},
    {"Backtab", Qt::Key_Backtab, Qt::ShiftModifier, 0x09},
    {"Return", Qt::Key_Return, kNone, 0x0D},
    {"Enter", Qt::Key_Enter, kNone, 0x0D},
    {"Backspace", Qt::Key_Backspace, kNone, 0x08},
    {"Space", Qt::Key_Space, kNone, 0x20},
    {"Pause", Qt::Key_Pause, kNone, 0x13},
    {"Caps Lock", Qt::Key_CapsLock, kNone, 0x14},
    {"Print", Qt::Key_Print, kNone, 0x2C},
    {"SysReq", Qt::Key_SysReq, Qt::AltModifier, 0x2C},
    {"Num Lock", Qt::Key_NumLock, kNone, 0x90},
    {"Scroll Lock", Qt::Key_ScrollLock, kNone, 0x91},
    {"Menu", Qt::Key_Menu, kNone, 0x5D},
    {"Shift", Qt::Key_Shift, kNone, 0x10},
    {"Control", Qt::Key_Control, kNone, 0x11},
    {"Alt", Qt::Key_Alt, kNone, 0x12},
    {"AltGr", Qt::Key_AltGr, kNone, 0x12},
    // OEM punctuation, plain and shifted.
    {";", Qt::Key_Semicolon, kNone, 0xBA},
    {":", Qt::Key_Colon, Qt::ShiftModifier, 0xBA},
    {"=", Qt::Key_Equal, kNone, 0xBB},
    {"+", Qt::Key_Plus, Qt::ShiftModifier, 0xBB},
    {",", Qt::Key_Comma, kNone, 0xBC},
    {"<", Qt::Key_Less, Qt::ShiftModifier, 0xBC},
    {"-", Qt::Key_Minus, kNone, 0xBD},
    {"_", Qt::Key_Underscore, Qt::ShiftModifier, 0xBD},
    {".", Qt::Key_Period, kNone, 0xBE},
    {">", Qt::Key_Greater, Qt::ShiftModifier, 0xBE},
    {"/", Qt::Key_Slash, kNone, 0xBF},
    {"?", Qt::Key_Question, Qt::ShiftModifier, 0xBF},
    {"`", Qt::Key_QuoteLeft, kNone, 0xC0},
    {"~", Qt::Key_AsciiTilde, Qt::ShiftModifier, 0xC0},
    {"[", Qt::Key_BracketLeft, kNone, 0xDB},
    {"{", Qt::Key_BraceLeft, Qt::ShiftModifier, 0xDB},
    {"\\", Qt::Key_Backslash, kNone, 0xDC},
    {"|", Qt::Key_Bar, Qt::ShiftModifier, 0xDC},
    {"]", Qt::Key_BracketRight, kNone, 0xDD},
    {"}", Qt::Key_BraceRight, Qt::ShiftModifier, 0xDD},
    {"'", Qt::Key_Apostrophe, kNone, 0xDE},
    {"\"", Qt::Key_QuoteDbl, Qt::ShiftModifier, 0xDE},
    // Keys without a code.
    {"Meta", Qt::Key_Meta, kNone, 0},
    {"unknown", Qt::Key_unknown, kNone, 0},
    {"Volume Up", Qt::Key_VolumeUp, kNone, 0},
    {"e acute", Qt::Key_Eacute, kNone, 0},
};

} // namespace

class VirtualKeyTest : public QObject {
    Q_OBJECT
private slots:
    void mapsKey_data();
    void mapsKey();
    void nativeKey();
};

void VirtualKeyTest::mapsKey_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<int>("vk");

    for (int i = 0; i < 26; ++i) {
        const QByteArray letter(1, char('A' + i));
        QTest::newRow(letter.constData()) << Qt::Key_A + i << kNone << 0x41 + i;
        QTest::newRow(("Shift+" + letter).constData()) << Qt::Key_A + i << Qt::KeyboardModifiers(Qt::ShiftModifier) << 0x41 + i;
    }
    for (int i = 0; i < 10; ++i) {
        const QByteArray digit(1, char('0' + i));
        QTest::newRow(digit.constData()) << Qt::Key_0 + i << kNone << 0x30 + i;
        QTest::newRow(("pad " + digit).constData()) << Qt::Key_0 + i << kPad << 0x60 + i;
    }
    for (int i = 0; i < 24; ++i)
        QTest::newRow(("F" + QByteArray::number(i + 1)).constData()) << Qt::Key_F1 + i << kNone << 0x70 + i;
    for (const Row& row : kRows)
        QTest::newRow(row.name) << row.qtKey << row.mods << row.vk;
}

void VirtualKeyTest::mapsKey()
{
    QFETCH(int, qtKey);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(int, vk);
    QCOMPARE(VirtualKey::FromQt(qtKey, mods, 0), vk);
    // Ctrl and Alt never change the key.
    QCOMPARE(VirtualKey::FromQt(qtKey, mods | Qt::ControlModifier | Qt::AltModifier, 0), vk);
}

void VirtualKeyTest::nativeKey()
{
#ifdef Q_OS_WIN
    // The native virtual key wins whenever there is one.
    QCOMPARE(VirtualKey::FromQt(Qt::Key_unknown, Qt::NoModifier, 0xE2), 0xE2);
    QCOMPARE(VirtualKey::FromQt(Qt::Key_Exclam, Qt::ShiftModifier, 0x31), 0x31);
    QCOMPARE(VirtualKey::FromQt(Qt::Key_A, Qt::NoModifier, 0), 0x41);
#else
    // Elsewhere the native key (an X keysym, say) means something else.
    QCOMPARE(VirtualKey::FromQt(Qt::Key_A, Qt::NoModifier, 0x61), 0x41);
    QCOMPARE(VirtualKey::FromQt(Qt::Key_unknown, Qt::NoModifier, 0xE2), 0);
#endif
}

QTEST_APPLESS_MAIN(VirtualKeyTest)
#include "VirtualKeyTest.moc"
