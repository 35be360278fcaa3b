#pragma once

#include <QDateTime>
#include <QtGlobal>

namespace rt
{

// The current local date and time, and a millisecond tick count that only
// ever moves forward (for measuring intervals, never for dates).
class Clock
{
public:
    virtual ~Clock();
    virtual QDateTime now() const = 0;
    virtual qint64 tickCount() const = 0;
};

} // namespace rt
