#pragma once

#include "platform/sound/EventSoundTheme.h"
#include "platform/sound/SoundOutput.h"

#include <memory>

class QProcess;
class QTemporaryFile;

namespace sound
{

// Plays through a command-line player of the desktop (paplay, pw-play or
// aplay, whichever is installed). Event aliases take the desktop theme's
// sounds. Where there is no player, no theme sound or no sound device, it
// stays silent; nothing it does raises an error.
class DesktopSound : public SoundOutput
{
public:
    // The first player found on the path and the system's sound theme.
    DesktopSound();
    // A given player program (empty: none) and theme.
    DesktopSound(QString player, EventSoundTheme theme);
    ~DesktopSound() override;

    bool playSound(const QString &sound, int32_t module, uint32_t flags) override;
    bool playMemory(const QByteArray &wave, uint32_t flags) override;

    bool isPlaying() const;
    QString player() const { return m_player; }

private:
    static QString findPlayer();
    bool play(const QString &file, uint32_t flags);
    void stop();

    QString m_player;
    EventSoundTheme m_theme;
    std::unique_ptr<QProcess> m_process;
    // Memory sounds go to the player through a file that lives as long as they play.
    std::unique_ptr<QTemporaryFile> m_memoryFile;
    bool m_looping = false;
};

} // namespace sound
