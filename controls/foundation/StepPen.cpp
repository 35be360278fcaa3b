#include "controls/foundation/StepPen.h"

#include "platform/com/AutomationError.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/ObjectTable.h"

#include <limits>
#include <utility>

namespace ostrevo
{

StepPen::StepPen(gdi::Handle dc, int style, int width, gdi::ColorRef color)
    : m_dc(gdi::DeviceContext::fromHandle(dc)), m_style(style)
{
    select(gdi::GdiObject(gdi::createPen(style, width, color)));
}

StepPen::~StepPen()
{
    if (m_dc)
        m_dc->selectObject(gdi::getStockObject(gdi::BlackPen));
    // m_pen goes now, no longer selected.
}

void StepPen::next(gdi::ColorRef color)
{
    select(gdi::GdiObject(gdi::createPen(m_style, 1, color)));
}

void StepPen::select(gdi::GdiObject pen)
{
    // A pen that could not be made (an unknown style) leaves the last one in
    // use, as a failed SelectObject does; it must not be deleted while selected.
    if (!pen)
        return;
    if (m_dc)
        m_dc->selectObject(pen);
    m_pen = std::move(pen);
}

void StepPen::line(int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    const int ax = coordinate(x1), ay = coordinate(y1), bx = coordinate(x2), by = coordinate(y2);
    if (!m_dc)
        return;
    m_dc->moveTo(ax, ay);
    m_dc->lineTo(bx, by);
}

int StepPen::coordinate(int64_t value)
{
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        com::raiseError(com::ErrOverflow);
    return static_cast<int>(value);
}

} // namespace ostrevo
