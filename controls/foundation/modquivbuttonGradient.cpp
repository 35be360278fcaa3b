#include "controls/foundation/modquivbutton.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"

#include <algorithm>
#include <cmath>

namespace ostrevo::modquivbutton
{

namespace
{

// start + k * step, rounded half to even and kept to a channel's range. The
// step is single precision and the product double, as the platform's
// arithmetic has them.
int channel(int start, int k, float step)
{
    const double value = std::nearbyint(start + static_cast<double>(k) * static_cast<double>(step));
    return static_cast<int>(std::clamp(value, 0.0, 255.0));
}

float stepOf(int from, int to, int rows)
{
    return static_cast<float>(static_cast<double>(to - from) / rows);
}

} // namespace

void DrawGradient(gdi::Handle &hDC, gdi::Rect &r, int32_t &colour1, int32_t &colour2, com::Variant &direction)
{
    const gdi::Rect area = r;
    const int r1 = RedFromBin(colour1), g1 = GreenFromBin(colour1), b1 = BlueFromBin(colour1);
    const int r2 = RedFromBin(colour2), g2 = GreenFromBin(colour2), b2 = BlueFromBin(colour2);

    const bool downward = direction.equals(com::Variant::fromLong(1));
    if (!downward && !direction.equals(com::Variant::fromLong(2)))
        return;
    // The rows are 1 to Bottom whatever Top is; row 0 keeps the back colour.
    const int rows = area.bottom;
    if (rows < 1)
        return;
    gdi::DeviceContext *dc = gdi::DeviceContext::fromHandle(hDC);
    if (!dc)
        return;
    const float dr = stepOf(r1, r2, rows), dg = stepOf(g1, g2, rows), db = stepOf(b1, b2, rows);

    // The strips do not overlap, so only those on the surface need a brush.
    const int lastRow = std::min(rows, dc->size().height() - 1);
    for (int y = 1; y <= lastRow; ++y) {
        const int k = downward ? y - 1 : rows - y;
        gdi::GdiObject brush(
            gdi::createSolidBrush(gdi::rgb(channel(r1, k, dr), channel(g1, k, dg), channel(b1, k, db))));
        dc->fillRect(gdi::Rect{area.left, y, area.right, y + 1}, brush);
    }
}

} // namespace ostrevo::modquivbutton
