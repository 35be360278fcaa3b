#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

typedef void CURL;
struct curl_slist;

namespace net
{

// One libcurl transfer handle with what every request of this program shares: always from the
// server (never from a cache on the way), http and https only, certificates verified, a bounded
// wait for the connection and for a stalled transfer, no signals (the caller is a window's thread).
class CurlEasy
{
public:
    static constexpr long ConnectTimeoutSeconds = 15;
    // A transfer slower than one byte a second for this long has stalled.
    static constexpr long StallSeconds = 60;

    CurlEasy();
    ~CurlEasy();
    CurlEasy(const CurlEasy &) = delete;
    CurlEasy &operator=(const CurlEasy &) = delete;

    // Null when libcurl could not make a handle; nothing else works then.
    CURL *handle() const { return m_handle.get(); }
    explicit operator bool() const { return m_handle != nullptr; }

    void setUrl(const QString &url);
    void setUserAgent(const QByteArray &agent);
    // Past every proxy the environment names.
    void setDirect();
    void setCredentials(const QString &userName, const QString &password);
    // Redirects are followed, but never from https down to http.
    void followRedirects(const QString &url);

    // Trusts only the certificates in caFile from now on, for every new handle. The program never
    // sets it and trusts the system's certificates; tests name the authority of their own server.
    static void setTrustedCertificates(const QString &caFile);

private:
    struct EasyDeleter {
        void operator()(CURL *handle) const;
    };
    struct ListDeleter {
        void operator()(curl_slist *list) const;
    };
    std::unique_ptr<CURL, EasyDeleter> m_handle;
    std::unique_ptr<curl_slist, ListDeleter> m_headers;
};

} // namespace net
