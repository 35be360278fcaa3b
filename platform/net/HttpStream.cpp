#include "platform/net/HttpStream.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>

namespace net
{

namespace
{

// How long one step waits for the network before it gives the caller back its thread.
constexpr int StepWaitMs = 100;
constexpr long ReceiveBufferBytes = 256 * 1024;

} // namespace

void HttpStream::MultiDeleter::operator()(CURLM *multi) const
{
    curl_multi_cleanup(multi);
}

HttpStream::HttpStream()
{
    if (m_easy)
        m_multi.reset(curl_multi_init());
}

HttpStream::~HttpStream()
{
    if (m_attached)
        curl_multi_remove_handle(m_multi.get(), m_easy.handle());
}

bool HttpStream::valid() const
{
    return m_easy && m_multi;
}

size_t HttpStream::collect(char *data, size_t size, size_t count, void *userData)
{
    auto *self = static_cast<HttpStream *>(userData);
    // Taken pieces are dropped only now and then, so the buffer is not moved for every read.
    if (self->m_taken > 0 && self->m_taken >= self->buffered()) {
        self->m_buffer.remove(0, self->m_taken);
        self->m_taken = 0;
    }
    self->m_buffer.append(data, static_cast<qsizetype>(size * count));
    return size * count;
}

bool HttpStream::send(const Request &request)
{
    if (!valid() || m_attached)
        return false;
    CURL *easy = m_easy.handle();
    m_easy.setUrl(request.url);
    m_easy.setUserAgent(request.userAgent);
    m_easy.setCredentials(request.userName, request.password);
    m_easy.followRedirects(request.url);
    if (!request.systemProxy)
        m_easy.setDirect();
    // The path goes to the server as the caller wrote it.
    curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);
    // Large receive pieces: most reads are then served from the buffer without a trip to libcurl.
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, ReceiveBufferBytes);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &HttpStream::collect);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    if (curl_multi_add_handle(m_multi.get(), easy) != CURLM_OK)
        return false;
    m_attached = true;

    // The head is in once the body begins or the answer has ended (a redirect's body is never
    // handed over, so the status read then is the final one's).
    while (m_buffer.isEmpty() && step(1)) {
    }
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    m_status = static_cast<int>(status);
    curl_off_t length = -1;
    curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    m_contentLength = length;
    // The authority's verdict on the chain alone: the host name is checked apart from it.
    curl_easy_getinfo(easy, CURLINFO_SSL_VERIFYRESULT, &m_certificateCheck);
    const char *address = nullptr;
    curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &address);
    m_lastAddress = address ? QString::fromUtf8(address) : request.url;
    // A redirect followed to an address that gave no answer (no connection, a certificate that
    // does not verify) is no answer either; a redirect refused, or one too many, is the answer
    // itself.
    if (m_done && m_result != 0 && m_status >= 300 && m_status < 400 && !redirectRefused() &&
        !tooManyRedirects())
        m_status = 0;
    return m_status != 0;
}

bool HttpStream::step(qint64 wanted)
{
    if (m_done)
        return false;
    int running = 0;
    if (curl_multi_perform(m_multi.get(), &running) != CURLM_OK) {
        m_done = true;
        m_result = CURLE_RECV_ERROR;
        return false;
    }
    if (running == 0) {
        int left = 0;
        while (CURLMsg *message = curl_multi_info_read(m_multi.get(), &left)) {
            if (message->msg == CURLMSG_DONE)
                m_result = message->data.result;
        }
        m_done = true;
        return false;
    }
    if (buffered() < wanted)
        curl_multi_poll(m_multi.get(), nullptr, 0, m_idle ? IdleIntervalMs : StepWaitMs, nullptr);
    if (m_idle && !m_idle()) {
        m_done = true;
        m_result = CURLE_ABORTED_BY_CALLBACK;
        return false;
    }
    return true;
}

bool HttpStream::timedOut() const
{
    return m_done && m_result == CURLE_OPERATION_TIMEDOUT;
}

HttpStream::CertificateFault HttpStream::certificateFault() const
{
    if (!m_done || m_result != CURLE_PEER_FAILED_VERIFICATION)
        return CertificateFault::None;
    // The authority's verdict on the chain (OpenSSL's X509_V_ERR_* numbers). The chain passed when
    // it is "ok" (0), was never taken because the handshake went through and the name was checked
    // first (1, libcurl's "not yet verified"), or the verdict names the host outright (62).
    switch (m_certificateCheck) {
    case 0:
    case 1:
    case 62:
        return CertificateFault::AnotherHost;
    case 9:
        return CertificateFault::NotYetValid;
    case 10:
        return CertificateFault::Expired;
    case 18: // the server's own certificate signs itself
    case 19: // a self-made authority in the chain
        return CertificateFault::SelfSigned;
    case 2:  // the issuer of a certificate in the chain is unknown
    case 20: // the issuer of the server's certificate is unknown
    case 21: // a lone certificate whose authority is not known here
        return CertificateFault::UnknownIssuer;
    default:
        return CertificateFault::Other;
    }
}

bool HttpStream::tooManyRedirects() const
{
    return m_done && m_result == CURLE_TOO_MANY_REDIRECTS;
}

bool HttpStream::redirectRefused() const
{
    return m_done && m_result == CURLE_UNSUPPORTED_PROTOCOL && m_status >= 300 && m_status < 400;
}

qint64 HttpStream::read(char *buffer, qint64 max)
{
    if (max <= 0)
        return 0;
    while (buffered() < max && step(max)) {
    }
    const qint64 count = std::min(max, buffered());
    if (count == 0 && failed())
        return -1;
    std::memcpy(buffer, m_buffer.constData() + m_taken, static_cast<size_t>(count));
    m_taken += count;
    return count;
}

} // namespace net
