#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace rt
{

// The Western Windows code page, from our own table. Every byte decodes to one
// character; the five bytes the code page leaves undefined decode to the C1
// control of the same number, so any byte sequence survives a round trip.
class Windows1252
{
public:
    static QString decode(const QByteArray &bytes);
    static char16_t decodeByte(unsigned char byte);

    // Characters the code page cannot hold become "?", one per character;
    // lossless (when given) tells whether that happened.
    static QByteArray encode(QStringView text, bool *lossless = nullptr);
    static bool canEncode(QStringView text);

    // The byte for one character, or -1 when the code page has none.
    static int encodeChar(char32_t character);
};

} // namespace rt
