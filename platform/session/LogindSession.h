#pragma once

#include "platform/session/SessionManager.h"

namespace session
{

// systemd-logind on the system bus: the caller's own session is terminated,
// the machine rebooted or powered off. Polkit may ask the person first.
class LogindSession : public SessionManager
{
public:
    bool mayEnd(Ending ending) override;
    bool end(Ending ending) override;
};

} // namespace session
