#include "platform/shell/Trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <unistd.h>

namespace shell
{

namespace
{

// Where Qt put a file: inside the files folder of a trash (the home trash, or
// a volume's .Trash-UID or .Trash/UID), never anywhere else.
bool isInTrash(const QString &moved, const QString &homeTrash)
{
    const QFileInfo info(moved);
    const QDir files = info.dir();
    if (files.dirName() != QLatin1String("files"))
        return false;
    const QFileInfo trash(QFileInfo(files.absolutePath()).absolutePath());
    const QString uid = QString::number(::getuid());
    return trash.canonicalFilePath() == QFileInfo(homeTrash).canonicalFilePath() ||
           trash.fileName() == QStringLiteral(".Trash-") + uid ||
           (trash.fileName() == uid && QFileInfo(trash.absolutePath()).fileName() == QLatin1String(".Trash"));
}

} // namespace

Trash::~Trash() = default;

bool DesktopTrash::moveToTrash(const QString &path)
{
    // When Qt cannot make the home trash it uses files/ and info/ in the
    // working folder and still reports success, so the home trash is made
    // here first and anything else is refused with the system's error.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome)) {
        errno = ENOENT;
        return false;
    }
    if (!QDir().mkpath(dataHome))
        return false;
    const QString homeTrash = QDir(dataHome).filePath(QStringLiteral("Trash"));
    if (!QFileInfo(homeTrash).isDir() &&
        !QDir(dataHome).mkdir(QStringLiteral("Trash"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        return false;
    if (!QFileInfo(homeTrash).isDir()) {
        errno = ENOTDIR;
        return false;
    }
    QString moved;
    if (!QFile::moveToTrash(path, &moved))
        return false;
    if (isInTrash(moved, homeTrash))
        return true;
    // Somewhere else after all: put it back and say so.
    QFile::rename(moved, path);
    return false;
}

} // namespace shell

KV_SERVICE_SLOT_STORAGE(shell::Trash)

template <> std::unique_ptr<shell::Trash> rt::ServiceSlot<shell::Trash>::makeDefault()
{
    return std::make_unique<shell::DesktopTrash>();
}
