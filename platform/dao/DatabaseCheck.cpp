#include "platform/dao/DatabaseCheck.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace dao
{

namespace
{

// A read-only connection, closed when it goes.
class ReadOnlyConnection
{
public:
    explicit ReadOnlyConnection(const QString &file)
    {
        const QByteArray path = file.toUtf8();
        m_rc = sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    }
    ~ReadOnlyConnection() { sqlite3_close_v2(m_db); }
    ReadOnlyConnection(const ReadOnlyConnection &) = delete;
    ReadOnlyConnection &operator=(const ReadOnlyConnection &) = delete;
    bool isOpen() const { return m_rc == SQLITE_OK; }

    // The first column of every row; false when the statement fails.
    bool column(const QByteArray &sql, QStringList &rows) const
    {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
            sqlite3_finalize(stmt);
            return false;
        }
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0));
            rows << QString::fromUtf8(text ? text : "");
        }
        sqlite3_finalize(stmt);
        return rc == SQLITE_DONE;
    }
    int errorCode() const { return sqlite3_errcode(m_db); }

private:
    sqlite3 *m_db = nullptr;
    int m_rc = SQLITE_OK;
};

} // namespace

DatabaseCheck checkDatabaseFile(const QString &file, const QString &table, const QStringList &columns)
{
    if (!QFileInfo(file).isFile())
        return DatabaseCheck::NotADatabase;
    const ReadOnlyConnection db(file);
    if (!db.isOpen())
        return DatabaseCheck::NotADatabase;
    QStringList schema;
    if (!db.column("SELECT name FROM sqlite_master", schema))
        return db.errorCode() == SQLITE_CORRUPT ? DatabaseCheck::Damaged : DatabaseCheck::NotADatabase;
    QStringList verdict;
    if (!db.column("PRAGMA integrity_check", verdict) || verdict != QStringList{QStringLiteral("ok")})
        return DatabaseCheck::Damaged;
    QString quoted = table;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    QStringList fields;
    // table_info gives name in its second column; ask for it alone.
    if (!db.column("SELECT name FROM pragma_table_info(\"" + quoted.toUtf8() + "\")", fields))
        return DatabaseCheck::Damaged;
    for (const QString &column : columns)
        if (!fields.contains(column, Qt::CaseInsensitive))
            return DatabaseCheck::WrongTable;
    return DatabaseCheck::Ok;
}

} // namespace dao
