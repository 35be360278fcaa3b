#pragma once

#include "platform/dao/DatabaseCheck.h"

#include <QString>
#include <QStringList>
#include <memory>

struct sqlite3;

namespace dao
{

class ConsistentRead;
class Recordset;

// An open entry database. It lives as long as its owner keeps it; recordsets
// opened on it must not outlive it.
class Database
{
public:
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // A table-type recordset over one table, in the table's own order.
    std::unique_ptr<Recordset> OpenRecordset(const QString &tableName);
    // Gives the table an index over the column unless it has it (by name:
    // table_column), so that reading the column and the row ids of every
    // record walks the small index rather than the records, whose other
    // columns may be large. Any program reading the file reads it as before.
    // True when the index is there; a file that cannot take it now (read
    // only, held by another program, no such column) is left as it was and
    // works as before, only slower.
    bool ensureIndex(const QString &table, const QString &column);
    // Raises unless the schema has the shape (dao::checkSchema): 3078 for a
    // missing table, 3265 for a missing column, 3343 with the reason for
    // anything else. Reads the schema only, so it costs the same at any size.
    void requireShape(const TableShape &shape) const;
    // Does the store's own work on the table inside a transaction that is
    // rolled back, so the file stays as it was: adds a record with every
    // column of the shape, reads it back, changes it and deletes it; each
    // step must touch exactly one row and the file grow by no more than the
    // record. Raises with the reason (3343, or the store's own error) for the
    // first step that fails. For a file the program is about to take on.
    void proveStoreWork(const TableShape &shape);
    // A rollback journal beside the file that the engine takes for none (empty,
    // or its header never written: a crash between making and writing it)
    // goes, taken while this connection holds the write lock, so no other
    // program's live journal is touched. True when no journal is left; the
    // engine itself applies and removes a journal that holds a transaction.
    bool dropIdleJournal();
    void Close();
    bool isOpen() const { return m_db != nullptr; }
    QString name() const { return m_fileName; }
    // Writes a consistent copy of the open database as a new file at path
    // (an existing file there is replaced), while this connection stays open
    // and usable. The copy is meant to be read at once, not kept: it is not
    // flushed to disk. Raises 3026 when it cannot be written.
    void snapshotTo(const QString &path) const;
    // The file's bytes as they stand now, for copying them out in one pass
    // (see ConsistentRead). Nothing when the database keeps a write-ahead
    // log: its file alone is then not the whole state, and snapshotTo is the
    // way. Raises 3008 while a writer holds the file, 3026 when it cannot be
    // read.
    std::unique_ptr<ConsistentRead> readWhole() const;

private:
    friend class DBEngine;
    Database(sqlite3 *db, QString fileName);
    // Whether the statement, with these texts bound, yields a row.
    bool answers(const char *sql, const QStringList &values) const;
    // The file's size as the open transaction sees it.
    qint64 bytesInUse() const;
    sqlite3 *m_db;
    QString m_fileName;
};

// The engine: opens existing database files, never creates one.
class DBEngine
{
public:
    // Shared, read-write. Error 3024 for a missing file, 3343 for one that is
    // no database, 3008 for a locked one. The file may have been put there
    // by anyone: the connection is guarded as for untrusted files.
    std::unique_ptr<Database> OpenDatabase(const QString &fileName);
};

} // namespace dao
