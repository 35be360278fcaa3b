#include "tests/support/fakes/FakeCursorSource.h"

namespace rt
{

QPoint FakeCursorSource::position() const
{
    return m_position;
}

} // namespace rt
