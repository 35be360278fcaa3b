#include "platform/desktop/ScreenGrabDesktop.h"

#include "platform/desktop/NeutralDesktop.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace desktop {

QImage ScreenGrabDesktop::capture(const QRect &rect) const
{
    QImage result = NeutralDesktop().capture(rect);
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || rect.isEmpty())
        return result;
    // Window 0 is the root window: what the desktop shows, other programs included.
    const QPixmap grab = screen->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height());
    if (grab.isNull())
        return result;
    QPainter painter(&result);
    painter.drawImage(QPoint(0, 0), grab.toImage());
    return result;
}

} // namespace desktop
