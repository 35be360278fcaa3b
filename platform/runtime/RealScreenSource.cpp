#include "platform/runtime/RealScreenSource.h"

#include <QGuiApplication>
#include <QScreen>

namespace rt
{

namespace
{

const QScreen *primaryScreen()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return nullptr;
    return QGuiApplication::primaryScreen();
}

} // namespace

QSize RealScreenSource::size() const
{
    const QScreen *screen = primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

QRect RealScreenSource::workArea() const
{
    const QScreen *screen = primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace rt
