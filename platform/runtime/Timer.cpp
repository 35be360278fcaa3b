#include "platform/runtime/Timer.h"

#include "platform/com/AutomationError.h"

#include <QPointer>

namespace rt
{

Timer::Timer(QObject *parent) : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &Timer::tick);
}

Timer::~Timer() = default;

void Timer::setInterval(int milliseconds)
{
    if (milliseconds < 0 || milliseconds > 65535)
        com::raise(com::ErrInvalidPropertyValue);
    m_interval = milliseconds;
    restart();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    restart();
}

void Timer::restart()
{
    if (isRunning())
        m_timer.start(m_interval);
    else
        m_timer.stop();
}

bool Timer::fire()
{
    if (!isRunning())
        return false;
    // A handler that opens a modal window keeps events flowing; the timer
    // must not pile further ticks on top of the one still running.
    if (m_inHandler || !m_handler)
        return false;
    QPointer<Timer> self(this);
    // A copy, so that a handler may replace itself or end the timer.
    const std::function<void()> handler = m_handler;
    m_inHandler = true;
    handler();
    if (self)
        m_inHandler = false;
    return true;
}

void Timer::tick()
{
    fire();
}

} // namespace rt
