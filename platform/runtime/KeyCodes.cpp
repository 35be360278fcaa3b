#include "platform/runtime/KeyCodes.h"

#include "platform/runtime/Windows1252.h"

#include <QKeyEvent>

namespace rt
{

namespace
{

int keypadCode(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return KeyCodes::KeyNumpad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return KeyCodes::KeyMultiply;
    case Qt::Key_Plus:
        return KeyCodes::KeyAdd;
    case Qt::Key_Minus:
        return KeyCodes::KeySubtract;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return KeyCodes::KeyDecimal; // the German pad's decimal key types ","
    case Qt::Key_Slash:
        return KeyCodes::KeyDivide;
    default:
        return 0;
    }
}

} // namespace

int KeyCodes::keyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (const int code = keypadCode(qtKey))
            return code;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey;
    if (qtKey >= 'a' && qtKey <= 'z')
        return qtKey - 'a' + 'A';
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F16)
        return KeyF1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Cancel:
        return KeyCancel;
    case Qt::Key_Backspace:
        return KeyBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return KeyTab; // Qt reports Shift+Tab as a key of its own
    case Qt::Key_Clear:
        return KeyClear;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyReturn;
    case Qt::Key_Shift:
        return KeyShift;
    case Qt::Key_Control:
        return KeyControl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return KeyMenu;
    case Qt::Key_Pause:
        return KeyPause;
    case Qt::Key_CapsLock:
        return KeyCapital;
    case Qt::Key_Escape:
        return KeyEscape;
    case Qt::Key_Space:
        return KeySpace;
    case Qt::Key_PageUp:
        return KeyPageUp;
    case Qt::Key_PageDown:
        return KeyPageDown;
    case Qt::Key_End:
        return KeyEnd;
    case Qt::Key_Home:
        return KeyHome;
    case Qt::Key_Left:
        return KeyLeft;
    case Qt::Key_Up:
        return KeyUp;
    case Qt::Key_Right:
        return KeyRight;
    case Qt::Key_Down:
        return KeyDown;
    case Qt::Key_Select:
        return KeySelect;
    case Qt::Key_Printer:
        return KeyPrint;
    case Qt::Key_Execute:
        return KeyExecute;
    case Qt::Key_Print:
        return KeySnapshot;
    case Qt::Key_Insert:
        return KeyInsert;
    case Qt::Key_Delete:
        return KeyDelete;
    case Qt::Key_Help:
        return KeyHelp;
    case Qt::Key_NumLock:
        return KeyNumlock;
    case Qt::Key_ScrollLock:
        return KeyScrollLock;
    default:
        return 0;
    }
}

int KeyCodes::keyCode(const QKeyEvent &event)
{
    return keyCode(event.key(), event.modifiers());
}

int KeyCodes::shiftBits(Qt::KeyboardModifiers modifiers)
{
    int bits = 0;
    if (modifiers & Qt::ShiftModifier)
        bits |= ShiftMask;
    if (modifiers & Qt::ControlModifier)
        bits |= CtrlMask;
    if (modifiers & Qt::AltModifier)
        bits |= AltMask;
    return bits;
}

int KeyCodes::mouseButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return LeftButton;
    case Qt::RightButton:
        return RightButton;
    case Qt::MiddleButton:
        return MiddleButton;
    default:
        return 0;
    }
}

int KeyCodes::mouseButtons(Qt::MouseButtons buttons)
{
    return mouseButton(buttons & Qt::LeftButton ? Qt::LeftButton : Qt::NoButton) |
           mouseButton(buttons & Qt::RightButton ? Qt::RightButton : Qt::NoButton) |
           mouseButton(buttons & Qt::MiddleButton ? Qt::MiddleButton : Qt::NoButton);
}

int KeyCodes::keyAscii(int qtKey, Qt::KeyboardModifiers modifiers, const QString &text)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyReturn;
    case Qt::Key_Backspace:
        return KeyBack;
    case Qt::Key_Escape:
        return KeyEscape;
    case Qt::Key_Tab:
        return KeyTab;
    default:
        break;
    }
    const bool ctrlOnly = (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier);
    if (ctrlOnly && qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey - Qt::Key_A + 1;
    if (text.isEmpty())
        return 0;
    const char32_t character = text.toUcs4().constFirst();
    // Keys that type nothing printable (arrows, F-keys) may still carry a
    // control character in their text on some platforms.
    if (character < 0x20 || character == 0x7F)
        return 0;
    const int byte = Windows1252::encodeChar(character);
    return byte < 0 ? '?' : byte;
}

int KeyCodes::keyAscii(const QKeyEvent &event)
{
    return keyAscii(event.key(), event.modifiers(), event.text());
}

} // namespace rt
