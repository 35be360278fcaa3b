#include "platform/shell/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace shell
{

namespace
{
constexpr int ErrorFileNotFound = 2;
} // namespace

Shell::~Shell() = default;

int DesktopShell::execute(const QString &verb, const QString &file, const QString &parameters,
                          const QString &directory, int)
{
    Q_UNUSED(verb);
    const QFileInfo info(file);
    if (info.isFile() && info.isExecutable()) {
        const QStringList arguments = QProcess::splitCommand(parameters);
        return QProcess::startDetached(info.absoluteFilePath(), arguments, directory) ? 42
                                                                                      : ErrorFileNotFound;
    }
    // A program or document that is not there cannot be opened: say so, as
    // the platform does, rather than hand the desktop a path it will not find.
    if (QDir::isAbsolutePath(file) && !info.exists())
        return ErrorFileNotFound;
    const QUrl url = info.exists() ? QUrl::fromLocalFile(info.absoluteFilePath()) : QUrl(file);
    return QDesktopServices::openUrl(url) ? 42 : ErrorFileNotFound;
}

} // namespace shell

KV_SERVICE_SLOT_STORAGE(shell::Shell)

template <> std::unique_ptr<shell::Shell> rt::ServiceSlot<shell::Shell>::makeDefault()
{
    return std::make_unique<shell::DesktopShell>();
}
