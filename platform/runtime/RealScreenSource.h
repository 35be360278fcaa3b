#pragma once

#include "platform/runtime/ScreenSource.h"

namespace rt
{

// Empty values when there is no screen (no GUI application yet).
class RealScreenSource : public ScreenSource
{
public:
    QSize size() const override;
    QRect workArea() const override;
};

} // namespace rt
