#include "controls/foundation/ModMain.h"

#include "controls/foundation/StepPen.h"
#include "platform/gdi/DeviceContext.h"

namespace ostrevo::ModMain
{

void DrawFocusRectangle(gdi::Handle &hDC, gdi::Rect &r, int32_t &colour)
{
    StepPen pen(hDC, gdi::PsDot, 1, static_cast<gdi::ColorRef>(colour));
    const int left = StepPen::coordinate(int64_t{r.left} + 1);
    const int top = StepPen::coordinate(int64_t{r.top} + 1);
    const int right = StepPen::coordinate(int64_t{r.right} - 1);
    const int bottom = StepPen::coordinate(int64_t{r.bottom} - 1);
    if (pen.dc())
        pen.dc()->rectangle(left, top, right, bottom);
}

} // namespace ostrevo::ModMain
