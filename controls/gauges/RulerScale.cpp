#include "controls/gauges/RulerScale.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/runtime/Twips.h"

#include <cmath>

using rt::Twips;

namespace ostrevo
{

void RulerScale::forEachTick(int32_t adjust, int16_t zoom, double length,
                             const std::function<void(const Tick &)> &visit)
{
    // Without a positive adjust value the step would never advance.
    if (adjust <= 0)
        return;
    const double a = adjust;
    // The first position lies a little past the step, so that each numbered
    // tick lands just past a whole multiple of the zoom and Int() does not
    // round it down.
    double first = 0;
    double step = 0;
    switch (zoom) {
    case 1:
        first = a / 10;
        step = a / 10;
        break;
    case 2:
        first = a / 4.8;
        step = a / 5;
        break;
    case 4:
        first = a / 2.48;
        step = a / 2.5;
        break;
    case 8:
        first = a / 1.24;
        step = a / 1.25;
        break;
    default:
        return;
    }
    float p = static_cast<float>(first);
    // The length is tested once per group: the last group runs past the end.
    while (p < length) {
        for (int i = 1; i <= 10; ++i) {
            const Depth depth = i == 10 ? Depth::Full : i == 5 ? Depth::Half : Depth::Eighth;
            QString label;
            if (depth == Depth::Full)
                label = QString::number(static_cast<qlonglong>(std::floor(double(p) / a)));
            visit({p, depth, label});
            const auto next = static_cast<float>(double(p) + step);
            if (next == p)
                return; // a step too small for a Single to advance
            p = next;
        }
    }
}

void RulerScale::draw(gdi::DeviceContext &dc, int32_t adjust, int16_t zoom, bool vertical, double width,
                      double height)
{
    const double depth = vertical ? width : height;
    forEachTick(adjust, zoom, vertical ? height : width, [&](const Tick &tick) {
        double from = 0; // across the scale, from the top or left edge
        if (tick.depth == Depth::Half)
            from = depth - depth * 0.5;
        else if (tick.depth == Depth::Eighth)
            from = depth - depth * 0.125;
        if (vertical) {
            const int y = Twips::toPixelsY(tick.position);
            dc.moveTo(Twips::toPixelsX(from), y);
            dc.lineTo(Twips::toPixelsX(depth), y);
            if (tick.depth == Depth::Full)
                dc.textOut(0, y, tick.label);
        } else {
            const int x = Twips::toPixelsX(tick.position);
            dc.moveTo(x, Twips::toPixelsY(from));
            dc.lineTo(x, Twips::toPixelsY(depth));
            if (tick.depth == Depth::Full)
                dc.textOut(x, 0, tick.label);
        }
    });
}

} // namespace ostrevo
