#include "platform/richtext/ClipboardSource.h"

namespace richtext
{

ClipboardSource::~ClipboardSource() = default;

QByteArray ClipboardSource::encodedPicture() const
{
    return {};
}

} // namespace richtext
