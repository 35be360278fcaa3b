#include "tests/support/fakes/RecordingSound.h"

namespace sound
{

bool RecordingSound::playSound(const QString &sound, int32_t module, uint32_t flags)
{
    calls.push_back({Call::Named, sound, module, flags, {}});
    return result;
}

bool RecordingSound::playMemory(const QByteArray &wave, uint32_t flags)
{
    calls.push_back({Call::Memory, {}, 0, flags, wave});
    return result;
}

} // namespace sound
