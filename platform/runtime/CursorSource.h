#pragma once

#include <QPoint>

namespace rt
{

// Where the mouse pointer is, in screen pixels.
class CursorSource
{
public:
    virtual ~CursorSource();
    virtual QPoint position() const = 0;
};

} // namespace rt
