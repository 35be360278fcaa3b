#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

class QIODevice;

namespace kalvento
{

// The backup container: records of a path and a file's whole content, each a
// length-prefixed string, then the records' upper bound as a signed 32-bit
// number. All numbers are little-endian. A length below 0xFFFF is 16 bits;
// a longer one is 0xFFFF followed by the length in 32 bits.
namespace BackupFile
{

// A file to pack: the path written into the record and the file whose
// content goes in (a snapshot may stand in for the named file).
struct Source {
    QString storedPath;
    QString file;
};

// One record of a parsed backup; the content stays in the parsed bytes.
struct Record {
    QString FilePath;
    qsizetype offset = 0;
    qsizetype length = 0;
};

// Writes the records and the trailer. False, with a reason, when a file
// cannot be read or the device refuses a write.
bool write(QIODevice &out, const QList<Source> &sources, QString *reason);

// Checks the whole layout before anything is used: the trailer, every
// length within the file, and the records ending exactly at the trailer.
// Nothing, with a reason, for anything else.
std::optional<QList<Record>> parse(QByteArrayView bytes, QString *reason);

// The length prefix for a string of n bytes.
QByteArray lengthPrefix(quint32 n);

} // namespace BackupFile

// The part of a path after its last "\" or "/" (the whole text when it has
// neither).
QString FileNameOf(const QString &path);

} // namespace kalvento
