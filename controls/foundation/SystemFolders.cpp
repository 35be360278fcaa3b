#include "controls/foundation/SystemFolders.h"

#include <QDir>
#include <QFileInfo>
#include <cstdlib>
#include <dlfcn.h>

namespace ostrevo
{

QString SystemFolders::systemDirectory()
{
    // The system library's own folder: wherever the C library was loaded from.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&std::abort), &info) == 0 || !info.dli_fname)
        return QString();
    const QFileInfo library(QString::fromLocal8Bit(info.dli_fname));
    if (!library.isAbsolute())
        return QString();
    return library.absolutePath();
}

QString SystemFolders::tempPath()
{
    const QString path = QDir::tempPath();
    if (path.isEmpty())
        return QString();
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

} // namespace ostrevo
