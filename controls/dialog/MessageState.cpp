#include "controls/dialog/MessageState.h"

namespace ostrevo
{

std::array<MessageButton, 3> messageButtons(int32_t flags, const QString &custom1, const QString &custom2,
                                            const QString &custom3)
{
    const QString ok = QStringLiteral("OK");
    const QString cancel = QStringLiteral("Abbrechen");
    const QString retry = QStringLiteral("Wiederholen");
    switch (buttonsOf(flags)) {
    case vbOKCancel:
        return {{{ok, vbOK}, {cancel, vbCancel}, {}}};
    case vbAbortRetryIgnore:
        return {{{cancel, vbAbort}, {retry, vbRetry}, {QStringLiteral("Ignorieren"), vbIgnore}}};
    case vbYesNoCancel:
        return {{{QStringLiteral("Ja"), vbYes}, {QStringLiteral("Nein"), vbNo}, {cancel, vbCancel}}};
    case vbYesNo:
        return {{{QStringLiteral("Ja"), vbYes}, {QStringLiteral("Nein"), vbNo}, {}}};
    case vbRetryCancel:
        return {{{retry, vbRetry}, {cancel, vbCancel}, {}}};
    case vbCustomButtons:
        return {{{custom1, 1}, {custom2, 2}, {custom3, 3}}};
    default:
        return {{{ok, vbOK}, {}, {}}};
    }
}

int iconCell(int32_t flags)
{
    switch (iconOf(flags)) {
    case vbCritical:
        return 1;
    case vbQuestion:
        return 4;
    case vbExclamation:
        return 2;
    case vbInformation:
        return 3;
    case vbUserIcon:
        return 5;
    case vbSecurityIcon:
        return 6;
    case vbFindIcon:
        return 7;
    default:
        return 0;
    }
}

int iconSound(int32_t flags)
{
    switch (iconOf(flags)) {
    case vbNoIcon:
        return 0;
    case vbCritical:
        return 15;
    case vbQuestion:
        return 16;
    default:
        return 13;
    }
}

MessageState &messageState()
{
    thread_local MessageState state;
    return state;
}

void resetMessageState()
{
    messageState() = MessageState();
}

void CaptureKeyDown(int16_t keyCode, int16_t shift)
{
    MessageState &state = messageState();
    state.sKeyDown = true;
    state.sKeyShift = shift;
    state.sKey = keyCode;
}

void CaptureKeyUp()
{
    MessageState &state = messageState();
    state.sKeyDown = false;
    state.sKeyShift = 0;
}

} // namespace ostrevo
