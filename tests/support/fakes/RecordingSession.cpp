#include "tests/support/fakes/RecordingSession.h"

namespace session
{

QString RecordingSession::nameOf(Ending ending)
{
    switch (ending) {
    case Ending::LogOff:
        return QStringLiteral("logoff");
    case Ending::Reboot:
        return QStringLiteral("reboot");
    case Ending::PowerOff:
        return QStringLiteral("poweroff");
    }
    return {};
}

bool RecordingSession::mayEnd(Ending ending)
{
    log << QStringLiteral("may ") + nameOf(ending);
    return allowed;
}

bool RecordingSession::end(Ending ending)
{
    log << QStringLiteral("end ") + nameOf(ending);
    return succeeds;
}

} // namespace session
