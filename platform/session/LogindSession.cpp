#include "platform/session/LogindSession.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <optional>

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

// The desktops' session managers on the session bus, asked to log out as their
// own log-out entries do: without a question, but every program may save first.
struct DesktopLogout {
    const char *service, *path, *interface, *method;
    QVariantList arguments;
};

const DesktopLogout &desktop(size_t i)
{
    static const DesktopLogout desktops[] = {
        // GNOME and MATE: mode 1 asks nothing and still lets programs object.
        {"org.gnome.SessionManager",
         "/org/gnome/SessionManager",
         "org.gnome.SessionManager",
         "Logout",
         {QVariant::fromValue(uint(1))}},
        {"org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", "logout", {}},
        {"org.kde.ksmserver", "/KSMServer", "org.kde.KSMServerInterface", "logout", {0, 0, 0}},
        {"org.xfce.SessionManager",
         "/org/xfce/SessionManager",
         "org.xfce.Session.Manager",
         "Logout",
         {false, true}},
    };
    return desktops[i];
}
constexpr size_t DesktopCount = 4;

// Whether the desktop's session manager took the log-off; none when no
// session manager is there to ask.
std::optional<bool> desktopLogOff()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusConnectionInterface *names = bus.isConnected() ? bus.interface() : nullptr;
    if (!names)
        return std::nullopt;
    for (size_t i = 0; i < DesktopCount; ++i) {
        const DesktopLogout &d = desktop(i);
        if (!names->isServiceRegistered(QString::fromLatin1(d.service)).value())
            continue;
        QDBusMessage call =
            QDBusMessage::createMethodCall(QString::fromLatin1(d.service), QString::fromLatin1(d.path),
                                           QString::fromLatin1(d.interface), QString::fromLatin1(d.method));
        call.setArguments(d.arguments);
        return bus.call(call).type() == QDBusMessage::ReplyMessage;
    }
    return std::nullopt;
}

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
    // Terminating the session ends its programs with no chance to save: only
    // where no desktop session manager answers.
    if (ending == Ending::LogOff)
        if (const std::optional<bool> done = desktopLogOff())
            return *done;
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
