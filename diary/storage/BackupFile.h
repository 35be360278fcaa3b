#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QFile;
class QIODevice;

namespace kalvento
{

// The backup container: records of a path and a file's whole content, each a
// length-prefixed string, then the records' upper bound as a signed 32-bit
// number. All numbers are little-endian. A length below 0xFFFF is 16 bits;
// one below 0xFFFFFFFF is 0xFFFF followed by the length in 32 bits; any
// longer one is 0xFFFF, 0xFFFFFFFF and the length in 64 bits.
namespace BackupFile
{

// Fills into with n bytes of the content from offset; false, with a reason,
// when they cannot be read.
using Reader = std::function<bool(qint64 offset, char *into, qint64 n, QString *reason)>;

// A file to pack: the path written into the record and its content, read
// piece by piece so that no size needs it whole in memory.
struct Source {
    QString storedPath;
    qint64 size = 0;
    Reader read;
};

// Takes the next n bytes of the container; false, with a reason, when they
// cannot be written.
using Writer = std::function<bool(const char *data, qint64 n, QString *reason)>;

// The open file's content as a source.
Source fileSource(const QString &storedPath, QFile &file);

// One record of a parsed backup; the content stays in the backup file.
struct Record {
    QString FilePath;
    qint64 offset = 0;
    qint64 length = 0;
};

// Writes the records and the trailer in one pass. False, with a reason, when
// a source cannot be read or a write is refused.
bool write(const Writer &out, const QList<Source> &sources, QString *reason);

// Checks the whole layout of the open file before anything is used,
// reading only the lengths and paths: the trailer, every length within the
// file, and the records ending exactly at the trailer. Nothing, with a
// reason, for anything else.
std::optional<QList<Record>> parse(QIODevice &in, QString *reason);

// Hands the record's content to take in pieces of bounded size.
bool readContent(QIODevice &in, const Record &record, const std::function<bool(const char *, qint64)> &take,
                 QString *reason);

// The length prefix for a string of n bytes.
QByteArray lengthPrefix(quint64 n);

} // namespace BackupFile

// The part of a path after its last "\" or "/" (the whole text when it has
// neither).
QString FileNameOf(const QString &path);

} // namespace kalvento
