#include "platform/net/CurlEasy.h"

#include <QFile>

#include <curl/curl.h>

#include <mutex>

namespace net
{

namespace
{

QByteArray &trustedCertificates()
{
    static QByteArray file;
    return file;
}

} // namespace

void CurlEasy::EasyDeleter::operator()(CURL *handle) const
{
    curl_easy_cleanup(handle);
}

void CurlEasy::ListDeleter::operator()(curl_slist *list) const
{
    curl_slist_free_all(list);
}

CurlEasy::CurlEasy()
{
    static std::once_flag globalInit;
    std::call_once(globalInit, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    m_handle.reset(curl_easy_init());
    if (!m_handle)
        return;
    CURL *easy = m_handle.get();
    // Ask caches on the way for a fresh copy as well: libcurl keeps none itself.
    curl_slist *headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");
    m_headers.reset(headers);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, m_headers.get());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!trustedCertificates().isEmpty())
        curl_easy_setopt(easy, CURLOPT_CAINFO, trustedCertificates().constData());
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, ConnectTimeoutSeconds);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, StallSeconds);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
}

CurlEasy::~CurlEasy() = default;

void CurlEasy::setTrustedCertificates(const QString &caFile)
{
    trustedCertificates() = QFile::encodeName(caFile);
}

void CurlEasy::setUrl(const QString &url)
{
    // libcurl keeps its own copy of every text option.
    curl_easy_setopt(m_handle.get(), CURLOPT_URL, url.toUtf8().constData());
}

void CurlEasy::setUserAgent(const QByteArray &agent)
{
    curl_easy_setopt(m_handle.get(), CURLOPT_USERAGENT, agent.constData());
}

void CurlEasy::setDirect()
{
    // An empty proxy overrides the proxy variables of the environment.
    curl_easy_setopt(m_handle.get(), CURLOPT_PROXY, "");
}

void CurlEasy::setCredentials(const QString &userName, const QString &password)
{
    if (userName.isEmpty() && password.isEmpty())
        return;
    curl_easy_setopt(m_handle.get(), CURLOPT_USERNAME, userName.toUtf8().constData());
    curl_easy_setopt(m_handle.get(), CURLOPT_PASSWORD, password.toUtf8().constData());
}

void CurlEasy::followRedirects(const QString &url)
{
    const bool secure = url.startsWith(QLatin1String("https:"), Qt::CaseInsensitive);
    curl_easy_setopt(m_handle.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(m_handle.get(), CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(m_handle.get(), CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
}

} // namespace net
