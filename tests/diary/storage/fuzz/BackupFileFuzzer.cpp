// Feeds arbitrary bytes to the backup-file reader: it must lay them out or
// refuse them with a reason, never crash, hang, read past its input or size
// anything by a length the input does not hold.

#include "diary/storage/BackupFile.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    QString reason;
    const std::optional<QList<kalvento::BackupFile::Record>> records =
        kalvento::BackupFile::parse(in, &reason);
    if (!records) {
        if (reason.isEmpty())
            std::abort();
        return 0;
    }
    for (const kalvento::BackupFile::Record &record : *records) {
        if (record.offset < 0 || record.length < 0 || record.offset + record.length > bytes.size() - 4)
            std::abort();
        qint64 seen = 0;
        if (!kalvento::BackupFile::readContent(
                in, record, [&](const char *, qint64 n) { return (seen += n) <= record.length; }, &reason) ||
            seen != record.length)
            std::abort();
    }
    return 0;
}
