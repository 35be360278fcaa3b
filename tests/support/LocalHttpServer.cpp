#include "tests/support/LocalHttpServer.h"

#include <QList>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport
{

LocalHttpServer::LocalHttpServer(QByteArray body) : m_body(std::move(body))
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listener < 0)
        return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0; // any free port
    socklen_t length = sizeof(address);
    if (::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0 ||
        ::listen(listener, 4) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        ::close(listener);
        return;
    }
    m_listener = listener;
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_listener >= 0)
        ::close(m_listener);
}

QString LocalHttpServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
}

QByteArray LocalHttpServer::lastRequest() const
{
    const std::lock_guard lock(m_mutex);
    return m_lastRequest;
}

QByteArray LocalHttpServer::lastHeader(const QByteArray &name) const
{
    const QList<QByteArray> lines = lastRequest().split('\n');
    for (const QByteArray &line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

// Wakes up now and then to see whether the test is done with it.
void LocalHttpServer::serve()
{
    while (!m_stopping) {
        pollfd waiting{m_listener, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0)
            continue;
        const int connection = ::accept(m_listener, nullptr, nullptr);
        if (connection < 0)
            continue;
        answer(connection);
        ::close(connection);
    }
}

void LocalHttpServer::answer(int connection)
{
    QByteArray head;
    char buffer[4096];
    while (!head.contains("\r\n\r\n")) {
        pollfd readable{connection, POLLIN, 0};
        if (::poll(&readable, 1, 2000) <= 0)
            return;
        const ssize_t got = ::recv(connection, buffer, sizeof(buffer), 0);
        if (got <= 0)
            return;
        head.append(buffer, got);
    }
    {
        const std::lock_guard lock(m_mutex);
        m_lastRequest = head.left(head.indexOf("\r\n\r\n"));
    }
    const QByteArray reply = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                             QByteArray::number(m_body.size()) + "\r\nConnection: close\r\n\r\n" + m_body;
    qsizetype sent = 0;
    while (sent < reply.size()) {
        const ssize_t n =
            ::send(connection, reply.constData() + sent, size_t(reply.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += n;
    }
}

} // namespace testsupport
