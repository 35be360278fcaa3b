#pragma once

#include "platform/sound/SoundOutput.h"

namespace sound
{

// Plays nothing and reports success, as a machine without sound hardware
// does for the calls the library makes.
class SilentSound : public SoundOutput
{
public:
    bool playSound(const QString &sound, int32_t module, uint32_t flags) override;
    bool playMemory(const QByteArray &wave, uint32_t flags) override;
};

} // namespace sound
