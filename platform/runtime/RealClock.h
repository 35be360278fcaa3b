#pragma once

#include "platform/runtime/Clock.h"

namespace rt
{

class RealClock : public Clock
{
public:
    QDateTime now() const override;
    // Milliseconds on the monotonic clock (since boot on Linux).
    qint64 tickCount() const override;
};

} // namespace rt
