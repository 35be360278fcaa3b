#pragma once

#include "platform/runtime/CursorSource.h"

namespace rt
{

class RealCursorSource : public CursorSource
{
public:
    QPoint position() const override;
};

} // namespace rt
