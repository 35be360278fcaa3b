#include "platform/kernel/PlatformVersion.h"

#include <optional>

namespace kernel
{

namespace
{
std::optional<VersionRecord> &installed()
{
    static std::optional<VersionRecord> record;
    return record;
}
} // namespace

VersionRecord platformVersion()
{
    // This system always runs on the NT line of the platform, so the real
    // record is the fixed one the controls were last tested against.
    return installed().value_or(VersionRecord{});
}

std::optional<VersionRecord> installedPlatformVersion()
{
    return installed();
}

void setPlatformVersion(const VersionRecord &record)
{
    installed() = record;
}

void resetPlatformVersion()
{
    installed().reset();
}

} // namespace kernel
