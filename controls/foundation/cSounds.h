#pragma once

#include "platform/com/Variant.h"

#include <QString>
#include <cstdint>

namespace ostrevo
{

// Plays the sounds the user assigned to system events, plays or stops a
// sound file, and reports two system folders. Holds no state; no member ever
// lets an error reach its caller.
class cSounds
{
public:
    // index 0 to 17 picks an event; any other index plays nothing.
    void SystemSound(int32_t &index);
    void SoundStop();
    void SoundPlay(QString &file, bool &playAsync, bool &loop);

    // The full path of the folder, or an empty text when it cannot be had.
    com::Variant strWindowDirectory() const;
    com::Variant strTempPath() const;
};

} // namespace ostrevo
