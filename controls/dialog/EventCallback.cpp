#include "controls/dialog/EventCallback.h"

namespace ostrevo
{

void EventCallback::onEvent(const com::EventInfo &event, com::Args &args)
{
    if (m_handler)
        m_handler(event.name, args);
}

} // namespace ostrevo
