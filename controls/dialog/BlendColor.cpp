#include "controls/dialog/BlendColor.h"

#include "platform/com/AutomationError.h"

#include <algorithm>

namespace ostrevo
{

namespace
{

constexpr int LightestRing = 20;
constexpr int DarkestRing = 180;

int byteFactor(int value)
{
    if (value < 0 || value > 255)
        com::raise(com::ErrOverflow);
    return value;
}

} // namespace

int32_t BlendColor(const int32_t &colour1, const int32_t &colour2, const int16_t &weight,
                   const int16_t &extraWeight)
{
    const int factor1 = byteFactor(int{weight} + int{extraWeight});
    const int factor2 = byteFactor(256 - int{weight});
    int32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int32_t c1 = (colour1 / (1 << shift)) & 255;
        const int32_t c2 = (colour2 / (1 << shift)) & 255;
        const int32_t channel = std::min<int32_t>((c1 * factor1 + c2 * factor2) / 256, 255);
        result |= channel << shift;
    }
    return result;
}

void checkShadowIntensity(int16_t intensity)
{
    byteFactor(LightestRing + intensity);
    byteFactor(DarkestRing + intensity);
}

} // namespace ostrevo
