#pragma once

#include <QString>
#include <Qt>

class QKeyEvent;

namespace rt
{

// The platform's key codes, shift bits and mouse button numbers, as the forms'
// KeyDown, KeyUp, KeyPress and mouse handlers receive them.
class KeyCodes
{
public:
    enum Key : int {
        KeyLButton = 1,
        KeyRButton = 2,
        KeyCancel = 3,
        KeyMButton = 4,
        KeyBack = 8,
        KeyTab = 9,
        KeyClear = 12,
        KeyReturn = 13,
        KeyShift = 16,
        KeyControl = 17,
        KeyMenu = 18,
        KeyPause = 19,
        KeyCapital = 20,
        KeyEscape = 27,
        KeySpace = 32,
        KeyPageUp = 33,
        KeyPageDown = 34,
        KeyEnd = 35,
        KeyHome = 36,
        KeyLeft = 37,
        KeyUp = 38,
        KeyRight = 39,
        KeyDown = 40,
        KeySelect = 41,
        KeyPrint = 42,
        KeyExecute = 43,
        KeySnapshot = 44,
        KeyInsert = 45,
        KeyDelete = 46,
        KeyHelp = 47,
        Key0 = 48, // '0'..'9' follow
        KeyA = 65, // 'A'..'Z' follow
        KeyNumpad0 = 96,
        KeyMultiply = 106,
        KeyAdd = 107,
        KeySeparator = 108,
        KeySubtract = 109,
        KeyDecimal = 110,
        KeyDivide = 111,
        KeyF1 = 112, // F1..F16 follow
        KeyNumlock = 144,
        KeyScrollLock = 145,
    };

    enum ShiftBit : int { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };
    enum MouseButton : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

    // 0 for keys the platform has no code for. With KeypadModifier, digits
    // and operators give the number-pad codes.
    static int keyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static int keyCode(const QKeyEvent &event);

    static int shiftBits(Qt::KeyboardModifiers modifiers);
    static int mouseButton(Qt::MouseButton button);
    static int mouseButtons(Qt::MouseButtons buttons);

    // The character code a KeyPress handler receives: the typed character in
    // Windows-1252, 13 for Enter, 8 for Backspace, 27 for Escape, 9 for Tab,
    // 1..26 for Ctrl with a letter, "?" (63) for a character the code page
    // lacks; 0 when the key types nothing (no KeyPress is raised).
    static int keyAscii(int qtKey, Qt::KeyboardModifiers modifiers, const QString &text);
    static int keyAscii(const QKeyEvent &event);
};

} // namespace rt
