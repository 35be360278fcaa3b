#include "diary/storage/CodePassword.h"

#include "platform/runtime/Windows1252.h"

namespace kalvento
{

namespace
{

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

QString failed(bool *ok)
{
    if (ok)
        *ok = false;
    return QString();
}

} // namespace

QString CodePassword(const QString &text, const QString &key, bool encode, bool *ok)
{
    if (ok)
        *ok = true;
    QString result;
    if (key.isEmpty())
        return text.isEmpty() ? result : failed(ok);
    qsizetype keyPos = 0;
    for (qsizetype i = 1; i <= text.size(); ++i) {
        if (++keyPos > key.size())
            keyPos = 1;
        const int k = rt::Windows1252::encodeChar(key.at(keyPos - 1).unicode());
        if (k < 0)
            return failed(ok);
        if (encode) {
            const int c = rt::Windows1252::encodeChar(text.at(i - 1).unicode());
            if (c < 0)
                return failed(ok);
            result += QStringLiteral("%1").arg(c ^ k, 2, 16, QLatin1Char('0')).toUpper();
        } else {
            if (i > text.size() / 2)
                break;
            const int high = hexDigit(text.at(2 * i - 2));
            const int low = hexDigit(text.at(2 * i - 1));
            if (high < 0 || low < 0)
                return failed(ok);
            result += QChar(rt::Windows1252::decodeByte(static_cast<unsigned char>(k ^ (high * 16 + low))));
        }
    }
    return result;
}

} // namespace kalvento
