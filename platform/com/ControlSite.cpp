#include "platform/com/ControlSite.h"

#include "platform/com/EventHandlers.h"

namespace com
{

ControlSite::ControlSite(QString name, const EventHandlers *handlers)
    : m_name(std::move(name)), m_handlers(handlers)
{
    m_ambient.displayName = m_name;
}

void ControlSite::propertyChanged(const QString &property)
{
    m_changed.append(property);
}

void ControlSite::onEvent(const EventInfo &event, Args &args)
{
    if (m_observer)
        m_observer(event, args);
    if (m_handlers)
        m_handlers->dispatch(m_name + QLatin1Char('_') + event.name, args);
}

void ControlSite::setEventObserver(std::function<void(const EventInfo &, Args &)> observer)
{
    m_observer = std::move(observer);
}

} // namespace com
