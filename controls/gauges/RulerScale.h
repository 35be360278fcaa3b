#pragma once

#include <QString>
#include <cstdint>
#include <functional>

namespace gdi
{
class DeviceContext;
}

namespace ostrevo
{

// The ruler's scale: nine short ticks and one numbered long tick per group,
// the fifth of them half-depth, starting one step in from the edge. Positions
// are twips along the scale; drawing converts them to the surface's pixels.
class RulerScale
{
public:
    enum class Depth { Eighth, Half, Full };

    struct Tick {
        float position; // twips from the left or top edge
        Depth depth;
        QString label; // only on the long tick
    };

    // Visits the ticks for `adjust` twips per unit and `zoom` units per
    // numbered tick (1, 2, 4 or 8) along `length` twips, in order. An adjust
    // value that is not positive or another zoom has no ticks. Ticks are not
    // collected: a small adjust value on a long ruler makes millions of them.
    static void forEachTick(int32_t adjust, int16_t zoom, double length,
                            const std::function<void(const Tick &)> &visit);

    // Draws the ticks and labels with the pen, font and text colour selected
    // into dc. Width and height are the surface's inner size in twips; a
    // vertical scale runs down the surface.
    static void draw(gdi::DeviceContext &dc, int32_t adjust, int16_t zoom, bool vertical, double width,
                     double height);
};

} // namespace ostrevo
