#include "platform/desktop/DesktopSource.h"

#include "platform/desktop/NeutralDesktop.h"
#include "platform/desktop/ScreenGrabDesktop.h"

#include <QGuiApplication>

namespace desktop {

namespace {

std::unique_ptr<DesktopSource> &installed()
{
    static std::unique_ptr<DesktopSource> current;
    return current;
}

std::unique_ptr<DesktopSource> makeDefault()
{
    // Only an X11 session hands out the pixels of other windows.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return std::make_unique<ScreenGrabDesktop>();
    return std::make_unique<NeutralDesktop>();
}

} // namespace

DesktopSource::~DesktopSource() = default;

void DesktopSource::settle() const {}

DesktopSource &source()
{
    std::unique_ptr<DesktopSource> &current = installed();
    if (!current)
        current = makeDefault();
    return *current;
}

void setSource(std::unique_ptr<DesktopSource> replacement) { installed() = std::move(replacement); }

void resetSource() { installed().reset(); }

} // namespace desktop
