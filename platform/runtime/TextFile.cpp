#include "platform/runtime/TextFile.h"

#include "platform/runtime/Windows1252.h"

#include <QFile>
#include <QSaveFile>

namespace rt
{

namespace
{

QByteArray withoutLineEnd(QByteArray line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

bool replaceContents(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

QByteArray TextFile::encodeLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += Windows1252::encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

QStringList TextFile::decodeLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        lines.append(Windows1252::decode(withoutLineEnd(bytes.mid(start, end - start + 1))));
        start = end + 1;
    }
    return lines;
}

std::optional<QStringList> TextFile::readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return decodeLines(bytes);
}

std::optional<QString> TextFile::readFirstLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Reads up to the first LF only: the rest of the file may be large.
    const QByteArray line = file.readLine();
    if (line.isEmpty())
        return std::nullopt;
    return Windows1252::decode(withoutLineEnd(line));
}

bool TextFile::writeLines(const QString &path, const QStringList &lines)
{
    return replaceContents(path, encodeLines(lines));
}

bool TextFile::appendLines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    QFile existing(path);
    if (existing.exists()) {
        // A file we cannot read must not be replaced by the new lines alone.
        if (!existing.open(QIODevice::ReadOnly))
            return false;
        bytes = existing.readAll();
        if (existing.error() != QFileDevice::NoError)
            return false;
        existing.close();
    }
    return replaceContents(path, bytes + encodeLines(lines));
}

} // namespace rt
