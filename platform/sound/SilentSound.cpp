#include "platform/sound/SilentSound.h"

namespace sound
{

bool SilentSound::playSound(const QString &, int32_t, uint32_t)
{
    return true;
}

bool SilentSound::playMemory(const QByteArray &, uint32_t)
{
    return true;
}

} // namespace sound
