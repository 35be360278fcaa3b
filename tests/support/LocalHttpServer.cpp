#include "tests/support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QtGlobal>

#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace testsupport
{

namespace
{

sockaddr_in loopback(quint16 port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

QByteArray reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

// Dates the certificate certFile, signed by keyFile, from `from` to `to` seconds from now and
// signs it again, for a server whose certificate is out of date.
bool redate(const QString &certFile, const QString &keyFile, long from, long to)
{
    const auto open = [](const QString &file, const char *mode) {
        return std::unique_ptr<BIO, decltype(&BIO_free)>(
            BIO_new_file(QFile::encodeName(file).constData(), mode), &BIO_free);
    };
    const auto certIn = open(certFile, "r");
    const auto keyIn = open(keyFile, "r");
    if (!certIn || !keyIn)
        return false;
    const std::unique_ptr<X509, decltype(&X509_free)> cert(
        PEM_read_bio_X509(certIn.get(), nullptr, nullptr, nullptr), &X509_free);
    const std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key(
        PEM_read_bio_PrivateKey(keyIn.get(), nullptr, nullptr, nullptr), &EVP_PKEY_free);
    if (!cert || !key || !X509_gmtime_adj(X509_getm_notBefore(cert.get()), from) ||
        !X509_gmtime_adj(X509_getm_notAfter(cert.get()), to) ||
        X509_sign(cert.get(), key.get(), EVP_sha256()) == 0)
        return false;
    const auto certOut = open(certFile, "w");
    return certOut && PEM_write_bio_X509(certOut.get(), cert.get()) == 1;
}

} // namespace

bool LocalHttpServer::Link::send(const char *data, qint64 size) const
{
    while (size > 0) {
        const qint64 sent = tls ? SSL_write(tls, data, int(std::min<qint64>(size, 1 << 20)))
                                : ::send(socket, data, static_cast<size_t>(size), MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data += sent;
        size -= sent;
    }
    return true;
}

qint64 LocalHttpServer::Link::receive(char *buffer, qint64 size) const
{
    return tls ? SSL_read(tls, buffer, int(size)) : ::recv(socket, buffer, static_cast<size_t>(size), 0);
}

bool LocalHttpServer::makeTls(Transport transport)
{
    if (!m_certificates.isValid())
        return false;
    // A client that hangs up mid-answer must fail the write, not end the test process.
    ::signal(SIGPIPE, SIG_IGN);
    const QString key = m_certificates.filePath(QStringLiteral("key.pem"));
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
                   QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                   QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1"),
                   QStringLiteral("-keyout"), key, QStringLiteral("-out"), caFile()});
    if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit ||
        openssl.exitCode() != 0)
        return false;
    constexpr long Day = 24 * 60 * 60;
    if ((transport == Transport::TlsExpired && !redate(caFile(), key, -2 * Day, -Day)) ||
        (transport == Transport::TlsNotYetValid && !redate(caFile(), key, Day, 2 * Day)))
        return false;
    m_tls = SSL_CTX_new(TLS_server_method());
    return m_tls &&
           SSL_CTX_use_certificate_file(m_tls, QFile::encodeName(caFile()).constData(), SSL_FILETYPE_PEM) ==
               1 &&
           SSL_CTX_use_PrivateKey_file(m_tls, QFile::encodeName(key).constData(), SSL_FILETYPE_PEM) == 1;
}

QString LocalHttpServer::caFile() const
{
    return m_certificates.filePath(QStringLiteral("cert.pem"));
}

LocalHttpServer::LocalHttpServer(Transport transport)
{
    if (transport != Transport::Plain && !makeTls(transport))
        return;
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listener < 0)
        return;
    const int yes = 1;
    ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(listener, 8) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        ::close(listener);
        return;
    }
    m_listener = listener;
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { run(); });
}

LocalHttpServer::~LocalHttpServer()
{
    if (m_listener < 0)
        return;
    m_stopping = true;
    // Wakes the accept call of the serving thread.
    ::shutdown(m_listener, SHUT_RDWR);
    m_thread.join();
    ::close(m_listener);
    SSL_CTX_free(m_tls);
}

QString LocalHttpServer::url(const QString &pathAndMore) const
{
    return QStringLiteral("%1://127.0.0.1:%2%3")
        .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"))
        .arg(m_port)
        .arg(pathAndMore);
}

void LocalHttpServer::serve(const QByteArray &path, const Reply &reply)
{
    const std::lock_guard lock(m_mutex);
    m_replies.insert(path, reply);
}

QList<LocalHttpServer::Request> LocalHttpServer::requests() const
{
    const std::lock_guard lock(m_mutex);
    return m_requests;
}

quint16 LocalHttpServer::unusedPort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    quint16 port = 0;
    if (::bind(probe, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(probe);
    return port;
}

void LocalHttpServer::bypassProxies()
{
    for (const char *name :
         {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(name);
    qputenv("no_proxy", "*");
}

void LocalHttpServer::run()
{
    while (!m_stopping) {
        const int connection = ::accept(m_listener, nullptr, nullptr);
        if (connection < 0) {
            if (m_stopping)
                return;
            continue;
        }
        // A client that never hangs up must not hold the server (and its owner's teardown) forever.
        timeval patience{5, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
        Link link{connection, nullptr};
        if (m_tls) {
            link.tls = SSL_new(m_tls);
            SSL_set_fd(link.tls, connection);
            if (SSL_accept(link.tls) == 1)
                answer(link);
            SSL_free(link.tls);
        } else {
            answer(link);
        }
        ::close(connection);
    }
}

void LocalHttpServer::answer(const Link &link)
{
    QByteArray head;
    char piece[4096];
    while (!head.contains("\r\n\r\n")) {
        const qint64 got = link.receive(piece, sizeof piece);
        if (got <= 0)
            return;
        head.append(piece, got);
        // A TLS greeting to the plain server: it hangs up at once.
        if (!link.tls && head.startsWith('\x16'))
            return;
    }
    head.truncate(head.indexOf("\r\n\r\n"));
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> words = lines.value(0).trimmed().split(' ');
    Request request;
    request.method = words.value(0);
    request.target = words.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon > 0)
            request.headers.insert(lines.at(i).left(colon).trimmed().toLower(),
                                   lines.at(i).mid(colon + 1).trimmed());
    }
    Reply reply;
    {
        const std::lock_guard lock(m_mutex);
        m_requests.append(request);
        const QByteArray path = request.target.split('?').constFirst();
        const auto found = m_replies.constFind(path);
        if (found != m_replies.constEnd())
            reply = *found;
        else
            reply = Reply{.status = 404, .body = "nicht da"};
    }

    if (reply.delivery == Delivery::Silent) {
        pollfd waiting{link.socket, POLLIN, 0};
        while (!m_stopping) {
            if (::poll(&waiting, 1, 50) > 0 && link.receive(piece, sizeof piece) <= 0)
                return;
        }
        return;
    }
    QByteArray response =
        "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reason(reply.status) + "\r\n";
    response += "Content-Type: application/octet-stream\r\nConnection: close\r\n";
    if (!reply.location.isEmpty())
        response += "Location: " + reply.location + "\r\n";
    const QByteArray &body = reply.body;
    switch (reply.delivery) {
    case Delivery::Whole:
    case Delivery::CutOff:
    case Delivery::Slow:
        response += "Content-Length: " +
                    QByteArray::number(reply.announcedBytes >= 0 ? reply.announcedBytes : body.size()) +
                    "\r\n\r\n";
        break;
    case Delivery::NoLength:
    case Delivery::Silent:
        response += "\r\n";
        break;
    case Delivery::Chunked:
        response += "Transfer-Encoding: chunked\r\n\r\n";
        break;
    }
    if (!link.send(response))
        return;
    switch (reply.delivery) {
    case Delivery::Whole:
    case Delivery::NoLength:
    case Delivery::Silent:
        link.send(body);
        break;
    case Delivery::CutOff:
        link.send(body.constData(), std::min<qint64>(reply.sentBytes, body.size()));
        break;
    case Delivery::Chunked:
        for (qsizetype at = 0; at < body.size(); at += 1000) {
            const QByteArray chunk = body.mid(at, 1000);
            if (!link.send(QByteArray::number(chunk.size(), 16) + "\r\n" + chunk + "\r\n"))
                return;
        }
        link.send("0\r\n\r\n");
        break;
    case Delivery::Slow:
        for (qsizetype at = 0; at < body.size() && !m_stopping; at += reply.pieceBytes) {
            if (at > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(reply.pauseMs));
            if (!link.send(body.constData() + at, std::min<qint64>(reply.pieceBytes, body.size() - at)))
                return;
        }
        break;
    }
    // Lets the client read everything before the connection goes.
    if (link.tls)
        SSL_shutdown(link.tls);
    ::shutdown(link.socket, SHUT_WR);
    while (link.receive(piece, sizeof piece) > 0) {
    }
}

} // namespace testsupport
