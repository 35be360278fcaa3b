#pragma once

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Rect.h"

#include <cstdint>

namespace ostrevo::ModMain
{

// The dotted focus rectangle, one pixel inside r, in the device context's
// current raster operation and brush; colour is RGB, not translated. Leaves
// the stock black pen selected.
void DrawFocusRectangle(gdi::Handle &hDC, gdi::Rect &r, int32_t &colour);

} // namespace ostrevo::ModMain
