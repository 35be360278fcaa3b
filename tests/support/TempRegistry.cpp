#include "tests/support/TempRegistry.h"

#include <QDir>
#include <QProcess>

namespace testsupport
{

QString binaryPath(const QString &fileName)
{
    return QDir(QStringLiteral(KV_BIN_DIR)).filePath(fileName);
}

QString emptyDatabase()
{
    return QStringLiteral(KV_EMPTY_DATABASE);
}

bool registerLibrary(const QString &libraryFile)
{
    QProcess regsvr;
    regsvr.start(binaryPath(QStringLiteral("regsvr")), {binaryPath(libraryFile)});
    return regsvr.waitForFinished(30000) && regsvr.exitStatus() == QProcess::NormalExit &&
           regsvr.exitCode() == 0;
}

} // namespace testsupport
