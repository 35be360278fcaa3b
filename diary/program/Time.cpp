#include "diary/program/Time.h"

#include "platform/runtime/Clock.h"
#include "platform/runtime/SystemSources.h"

#include <QCoreApplication>
#include <QThread>
#include <cmath>

namespace kalvento::Time
{

void Pause(int32_t seconds)
{
    const rt::Clock &clock = rt::SystemSources::clock();
    const qint64 start = clock.tickCount();
    for (;;) {
        QCoreApplication::processEvents();
        const double elapsed = std::nearbyint(double(clock.tickCount() - start) / 1000.0);
        if (elapsed >= seconds)
            return;
        // Not a busy wait: a short sleep between passes still answers the user at once.
        QThread::msleep(5);
    }
}

} // namespace kalvento::Time
