#include "platform/dao/Database.h"

#include "platform/dao/ConsistentRead.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/Recordset.h"
#include "platform/dao/SqlText.h"
#include "platform/runtime/SystemErrorText.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <sqlite3.h>

namespace dao
{

namespace
{

// How long a statement waits for another program's lock before it fails.
constexpr int BusyTimeoutMs = 2000;

// The first column of the statement's first row as a number; -1 for none.
qint64 numberOf(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *stmt = nullptr;
    qint64 value = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        value = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return value;
}

} // namespace

Database::Database(sqlite3 *db, QString fileName) : m_db(db), m_fileName(std::move(fileName)) {}

Database::~Database()
{
    Close();
}

void Database::Close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool Database::ensureIndex(const QString &table, const QString &column)
{
    if (!m_db)
        raiseDaoError(ErrObjectClosed);
    const QString name = table + QLatin1Char('_') + column;
    if (answers("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?", {name}))
        return true;
    // The engine would take an unknown name in quotes for a text and index
    // that.
    if (!answers("SELECT 1 FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE", {table, column}))
        return false;
    // Only speed depends on it: a file held by another program is not
    // waited for, and the next opening tries again.
    sqlite3_busy_timeout(m_db, 0);
    const QByteArray sql = QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                               .arg(quotedName(name), quotedName(table), quotedName(column))
                               .toUtf8();
    const int rc = sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr);
    sqlite3_busy_timeout(m_db, BusyTimeoutMs);
    return rc == SQLITE_OK;
}

bool Database::answers(const char *sql, const QStringList &values) const
{
    sqlite3_stmt *stmt = nullptr;
    bool found = false;
    if (sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) == SQLITE_OK) {
        for (int i = 0; i < values.size(); ++i) {
            const QByteArray text = values[i].toUtf8();
            sqlite3_bind_text(stmt, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
        found = sqlite3_step(stmt) == SQLITE_ROW;
    }
    sqlite3_finalize(stmt);
    return found;
}

void Database::requireShape(const TableShape &shape) const
{
    if (!m_db)
        raiseDaoError(ErrObjectClosed);
    QString detail;
    switch (checkSchema(m_db, shape, &detail)) {
    case DatabaseCheck::Ok:
        return;
    case DatabaseCheck::WrongTable:
        raiseDaoError(detail.compare(shape.table, Qt::CaseInsensitive) == 0 ? ErrCannotOpenTable
                                                                            : ErrItemNotFound,
                      detail);
    case DatabaseCheck::ForeignSchema:
        throw com::AutomationError(
            ErrNotADatabase,
            QStringLiteral("Nicht erkanntes Datenbankformat '%1': %2.").arg(m_fileName, detail));
    case DatabaseCheck::OversizedValue:
        throw com::AutomationError(ErrNotADatabase,
                                   QStringLiteral("Die Datenbank '%1' enthält einen übergroßen "
                                                  "Wert: %2.")
                                       .arg(m_fileName, detail));
    case DatabaseCheck::Damaged:
        throw com::AutomationError(ErrNotADatabase,
                                   QStringLiteral("Nicht erkanntes Datenbankformat '%1': %2")
                                       .arg(m_fileName, rt::SystemErrorText::fromSqlite(SQLITE_CORRUPT)));
    case DatabaseCheck::NotADatabase:
        break;
    }
    raiseDaoError(ErrNotADatabase, m_fileName);
}

bool Database::dropIdleJournal()
{
    if (!m_db)
        raiseDaoError(ErrObjectClosed);
    const QString journal = m_fileName + QStringLiteral("-journal");
    if (!QFileInfo::exists(journal))
        return true;
    // The write lock: no other program is writing, so the journal is none's.
    if (sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    const auto rollBack = qScopeGuard([this] { sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr); });
    QFile file(journal);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    char first = 0;
    // The engine takes a journal for hot only when its first byte is set.
    if (file.read(&first, 1) < 1 || first == 0) {
        file.close();
        return QFile::remove(journal);
    }
    return false;
}

qint64 Database::bytesInUse() const
{
    return numberOf(m_db, "PRAGMA page_count") * numberOf(m_db, "PRAGMA page_size");
}

void Database::proveStoreWork(const TableShape &shape)
{
    if (!m_db)
        raiseDaoError(ErrObjectClosed);
    const int begun = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (begun != SQLITE_OK)
        raiseDaoError(begun == SQLITE_BUSY || begun == SQLITE_LOCKED ? ErrLocked : ErrDiskOrWrite,
                      rt::SystemErrorText::fromSqlite(begun));
    const auto rollBack = qScopeGuard([this] { sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr); });
    const auto refuse = [](const QString &reason) { throw com::AutomationError(ErrNotADatabase, reason); };

    const std::unique_ptr<Recordset> rs = OpenRecordset(shape.table);
    const int32_t count = rs->RecordCount();
    const qint64 before = bytesInUse();
    // A record of about a kilobyte a column, with text beyond plain ASCII.
    const auto valuesOf = [&shape](const QString &step) {
        QList<com::Variant> values;
        for (const QString &column : shape.columns)
            values << com::Variant(QStringLiteral("Probe (%1) für %2: ").arg(step, column) +
                                   QString(1000, QLatin1Char('x')));
        return values;
    };
    qint64 recordBytes = 0;
    for (const com::Variant &value : valuesOf(QStringLiteral("geändert")))
        recordBytes += value.toString().toUtf8().size();
    // Text may be stored in two bytes a character; a step may split a few pages.
    const qint64 allowance = 2 * recordBytes + 8 * numberOf(m_db, "PRAGMA page_size");

    const auto write = [&](const QString &step, bool adding) {
        const QList<com::Variant> values = valuesOf(step);
        const int changesBefore = sqlite3_total_changes(m_db);
        adding ? rs->AddNew() : rs->Edit();
        for (qsizetype i = 0; i < shape.columns.size(); ++i)
            rs->Fields(shape.columns[i]).setValue(values[i]);
        rs->Update();
        if (sqlite3_total_changes(m_db) - changesBefore != 1)
            refuse(QStringLiteral("ein Eintrag berührt dort nicht genau einen Datensatz"));
        if (adding && rs->RecordCount() != count + 1)
            refuse(QStringLiteral("ein neuer Eintrag wird dort nicht gezählt"));
        rs->MoveLast();
        for (qsizetype i = 0; i < shape.columns.size(); ++i)
            if (rs->fieldValue(shape.columns[i]).toString() != values[i].toString())
                refuse(QStringLiteral("ein Eintrag liest sich dort anders, als er geschrieben wurde"));
        if (bytesInUse() - before > allowance)
            refuse(QStringLiteral("ein Eintrag belegt dort weit mehr Platz, als er braucht"));
    };
    write(QStringLiteral("neu"), true);
    write(QStringLiteral("geändert"), false);
    const int changesBefore = sqlite3_total_changes(m_db);
    rs->Delete();
    if (sqlite3_total_changes(m_db) - changesBefore != 1 || rs->RecordCount() != count)
        refuse(QStringLiteral("ein Eintrag lässt sich dort nicht löschen"));
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
    const int rc =
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        raiseDaoError(rc == SQLITE_CANTOPEN ? ErrFileNotFound : ErrNotADatabase, fileName);
    }
    // The engine would take such a file as no database, or take it for
    // reading only and fail every save.
    const QString newer = newerFormat(db);
    if (!newer.isEmpty()) {
        sqlite3_close_v2(db);
        throw com::AutomationError(
            ErrNotADatabase,
            QStringLiteral("Die Datenbank '%1' ist nicht benutzbar: %2.").arg(fileName, newer));
    }
    guardUntrusted(db);
    sqlite3_busy_timeout(db, BusyTimeoutMs);
    // Opening is lazy in the engine: ask the schema now so a file that is no
    // database fails here, as the platform's engine does.
    QString reason;
    const int check = readSchema(db, &reason);
    if (check != SQLITE_OK) {
        sqlite3_close_v2(db);
        if (!reason.isEmpty())
            throw com::AutomationError(
                ErrNotADatabase,
                QStringLiteral("Nicht erkanntes Datenbankformat '%1': %2.").arg(fileName, reason));
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

// The engine's online backup copies page by page under a read lock, so the
// copy is the state of one moment even while others keep writing; copying
// the file itself could miss a journal or half a transaction.
void Database::snapshotTo(const QString &path) const
{
    if (!m_db)
        raiseDaoError(ErrObjectClosed);
    QFile::remove(path);
    sqlite3 *target = nullptr;
    const QByteArray targetPath = path.toUtf8();
    int rc = sqlite3_open_v2(targetPath.constData(), &target,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    // A scratch copy needs no flushes to disk on the way.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(target, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_backup *backup = sqlite3_backup_init(target, "main", m_db, "main");
        if (backup) {
            // Another program writing holds the lock only briefly.
            for (int tries = 0; tries < 200; ++tries) {
                rc = sqlite3_backup_step(backup, -1);
                if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
                    break;
                sqlite3_sleep(10);
            }
            const int finished = sqlite3_backup_finish(backup);
            rc = rc == SQLITE_DONE ? finished : rc;
        } else {
            rc = sqlite3_errcode(target);
        }
        if (rc == SQLITE_OK)
            // A copy is one file: no journal may stay beside it.
            rc = sqlite3_exec(target, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    }
    if (!target)
        rc = SQLITE_NOMEM;
    const int closed = sqlite3_close_v2(target);
    if (rc != SQLITE_OK || closed != SQLITE_OK) {
        QFile::remove(path);
        raiseDaoError(ErrDiskOrWrite, path + QStringLiteral(": ") +
                                          rt::SystemErrorText::fromSqlite(rc != SQLITE_OK ? rc : closed));
    }
}

std::unique_ptr<ConsistentRead> Database::readWhole() const
{
    if (!m_db)
        raiseDaoError(ErrObjectClosed);
    // A connection of its own, so the store's connection keeps working as
    // before; the engine shares one lock state between both.
    sqlite3 *db = nullptr;
    const QByteArray path = m_fileName.toUtf8();
    int rc = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        guardUntrusted(db);
        sqlite3_busy_timeout(db, BusyTimeoutMs);
        // The read opens the transaction and takes the shared lock.
        rc = sqlite3_exec(db, "BEGIN; SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    bool logged = false;
    qint64 size = -1;
    sqlite3_file *file = nullptr;
    if (rc == SQLITE_OK) {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            logged = qstrcmp(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)), "wal") == 0;
        sqlite3_finalize(stmt);
        const qint64 pages = numberOf(db, "PRAGMA page_count");
        const qint64 pageSize = numberOf(db, "PRAGMA page_size");
        size = pages >= 0 && pageSize > 0 ? pages * pageSize : -1;
        rc = sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file);
    }
    if (rc == SQLITE_OK && logged) {
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db);
        return nullptr;
    }
    if (rc == SQLITE_OK && (size < 0 || !file || !file->pMethods))
        rc = SQLITE_IOERR;
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            raiseDaoError(ErrLocked, m_fileName);
        raiseDaoError(ErrDiskOrWrite,
                      m_fileName + QStringLiteral(": ") + rt::SystemErrorText::fromSqlite(rc));
    }
    return std::unique_ptr<ConsistentRead>(new ConsistentRead(db, file, size));
}

} // namespace dao
