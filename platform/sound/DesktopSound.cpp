#include "platform/sound/DesktopSound.h"

#include "platform/sound/SoundFlags.h"
#include "platform/sound/WaveInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>

namespace sound
{

namespace
{

// A synchronous sound blocks its caller, as on the platform, but never for longer.
constexpr int longestSyncPlayMs = 30000;

bool isWaveFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(12);
    return head.size() == 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WAVE";
}

} // namespace

DesktopSound::DesktopSound() : DesktopSound(findPlayer(), EventSoundTheme()) {}

DesktopSound::DesktopSound(QString player, EventSoundTheme theme)
    : m_player(std::move(player)), m_theme(std::move(theme))
{
}

DesktopSound::~DesktopSound()
{
    stop();
}

QString DesktopSound::findPlayer()
{
    for (const char *name : {"paplay", "pw-play", "aplay"}) {
        const QString path = QStandardPaths::findExecutable(QLatin1String(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

bool DesktopSound::isPlaying() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

bool DesktopSound::playSound(const QString &sound, int32_t, uint32_t flags)
{
    if ((flags & SndNoStop) && isPlaying())
        return false;
    stop();
    if (sound.isEmpty() || (flags & SndPurge))
        return true;

    QString file;
    if (!(flags & SndFilename))
        file = m_theme.fileFor(sound);
    if (file.isEmpty() && !(flags & SndAlias) && QFileInfo(sound).isFile())
        file = sound;
    if (file.isEmpty() && !(flags & SndNoDefault))
        file = m_theme.fileFor(QStringLiteral("SystemDefault"));
    return !file.isEmpty() && play(file, flags);
}

bool DesktopSound::playMemory(const QByteArray &wave, uint32_t flags)
{
    if ((flags & SndNoStop) && isPlaying())
        return false;
    stop();
    if (!WaveInfo::parse(wave)) {
        const QString fallback =
            (flags & SndNoDefault) ? QString() : m_theme.fileFor(QStringLiteral("SystemDefault"));
        return !fallback.isEmpty() && play(fallback, flags);
    }
    auto file =
        std::make_unique<QTemporaryFile>(QDir::tempPath() + QLatin1String("/ostrevo-sound-XXXXXX.wav"));
    if (!file->open() || file->write(wave) != wave.size() || !file->flush())
        return false;
    file->close();
    const QString path = file->fileName();
    m_memoryFile = std::move(file);
    return play(path, flags);
}

bool DesktopSound::play(const QString &file, uint32_t flags)
{
    if (m_player.isEmpty())
        return false;
    // The ALSA player reads WAVE files only.
    if (QFileInfo(m_player).fileName() == QLatin1String("aplay") && !isWaveFile(file))
        return false;

    m_process = std::make_unique<QProcess>();
    m_process->setProgram(m_player);
    m_process->setArguments({file});
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    m_process->start();
    if (!m_process->waitForStarted()) {
        m_process.reset();
        return false;
    }
    const bool async = flags & SndAsync;
    if (!async) {
        if (!m_process->waitForFinished(longestSyncPlayMs))
            stop();
        return true;
    }
    // A loop needs an asynchronous sound, as on the platform.
    m_looping = flags & SndLoop;
    if (m_looping) {
        QProcess *process = m_process.get();
        QObject::connect(process, &QProcess::finished, process, [this, process] {
            // Restarted from the event loop, not from inside the finished signal.
            QTimer::singleShot(0, process, [this, process] {
                if (m_looping && process->state() == QProcess::NotRunning)
                    process->start();
            });
        });
    }
    return true;
}

void DesktopSound::stop()
{
    m_looping = false;
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(1000);
    }
    m_process.reset();
    m_memoryFile.reset();
}

} // namespace sound
