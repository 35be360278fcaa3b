#include "platform/runtime/RealClock.h"

#include <QElapsedTimer>

namespace rt
{

QDateTime RealClock::now() const
{
    return QDateTime::currentDateTime();
}

qint64 RealClock::tickCount() const
{
    QElapsedTimer timer;
    timer.start();
    return timer.msecsSinceReference();
}

} // namespace rt
