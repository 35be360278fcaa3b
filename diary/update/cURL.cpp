#include "diary/update/cURL.h"

#include <QByteArray>

namespace kalvento
{

namespace
{

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

// Printable ASCII that never stands unescaped in a URL, in any of its parts.
bool mustEscape(unsigned char c)
{
    if (c <= 0x20 || c >= 0x7F)
        return true;
    switch (c) {
    case '"':
    case '<':
    case '>':
    case '\\':
    case '^':
    case '`':
    case '{':
    case '|':
    case '}':
        return true;
    default:
        return false;
    }
}

// Trims surrounding blanks and escapes what may not stand in a URL, so that a valid URL comes
// out as it went in. Query and fragment are escaped too: they end up in the request line,
// where a blank or a line break would end it early.
QString canonicalForm(const QString &url)
{
    static const char hex[] = "0123456789ABCDEF";
    const QByteArray bytes = url.trimmed().toUtf8();
    QString result;
    result.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes.at(i));
        const bool validEscape =
            c == '%' && i + 2 < bytes.size() && isHexDigit(bytes.at(i + 1)) && isHexDigit(bytes.at(i + 2));
        if (mustEscape(c) || (c == '%' && !validEscape)) {
            result += QLatin1Char('%');
            result += QLatin1Char(hex[c >> 4]);
            result += QLatin1Char(hex[c & 0x0F]);
        } else {
            result += QLatin1Char(char(c));
        }
    }
    return result;
}

// User name and password go to the server as they are meant, not as the URL writes them.
QString unescaped(QStringView text)
{
    // The canonical form is plain ASCII, so every character is one byte.
    const QByteArray ascii = text.toLatin1();
    QByteArray bytes;
    bytes.reserve(ascii.size());
    for (qsizetype i = 0; i < ascii.size(); ++i) {
        const char c = ascii.at(i);
        if (c == '%' && i + 2 < ascii.size() && isHexDigit(ascii.at(i + 1)) && isHexDigit(ascii.at(i + 2))) {
            bytes += char(hexValue(ascii.at(i + 1)) * 16 + hexValue(ascii.at(i + 2)));
            i += 2;
        } else {
            bytes += c;
        }
    }
    return QString::fromUtf8(bytes);
}

bool isSchemeText(QStringView scheme)
{
    if (scheme.isEmpty())
        return false;
    for (qsizetype i = 0; i < scheme.size(); ++i) {
        const char16_t u = scheme.at(i).unicode();
        const bool letter = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
        const bool other = (u >= u'0' && u <= u'9') || u == u'+' || u == u'-' || u == u'.';
        if (!letter && (i == 0 || !other))
            return false;
    }
    return true;
}

int schemeCode(QStringView scheme)
{
    static const struct {
        const char *name;
        int code;
    } known[] = {
        {"ftp", cURL::FtpScheme},
        {"gopher", cURL::GopherScheme},
        {"http", cURL::HttpScheme},
        {"https", cURL::HttpsScheme},
        {"file", cURL::FileScheme},
        {"news", cURL::NewsScheme},
        {"mailto", cURL::MailtoScheme},
        {"socks", cURL::SocksScheme},
        {"javascript", cURL::JavascriptScheme},
        {"vbscript", cURL::VbscriptScheme},
        {"res", cURL::ResScheme},
    };
    for (const auto &entry : known) {
        if (scheme.compare(QLatin1StringView(entry.name), Qt::CaseInsensitive) == 0)
            return entry.code;
    }
    return cURL::UnknownScheme;
}

int defaultPort(int code)
{
    switch (code) {
    case cURL::HttpScheme:
        return 80;
    case cURL::HttpsScheme:
        return 443;
    case cURL::FtpScheme:
        return 21;
    default:
        return 0;
    }
}

// A host name or a bracketed address literal. Anything else (an escaped blank, say) would
// reach the connection and the request's Host line, so it does not split.
bool isHostText(QStringView host)
{
    const bool literal = host.size() >= 2 && host.front() == u'[' && host.back() == u']';
    if (literal)
        host = host.mid(1, host.size() - 2);
    if (host.isEmpty())
        return false;
    for (QChar c : host) {
        const char16_t u = c.unicode();
        const bool alnum = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
        const bool ok = literal ? alnum || u == u':' || u == u'.'
                                : alnum || u == u'-' || u == u'.' || u == u'_' || u == u'~';
        if (!ok)
            return false;
    }
    return true;
}

// 1 to 65535, decimal digits only; -1 otherwise.
int portNumber(QStringView text)
{
    if (text.isEmpty())
        return -1;
    int port = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        port = port * 10 + (c.unicode() - u'0');
        if (port > 65535)
            return -1;
    }
    return port == 0 ? -1 : port;
}

} // namespace

bool cURL::GetURL(const QString &url)
{
    const QString canon = canonicalForm(url);
    if (canon.size() > MaxUrlLength)
        return false;

    // scheme "://" [user [":" password] "@"] host [":" port] [path] ["?" query] ["#" fragment]
    const qsizetype colon = canon.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return false;
    const QStringView scheme = QStringView(canon).left(colon);
    if (!isSchemeText(scheme) || !QStringView(canon).mid(colon + 1).startsWith(u"//"))
        return false;
    const int code = schemeCode(scheme);

    const qsizetype authorityStart = colon + 3;
    qsizetype pathStart = canon.size();
    for (qsizetype i = authorityStart; i < canon.size(); ++i) {
        const QChar c = canon.at(i);
        if (c == u'/' || c == u'?' || c == u'#') {
            pathStart = i;
            break;
        }
    }
    QStringView authority = QStringView(canon).mid(authorityStart, pathStart - authorityStart);
    const QStringView rest = QStringView(canon).mid(pathStart);
    qsizetype extraStart = rest.size();
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (rest.at(i) == u'?' || rest.at(i) == u'#') {
            extraStart = i;
            break;
        }
    }

    QString userName;
    QString password;
    const qsizetype at = authority.lastIndexOf(u'@');
    if (at >= 0) {
        const QStringView userInfo = authority.left(at);
        const qsizetype separator = userInfo.indexOf(u':');
        userName = unescaped(separator < 0 ? userInfo : userInfo.left(separator));
        if (separator >= 0)
            password = unescaped(userInfo.mid(separator + 1));
        authority = authority.mid(at + 1);
    }

    // The port follows the last ":" that is not inside an address literal.
    QStringView host = authority;
    int port = defaultPort(code);
    const qsizetype portColon = authority.lastIndexOf(u':');
    if (portColon >= 0 && portColon > authority.lastIndexOf(u']')) {
        host = authority.left(portColon);
        const QStringView portText = authority.mid(portColon + 1);
        if (!portText.isEmpty()) {
            port = portNumber(portText);
            if (port < 0)
                return false;
        }
    }
    // Only a file URL may leave the host out (file:///path).
    if (!(host.isEmpty() && code == FileScheme) && !isHostText(host))
        return false;

    const QStringView path = rest.left(extraStart);
    const QStringView extra = rest.mid(extraStart);
    if (scheme.size() > MaxSchemeLength || host.size() > MaxHostLength || userName.size() > MaxUserLength ||
        password.size() > MaxPasswordLength || path.size() > MaxPathLength || extra.size() > MaxExtraLength)
        return false;

    m_extraInfo = extra.toString();
    m_path = path.toString();
    m_password = password;
    m_userName = userName;
    m_port = port;
    m_hostName = host.toString();
    m_scheme = scheme.toString();
    m_schemeCode = code;
    return true;
}

} // namespace kalvento
