#pragma once

#include <QtGlobal>

namespace testsupport
{

// The process's peak resident memory in KiB, counted from the last
// resetPeakMemory() (Linux keeps it in /proc/self/status as VmHWM).
qint64 peakMemoryKb();
// Starts counting the peak anew from what the process holds now.
void resetPeakMemory();

} // namespace testsupport
