#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace ostrevo
{

// Message flags: buttons (Flags And 7), icon (Flags And &H70), default button (Flags And &H300).
enum MessageButtons : int32_t {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCustomButtons = 6,
};

enum MessageIcon : int32_t {
    vbNoIcon = 0,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbUserIcon = 80,
    vbSecurityIcon = 96,
    vbFindIcon = 112,
};

enum MessageDefaultButton : int32_t {
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 0x100,
    vbDefaultButton3 = 0x200,
};

enum MessageResult : int32_t {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
    CheckboxTicked = 100,
};

inline int32_t buttonsOf(int32_t flags)
{
    return flags & 7;
}
inline int32_t iconOf(int32_t flags)
{
    return flags & 0x70;
}
inline int32_t defaultButtonFieldOf(int32_t flags)
{
    return flags & 0x300;
}

// One of the up to three button places of a message box; an empty caption
// leaves the place empty.
struct MessageButton {
    QString caption;
    int32_t result = 0;
};

// The buttons, left to right, for the flags; custom captions fill their own
// places so that a lone second caption still answers 2.
std::array<MessageButton, 3> messageButtons(int32_t flags, const QString &custom1, const QString &custom2,
                                            const QString &custom3);

// The cell of the icon strip (0 for none) and the system sound of an icon.
int iconCell(int32_t flags);
int iconSound(int32_t flags); // event index of the system sounds, 0 for none

// What the message form records for its host; one per thread, shared by
// every Dialog of that thread.
struct MessageState {
    int16_t sKey = 0;
    int16_t sKeyShift = 0;
    bool sKeyDown = false;
    int16_t sButton = 0;
    QString InitMsg;
};

MessageState &messageState();
void resetMessageState();
void CaptureKeyDown(int16_t keyCode, int16_t shift);
void CaptureKeyUp();

} // namespace ostrevo
