#pragma once

#include <cstdint>

namespace ostrevo
{

// Mixes two RGB colours channel by channel: (c1 × (weight + extraWeight) +
// c2 × (256 − weight)) \ 256, a channel above 255 counting as 255. Both
// factors must fit a byte: otherwise error 6.
int32_t BlendColor(const int32_t &colour1, const int32_t &colour2, const int16_t &weight,
                   const int16_t &extraWeight);

// The balloon shadow blends with ring weights 20 to 180; an intensity for
// which one of them leaves the byte range raises error 6 at once, before the
// first pixel is painted.
void checkShadowIntensity(int16_t intensity);

} // namespace ostrevo
