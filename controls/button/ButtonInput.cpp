#include "controls/button/Button.h"

#include "controls/foundation/ControlEvents.h"
#include "controls/foundation/modquivbutton.h"
#include "platform/runtime/KeyCodes.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/Timer.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

using namespace com;
using rt::KeyCodes;

namespace ostrevo
{

void Button::raiseMouse(const QString &name, int16_t button, int16_t shift, float x, float y)
{
    Args args{Variant::fromInteger(button), Variant::fromInteger(shift), Variant::fromSingle(x),
              Variant::fromSingle(y)};
    raiseEvent(name, args);
}

// --- press and release -------------------------------------------------------------

void Button::PicBild1_MouseDown(int16_t button, int16_t shift, float x, float y)
{
    m_mouseDown = true;
    if (!m_latched) {
        if (button == 1)
            m_switched = 1;
        else if (button == 2)
            m_switched = 2;
    }
    m_hoverRing = false;
    if (m_optionMode == optButton) {
        m_hovered = true;
        m_latched = false;
        m_pushHeld = true;
        m_groupClicked = false;
        UserControl_Resize();
        ShowState(3);
        DrawFrame(3);
        faceRefresh(2);
    } else if (m_optionMode == optSwitch || m_optionMode == optGroup) {
        if (!m_latched) {
            m_latched = true;
            m_timer->setEnabled(false);
            UserControl_Resize();
            ShowState(3);
            DrawFrame(3);
            faceRefresh(2);
            if (m_optionMode == optGroup)
                raiseEvent(QStringLiteral("Group"));
        } else if (m_optionMode == optSwitch) {
            m_groupClicked = false;
            m_latched = false;
        }
    }
    raiseMouse(QStringLiteral("MouseDown"), button, shift, x, y);
}

void Button::PicBild1_MouseUp(int16_t button, int16_t shift, float x, float y)
{
    m_mouseDown = false;
    if (!m_latched) {
        m_hovered = true;
        m_pushHeld = false;
        m_timer->setEnabled(true);
        UserControl_Resize();
        m_hoverRing = false;
        ShowState(2);
        DrawFrame(2);
        faceRefresh(1);
        if (m_optionMode == optSwitch) {
            letValue(false);
            m_switched = 0;
        } else {
            letValue(true);
        }
        raiseEvent(QStringLiteral("Click"));
        raiseMouse(QStringLiteral("MouseUp"), button, shift, x, y);
        return;
    }
    if (m_optionMode == optGroup && m_groupClicked)
        return;
    if (m_optionMode == optGroup)
        m_groupClicked = true;
    letValue(true);
    raiseEvent(QStringLiteral("Click"));
}

// --- hover poll ----------------------------------------------------------------------

void Button::timer_Timer()
{
    const QPoint cursor = rt::SystemSources::cursor().position();
    if (cursor == m_lastCursor && !m_recheckHover)
        return;
    if (!m_pushHeld) {
        const bool inside = modquivbutton::IsMouseInto(this);
        if (inside && !m_hovered) {
            if (!userMode())
                return;
            m_hovered = true;
            if (!m_mouseDown)
                m_hoverRing = true;
            UserControl_Resize();
            if (m_borderStyle == 6)
                PaintFace(1);
            ShowState(2);
            DrawFrame(2);
            copyToolTips();
            if (m_focusRect)
                DrawFocus();
        } else if (!inside && m_hovered) {
            if (!userMode())
                return;
            m_hoverRing = false;
            UserControl_Resize();
            ShowState(1);
            DrawFrame(m_borderStyle == 1 || m_borderStyle == 6 ? 0 : 1);
            m_hovered = false;
            if (m_focusRect)
                DrawFocus();
        }
    }
    m_recheckHover = false;
    m_lastCursor = cursor;
}

// --- keys ------------------------------------------------------------------------------

// An Enter held down repeats its key-down; only the first one presses.
void Button::PicBild1_KeyDown(int16_t keyCode, int16_t shift, bool autoRepeat)
{
    if (keyCode == KeyCodes::KeyReturn && m_focusRect && !autoRepeat)
        PicBild1_MouseDown(1, 0, 0, 0);
    Args args{Variant::fromInteger(keyCode), Variant::fromInteger(shift)};
    raiseEvent(QStringLiteral("KeyDown"), args);
}

void Button::PicBild1_KeyUp(int16_t keyCode, int16_t shift)
{
    if (keyCode == KeyCodes::KeyReturn && m_focusRect) {
        PicBild1_MouseUp(1, 0, 0, 0);
        m_recheckHover = true;
        if (m_focusRect)
            DrawFocus();
    }
    Args args{Variant::fromInteger(keyCode), Variant::fromInteger(shift)};
    raiseEvent(QStringLiteral("KeyUp"), args);
}

// --- focus -------------------------------------------------------------------------------

void Button::PicBild1_GotFocus()
{
    if (!m_focusRect)
        return;
    m_hasFocus = true;
    if (!m_mouseDown)
        m_tmrRect->setEnabled(true);
}

void Button::PicBild1_LostFocus()
{
    if (!m_focusRect)
        return;
    m_hasFocus = false;
    DrawFocus();
}

void Button::tmrRect_Timer()
{
    DrawFocus();
    m_tmrRect->setEnabled(false);
}

// --- the window's events -------------------------------------------------------------------

// The position in the coordinates of the part that took the press: the
// icon, a caption label, the marker or else the face.
QPoint Button::elementOrigin(const QPoint &pos) const
{
    const QPoint onFace = pos - m_faceRect.topLeft();
    if (m_lbl2.visible && m_lbl2.contains(onFace))
        return m_faceRect.topLeft() + m_lbl2.pixelRect().topLeft();
    if (m_lbl1.visible && m_lbl1.contains(onFace))
        return m_faceRect.topLeft() + m_lbl1.pixelRect().topLeft();
    if (m_iconVisible && QRect(m_iconPos, m_icon.size()).contains(onFace))
        return m_faceRect.topLeft() + m_iconPos;
    if (m_arrowVisible && QRect(m_arrowPos, m_arrow.size()).contains(onFace))
        return m_faceRect.topLeft() + m_arrowPos;
    return m_faceRect.topLeft();
}

void Button::mousePressEvent(QMouseEvent *event)
{
    if (!m_inputEnabled)
        return;
    const QPoint pos = event->position().toPoint();
    const QPoint local = pos - elementOrigin(pos);
    PicBild1_MouseDown(int16_t(KeyCodes::mouseButton(event->button())),
                       int16_t(KeyCodes::shiftBits(event->modifiers())), float(local.x()), float(local.y()));
    // Taken after the press, so that a focus gained by clicking draws no focus look.
    if (m_mouseDown)
        setFocus(Qt::MouseFocusReason);
}

void Button::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_inputEnabled)
        return;
    const QPoint pos = event->position().toPoint();
    const QPoint local = pos - elementOrigin(pos);
    PicBild1_MouseUp(int16_t(KeyCodes::mouseButton(event->button())),
                     int16_t(KeyCodes::shiftBits(event->modifiers())), float(local.x()), float(local.y()));
}

// Only the face reports moves; hovering comes from the poll.
void Button::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_inputEnabled)
        return;
    const QPoint local = event->position().toPoint() - m_faceRect.topLeft();
    if (!m_faceRect.contains(event->position().toPoint()))
        return;
    Args args = mouseEventArgs(*event, true, float(local.x()), float(local.y()));
    raiseEvent(QStringLiteral("MouseMove"), args);
}

void Button::keyPressEvent(QKeyEvent *event)
{
    if (!m_inputEnabled)
        return;
    const int keyCode = KeyCodes::keyCode(*event);
    if (keyCode != 0)
        PicBild1_KeyDown(int16_t(keyCode), int16_t(KeyCodes::shiftBits(event->modifiers())),
                         event->isAutoRepeat());
    if (const int ascii = KeyCodes::keyAscii(*event)) {
        Args args{Variant::fromInteger(int16_t(ascii))};
        raiseEvent(QStringLiteral("KeyPress"), args);
    }
}

void Button::keyReleaseEvent(QKeyEvent *event)
{
    if (!m_inputEnabled || event->isAutoRepeat())
        return;
    const int keyCode = KeyCodes::keyCode(*event);
    if (keyCode != 0)
        PicBild1_KeyUp(int16_t(keyCode), int16_t(KeyCodes::shiftBits(event->modifiers())));
}

void Button::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    PicBild1_GotFocus();
}

void Button::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    PicBild1_LostFocus();
}

bool Button::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (!m_faceToolTip.isEmpty())
            QToolTip::showText(help->globalPos(), m_faceToolTip, this);
        else
            QToolTip::hideText();
        return true;
    }
    return Control::event(event);
}

} // namespace ostrevo
