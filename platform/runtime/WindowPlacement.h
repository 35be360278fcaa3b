#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace rt
{

// Where a window's frame goes to stand centred over `over`, kept on the
// screen there so that its title bar can always be reached.
QPoint centredOver(const QRect &frame, const QRect &over);

// The frame made no larger than `available` and moved inside it, so that no
// part of the window, its buttons least of all, lies off the screen.
QRect fittedInto(const QRect &frame, const QRect &available);

// Fits a window about to show, frame included, into the free area of its
// screen: shrunk where it is larger, moved where it sticks out. A window
// marked with coversScreen, or shown full screen or maximised, is left alone.
void keepOnScreen(QWidget &window);

// Marks a window that covers the whole screen on purpose, its edges beyond it.
void coversScreen(QWidget &window);

} // namespace rt
