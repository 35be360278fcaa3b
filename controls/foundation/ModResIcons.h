#pragma once

#include "platform/com/StdPicture.h"
#include "platform/com/Variant.h"

#include <cstdint>
#include <memory>

namespace ostrevo
{

// The picture types OleCreatePictureIndirect knows that a handle can make.
enum PictureType : int32_t { picTypeBitmap = 1, picTypeIcon = 3 };

// Loads an icon group of the library's own resources as a picture. id is
// the group number (a 16- or 32-bit integer) or its name as text ("#101");
// any other kind of value, or a group that does not exist, gives no picture.
// A size other than -1 stands for both width and height; a width or height of
// 0 means the group's full size, 32. The icons are always in colour, whatever
// the load flags say.
std::shared_ptr<com::StdPicture> LoadResIcon(com::Variant id, int32_t size, int32_t flags, int32_t width,
                                             int32_t height);

// Wraps an icon (or bitmap) handle in a picture that owns it and deletes it
// with the last reference. A zero or unknown handle, or a type the handle
// cannot make, gives no picture and leaves the handle with the caller.
std::shared_ptr<com::StdPicture> IconToPicture(int32_t handle, int32_t pictureType);

} // namespace ostrevo
