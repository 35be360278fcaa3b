#include "diary/storage/ScratchFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalvento
{

ScratchFile::ScratchFile(const QString &folder, const QString &prefix)
{
    QByteArray name = QFile::encodeName(QDir(folder).filePath(ownPrefix(prefix) + QStringLiteral("XXXXXX")));
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_error = errno;
        return;
    }
    m_path = QFile::decodeName(name);
}

ScratchFile::~ScratchFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_path.isEmpty() && !m_placed)
        ::unlink(QFile::encodeName(m_path).constData());
}

bool ScratchFile::write(const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            m_error = written < 0 ? errno : ENOSPC;
            return false;
        }
        data += written;
        size -= written;
        m_written += written;
    }
    // Pushing in large steps while the copy goes on overlaps the disk with it.
    constexpr qint64 Step = 8 << 20;
    if (m_written - m_pushed >= Step) {
        ::sync_file_range(m_fd, m_pushed, m_written - m_pushed, SYNC_FILE_RANGE_WRITE);
        m_pushed = m_written;
    }
    return true;
}

bool ScratchFile::writeAt(qint64 offset, const char *data, qint64 size)
{
    errno = 0;
    if (::pwrite(m_fd, data, size_t(size), off_t(offset)) == ssize_t(size))
        return true;
    m_error = errno ? errno : ENOSPC;
    return false;
}

bool ScratchFile::setMode(mode_t mode)
{
    if (::fchmod(m_fd, mode) == 0)
        return true;
    m_error = errno;
    return false;
}

bool ScratchFile::finish()
{
    const bool synced = ::fsync(m_fd) == 0;
    if (!synced)
        m_error = errno;
    const bool closed = ::close(m_fd) == 0;
    if (!closed && synced)
        m_error = errno;
    m_fd = -1;
    return synced && closed;
}

bool ScratchFile::replace(const QString &target)
{
    if (::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(target).constData()) != 0) {
        m_error = errno;
        return false;
    }
    m_placed = true;
    syncFolder(QFileInfo(target).path());
    return true;
}

QString ScratchFile::ownPrefix(const QString &prefix)
{
    return prefix + QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-');
}

void ScratchFile::removeStale(const QString &folder, const QString &prefix, Kind kind)
{
    const bool folders = kind == Kind::Folders;
    // A folder is only ever made with the process id; the random part is
    // what mkostemp and QTemporaryDir put for XXXXXX.
    const QRegularExpression scratchName(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(prefix) +
        (folders ? QStringLiteral("(\\d+)-[A-Za-z0-9]{6}")
                 : QStringLiteral("(?:(\\d+)-)?[A-Za-z0-9]{6}(?:-journal)?"))));
    QDir dir(folder);
    const QStringList names = dir.entryList((folders ? QDir::Dirs : QDir::Files) | QDir::Hidden |
                                            QDir::System | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = scratchName.match(name);
        if (!match.hasMatch())
            continue;
        bool numbered = false;
        const qint64 pid = match.captured(1).toLongLong(&numbered);
        const bool running = numbered && pid > 0 && pid != QCoreApplication::applicationPid() &&
                             (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
        if (running)
            continue;
        const QString path = dir.filePath(name);
        if (folders)
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace kalvento
