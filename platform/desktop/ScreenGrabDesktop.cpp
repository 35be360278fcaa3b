#include "platform/desktop/ScreenGrabDesktop.h"

#include "platform/desktop/NeutralDesktop.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace desktop
{

namespace
{
// Long enough for the server to send the exposures and for our windows to
// repaint; short enough that nobody notices it before a balloon.
constexpr int SettleMilliseconds = 60;
} // namespace

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

void ScreenGrabDesktop::settle() const
{
    // The window system repaints uncovered windows asynchronously: our requests
    // go out, the exposures come back and are painted while this loop runs.
    QEventLoop loop;
    QTimer::singleShot(SettleMilliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace desktop
