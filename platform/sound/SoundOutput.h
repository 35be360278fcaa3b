#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

namespace sound
{

// Sound output as the platform's PlaySound and sndPlaySound offer it. A call
// ends whatever the process is still playing (unless SndNoStop is given and a
// sound plays). Failures come back as false and are never thrown.
class SoundOutput
{
public:
    virtual ~SoundOutput();

    // Plays a system event (by its alias) or a sound file. A null or empty
    // name, or SndPurge, only stops what is playing. The module handle stays
    // unused: the library asks for no sound of a module by name.
    virtual bool playSound(const QString &sound, int32_t module, uint32_t flags) = 0;
    // Plays a complete WAVE file held in memory (SndMemory); the data is
    // copied, so the caller's array need not outlive the sound.
    virtual bool playMemory(const QByteArray &wave, uint32_t flags) = 0;
};

} // namespace sound

// The process-wide output. Until one is installed (a test's recorder) it is
// the desktop's, except in a session without a screen (offscreen, minimal),
// where nobody listens: there it stays silent.
KV_DECLARE_SERVICE_SLOT(sound::SoundOutput)
