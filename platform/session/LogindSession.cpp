#include "platform/session/LogindSession.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>

namespace session
{

namespace
{

const QString Service = QStringLiteral("org.freedesktop.login1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString ManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");
// logind's name for the session the calling process belongs to.
const QString OwnSessionPath = QStringLiteral("/org/freedesktop/login1/session/auto");
const QString SessionInterface = QStringLiteral("org.freedesktop.login1.Session");

} // namespace

bool LogindSession::mayEnd(Ending ending)
{
    if (ending == Ending::LogOff)
        return true;
    QDBusInterface manager(Service, ManagerPath, ManagerInterface, QDBusConnection::systemBus());
    if (!manager.isValid())
        return false;
    const QDBusReply<QString> answer =
        manager.call(ending == Ending::Reboot ? QStringLiteral("CanReboot") : QStringLiteral("CanPowerOff"));
    // "challenge": allowed once the person confirms it to polkit.
    return answer.isValid() &&
           (answer.value() == QLatin1String("yes") || answer.value() == QLatin1String("challenge"));
}

bool LogindSession::end(Ending ending)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return false;
    if (ending == Ending::LogOff) {
        QDBusInterface own(Service, OwnSessionPath, SessionInterface, bus);
        return own.isValid() && QDBusReply<void>(own.call(QStringLiteral("Terminate"))).isValid();
    }
    QDBusInterface manager(Service, ManagerPath, ManagerInterface, bus);
    if (!manager.isValid())
        return false;
    // Interactive: polkit may ask for a password instead of refusing.
    const QString method = ending == Ending::Reboot ? QStringLiteral("Reboot") : QStringLiteral("PowerOff");
    return QDBusReply<void>(manager.call(method, true)).isValid();
}

} // namespace session
