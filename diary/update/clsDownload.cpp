#include "diary/update/clsDownload.h"

#include "diary/update/cURL.h"
#include "platform/net/HttpStream.h"
#include "platform/runtime/DiskSpace.h"
#include "platform/runtime/SystemSources.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

#include <algorithm>
#include <array>

namespace kalvento
{

namespace
{

const QByteArray UserAgent = QByteArrayLiteral("http sample");

// Path and query as the request names them. The fragment stays with the caller: it names a place
// in the document and is never sent.
QString requestTarget(const cURL &parts)
{
    QString target = parts.URLPath().isEmpty() ? QStringLiteral("/") : parts.URLPath();
    QString extra = parts.URLExtraInfo();
    const qsizetype fragment = extra.indexOf(QLatin1Char('#'));
    if (fragment >= 0)
        extra.truncate(fragment);
    return target + extra;
}

QString requestUrl(const cURL &parts)
{
    return QStringLiteral("%1://%2:%3%4")
        .arg(parts.Scheme().toLower(), parts.HostName(), QString::number(parts.Port()), requestTarget(parts));
}

// The last segment of the path (the whole path without any "/"), after the folder as it stands.
QString targetPath(const QString &folder, const QString &path)
{
    QString base = folder;
    // A folder written with the platform's old separator still names the folder.
    if (base.endsWith(QLatin1Char('\\')))
        base.back() = QLatin1Char('/');
    return base + path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// Why the server's certificate was refused, in the user's words.
QString certificateReason(const net::HttpStream &stream)
{
    using Fault = net::HttpStream::CertificateFault;
    switch (stream.certificateFault()) {
    case Fault::AnotherHost:
        return QStringLiteral("das Zertifikat des Servers gilt nicht für die Adresse %1")
            .arg(QUrl(stream.lastAddress()).host());
    case Fault::Expired:
        return QStringLiteral("das Zertifikat des Servers ist abgelaufen");
    case Fault::NotYetValid:
        return QStringLiteral("das Zertifikat des Servers ist noch nicht gültig");
    case Fault::SelfSigned:
        return QStringLiteral("das Zertifikat des Servers ist selbst ausgestellt");
    case Fault::UnknownIssuer:
        return QStringLiteral("das Zertifikat des Servers ist von keiner bekannten Stelle ausgestellt");
    case Fault::None:
    case Fault::Other:
        break;
    }
    return QStringLiteral("das Zertifikat des Servers ist ungültig");
}

// Why the file could not take the rest of the download: a full drive, or anything else the
// system refused.
QString writeFailure(const QFileDevice &file, const QString &folder, qint64 unwritten)
{
    const bool full = file.error() == QFileDevice::ResourceError ||
                      !rt::DiskSpace::shortfall(folder, std::max<qint64>(unwritten, 1)).isEmpty();
    return full ? QStringLiteral("Download unvollständig, nicht genug Platz im Zielordner")
                : QStringLiteral("Download unvollständig, die Datei konnte nicht geschrieben werden");
}

} // namespace

clsDownload::clsDownload(QObject *parent) : QObject(parent) {}

clsDownload::~clsDownload() = default;

void clsDownload::fail(int number, const QString &description)
{
    m_errorNumber = number;
    m_errorDescription = description;
    emit Update();
}

void clsDownload::closeHandles()
{
    QCoreApplication::processEvents();
    m_status = 0;
}

void clsDownload::Download(const QString &url, const QString &folder, const QString &fileName)
{
    m_stopDownload = false;
    m_size = 0;
    m_speed = 0;
    m_receivedBytes = 0;
    m_downloadtime = 0;
    m_errorNumber = 0;
    m_errorDescription.clear();
    m_status = 1;

    {
        cURL parts;
        if (!parts.GetURL(url) ||
            (parts.lScheme() != cURL::HttpScheme && parts.lScheme() != cURL::HttpsScheme)) {
            fail(BadUrl, QStringLiteral("URL nicht interpretierbar"));
            closeHandles();
            return;
        }
        // A program is taken only over a checked connection; redirects then stay on https too.
        if (parts.lScheme() != cURL::HttpsScheme) {
            fail(InsecureUrl, QStringLiteral("nur sichere Downloads (https) sind erlaubt"));
            closeHandles();
            return;
        }

        net::HttpStream stream;
        if (!stream.valid()) {
            closeHandles();
            return;
        }
        // However slowly the server answers, the window's loop runs and its cancel button counts.
        QElapsedTimer sinceYield;
        sinceYield.start();
        stream.setIdle([this, &sinceYield] {
            if (sinceYield.hasExpired(YieldIntervalMs)) {
                QCoreApplication::processEvents();
                sinceYield.restart();
            }
            return !m_stopDownload;
        });
        net::HttpStream::Request request;
        request.url = requestUrl(parts);
        request.userName = parts.UserName();
        request.password = parts.Password();
        request.userAgent = UserAgent;
        if (!stream.send(request)) {
            // Stopped before the answer came: nothing arrived, nothing failed.
            if (m_stopDownload) {
                closeHandles();
                return;
            }
            if (stream.timedOut())
                fail(TimedOut, QStringLiteral("Zeitüberschreitung, der Server antwortet nicht"));
            else if (stream.certificateFault() != net::HttpStream::CertificateFault::None)
                fail(WrongCertificate, certificateReason(stream));
            else
                fail(ServerNotFound, QStringLiteral("Server nicht gefunden"));
            closeHandles();
            return;
        }
        // The number is the last redirect's status, as for any answer other than the file.
        if (stream.tooManyRedirects()) {
            fail(stream.statusCode(),
                 QStringLiteral("zu viele Weiterleitungen (die Adresse leitet im Kreis)"));
            closeHandles();
            return;
        }
        if (stream.redirectRefused()) {
            fail(InsecureUrl,
                 QStringLiteral("die Weiterleitung führt zu einer unsicheren Adresse (nur https ist "
                                "erlaubt)"));
            closeHandles();
            return;
        }
        if (stream.statusCode() != 200) {
            fail(stream.statusCode(), stream.statusCode() == 404 ? QStringLiteral("Datei nicht gefunden")
                                                                 : QStringLiteral("Unbekannter Fehler"));
            closeHandles();
            return;
        }
        m_size = std::max<qint64>(stream.contentLength(), 0);
        if (m_size == 0) {
            fail(EmptyDownload, QStringLiteral("Downloadgröße 0 Byte"));
            closeHandles();
            return;
        }

        const QString target = targetPath(folder, fileName.isEmpty() ? parts.URLPath() : fileName);
        const QString targetFolder = QFileInfo(target).path();
        // A length that cannot fit is refused before the drive fills up to its last byte.
        const QString noRoom = rt::DiskSpace::shortfall(targetFolder, m_size);
        if (!noRoom.isEmpty()) {
            fail(NoRoom, noRoom);
            closeHandles();
            return;
        }

        // Written beside the target and renamed over it at the end, so an older file of the
        // name keeps no tail and a broken transfer leaves nothing under it. Unbuffered, so a
        // chunk the drive does not take fails as it is written, with its reason.
        QSaveFile file(target);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            closeHandles();
            return;
        }

        rt::Clock &clock = rt::SystemSources::clock();
        qint64 readTime = 1;
        const qint64 start = clock.tickCount();
        bool written = true;
        qint64 stored = 0;
        std::array<char, ChunkBytes> buffer{};
        for (;;) {
            const qint64 t1 = clock.tickCount();
            const qint64 got = stream.read(buffer.data(), ChunkBytes);
            const qint64 t2 = clock.tickCount();
            const qint64 bytes = std::max<qint64>(got, 0);
            if (bytes > 0 && file.write(buffer.data(), bytes) != bytes)
                written = false;
            else
                stored += bytes;
            readTime += t2 - t1;
            m_receivedBytes += bytes;
            m_speed = double(m_receivedBytes) / (double(readTime) / 1000.0);
            m_downloadtime = t2 - start;
            emit Update();
            // Qt cannot tell whether input waits without running the loop, and an idle pass
            // costs about as much as a small chunk; so it runs on a clock, often enough for the
            // window to answer at once, seldom enough not to slow the transfer.
            if (sinceYield.hasExpired(YieldIntervalMs)) {
                QCoreApplication::processEvents();
                sinceYield.restart();
            }
            if (m_stopDownload) {
                // What arrived so far is kept, as asked.
                file.commit();
                closeHandles();
                return;
            }
            if (got != ChunkBytes || !written)
                break;
        }
        const bool arrived = m_receivedBytes == m_size;
        if (!written || !arrived || !file.commit()) {
            // Asked before the temporary file goes: its bytes count against the drive's room.
            const QString unwritable =
                written && !arrived ? QString() : writeFailure(file, targetFolder, m_size - stored);
            file.cancelWriting();
            if (!unwritable.isEmpty())
                fail(IncompleteDownload, unwritable);
            else if (stream.timedOut())
                fail(TimedOut, QStringLiteral("Zeitüberschreitung, der Server sendet nichts mehr"));
            else
                fail(IncompleteDownload, QStringLiteral("Download unvollständig"));
        }
    }
    closeHandles();
}

} // namespace kalvento
