#include "platform/runtime/RealCursorSource.h"

#include <QCursor>

namespace rt
{

QPoint RealCursorSource::position() const
{
    return QCursor::pos();
}

} // namespace rt
