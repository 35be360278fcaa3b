#pragma once

#include <cstdint>

namespace sound
{

// The flags of the platform's PlaySound and sndPlaySound, with its numbers.
enum SoundFlag : uint32_t {
    SndSync = 0x0,
    SndAsync = 0x1,
    SndNoDefault = 0x2,
    SndMemory = 0x4,
    SndLoop = 0x8,
    SndNoStop = 0x10,
    SndPurge = 0x40,
    SndApplication = 0x80,
    SndAlias = 0x10000,
    SndFilename = 0x20000,
};

} // namespace sound
