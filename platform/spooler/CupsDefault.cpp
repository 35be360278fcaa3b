#include "platform/spooler/CupsDefault.h"

#include <QProcess>
#include <QStandardPaths>

namespace spooler
{

namespace
{
QString tool()
{
    return QStandardPaths::findExecutable(QStringLiteral("lpoptions"));
}
} // namespace

bool CupsDefault::available()
{
    return !tool().isEmpty();
}

bool CupsDefault::set(const QString &deviceName)
{
    const QString lpoptions = tool();
    if (lpoptions.isEmpty() || deviceName.isEmpty())
        return false;
    QProcess process;
    process.start(lpoptions, {QStringLiteral("-d"), deviceName});
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace spooler
