#pragma once

#include <cstdint>

namespace ostrevo
{

// The colours a button derives from its face colour (RGB, &H00BBGGRR), each
// channel moved by a fixed offset and clamped to 0..255.
struct ButtonShades {
    int32_t faceRGB = 0;
    int32_t shadeDark = 0;      // -100
    int32_t shadeLight = 0;     // +40
    int32_t gradientTop = 0;    // +40, held apart from shadeLight
    int32_t faceOver = 0;       // +10
    int32_t faceDown = 0;       // -15
    int32_t gradientBottom = 0; // -30

    // The face colour may be a system colour; it is turned into RGB first.
    static ButtonShades from(int32_t faceColour);
};

} // namespace ostrevo
