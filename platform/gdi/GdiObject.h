#pragma once

#include "platform/gdi/GdiTypes.h"

namespace gdi
{

// Owns one drawing object and deletes it when it goes (DeleteObject), so a
// pen or brush cannot leak past the scope that made it. Stock objects may be
// held too: deleting them does nothing. Move-only.
class GdiObject
{
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : m_handle(handle) {}
    ~GdiObject();
    GdiObject(GdiObject &&other) noexcept : m_handle(other.release()) {}
    GdiObject &operator=(GdiObject &&other) noexcept;
    GdiObject(const GdiObject &) = delete;
    GdiObject &operator=(const GdiObject &) = delete;

    Handle get() const { return m_handle; }
    operator Handle() const { return m_handle; }
    explicit operator bool() const { return m_handle != 0; }

    // Gives up ownership without deleting (SetWindowRgn takes a region so).
    Handle release();
    // Deletes the object held and holds handle instead.
    void reset(Handle handle = 0);

private:
    Handle m_handle = 0;
};

} // namespace gdi
