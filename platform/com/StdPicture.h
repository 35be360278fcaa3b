#pragma once

#include "platform/com/AutomationObject.h"
#include "platform/com/Dispatched.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Picture.h"

#include <memory>

namespace com
{

// The picture object controls hand out and take (IPictureDisp): an image
// with its type and size. It may own a drawing handle (the icon handle it
// was made from); the handle is deleted with the picture.
class StdPicture : public com::Dispatched<StdPicture, AutomationObject>
{
public:
    explicit StdPicture(gdi::Picture picture, gdi::Handle ownedHandle = 0);

    static void describe(com::Dispatcher<StdPicture> &d);

    const gdi::Picture &picture() const { return m_picture; }
    // The handle owned; a picture made without one gets a bitmap of its
    // pixels on first asking, owned the same way.
    gdi::Handle handle();

    // The picture a value holds; null for Nothing and for other objects.
    static std::shared_ptr<StdPicture> from(const Variant &value);
    // The picture a picture property is given: Nothing gives null, anything
    // else than a picture raises error 13.
    static std::shared_ptr<StdPicture> fromPictureOrNothing(const Variant &value);

private:
    gdi::Picture m_picture;
    gdi::GdiObject m_handle;
};

} // namespace com
