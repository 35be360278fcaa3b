#pragma once

#include <QByteArrayView>

namespace richtext
{

// What an RTF costs to show: its pictures are taken as data, quickly; the
// rest is laid out as text, by far the slower part.
class RtfPictures
{
public:
    // The bytes outside the picture groups ({\pict ...}). An unclosed picture
    // group runs to the end, as it does for the reader.
    static qsizetype bytesOutside(QByteArrayView rtf);
};

} // namespace richtext
