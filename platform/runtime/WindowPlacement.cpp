#include "platform/runtime/WindowPlacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace rt
{

namespace
{

const char *const CoversScreen = "kvCoversScreen";

QMargins frameMargins(const QWidget &window)
{
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

// The window manager's frame around the window: its own once it has been shown, before that the
// frame of another shown window, as the manager frames them all alike.
QMargins expectedFrame(const QWidget &window)
{
    const QMargins own = frameMargins(window);
    if (!own.isNull() || window.windowFlags().testFlag(Qt::FramelessWindowHint))
        return own;
    for (const QWidget *other : QApplication::topLevelWidgets()) {
        if (other == &window || !other->isVisible() || other->windowFlags().testFlag(Qt::FramelessWindowHint))
            continue;
        const QMargins margins = frameMargins(*other);
        if (!margins.isNull())
            return margins;
    }
    return own;
}

} // namespace

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

QRect fittedInto(const QRect &frame, const QRect &available)
{
    QRect fitted(frame.topLeft(), frame.size().boundedTo(available.size()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(), available.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), available.top(), available.bottom() - fitted.height() + 1));
    return fitted;
}

void coversScreen(QWidget &window)
{
    window.setProperty(CoversScreen, true);
}

void keepOnScreen(QWidget &window)
{
    if (window.property(CoversScreen).toBool() ||
        (window.windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized)))
        return;
    const QMargins margins = expectedFrame(window);
    // Before it is shown its position is already the frame's, but its size still the inside's.
    const QRect frame(window.frameGeometry().topLeft(), window.size().grownBy(margins));
    const QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window.screen();
    if (!screen)
        return;
    const QRect fitted = fittedInto(frame, screen->availableGeometry());
    if (fitted == frame)
        return;
    const QRect inner = fitted.marginsRemoved(margins);
    if (inner.size() != window.size())
        window.resize(inner.size());
    // A window's position is its frame's: the window manager puts the frame's corner there.
    window.move(fitted.topLeft());
}

} // namespace rt
