#include "platform/shell/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace shell {

namespace {
std::unique_ptr<Shell> &installed()
{
    static std::unique_ptr<Shell> instance;
    return instance;
}

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
        return QProcess::startDetached(info.absoluteFilePath(), arguments, directory) ? 42 : ErrorFileNotFound;
    }
    const QUrl url = info.exists() ? QUrl::fromLocalFile(info.absoluteFilePath()) : QUrl(file);
    return QDesktopServices::openUrl(url) ? 42 : ErrorFileNotFound;
}

int FakeShell::execute(const QString &verb, const QString &file, const QString &parameters,
                       const QString &directory, int showCommand)
{
    calls.push_back({verb, file, parameters, directory, showCommand});
    return result;
}

Shell &shell()
{
    if (!installed())
        installed() = std::make_unique<DesktopShell>();
    return *installed();
}

void setShell(std::unique_ptr<Shell> replacement) { installed() = std::move(replacement); }

void resetShell() { installed().reset(); }

} // namespace shell
