#include "controls/foundation/cSounds.h"

#include "controls/foundation/SystemFolders.h"
#include "platform/sound/SoundFlags.h"
#include "platform/sound/SoundOutput.h"

#include <array>
#include <new>

namespace ostrevo
{

namespace
{

// The platform's event names, passed as they stand (misspellings included:
// the desktop plays what is assigned to exactly these names).
constexpr std::array<const char *, 18> eventNames = {
    "AppGPFault",     "ProgramClose",      "EmptyRecycleBin", "MailBeep",
    "Maximize",       "MenuCommand",       "MenuPopup",       "Minimize",
    "Open",           "RestoreDown",       "ResoreUp",        "RingIn",
    "Ringout",        "SystemExclamation", "SystemExit",      "SystemHand",
    "SystemQuestion", "SystemStart",
};

// Not a resource of a module: the handle only fills its place.
constexpr int32_t noModule = 1;

// Sound is a courtesy: whatever the output throws stays here, except running
// out of memory, which the caller must learn of.
template <class Call> void ignoringErrors(Call call)
{
    try {
        call();
    } catch (const std::bad_alloc &) {
        throw;
    } catch (...) {
    }
}

} // namespace

void cSounds::SystemSound(int32_t &index)
{
    ignoringErrors([&] {
        // Outside the table there is no name: the empty one plays nothing.
        const QString name = index >= 0 && index < static_cast<int32_t>(eventNames.size())
                                 ? QString::fromLatin1(eventNames[static_cast<size_t>(index)])
                                 : QString(QLatin1String(""));
        rt::ServiceSlot<sound::SoundOutput>::current().playSound(
            name, noModule, sound::SndApplication | sound::SndNoDefault | sound::SndAsync);
    });
}

void cSounds::SoundStop()
{
    ignoringErrors([] {
        rt::ServiceSlot<sound::SoundOutput>::current().playSound(QString(QLatin1String("")), noModule,
                                                                 sound::SndPurge | sound::SndNoDefault);
    });
}

void cSounds::SoundPlay(QString &file, bool &playAsync, bool &loop)
{
    ignoringErrors([&] {
        uint32_t flags = sound::SndNoDefault;
        if (playAsync)
            flags |= sound::SndAsync;
        if (loop)
            flags |= sound::SndLoop;
        rt::ServiceSlot<sound::SoundOutput>::current().playSound(file, noModule, flags);
    });
}

com::Variant cSounds::strWindowDirectory() const
{
    return com::Variant::fromString(SystemFolders::systemDirectory());
}

com::Variant cSounds::strTempPath() const
{
    return com::Variant::fromString(SystemFolders::tempPath());
}

} // namespace ostrevo
