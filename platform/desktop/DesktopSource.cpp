#include "platform/desktop/DesktopSource.h"

#include "platform/desktop/NeutralDesktop.h"
#include "platform/desktop/ScreenGrabDesktop.h"

#include <QGuiApplication>

namespace desktop
{

DesktopSource::~DesktopSource() = default;

void DesktopSource::settle() const {}

} // namespace desktop

KV_SERVICE_SLOT_STORAGE(desktop::DesktopSource)

template <> std::unique_ptr<desktop::DesktopSource> rt::ServiceSlot<desktop::DesktopSource>::makeDefault()
{
    // Only an X11 session hands out the pixels of other windows.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return std::make_unique<desktop::ScreenGrabDesktop>();
    return std::make_unique<desktop::NeutralDesktop>();
}
