#include "diary/storage/BackupFile.h"

#include "platform/runtime/SystemErrorText.h"
#include "platform/runtime/Windows1252.h"

#include <QFile>
#include <QIODevice>
#include <QtEndian>

#include <cerrno>

namespace kalvento
{

namespace BackupFile
{

namespace
{

constexpr quint16 LongLength = 0xFFFF;
constexpr qint64 Chunk = 4 << 20;

// The system's reason for the step that just failed, in German.
QString failure(const QIODevice &device)
{
    return errno != 0 ? rt::SystemErrorText::fromErrno(errno) : device.errorString();
}

bool put(QIODevice &out, const char *data, qint64 size, QString *reason)
{
    errno = 0;
    if (out.write(data, size) == size)
        return true;
    *reason = failure(out);
    return false;
}

bool put(QIODevice &out, const QByteArray &bytes, QString *reason)
{
    return put(out, bytes.constData(), bytes.size(), reason);
}

// Streams the file into the device, so a large database never needs a second
// copy in memory.
bool putFile(QIODevice &out, QFile &in, QString *reason)
{
    if (uchar *mapped = in.map(0, in.size())) {
        const bool ok = put(out, reinterpret_cast<const char *>(mapped), in.size(), reason);
        in.unmap(mapped);
        return ok;
    }
    QByteArray buffer;
    qint64 left = in.size();
    while (left > 0) {
        errno = 0;
        buffer = in.read(std::min(left, Chunk));
        if (buffer.isEmpty()) {
            *reason = failure(in);
            return false;
        }
        if (!put(out, buffer, reason))
            return false;
        left -= buffer.size();
    }
    return true;
}

// Reads one length prefix at pos; false when it runs past end.
bool takeLength(QByteArrayView bytes, qsizetype &pos, qsizetype end, qsizetype &length)
{
    if (end - pos < 2)
        return false;
    const quint16 shortLength = qFromLittleEndian<quint16>(bytes.data() + pos);
    pos += 2;
    if (shortLength != LongLength) {
        length = shortLength;
        return true;
    }
    if (end - pos < 4)
        return false;
    length = qsizetype(qFromLittleEndian<quint32>(bytes.data() + pos));
    pos += 4;
    return true;
}

} // namespace

QByteArray lengthPrefix(quint32 n)
{
    QByteArray prefix;
    if (n < LongLength) {
        prefix.resize(2);
        qToLittleEndian<quint16>(quint16(n), prefix.data());
    } else {
        prefix.resize(6);
        qToLittleEndian<quint16>(LongLength, prefix.data());
        qToLittleEndian<quint32>(n, prefix.data() + 2);
    }
    return prefix;
}

bool write(QIODevice &out, const QList<Source> &sources, QString *reason)
{
    for (const Source &source : sources) {
        const QByteArray path = rt::Windows1252::encode(source.storedPath);
        QFile in(source.file);
        errno = 0;
        if (!in.open(QIODevice::ReadOnly)) {
            *reason = failure(in);
            return false;
        }
        if (path.size() > qsizetype(UINT32_MAX) || in.size() > qint64(UINT32_MAX)) {
            *reason = QStringLiteral("Die Datei ist für eine Datensicherung zu groß.");
            return false;
        }
        if (!put(out, lengthPrefix(quint32(path.size())) + path, reason) ||
            !put(out, lengthPrefix(quint32(in.size())), reason) || !putFile(out, in, reason))
            return false;
    }
    QByteArray trailer(4, '\0');
    qToLittleEndian<qint32>(qint32(sources.size() - 1), trailer.data());
    return put(out, trailer, reason);
}

std::optional<QList<Record>> parse(QByteArrayView bytes, QString *reason)
{
    if (bytes.size() < 4) {
        *reason = QStringLiteral("die Datei ist zu kurz");
        return std::nullopt;
    }
    const qsizetype end = bytes.size() - 4;
    const qint32 upperBound = qFromLittleEndian<qint32>(bytes.data() + end);
    if (upperBound < 0) {
        *reason = QStringLiteral("die Datei enthält keine Daten");
        return std::nullopt;
    }
    // Each record takes at least four bytes: a bound beyond that is no count
    // this file can hold, and must not size anything.
    if (qint64(upperBound) + 1 > qint64(end) / 4) {
        *reason = QStringLiteral("die Anzahl der Einträge passt nicht zur Dateilänge");
        return std::nullopt;
    }
    QList<Record> records;
    records.reserve(upperBound + 1);
    qsizetype pos = 0;
    for (qint32 i = 0; i <= upperBound; ++i) {
        qsizetype pathLength = 0, contentLength = 0;
        if (!takeLength(bytes, pos, end, pathLength) || end - pos < pathLength) {
            *reason = QStringLiteral("die Datei ist unvollständig");
            return std::nullopt;
        }
        Record record;
        record.FilePath = rt::Windows1252::decode(bytes.sliced(pos, pathLength).toByteArray());
        pos += pathLength;
        if (!takeLength(bytes, pos, end, contentLength) || end - pos < contentLength) {
            *reason = QStringLiteral("die Datei ist unvollständig");
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

} // namespace BackupFile

QString FileNameOf(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(cut + 1);
}

} // namespace kalvento
