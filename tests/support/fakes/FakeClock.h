#pragma once

#include "platform/runtime/Clock.h"

namespace rt
{

// Time that stands still until the test sets or advances it.
class FakeClock : public Clock
{
public:
    explicit FakeClock(const QDateTime &now = QDateTime(QDate(2026, 12, 8), QTime(12, 0)),
                       qint64 tickCount = 0)
        : m_now(now), m_tickCount(tickCount)
    {
    }

    QDateTime now() const override;
    qint64 tickCount() const override;

    void setNow(const QDateTime &now) { m_now = now; }
    void setTickCount(qint64 tickCount) { m_tickCount = tickCount; }
    // Moves both the date-time and the tick count.
    void advance(qint64 milliseconds);

private:
    QDateTime m_now;
    qint64 m_tickCount;
};

} // namespace rt
