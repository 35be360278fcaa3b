#include "diary/storage/BackupFile.h"

#include "platform/runtime/SystemErrorText.h"
#include "platform/runtime/Windows1252.h"

#include <QFile>
#include <QIODevice>
#include <QtEndian>

#include <cerrno>
#include <unistd.h>

namespace kalvento
{

namespace BackupFile
{

namespace
{

constexpr quint16 LongLength = 0xFFFF;
constexpr quint32 VeryLongLength = 0xFFFFFFFF;
// The most any copy holds in memory at once; small enough that each piece is
// still in the processor's cache when it is written out.
constexpr qint64 Chunk = 256 << 10;
// No path this program writes comes near it; a longer one is damage, and must
// not size anything.
constexpr qint64 MaxPathBytes = 1 << 16;
// Far more files than a backup of ours holds (one): a count beyond it would
// size the list and the walk by what the file claims.
constexpr qint32 MaxRecords = 64;

QString damaged()
{
    return QStringLiteral("die Datei ist beschädigt oder unvollständig");
}

// The system's reason for the step that just failed, in German.
QString failure(const QIODevice &device)
{
    return errno != 0 ? rt::SystemErrorText::fromErrno(errno) : device.errorString();
}

bool put(const Writer &out, const QByteArray &bytes, QString *reason)
{
    return out(bytes.constData(), bytes.size(), reason);
}

// Reads exactly n bytes at pos; false when the file gives fewer.
bool readAt(QIODevice &in, qint64 pos, char *into, qint64 n)
{
    return in.seek(pos) && in.read(into, n) == n;
}

// Reads one length prefix at pos; false when it runs past end.
bool takeLength(QIODevice &in, qint64 &pos, qint64 end, qint64 &length)
{
    uchar field[8];
    if (end - pos < 2 || !readAt(in, pos, reinterpret_cast<char *>(field), 2))
        return false;
    pos += 2;
    if (qFromLittleEndian<quint16>(field) != LongLength) {
        length = qFromLittleEndian<quint16>(field);
        return true;
    }
    if (end - pos < 4 || !readAt(in, pos, reinterpret_cast<char *>(field), 4))
        return false;
    pos += 4;
    length = qFromLittleEndian<quint32>(field);
    if (length != VeryLongLength)
        return true;
    // A 64-bit length of at least that much follows, unless it cannot fit
    // the file: then this is a file of the earlier convention holding exactly
    // 0xFFFFFFFF bytes.
    if (end - pos >= 8 && readAt(in, pos, reinterpret_cast<char *>(field), 8)) {
        const quint64 longer = qFromLittleEndian<quint64>(field);
        if (longer >= VeryLongLength && longer <= quint64(end - pos - 8)) {
            pos += 8;
            length = qint64(longer);
        }
    }
    return true;
}

} // namespace

QByteArray lengthPrefix(quint64 n)
{
    QByteArray prefix;
    if (n < LongLength) {
        prefix.resize(2);
        qToLittleEndian<quint16>(quint16(n), prefix.data());
    } else if (n < VeryLongLength) {
        prefix.resize(6);
        qToLittleEndian<quint16>(LongLength, prefix.data());
        qToLittleEndian<quint32>(quint32(n), prefix.data() + 2);
    } else {
        prefix.resize(14);
        qToLittleEndian<quint16>(LongLength, prefix.data());
        qToLittleEndian<quint32>(VeryLongLength, prefix.data() + 2);
        qToLittleEndian<quint64>(n, prefix.data() + 6);
    }
    return prefix;
}

Source fileSource(const QString &storedPath, QFile &file)
{
    const int fd = file.handle();
    return {storedPath, file.size(), [fd](qint64 offset, char *into, qint64 n, QString *reason) {
                while (n > 0) {
                    const ssize_t got = ::pread(fd, into, size_t(n), off_t(offset));
                    if (got < 0 && errno == EINTR)
                        continue;
                    if (got <= 0) {
                        *reason = rt::SystemErrorText::fromErrno(got < 0 ? errno : EIO);
                        return false;
                    }
                    into += got;
                    offset += got;
                    n -= got;
                }
                return true;
            }};
}

bool write(const Writer &out, const QList<Source> &sources, QString *reason)
{
    QByteArray buffer;
    for (const Source &source : sources) {
        const QByteArray path = rt::Windows1252::encode(source.storedPath);
        if (!put(out, lengthPrefix(quint64(path.size())) + path, reason) ||
            !put(out, lengthPrefix(quint64(source.size)), reason))
            return false;
        buffer.resize(std::min(source.size, Chunk));
        for (qint64 done = 0; done < source.size;) {
            const qint64 n = std::min(source.size - done, Chunk);
            if (!source.read(done, buffer.data(), n, reason) || !out(buffer.constData(), n, reason))
                return false;
            done += n;
        }
    }
    QByteArray trailer(4, '\0');
    qToLittleEndian<qint32>(qint32(sources.size() - 1), trailer.data());
    return put(out, trailer, reason);
}

std::optional<QList<Record>> parse(QIODevice &in, QString *reason)
{
    const qint64 size = in.size();
    char field[4];
    if (size < 4 || !readAt(in, size - 4, field, 4)) {
        *reason = QStringLiteral("die Datei ist zu kurz");
        return std::nullopt;
    }
    const qint64 end = size - 4;
    const qint32 upperBound = qFromLittleEndian<qint32>(field);
    if (upperBound < 0) {
        *reason = QStringLiteral("die Datei enthält keine Daten");
        return std::nullopt;
    }
    // Each record takes at least four bytes: a bound beyond that is no count
    // this file can hold, and must not size anything.
    if (qint64(upperBound) + 1 > end / 4) {
        *reason = QStringLiteral("die Anzahl der Einträge passt nicht zur Dateilänge");
        return std::nullopt;
    }
    if (upperBound >= MaxRecords) {
        *reason = QStringLiteral("die Datei enthält zu viele Einträge");
        return std::nullopt;
    }
    QList<Record> records;
    records.reserve(upperBound + 1);
    qint64 pos = 0;
    for (qint32 i = 0; i <= upperBound; ++i) {
        qint64 pathLength = 0, contentLength = 0;
        if (!takeLength(in, pos, end, pathLength) || end - pos < pathLength || pathLength > MaxPathBytes) {
            *reason = damaged();
            return std::nullopt;
        }
        QByteArray path(pathLength, Qt::Uninitialized);
        if (!readAt(in, pos, path.data(), pathLength)) {
            *reason = damaged();
            return std::nullopt;
        }
        Record record;
        record.FilePath = rt::Windows1252::decode(path);
        pos += pathLength;
        if (!takeLength(in, pos, end, contentLength) || end - pos < contentLength) {
            *reason = damaged();
            return std::nullopt;
        }
        record.offset = pos;
        record.length = contentLength;
        pos += contentLength;
        records << record;
    }
    if (pos != end) {
        *reason = QStringLiteral("nach den Einträgen folgen unbekannte Daten");
        return std::nullopt;
    }
    return records;
}

bool readContent(QIODevice &in, const Record &record, const std::function<bool(const char *, qint64)> &take,
                 QString *reason)
{
    QByteArray buffer(std::min(record.length, Chunk), Qt::Uninitialized);
    errno = 0;
    if (!in.seek(record.offset)) {
        *reason = failure(in);
        return false;
    }
    for (qint64 left = record.length; left > 0;) {
        const qint64 n = std::min(left, Chunk);
        errno = 0;
        const qint64 got = in.read(buffer.data(), n);
        if (got != n) {
            // A file cut short while it was read.
            *reason = got < 0 ? failure(in) : damaged();
            return false;
        }
        if (!take(buffer.constData(), n))
            return false;
        left -= n;
    }
    return true;
}

} // namespace BackupFile

QString FileNameOf(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(cut + 1);
}

} // namespace kalvento
