#pragma once

#include "platform/com/AutomationObject.h"

#include <functional>

namespace ostrevo
{

// Hands the events of a control that a form places itself to one function
// of the form, by event name.
class EventCallback : public com::EventSink
{
public:
    using Handler = std::function<void(const QString &event, com::Args &args)>;

    explicit EventCallback(Handler handler) : m_handler(std::move(handler)) {}
    void onEvent(const com::EventInfo &event, com::Args &args) override;

private:
    Handler m_handler;
};

} // namespace ostrevo
