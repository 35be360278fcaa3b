#pragma once

#include <QRect>
#include <QSize>

namespace rt
{

// The primary screen in pixels: its whole size and the work area left free by
// panels and task bars.
class ScreenSource
{
public:
    virtual ~ScreenSource();
    virtual QSize size() const = 0;
    virtual QRect workArea() const = 0;
};

} // namespace rt
