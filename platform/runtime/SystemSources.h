#pragma once

#include "platform/runtime/Clock.h"
#include "platform/runtime/CursorSource.h"
#include "platform/runtime/ScreenSource.h"

#include <memory>

namespace rt
{

// The process-wide cursor, screen and clock. The real ones serve until a test
// installs a fake; installing nothing (a null pointer) or reset() brings the
// real ones back.
class SystemSources
{
public:
    static CursorSource &cursor();
    static ScreenSource &screen();
    static Clock &clock();

    static void setCursor(std::unique_ptr<CursorSource> source);
    static void setScreen(std::unique_ptr<ScreenSource> source);
    static void setClock(std::unique_ptr<Clock> source);
    static void reset();
};

} // namespace rt
