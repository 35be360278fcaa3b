#pragma once

#include <QPoint>
#include <QRect>

namespace rt
{

// Where a window's frame goes to stand centred over `over`, kept on the
// screen there so that its title bar can always be reached.
QPoint centredOver(const QRect &frame, const QRect &over);

} // namespace rt
