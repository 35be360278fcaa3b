#include "platform/dao/Database.h"

#include "platform/dao/DaoError.h"
#include "platform/dao/Recordset.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace dao {

Database::Database(sqlite3 *db, QString fileName) : m_db(db), m_fileName(std::move(fileName)) {}

Database::~Database() { Close(); }

void Database::Close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

int Database::syncLevel() const
{
    if (!m_db)
        raiseDaoError(ErrObjectClosed);
    sqlite3_stmt *stmt = nullptr;
    int level = -1;
    if (sqlite3_prepare_v2(m_db, "PRAGMA synchronous", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        level = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    return level;
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString &tableName)
{
    if (!m_db)
        raiseDaoError(ErrObjectClosed);
    return std::unique_ptr<Recordset>(new Recordset(m_db, tableName));
}

std::unique_ptr<Database> DBEngine::OpenDatabase(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile())
        raiseDaoError(ErrFileNotFound, fileName);
    sqlite3 *db = nullptr;
    const QByteArray path = fileName.toUtf8();
    const int rc = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        raiseDaoError(rc == SQLITE_CANTOPEN ? ErrFileNotFound : ErrNotADatabase, fileName);
    }
    sqlite3_busy_timeout(db, 2000);
    // Opening is lazy in the engine: ask the schema now so a file that is no
    // database fails here, as the platform's engine does.
    const int check = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (check != SQLITE_OK) {
        sqlite3_close_v2(db);
        raiseDaoError(check == SQLITE_BUSY || check == SQLITE_LOCKED ? ErrLocked : ErrNotADatabase, fileName);
    }
    // A save that returned must survive a power cut: EXTRA also syncs the
    // folder after the rollback journal is deleted, which FULL leaves out.
    if (sqlite3_exec(db, "PRAGMA synchronous = EXTRA", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        raiseDaoError(ErrNotADatabase, fileName);
    }
    return std::unique_ptr<Database>(new Database(db, fileName));
}

} // namespace dao
