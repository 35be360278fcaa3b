#pragma once

#include "platform/richtext/ClipboardSource.h"

namespace richtext
{

// The application's clipboard.
class SystemClipboard : public ClipboardSource
{
public:
    QString text() const override;
    QImage image() const override;
    QByteArray encodedPicture() const override;
};

} // namespace richtext
