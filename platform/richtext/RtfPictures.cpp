#include "platform/richtext/RtfPictures.h"

#include <QByteArrayMatcher>

#include <algorithm>

namespace richtext
{

namespace
{

// Past "\binN" and its N raw bytes, which may hold braces; `i` stands after "bin".
qsizetype afterRawBytes(QByteArrayView rtf, qsizetype i)
{
    const qsizetype n = rtf.size();
    qint64 count = 0;
    for (; i < n && rtf[i] >= '0' && rtf[i] <= '9'; ++i)
        count = std::min<qint64>(count * 10 + (rtf[i] - '0'), n);
    if (i < n && rtf[i] == ' ')
        ++i;
    return std::min<qint64>(i + count, n);
}

} // namespace

qsizetype RtfPictures::bytesOutside(QByteArrayView rtf)
{
    static const QByteArrayMatcher start(QByteArrayLiteral("{\\pict"));
    const char *data = rtf.data();
    const qsizetype n = rtf.size();
    qsizetype pictures = 0;
    for (qsizetype at = start.indexIn(rtf); at >= 0; at = start.indexIn(rtf, at)) {
        qsizetype i = at + 6;
        // "\{" is text, and "\pictxxx" another word.
        qsizetype escapes = 0;
        while (at - escapes > 0 && data[at - escapes - 1] == '\\')
            ++escapes;
        if (escapes % 2 == 1 || (i < n && ((data[i] | 0x20) >= 'a' && (data[i] | 0x20) <= 'z'))) {
            at = i;
            continue;
        }
        for (int depth = 1; i < n && depth > 0; ++i) {
            if (data[i] == '\\' && rtf.sliced(i + 1).startsWith("bin"))
                i = afterRawBytes(rtf, i + 4) - 1;
            else if (data[i] == '\\')
                ++i; // an escaped brace or a word's first letter
            else if (data[i] == '{')
                ++depth;
            else if (data[i] == '}')
                --depth;
        }
        i = std::min(i, n);
        pictures += i - at;
        at = i;
    }
    return n - pictures;
}

} // namespace richtext
