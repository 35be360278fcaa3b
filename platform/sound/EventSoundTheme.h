#pragma once

#include <QString>
#include <QStringList>

namespace sound
{

// The desktop's sounds for the platform's system events, from the
// freedesktop sound theme where the machine has it installed.
class EventSoundTheme
{
public:
    // Searches the system's data folders.
    EventSoundTheme();
    // Searches the given data folders (each holding sounds/freedesktop/...).
    explicit EventSoundTheme(QStringList dataDirs);

    // The sound file for an event alias (compared without regard to case, as
    // the platform does), or an empty text when the desktop has none for it.
    QString fileFor(const QString &alias) const;

private:
    QStringList m_dataDirs;
};

} // namespace sound
