#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

namespace kalvento
{

// Fetches one file over https into a folder on the window's own thread, reporting each
// chunk through Update and letting the window's loop run while it waits, so its cancel button
// can stop the transfer. One object serves any number of successive downloads.
class clsDownload : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 ChunkBytes = 8192;
    // While data flows, the window's loop runs at least this often.
    static constexpr qint64 YieldIntervalMs = 20;

    // Error numbers besides the HTTP status codes of a refused request.
    static constexpr int ServerNotFound = 1;
    static constexpr int BadUrl = 2;
    static constexpr int EmptyDownload = 3;
    // The answer ended before its announced length (or the file could not be written in full).
    static constexpr int IncompleteDownload = 4;
    // The server took no connection or sent nothing for too long.
    static constexpr int TimedOut = 5;
    // Only https: a program that came over plain http (or was sent there by a redirect) may have
    // been changed on the way.
    static constexpr int InsecureUrl = 6;
    // The announced length does not fit on the folder's drive; refused before anything is written.
    static constexpr int NoRoom = 7;
    // The server's certificate does not verify: made out for another address, expired, not yet
    // valid, or from no authority known here.
    static constexpr int WrongCertificate = 8;

    explicit clsDownload(QObject *parent = nullptr);
    ~clsDownload() override;

    // Fetches url into folder, which ends with a separator: the file takes fileName, or without one
    // the last segment of the URL's path. It is written to a fresh temporary file there and appears
    // under its name only once it is complete, or stopped. Returns when the transfer has ended,
    // failed or been stopped; failures are in ErrorNumber.
    void Download(const QString &url, const QString &folder, const QString &fileName = QString());
    // 1 while Download runs, else 0.
    std::uint8_t Status() const { return m_status; }
    // The length the server announced.
    qint64 Size() const { return m_size; }
    qint64 ReceivedBytes() const { return m_receivedBytes; }
    // Bytes a second over the time spent waiting for chunks.
    double Speed() const { return m_speed; }
    // True ends a running transfer at once; what arrived so far is kept.
    void StopDownload(bool stop) { m_stopDownload = stop; }
    // Milliseconds since the transfer began.
    qint64 Downloadtime() const { return m_downloadtime; }
    // 0 while all is well; one of the numbers above or the refusing HTTP status.
    int ErrorNumber() const { return m_errorNumber; }
    QString ErrorDescription() const { return m_errorDescription; }

signals:
    // After every chunk, and once when the transfer fails.
    void Update();

private:
    void fail(int number, const QString &description);
    void closeHandles();

    std::uint8_t m_status = 0;
    qint64 m_size = 0;
    qint64 m_receivedBytes = 0;
    double m_speed = 0;
    bool m_stopDownload = false;
    qint64 m_downloadtime = 0;
    int m_errorNumber = 0;
    QString m_errorDescription;
};

} // namespace kalvento
