#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstdint>

namespace ostrevo
{

// What the emboss filter needs of a picture box: its scale and the device
// context of its persistent surface. The controls' picture boxes provide it.
class PictureBox
{
public:
    // ScaleMode values the filter uses.
    static constexpr int16_t ScalePixels = 3;

    virtual ~PictureBox();

    virtual void setScaleMode(int16_t mode) = 0;
    // ScaleWidth and ScaleHeight: the inner size in the current scale.
    virtual float scaleWidth() const = 0;
    virtual float scaleHeight() const = 0;
    virtual gdi::Handle hDC() = 0;
};

} // namespace ostrevo
