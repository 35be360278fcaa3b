#include "platform/com/StdPicture.h"

#include "platform/com/AutomationError.h"

#include "platform/com/Dispatcher.h"
#include "platform/runtime/Twips.h"

#include <cmath>

namespace com
{

namespace
{

// The size in HIMETRIC follows the screen's resolution: 1440 twips to the inch.
int dotsPerInch()
{
    return static_cast<int>(std::lround(1440.0 / rt::Twips::perPixelX()));
}

} // namespace

void StdPicture::describe(Dispatcher<StdPicture> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("StdPicture"), QStringLiteral("StdPicture"),
                                  QStringLiteral("{0BE35204-8F91-11CE-9DE3-00AA004BB851}"),
                                  QStringLiteral("{7BF80981-BF32-101A-8BBB-00AA00300CAB}")));
    d.readOnly(QStringLiteral("Handle"), 0, VarType::Long,
               [](StdPicture &p) { return Variant::fromLong(static_cast<int32_t>(p.handle())); });
    d.readOnly(QStringLiteral("hPal"), 2, VarType::Long, [](StdPicture &) { return Variant::fromLong(0); });
    d.readOnly(QStringLiteral("Type"), 3, VarType::Integer,
               [](StdPicture &p) { return Variant::fromInteger(static_cast<int16_t>(p.picture().type())); });
    d.readOnly(QStringLiteral("Width"), 4, VarType::Long,
               [](StdPicture &p) { return Variant::fromLong(p.picture().widthHimetric(dotsPerInch())); });
    d.readOnly(QStringLiteral("Height"), 5, VarType::Long,
               [](StdPicture &p) { return Variant::fromLong(p.picture().heightHimetric(dotsPerInch())); });
}

StdPicture::StdPicture(gdi::Picture picture, gdi::Handle ownedHandle)
    : m_picture(std::move(picture)), m_handle(ownedHandle)
{
}

gdi::Handle StdPicture::handle()
{
    if (!m_handle && !m_picture.isNull())
        m_handle.reset(m_picture.createBitmap());
    return m_handle.get();
}

std::shared_ptr<StdPicture> StdPicture::from(const Variant &value)
{
    if (!value.isObject())
        return nullptr;
    return std::dynamic_pointer_cast<StdPicture>(value.objectRef());
}

std::shared_ptr<StdPicture> StdPicture::fromPictureOrNothing(const Variant &value)
{
    std::shared_ptr<StdPicture> picture = from(value);
    if (!picture && !value.isNothing())
        raiseError(ErrTypeMismatch);
    return picture;
}

} // namespace com
