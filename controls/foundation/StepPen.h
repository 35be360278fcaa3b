#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiTypes.h"

#include <cstdint>

namespace gdi
{
class DeviceContext;
}

namespace ostrevo
{

// The pen handling the shared painters follow: each drawing step selects a
// fresh pen of its own colour into the caller's device context and deletes
// the one it replaces; whatever way the painter is left (an overflow error
// included), the stock black pen ends up selected and no pen of ours lives on.
class StepPen
{
public:
    // Selects the first pen (style, width, colour); the caller's pen is not kept.
    StepPen(gdi::Handle dc, int style, int width, gdi::ColorRef color);
    ~StepPen();
    StepPen(const StepPen &) = delete;
    StepPen &operator=(const StepPen &) = delete;

    // The pen of the next step: one pixel wide, in the painter's pen style.
    void next(gdi::ColorRef color);
    // Move-to and line-to; the end point is left out, as LineTo does.
    void line(int64_t x1, int64_t y1, int64_t x2, int64_t y2);
    // Null for a handle that names no device context: then nothing is drawn.
    gdi::DeviceContext *dc() const { return m_dc; }

    // A coordinate as the platform's 32-bit arithmetic has it: outside that
    // range it is an overflow (error 6).
    static int coordinate(int64_t value);

private:
    void select(gdi::GdiObject pen);

    gdi::DeviceContext *m_dc;
    int m_style;
    gdi::GdiObject m_pen;
};

} // namespace ostrevo
