#include "platform/runtime/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace rt
{

QPoint centredOver(const QRect &frame, const QRect &over)
{
    QRect mine = frame;
    mine.moveCenter(over.center());
    if (const QScreen *screen = QGuiApplication::screenAt(over.center())) {
        const QRect avail = screen->availableGeometry();
        mine.moveLeft(std::max(avail.left(), std::min(mine.left(), avail.right() - mine.width() + 1)));
        mine.moveTop(std::max(avail.top(), std::min(mine.top(), avail.bottom() - mine.height() + 1)));
    }
    return mine.topLeft();
}

} // namespace rt
