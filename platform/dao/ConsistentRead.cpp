#include "platform/dao/ConsistentRead.h"

#include "platform/runtime/SystemErrorText.h"

#include <climits>
#include <sqlite3.h>

namespace dao
{

ConsistentRead::ConsistentRead(sqlite3 *db, sqlite3_file *file, qint64 size)
    : m_db(db), m_file(file), m_size(size)
{
}

ConsistentRead::~ConsistentRead()
{
    sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close_v2(m_db);
}

bool ConsistentRead::read(qint64 offset, char *into, qint64 n, QString *reason) const
{
    // Nothing past the pages: the engine would fill it with zeros.
    if (offset < 0 || n < 0 || offset > m_size || n > m_size - offset || n > INT_MAX) {
        *reason = rt::SystemErrorText::fromSqlite(SQLITE_IOERR_SHORT_READ);
        return false;
    }
    const int rc = m_file->pMethods->xRead(m_file, into, int(n), offset);
    if (rc == SQLITE_OK)
        return true;
    *reason = rt::SystemErrorText::fromSqlite(rc);
    return false;
}

} // namespace dao
