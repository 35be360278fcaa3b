#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <memory>

namespace session
{

// How the user's session is to end.
enum class Ending { LogOff, Reboot, PowerOff };

// The system's session manager: ends the user's session or the machine's
// run. The real one asks systemd-logind; tests install a recorder.
class SessionManager
{
public:
    virtual ~SessionManager();
    // Whether this user may ask for the ending at all (the privilege check
    // before a reboot or power-off); ending the own session is always allowed.
    virtual bool mayEnd(Ending ending) = 0;
    // False when the request was refused or could not be sent.
    virtual bool end(Ending ending) = 0;
};

} // namespace session

// The process-wide session manager: logind's unless a test installed another.
KV_DECLARE_SERVICE_SLOT(session::SessionManager)
