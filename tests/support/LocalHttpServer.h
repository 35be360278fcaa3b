#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <mutex>
#include <thread>

namespace testsupport
{

// A tiny HTTP server on 127.0.0.1 for tests of the real fetchers: it answers
// every request with the same body and keeps the last request's head (the
// request line and headers as they arrived). It serves on a thread of its
// own, so a caller may block on a fetch meanwhile.
class LocalHttpServer
{
public:
    explicit LocalHttpServer(QByteArray body);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer &) = delete;
    LocalHttpServer &operator=(const LocalHttpServer &) = delete;

    bool isListening() const { return m_listener >= 0; }
    QString url(const QString &path) const;
    QByteArray lastRequest() const;
    // The value of one header of the last request, empty when it was not sent.
    QByteArray lastHeader(const QByteArray &name) const;

private:
    void serve();
    void answer(int connection);

    QByteArray m_body;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    QByteArray m_lastRequest;
    std::thread m_thread;
};

} // namespace testsupport
