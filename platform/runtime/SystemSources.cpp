#include "platform/runtime/SystemSources.h"

#include "platform/runtime/RealClock.h"
#include "platform/runtime/RealCursorSource.h"
#include "platform/runtime/RealScreenSource.h"

namespace rt
{

namespace
{

struct Sources {
    std::unique_ptr<CursorSource> cursor;
    std::unique_ptr<ScreenSource> screen;
    std::unique_ptr<Clock> clock;
};

Sources &sources()
{
    static Sources instance;
    return instance;
}

template <class Real, class Interface> Interface &orReal(std::unique_ptr<Interface> &slot)
{
    if (!slot)
        slot = std::make_unique<Real>();
    return *slot;
}

} // namespace

CursorSource &SystemSources::cursor()
{
    return orReal<RealCursorSource>(sources().cursor);
}
ScreenSource &SystemSources::screen()
{
    return orReal<RealScreenSource>(sources().screen);
}
Clock &SystemSources::clock()
{
    return orReal<RealClock>(sources().clock);
}

void SystemSources::setCursor(std::unique_ptr<CursorSource> source)
{
    sources().cursor = std::move(source);
}
void SystemSources::setScreen(std::unique_ptr<ScreenSource> source)
{
    sources().screen = std::move(source);
}
void SystemSources::setClock(std::unique_ptr<Clock> source)
{
    sources().clock = std::move(source);
}

void SystemSources::reset()
{
    sources().cursor.reset();
    sources().screen.reset();
    sources().clock.reset();
}

} // namespace rt
