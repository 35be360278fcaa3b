#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace kernel
{

// The version record the platform reports about itself.
struct VersionRecord {
    uint32_t majorVersion = 5;
    uint32_t minorVersion = 1;
    uint32_t buildNumber = 2600;
    uint32_t platformId = 2; // 2: the NT family
    QString servicePack;
};

// The process's version record; tests install another.
VersionRecord platformVersion();
// Only the record installed, if any: without one the record above is the
// fixed one the controls rely on, which names no running system.
std::optional<VersionRecord> installedPlatformVersion();
void setPlatformVersion(const VersionRecord &record);
void resetPlatformVersion();

} // namespace kernel
