#include "platform/com/EventHandlers.h"

namespace com
{

void EventHandlers::on(const QString &handlerName, Handler handler)
{
    m_handlers[handlerName.toLower()] = std::move(handler);
}

bool EventHandlers::dispatch(const QString &handlerName, Args &args) const
{
    const auto it = m_handlers.find(handlerName.toLower());
    if (it == m_handlers.end() || !it->second)
        return false;
    it->second(args);
    return true;
}

bool EventHandlers::has(const QString &handlerName) const
{
    return m_handlers.count(handlerName.toLower()) > 0;
}

} // namespace com
