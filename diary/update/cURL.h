#pragma once

#include <QString>

namespace kalvento
{

// Splits one URL into the parts the download needs to open its connection and request.
// Fields are only written by a successful GetURL; until then and after a failed call they
// keep what they held (a new object: empty texts, port 0, scheme code UnknownScheme).
class cURL
{
public:
    // Scheme codes as the platform numbers them.
    static constexpr int UnknownScheme = -1;
    static constexpr int FtpScheme = 1;
    static constexpr int GopherScheme = 2;
    static constexpr int HttpScheme = 3;
    static constexpr int HttpsScheme = 4;
    static constexpr int FileScheme = 5;
    static constexpr int NewsScheme = 6;
    static constexpr int MailtoScheme = 7;
    static constexpr int SocksScheme = 8;
    static constexpr int JavascriptScheme = 9;
    static constexpr int VbscriptScheme = 10;
    static constexpr int ResScheme = 11;

    // The longest canonical URL, and the longest each part may be.
    static constexpr qsizetype MaxUrlLength = 1024;
    static constexpr qsizetype MaxSchemeLength = 32;
    static constexpr qsizetype MaxHostLength = 256;
    static constexpr qsizetype MaxUserLength = 128;
    static constexpr qsizetype MaxPasswordLength = 128;
    static constexpr qsizetype MaxPathLength = 2048;
    static constexpr qsizetype MaxExtraLength = 1024;

    // Query and fragment with their leading "?" or "#".
    QString URLExtraInfo() const { return m_extraInfo; }
    QString URLPath() const { return m_path; }
    QString Password() const { return m_password; }
    QString UserName() const { return m_userName; }
    // The scheme's default port when the URL names none.
    int Port() const { return m_port; }
    QString HostName() const { return m_hostName; }
    QString Scheme() const { return m_scheme; }
    int lScheme() const { return m_schemeCode; }

    // True when url could be made canonical and split; on False nothing changes.
    bool GetURL(const QString &url);

private:
    QString m_extraInfo;
    QString m_path;
    QString m_password;
    QString m_userName;
    int m_port = 0;
    QString m_hostName;
    QString m_scheme;
    int m_schemeCode = UnknownScheme;
};

} // namespace kalvento
