#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <mutex>
#include <thread>

typedef struct ssl_ctx_st SSL_CTX;
typedef struct ssl_st SSL;

namespace testsupport
{

// A tiny HTTP server on 127.0.0.1 in a thread of its own, so code that blocks its caller's thread
// on a transfer can be tested without the network. One connection at a time, one request each.
class LocalHttpServer
{
public:
    enum class Delivery {
        Whole,    // with its length
        NoLength, // no length; the end of the connection ends the body
        Chunked,  // in chunks of 1000 bytes, no length
        CutOff,   // announces the whole length, sends sentBytes and hangs up
        Slow,     // with its length, pieceBytes at a time, pauseMs apart
        Silent,   // takes the request and never answers, until the client hangs up
    };
    struct Reply {
        int status = 200;
        QByteArray body{};
        Delivery delivery = Delivery::Whole;
        qint64 sentBytes = 0;
        int pieceBytes = 1000;
        int pauseMs = 0;
        // Sent as the Location header, for redirects.
        QByteArray location{};
        // Announced as the length in place of the body's, for lengths never meant to be sent.
        qint64 announcedBytes = -1;
    };
    struct Request {
        QByteArray method;
        QByteArray target;
        QMap<QByteArray, QByteArray> headers; // names in lower case
    };

    enum class Transport {
        Plain,
        // TLS with a certificate for 127.0.0.1 made for this server alone; trust caFile().
        Tls,
        // The same, with a certificate that ran out a day ago.
        TlsExpired,
        // The same, with a certificate valid from tomorrow.
        TlsNotYetValid,
    };

    explicit LocalHttpServer(Transport transport = Transport::Plain);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer &) = delete;
    LocalHttpServer &operator=(const LocalHttpServer &) = delete;

    bool isListening() const { return m_listener >= 0; }
    quint16 port() const { return m_port; }
    // "http://127.0.0.1:port" (https with TLS) followed by pathAndMore.
    QString url(const QString &pathAndMore) const;
    // The certificate a client must trust to reach the TLS server.
    QString caFile() const;

    // Answers requests for path (query left out) with reply; other paths get a 404.
    void serve(const QByteArray &path, const Reply &reply);
    QList<Request> requests() const;

    // A port on 127.0.0.1 that nobody listens on.
    static quint16 unusedPort();
    // Clears the proxies the environment names, so that requests to this
    // machine's server go straight to it.
    static void bypassProxies();

    // One accepted connection, TLS or not.
    struct Link {
        int socket = -1;
        SSL *tls = nullptr;
        bool send(const char *data, qint64 size) const;
        bool send(const QByteArray &bytes) const { return send(bytes.constData(), bytes.size()); }
        qint64 receive(char *buffer, qint64 size) const;
    };

private:
    bool makeTls(Transport transport);
    void run();
    void answer(const Link &link);

    int m_listener = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    QMap<QByteArray, Reply> m_replies;
    QList<Request> m_requests;
    QTemporaryDir m_certificates;
    SSL_CTX *m_tls = nullptr;
    std::thread m_thread;
};

} // namespace testsupport
