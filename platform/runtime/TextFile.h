#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace rt
{

// Text files as the diary stores them: Windows-1252, CR LF line ends. Reading
// also accepts lone LF, so files edited on Linux still load. Writing goes
// through a save file: a failed write leaves the old file as it was.
class TextFile
{
public:
    // No value when the file cannot be read. A final line end does not start
    // another (empty) line.
    static std::optional<QStringList> readLines(const QString &path);

    // The first line without its line end; no value when the file cannot be
    // read or is empty (there is no line to read).
    static std::optional<QString> readFirstLine(const QString &path);

    // Each line followed by CR LF. False when nothing was written.
    static bool writeLines(const QString &path, const QStringList &lines);

    // Appends to the end of the file, creating it when missing. False when
    // nothing was written; the file is then unchanged.
    static bool appendLines(const QString &path, const QStringList &lines);

    static QByteArray encodeLines(const QStringList &lines);
    static QStringList decodeLines(const QByteArray &bytes);
};

} // namespace rt
