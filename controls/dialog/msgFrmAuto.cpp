// The self-closing message: a topmost balloon without buttons that the host
// does not wait for; it ends after its time or through its close image.
#include "controls/dialog/AutoFrame.h"
#include "controls/dialog/BlendColor.h"
#include "controls/dialog/msgFrm.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/Timer.h"
#include "platform/runtime/Twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

namespace ostrevo
{

namespace
{

constexpr double MessageTop = 630; // twips inside the frame
constexpr int32_t DefaultBalloon = 0xCCFFFF;
constexpr qint64 LongestInterval = 65535; // what one timer interval can hold

} // namespace

int16_t msgFrm::MsgAuto_box(const QString &Prompt, int32_t Flags, const QString &Title, int16_t mTime,
                            const bool &Sound, const bool &NoPointer, const int32_t &Color, const float &x,
                            const float &y, const int16_t &Intensity)
{
    checkShadowIntensity(Intensity);
    QPointer<msgFrm> form = rt::Form::create<msgFrm>();
    Unloader unloader(form);
    form->load();
    form->layOutAuto(Prompt, Flags, Title, Sound, NoPointer, Color, x, y, Intensity);
    // Above every window, without taking the keyboard from the host.
    form->setWindowFlag(Qt::WindowStaysOnTopHint);
    form->setAttribute(Qt::WA_ShowWithoutActivating);
    form->showModeless();
    form->startAutoClose(mTime);
    unloader.dismiss();
    return 0;
}

void msgFrm::layOutAuto(const QString &Prompt, int32_t Flags, const QString &Title, bool Sound,
                        bool NoPointer, int32_t Color, float x, float y, int16_t Intensity)
{
    AutoFrame &f = *m_autoFrame;
    m_soundOn = Sound;
    f.aTitle()->setText(singleBreaks(Title));
    f.aMsg()->setText(singleBreaks(Prompt));
    m_balloonColour = Color == 0 ? DefaultBalloon : Color;
    fillSurface();
    if (Intensity != 0)
        m_tag = QString::number(Intensity);

    // The form keeps its design width: a long message makes it taller only.
    paintBackground(&f, m_balloonColour);
    f.setGeometry(8, 30, width() - 30, f.height());
    f.show();
    const double frameWidth = twipsX(f.width());
    const int messagePixels = rt::Twips::toPixelsX(frameWidth - 130);
    f.aMsg()->resize(messagePixels, f.aMsg()->heightForWidth(messagePixels));
    m_frameHeight = (MessageTop + twipsY(f.aMsg()->height()) + 300) / m_tppY;
    QLabel *close = f.command1();
    close->move(rt::Twips::toPixelsX(frameWidth - twipsX(close->width()) - 50), f.aPic()->y());
    f.setGeometry(8, 30, f.width(), static_cast<int>(std::nearbyint(m_frameHeight)));
    setSizePixels(width(), rt::Twips::toPixelsY((f.y() + f.height() + 40) * double(m_tppY)));

    DrawBalloon(NoPointer, x, y, Intensity);
    SetDisplayIcon(Flags, 2);
}

void msgFrm::startAutoClose(int16_t mTime)
{
    // 0 or less: no time given, the balloon stays until it is closed.
    if (mTime <= 0)
        return;
    const qint64 span = qint64{mTime} * 1000;
    m_closeAt = rt::SystemSources::clock().tickCount() + span;
    rt::Timer *timer = m_autoFrame->Timer1();
    timer->setInterval(static_cast<int>(std::min(span, LongestInterval)));
    timer->setEnabled(true);
}

void msgFrm::Timer1_Timer()
{
    // A span longer than one interval is waited for in several.
    const qint64 left = m_closeAt - rt::SystemSources::clock().tickCount();
    rt::Timer *timer = m_autoFrame->Timer1();
    if (left > 0) {
        timer->setInterval(static_cast<int>(std::min(left, LongestInterval)));
        return;
    }
    timer->setEnabled(false);
    unload();
}

bool msgFrm::command1_Event(QEvent *event)
{
    AutoFrame &f = *m_autoFrame;
    switch (event->type()) {
    case QEvent::MouseMove:
        if (f.command1Tag() != QLatin1String("1")) {
            f.setCloseLook(AutoFrame::Hover);
            f.setCommand1Tag(QStringLiteral("1"));
        }
        return true;
    case QEvent::MouseButtonPress:
        f.setCloseLook(AutoFrame::Pressed);
        return true;
    case QEvent::MouseButtonRelease: {
        f.setCloseLook(AutoFrame::Normal);
        const auto *mouse = static_cast<QMouseEvent *>(event);
        // A click: the left button released over the image.
        if (mouse->button() == Qt::LeftButton && f.command1()->rect().contains(mouse->position().toPoint())) {
            f.Timer1()->setEnabled(false);
            unload();
        }
        return true;
    }
    default:
        return false;
    }
}

void msgFrm::F1_2_MouseMove()
{
    // Back over the frame: the hover look ends.
    AutoFrame &f = *m_autoFrame;
    if (f.command1Tag() == QLatin1String("1")) {
        f.setCloseLook(AutoFrame::Normal);
        f.setCommand1Tag(QString());
    }
}

bool msgFrm::isAutoMessage() const
{
    return !m_autoFrame->isHidden();
}

} // namespace ostrevo
