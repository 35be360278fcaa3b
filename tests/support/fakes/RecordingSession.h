#pragma once

#include "platform/session/SessionManager.h"

#include <QStringList>

namespace session
{

// Records what was asked ("may reboot", "end logoff", ...) and answers as set;
// nothing ever ends.
class RecordingSession : public SessionManager
{
public:
    QStringList log;
    bool allowed = true;  // mayEnd's answer
    bool succeeds = true; // end's answer
    bool mayEnd(Ending ending) override;
    bool end(Ending ending) override;
    static QString nameOf(Ending ending);
};

} // namespace session
