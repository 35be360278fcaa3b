// The input box: a text box preset with a default text, an optional check
// box and the buttons "Cancel" and "OK" right-aligned under the text.
#include "controls/dialog/BlendColor.h"
#include "controls/dialog/EventCallback.h"
#include "controls/dialog/FlatButton.h"
#include "controls/dialog/InputFrame.h"
#include "controls/dialog/MessageState.h"
#include "controls/dialog/msgFrm.h"
#include "platform/runtime/Timer.h"
#include "platform/runtime/Twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

namespace ostrevo
{

namespace
{

// Twips inside the frame.
constexpr double MessageLeft = 90, MessageTop = 630;
constexpr double TextHeight = 315;
constexpr double ButtonWidth = 1005, ButtonHeight = 330;
constexpr int32_t DefaultBalloon = 0xCCFFFF;

void placeRect(QWidget *control, double left, double top, double width, double height)
{
    control->setGeometry(rt::Twips::toPixelsX(left), rt::Twips::toPixelsY(top), rt::Twips::toPixelsX(width),
                         rt::Twips::toPixelsY(height));
}

} // namespace

QString msgFrm::input_box(const QString &Prompt, int32_t Flags, const QString &Title, const QString &InitMsg,
                          const bool &Sound, const bool &NoPointer, const QString &CheckboxCaption,
                          const bool &FocusRect, const QString &Btn1Caption, const QString &Btn2Caption,
                          const int32_t &Color, const float &x, const float &y, const int16_t &Intensity)
{
    QString result;
    showModalBox(
        Intensity,
        [&](msgFrm &form) {
            form.layOutInput(Prompt, Flags, Title, InitMsg, Sound, NoPointer, CheckboxCaption, FocusRect,
                             Btn1Caption, Btn2Caption, Color, x, y, Intensity);
        },
        [&](const msgFrm &form) { result = form.inputResult(); });
    messageState().InitMsg = result;
    return result;
}

void msgFrm::layOutInput(const QString &Prompt, int32_t Flags, const QString &Title, const QString &InitMsg,
                         bool Sound, bool NoPointer, const QString &CheckboxCaption, bool FocusRect,
                         const QString &Btn1Caption, const QString &Btn2Caption, int32_t Color, float x,
                         float y, int16_t Intensity)
{
    InputFrame &f = *m_inputFrame;
    m_focusLook = FocusRect;
    m_soundOn = Sound;
    f.iTitle()->setText(singleBreaks(Title));
    f.iMsg()->setText(singleBreaks(Prompt));

    m_balloonColour = Color == 0 ? DefaultBalloon : Color;
    fillSurface();
    if (Intensity != 0)
        m_tag = QString::number(Intensity);
    for (int i = 0; i < 2; ++i) {
        f.iCmd(i)->letBackColor(m_balloonColour);
        f.iCmd(i)->letFocusRect(FocusRect);
    }
    if (buttonsOf(Flags) == vbCustomButtons) {
        if (!Btn1Caption.isEmpty())
            f.iCmd(0)->letCaption(Btn1Caption);
        if (!Btn2Caption.isEmpty())
            f.iCmd(1)->letCaption(Btn2Caption);
    }

    // The box keeps the form's design width; the prompt wraps inside it.
    paintBackground(&f, m_balloonColour);
    f.setGeometry(8, 30, width() - 30, f.height());
    f.show();
    const double messageWidth = twipsX(f.width()) - 130;
    const int messagePixels = rt::Twips::toPixelsX(messageWidth);
    f.iMsg()->resize(messagePixels, f.iMsg()->heightForWidth(messagePixels));
    const double textTop = MessageTop + twipsY(f.iMsg()->height()) + 300;
    placeRect(f.iTxt(), MessageLeft, textTop, messageWidth, TextHeight);
    const double buttonTop = textTop + TextHeight + 70;
    const double okLeft = MessageLeft + messageWidth - ButtonWidth;
    const double cancelLeft = okLeft - ButtonWidth - 70;
    placeRect(f.iCmd(1), okLeft, buttonTop, ButtonWidth, ButtonHeight);
    placeRect(f.iCmd(0), cancelLeft, buttonTop, ButtonWidth, ButtonHeight);
    if (!CheckboxCaption.isEmpty()) {
        QCheckBox *check = f.Check2();
        paintBackground(check, m_balloonColour);
        placeRect(check, MessageLeft, buttonTop, cancelLeft - MessageLeft - 10, twipsY(check->height()));
        check->setText(CheckboxCaption);
        check->show();
    }
    m_frameHeight = (buttonTop + ButtonHeight + 115) / m_tppY;
    f.setGeometry(8, 30, f.width(), static_cast<int>(std::nearbyint(m_frameHeight)));
    setSizePixels(width(), rt::Twips::toPixelsY((m_frameHeight + 65) * m_tppY));
    f.iTxt()->setText(InitMsg);

    DrawBalloon(NoPointer, x, y, Intensity);
    SetDisplayIcon(Flags, 1);
    if (FocusRect) {
        m_boxMode = 2;
        m_tmrFocus->setEnabled(true);
    }
}

QString msgFrm::inputResult() const
{
    // Cancelled, or closed without its buttons: nothing typed counts.
    if (!m_inputAccepted)
        return QString();
    QString text = m_inputFrame->iTxt()->text();
    if (m_inputFrame->Check2()->isChecked())
        text += u'_';
    return text;
}

void msgFrm::iCmd_Event(int index, const QString &event, com::Args &args)
{
    if (buttonKeyOrMove(*m_inputFrame->iCmd(index), event, args))
        return;
    if (event == QLatin1String("MouseUp")) {
        messageState().sButton = args.at(0).toInteger();
        if (index == 0) {
            m_inputAccepted = false;
            hide();
        } else if (!m_inputFrame->iTxt()->text().isEmpty()) {
            // An empty text is no answer: the box stays open.
            m_inputAccepted = true;
            hide();
        }
    }
}

} // namespace ostrevo
