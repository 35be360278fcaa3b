#pragma once

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Rect.h"

#include <cstdint>
#include <memory>

namespace com
{
class StdPicture;
}

namespace ostrevo
{

// width × height pixels of the device context from (left, top), as a new
// picture that owns its bitmap. Every device here is true-colour, so no
// palette is ever made.
std::shared_ptr<com::StdPicture> CaptureScreenRect(gdi::Handle source, int32_t left, int32_t top,
                                                   int32_t width, int32_t height);

// Wraps a bitmap object in a picture that deletes it when released; null
// (Nothing) when the handle is no bitmap. The palette is not used.
std::shared_ptr<com::StdPicture> CreateBitmapPicture(gdi::Handle bitmap, gdi::Handle palette);

// Copies the source rectangle (right and bottom inclusive) to (x, y) of the
// destination, leaving the destination as it is wherever the source has the
// transparent colour. A rectangle beyond 16-bit sizes raises error 6 before
// anything is made.
void TransparentBlit(gdi::Handle destination, gdi::Handle source, const gdi::Rect &rect, int32_t x, int32_t y,
                     gdi::ColorRef &transparent);

} // namespace ostrevo
