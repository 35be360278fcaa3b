#include "platform/gdi/GdiObject.h"

#include "platform/gdi/ObjectTable.h"

#include <utility>

namespace gdi
{

GdiObject::~GdiObject()
{
    reset();
}

GdiObject &GdiObject::operator=(GdiObject &&other) noexcept
{
    if (this != &other)
        reset(other.release());
    return *this;
}

Handle GdiObject::release()
{
    return std::exchange(m_handle, 0);
}

void GdiObject::reset(Handle handle)
{
    const Handle old = std::exchange(m_handle, handle);
    if (old && old != handle)
        deleteObject(old);
}

} // namespace gdi
