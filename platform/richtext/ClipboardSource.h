#pragma once

#include <QImage>
#include <QString>

namespace richtext
{

// What a paste takes from the clipboard; tests hand in a fake.
class ClipboardSource
{
public:
    virtual ~ClipboardSource();
    virtual QString text() const = 0;
    // A null image when the clipboard holds no picture.
    virtual QImage image() const = 0;
    // The picture's file bytes (JPEG or PNG) where the clipboard has them,
    // so a pasted photo keeps its own encoding; empty otherwise.
    virtual QByteArray encodedPicture() const;
};

} // namespace richtext
