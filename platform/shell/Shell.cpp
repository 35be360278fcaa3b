#include "platform/shell/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
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
    QString program = info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    // A bare name that is no file here is a program looked up on the search
    // path, as a command line does ("gedit", "touch x").
    const bool bareName = !file.contains(u'/') && !info.exists();
    if (program.isEmpty() && bareName)
        program = QStandardPaths::findExecutable(file);
    if (!program.isEmpty()) {
        const QStringList arguments = QProcess::splitCommand(parameters);
        return QProcess::startDetached(program, arguments, directory) ? 42 : ErrorFileNotFound;
    }
    // A program or document that is not there cannot be opened: say so, as
    // the platform does, rather than hand the desktop a path it will not find.
    // Only an address with a scheme ("https:", "mailto:") goes to the desktop.
    const QUrl address(file);
    const bool hasScheme = address.scheme().size() > 1;
    if ((QDir::isAbsolutePath(file) || bareName) && !info.exists() && !hasScheme)
        return ErrorFileNotFound;
    const QUrl url = info.exists() ? QUrl::fromLocalFile(info.absoluteFilePath()) : address;
    return QDesktopServices::openUrl(url) ? 42 : ErrorFileNotFound;
}

} // namespace shell

KV_SERVICE_SLOT_STORAGE(shell::Shell)

template <> std::unique_ptr<shell::Shell> rt::ServiceSlot<shell::Shell>::makeDefault()
{
    return std::make_unique<shell::DesktopShell>();
}
