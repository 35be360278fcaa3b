#pragma once

#include "platform/session/SessionManager.h"

namespace session
{

// systemd-logind on the system bus: the machine rebooted or powered off,
// polkit maybe asking the person first. Logging off asks the desktop's session
// manager on the session bus, so that programs may save; the caller's session
// is terminated through logind only where no session manager answers.
class LogindSession : public SessionManager
{
public:
    bool mayEnd(Ending ending) override;
    bool end(Ending ending) override;
};

} // namespace session
