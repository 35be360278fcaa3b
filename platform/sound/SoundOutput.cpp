#include "platform/sound/SoundOutput.h"

#include "platform/sound/DesktopSound.h"
#include "platform/sound/SilentSound.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace sound
{

namespace
{

bool headless()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

} // namespace

SoundOutput::~SoundOutput() = default;

} // namespace sound

KV_SERVICE_SLOT_STORAGE(sound::SoundOutput)

template <> std::unique_ptr<sound::SoundOutput> rt::ServiceSlot<sound::SoundOutput>::makeDefault()
{
    if (sound::headless())
        return std::make_unique<sound::SilentSound>();
    // A player still running is ended while the application is there to see it end.
    static const bool registered =
        (qAddPostRoutine([] { rt::ServiceSlot<sound::SoundOutput>::reset(); }), true);
    (void)registered;
    return std::make_unique<sound::DesktopSound>();
}
