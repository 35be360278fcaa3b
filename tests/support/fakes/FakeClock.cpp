#include "tests/support/fakes/FakeClock.h"

namespace rt
{

QDateTime FakeClock::now() const
{
    return m_now;
}
qint64 FakeClock::tickCount() const
{
    return m_tickCount;
}

void FakeClock::advance(qint64 milliseconds)
{
    m_now = m_now.addMSecs(milliseconds);
    m_tickCount += milliseconds;
}

} // namespace rt
