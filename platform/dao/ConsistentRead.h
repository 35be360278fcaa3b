#pragma once

#include <QString>
#include <QtGlobal>

struct sqlite3;
struct sqlite3_file;

namespace dao
{

// The database file as it stands at one moment, read piece by piece: while
// this lives, a read transaction of its own connection holds the file's
// shared lock, so no writer can commit and the pages cannot change. The
// engine's own file handle does the reading: a second descriptor of ours,
// once closed, would drop every lock the process holds on the file.
class ConsistentRead
{
public:
    ~ConsistentRead();
    ConsistentRead(const ConsistentRead &) = delete;
    ConsistentRead &operator=(const ConsistentRead &) = delete;

    // The database's pages, all of them.
    qint64 size() const { return m_size; }
    // Reads n bytes at offset; false, with the reason in German, when the
    // file cannot give them.
    bool read(qint64 offset, char *into, qint64 n, QString *reason) const;

private:
    friend class Database;
    ConsistentRead(sqlite3 *db, sqlite3_file *file, qint64 size);
    sqlite3 *m_db;
    sqlite3_file *m_file;
    qint64 m_size;
};

} // namespace dao
