#include "platform/runtime/Clock.h"

namespace rt
{

Clock::~Clock() = default;

} // namespace rt
