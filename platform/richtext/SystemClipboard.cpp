#include "platform/richtext/SystemClipboard.h"

#include "platform/runtime/Clipboard.h"

namespace richtext
{

QString SystemClipboard::text() const
{
    return rt::Clipboard::text();
}

QImage SystemClipboard::image() const
{
    return rt::Clipboard::image();
}

QByteArray SystemClipboard::encodedPicture() const
{
    return rt::Clipboard::encodedPicture();
}

} // namespace richtext
