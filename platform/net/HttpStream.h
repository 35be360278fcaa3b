#pragma once

#include "platform/net/CurlEasy.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

typedef void CURLM;

namespace net
{

// One GET over http or https, read by the caller piece by piece as the answer arrives, so a
// window's thread can show progress between pieces. Any status is an answer: the caller decides
// what an error page means.
class HttpStream
{
public:
    struct Request {
        QString url{};
        QString userName{};
        QString password{};
        QByteArray userAgent{};
        // Through the proxy the environment names; false goes direct.
        bool systemProxy = true;
    };

    HttpStream();
    ~HttpStream();
    HttpStream(const HttpStream &) = delete;
    HttpStream &operator=(const HttpStream &) = delete;

    // False when libcurl has no handle for a transfer.
    bool valid() const;

    // Sends the request and waits for the answer's head. False when no answer came: no
    // connection, no such host, a certificate that does not verify.
    bool send(const Request &request);
    // The answer's status code; 0 before an answer.
    int statusCode() const { return m_status; }
    // The address last asked: after redirects, the one the answer came from or that failed.
    QString lastAddress() const { return m_lastAddress; }
    // The length the answer announced; -1 when it named none.
    qint64 contentLength() const { return m_contentLength; }

    // Waits until max bytes are there or the answer has ended, and takes them: fewer than max
    // only at the end. -1 when the connection failed before anything more arrived.
    qint64 read(char *buffer, qint64 max);
    // True once the answer ended otherwise than complete (cut off, stalled, reset).
    bool failed() const { return m_done && m_result != 0; }
    // True when the connection or the answer stalled past its timeout.
    bool timedOut() const;
    // Why the server's certificate was refused, told apart so the user learns what is wrong.
    enum class CertificateFault {
        None,
        // From a trusted authority, but made out for another name than the address asked.
        AnotherHost,
        Expired,
        NotYetValid,
        SelfSigned,
        UnknownIssuer,
        // Any other verdict against the certificate.
        Other,
    };
    CertificateFault certificateFault() const;
    // True when the redirects went round in a circle or on past the limit.
    bool tooManyRedirects() const;
    // True when the answer was a redirect to an address the request may not follow (from https
    // down to http, or to another scheme altogether).
    bool redirectRefused() const;

    // While send or read wait for the network, idle is called at least every IdleIntervalMs, so a
    // window's thread can answer its input; false from it ends the transfer as failed at once.
    static constexpr int IdleIntervalMs = 20;
    void setIdle(std::function<bool()> idle) { m_idle = std::move(idle); }

private:
    static size_t collect(char *data, size_t size, size_t count, void *userData);
    // Moves the transfer on; waits at most a moment for the network while fewer than wanted bytes
    // are there. False once the answer has ended.
    bool step(qint64 wanted);
    qint64 buffered() const { return m_buffer.size() - m_taken; }

    struct MultiDeleter {
        void operator()(CURLM *multi) const;
    };
    CurlEasy m_easy;
    std::unique_ptr<CURLM, MultiDeleter> m_multi;
    bool m_attached = false;
    QByteArray m_buffer;
    qint64 m_taken = 0;
    bool m_done = false;
    int m_result = 0;
    int m_status = 0;
    long m_certificateCheck = 0;
    QString m_lastAddress;
    qint64 m_contentLength = -1;
    std::function<bool()> m_idle;
};

} // namespace net
