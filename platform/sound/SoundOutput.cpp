#include "platform/sound/SoundOutput.h"

#include "platform/sound/DesktopSound.h"
#include "platform/sound/SilentSound.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace sound {

namespace {

std::unique_ptr<SoundOutput> &slot()
{
    static std::unique_ptr<SoundOutput> instance;
    return instance;
}

bool headless()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

} // namespace

SoundOutput::~SoundOutput() = default;

SoundOutput &output()
{
    auto &current = slot();
    if (!current) {
        if (headless())
            current = std::make_unique<SilentSound>();
        else {
            current = std::make_unique<DesktopSound>();
            // A player still running is ended while the application is there to see it end.
            static const bool registered = (qAddPostRoutine(resetOutput), true);
            (void)registered;
        }
    }
    return *current;
}

void setOutput(std::unique_ptr<SoundOutput> replacement)
{
    slot() = std::move(replacement);
}

void resetOutput()
{
    slot().reset();
}

} // namespace sound
