#include "tests/support/HelpFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>

namespace testsupport
{

QString builtHelpPath()
{
    return QStringLiteral(KV_BIN_DIR "/zorvelin.chm");
}

QByteArray alteredHelpFile(const QString &sql)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("hilfe.chm"));
    if (!QFile::copy(builtHelpPath(), path))
        return {};
    sqlite3 *db = nullptr;
    sqlite3_open(qPrintable(path), &db);
    const int rc = sqlite3_exec(db, qPrintable(sql), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    QFile file(path);
    return rc == SQLITE_OK && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace testsupport
