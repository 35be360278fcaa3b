#include "diary/outsidecontrols/CommandButton.h"

#include "diary/outsidecontrols/FocusMark.h"

namespace kalvento
{

CommandButton::CommandButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setAutoDefault(false);
}

void CommandButton::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    // The style draws a default button as it draws a focused one: the focus
    // also shows inside the button, so it is clear which button Space presses.
    if (hasFocus())
        paintFocusFrame(*this, *this, rect().adjusted(4, 4, -4, -4));
}

} // namespace kalvento
