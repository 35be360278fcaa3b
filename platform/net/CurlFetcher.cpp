#include "platform/net/CurlFetcher.h"

#include "platform/net/CurlEasy.h"

#include <curl/curl.h>

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

} // namespace

QByteArray CurlFetcher::fetch(const QString &url, qsizetype maxBytes, const QString &userAgent)
{
    if (maxBytes <= 0)
        return {};
    CurlEasy easy;
    if (!easy)
        return {};
    CURL *handle = easy.handle();

    Sink sink;
    sink.limit = maxBytes;
    easy.setUrl(url);
    easy.setDirect();
    easy.setUserAgent(userAgent.toLatin1());
    easy.followRedirects(url);
    // Local files as well: an update can be tried out from a folder.
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https,file");
    // An error page is no text of the server's; it must not be read as one.
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, TotalTimeoutSeconds);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);

    const CURLcode result = curl_easy_perform(handle);
    if (result == CURLE_OK || (result == CURLE_WRITE_ERROR && sink.full))
        return sink.body;
    return {};
}

} // namespace net
