#include "tests/support/fakes/FakeScreenSource.h"

namespace rt
{

QSize FakeScreenSource::size() const
{
    return m_size;
}
QRect FakeScreenSource::workArea() const
{
    return m_workArea;
}

} // namespace rt
