#include "platform/runtime/Windows1252.h"

#include <array>

namespace rt
{

namespace
{

// 0x80..0x9F; everything else is the same number in Unicode.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char QuestionMark = '?';

// Walks by code point, so a character outside the BMP counts once; a lone
// surrogate counts as a character of its own the code page lacks.
template <class Visit> void forEachCodePoint(QStringView text, Visit visit)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            visit(QChar::surrogateToUcs4(unit, text[i + 1]));
            ++i;
        } else {
            visit(char32_t(unit.unicode()));
        }
    }
}

} // namespace

char16_t Windows1252::decodeByte(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return HighControls[byte - 0x80];
    return byte;
}

QString Windows1252::decode(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text.append(QChar(decodeByte(static_cast<unsigned char>(byte))));
    return text;
}

int Windows1252::encodeChar(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<int>(character);
    for (size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == character)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

QByteArray Windows1252::encode(QStringView text, bool *lossless)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool complete = true;
    forEachCodePoint(text, [&](char32_t character) {
        const int byte = encodeChar(character);
        if (byte < 0) {
            complete = false;
            bytes.append(QuestionMark);
        } else {
            bytes.append(static_cast<char>(byte));
        }
    });
    if (lossless)
        *lossless = complete;
    return bytes;
}

bool Windows1252::canEncode(QStringView text)
{
    bool complete = true;
    forEachCodePoint(text, [&](char32_t character) { complete = complete && encodeChar(character) >= 0; });
    return complete;
}

} // namespace rt
