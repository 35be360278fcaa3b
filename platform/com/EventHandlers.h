#pragma once

#include "platform/com/AutomationObject.h"

#include <QString>
#include <functional>
#include <map>

namespace com
{

// A form's event handlers, by the platform's names ("xpCheck1_Click").
class EventHandlers
{
public:
    using Handler = std::function<void(Args &)>;

    void on(const QString &handlerName, Handler handler);
    // Calls the handler when the form has one; false when it has none.
    bool dispatch(const QString &handlerName, Args &args) const;
    bool has(const QString &handlerName) const;

private:
    std::map<QString, Handler> m_handlers; // keys lower-case: names bind without regard to case
};

} // namespace com
