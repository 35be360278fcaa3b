#pragma once

#include "platform/sound/SoundOutput.h"

#include <vector>

namespace sound
{

// Plays nothing and records every call with its arguments, for tests.
class RecordingSound : public SoundOutput
{
public:
    struct Call {
        enum Kind { Named, Memory };
        Kind kind = Named;
        QString sound;      // Named: the name as passed (null stays null)
        int32_t module = 0; // Named only
        uint32_t flags = 0;
        QByteArray data; // Memory: a copy of the WAVE data
    };

    std::vector<Call> calls;
    // What every call answers.
    bool result = true;

    bool playSound(const QString &sound, int32_t module, uint32_t flags) override;
    bool playMemory(const QByteArray &wave, uint32_t flags) override;
};

} // namespace sound
