#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <QImage>
#include <QRect>
#include <memory>

namespace desktop
{

// What lies on the screen, for windows that paint their own shadow onto what
// is behind them. Tests install a synthetic desktop; nothing else may read
// the real screen in a test.
class DesktopSource
{
public:
    virtual ~DesktopSource();
    // The pixels of the screen rectangle (screen pixels) as an RGB32 image of
    // rect's size; parts that no screen covers come back in a neutral colour.
    virtual QImage capture(const QRect &rect) const = 0;
    // Gives the window system the moment it needs to repaint what our own
    // windows uncovered just now (a balloon that closed a moment ago), so a
    // capture that follows shows what lies there now and not a ghost of it.
    // Input is left waiting meanwhile. The default has nothing to wait for.
    virtual void settle() const;
};

} // namespace desktop

// The process-wide source: the screen grab where the window system allows
// one, a neutral backdrop elsewhere (offscreen, minimal), until a test
// installs its own.
KV_DECLARE_SERVICE_SLOT(desktop::DesktopSource)
