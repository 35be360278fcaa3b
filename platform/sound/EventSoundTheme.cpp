#include "platform/sound/EventSoundTheme.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace sound
{

namespace
{

struct EventSound {
    const char *alias;
    const char *names; // theme names to try, comma-separated
};

// Events the desktop theme has a counterpart for; the others stay silent, as
// an event without an assigned sound does.
constexpr EventSound eventSounds[] = {
    {"AppGPFault", "dialog-error"},
    {"SystemHand", "dialog-error"},
    {"SystemExclamation", "dialog-warning"},
    {"SystemQuestion", "dialog-question,dialog-information"},
    {"SystemAsterisk", "dialog-information"},
    {"SystemDefault", "bell"},
    {"MailBeep", "message-new-instant,message"},
    {"EmptyRecycleBin", "trash-empty"},
    {"SystemStart", "service-login"},
    {"SystemExit", "service-logout"},
    {"RingIn", "phone-incoming-call"},
    {"RingOut", "phone-outgoing-calling"},
};

} // namespace

EventSoundTheme::EventSoundTheme()
    : m_dataDirs(QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
{
}

EventSoundTheme::EventSoundTheme(QStringList dataDirs) : m_dataDirs(std::move(dataDirs)) {}

QString EventSoundTheme::fileFor(const QString &alias) const
{
    for (const EventSound &event : eventSounds) {
        if (alias.compare(QLatin1String(event.alias), Qt::CaseInsensitive) != 0)
            continue;
        const QStringList names = QString::fromLatin1(event.names).split(QLatin1Char(','));
        for (const QString &name : names)
            for (const QString &dir : m_dataDirs)
                for (const char *extension : {".oga", ".ogg", ".wav"}) {
                    const QString path =
                        dir + QLatin1String("/sounds/freedesktop/stereo/") + name + QLatin1String(extension);
                    if (QFileInfo(path).isFile())
                        return path;
                }
        return QString();
    }
    return QString();
}

} // namespace sound
