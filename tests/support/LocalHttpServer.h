#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <atomic>
#include <mutex>
#include <thread>

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
    };
    struct Request {
        QByteArray method;
        QByteArray target;
        QMap<QByteArray, QByteArray> headers; // names in lower case
    };

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer &) = delete;
    LocalHttpServer &operator=(const LocalHttpServer &) = delete;

    bool isListening() const { return m_listener >= 0; }
    quint16 port() const { return m_port; }
    // "http://127.0.0.1:port" followed by pathAndMore.
    QString url(const QString &pathAndMore) const;

    // Answers requests for path (query left out) with reply; other paths get a 404.
    void serve(const QByteArray &path, const Reply &reply);
    QList<Request> requests() const;

    // A port on 127.0.0.1 that nobody listens on.
    static quint16 unusedPort();
    // Clears the proxies the environment names, so that requests to this
    // machine's server go straight to it.
    static void bypassProxies();

private:
    void run();
    void answer(int connection);

    int m_listener = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    QMap<QByteArray, Reply> m_replies;
    QList<Request> m_requests;
    std::thread m_thread;
};

} // namespace testsupport
