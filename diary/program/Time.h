#pragma once

#include <cstdint>

namespace kalvento::Time
{

// Waits until the rounded elapsed time reaches `seconds`, handling the
// window's events meanwhile so it stays responsive. Measured on the clock's
// tick count, which never jumps back, so a wait across midnight ends on time.
void Pause(int32_t seconds);

} // namespace kalvento::Time
