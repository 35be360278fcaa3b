#pragma once

#include "platform/desktop/DesktopSource.h"

namespace desktop
{

// The real screen, grabbed through the window system (X11 only); where the
// grab yields nothing, the neutral backdrop stands in.
class ScreenGrabDesktop : public DesktopSource
{
public:
    QImage capture(const QRect &rect) const override;
    void settle() const override;
};

} // namespace desktop
