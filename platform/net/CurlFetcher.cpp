#include "platform/net/CurlFetcher.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace net
{

namespace
{

struct Sink {
    QByteArray body;
    qsizetype limit = 0;
    bool full = false;
};

size_t collect(char *data, size_t size, size_t count, void *userData)
{
    auto *sink = static_cast<Sink *>(userData);
    const qsizetype arrived = static_cast<qsizetype>(size * count);
    const qsizetype room = sink->limit - sink->body.size();
    if (arrived <= room) {
        sink->body.append(data, arrived);
        return size * count;
    }
    // Enough: keep what fits and stop the transfer by taking less than offered.
    sink->body.append(data, room);
    sink->full = true;
    return static_cast<size_t>(room);
}

struct EasyDeleter {
    void operator()(CURL *handle) const { curl_easy_cleanup(handle); }
};
struct ListDeleter {
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};

} // namespace

QByteArray CurlFetcher::fetch(const QString &url, qsizetype maxBytes, const QString &userAgent)
{
    if (maxBytes <= 0)
        return {};
    static std::once_flag globalInit;
    std::call_once(globalInit, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    const std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy)
        return {};
    CURL *handle = easy.get();

    // Ask caches on the way for a fresh copy as well: libcurl keeps none itself.
    curl_slist *headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");
    const std::unique_ptr<curl_slist, ListDeleter> headerList(headers);

    Sink sink;
    sink.limit = maxBytes;
    const QByteArray address = url.toUtf8();
    const QByteArray agent = userAgent.toLatin1();
    curl_easy_setopt(handle, CURLOPT_URL, address.constData());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https,file");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 5L);
    // An empty proxy overrides the proxy variables of the environment.
    curl_easy_setopt(handle, CURLOPT_PROXY, "");
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headerList.get());
    curl_easy_setopt(handle, CURLOPT_USERAGENT, agent.constData());
    // An error page is no text of the server's; it must not be read as one.
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, ConnectTimeoutSeconds);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, TotalTimeoutSeconds);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);

    const CURLcode result = curl_easy_perform(handle);
    if (result == CURLE_OK || (result == CURLE_WRITE_ERROR && sink.full))
        return sink.body;
    return {};
}

} // namespace net
