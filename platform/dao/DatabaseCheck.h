#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

namespace dao
{

// What a file offered as an entry database turned out to be.
enum class DatabaseCheck { Ok, NotADatabase, Damaged, WrongTable, ForeignSchema, OversizedValue };

// The one table a program keeps its records in, as that program creates it.
struct TableShape {
    QString table;
    // Columns it writes; each must be there (names without regard to case).
    QStringList columns;
    // Columns it gives an index of its own, named table_column. The program
    // reads all their values at every start: none may hold more bytes than
    // longestIndexedValue.
    QStringList indexedColumns;
    qint64 longestIndexedValue = 0; // 0: any
};

// The engine's own advice for files from elsewhere: no schema trusted to run
// functions, no writes to the schema, page sizes checked as they are read.
void guardUntrusted(sqlite3 *db);

// Reads the schema into the connection, as any first statement does, with no
// entry of it longer than any table of the program needs: a longer one is
// refused by its stored size before it is read or parsed (SQLITE_TOOBIG, with
// a German reason). The engine's result.
int readSchema(sqlite3 *db, QString *reason);

// The last row number the program gives: a table past it is refused at the
// start, so no add may take a record there.
qint64 lastUsableRowNumber();
// The row number the next add of the engine goes past: the largest in use,
// or the engine's counter where that is larger, read as the engine reads it.
// The engine's result.
int highestRowNumber(sqlite3 *db, const QString &table, qint64 *highest);

// Reads the schema only (cheap at any size): a rowid table of that name with
// the columns, no column a write would have to fill, no conflict clause,
// collation or default other than a plain value, row numbers left to give
// (the engine's counter, declared as the engine declares it, included),
// nothing besides it but the program's own index, and nothing that runs on a
// read or a write (trigger, view, virtual table). The work is cut off after a bound, so a
// hostile schema cannot hold the caller. Then the size of each indexed
// column's value as the program's index holds it (the table's where there is
// no index), each refused by the size in its record's header before it is read.
// detail names what is wrong: the table or column for WrongTable, a German
// reason for ForeignSchema and OversizedValue.
DatabaseCheck checkSchema(sqlite3 *db, const TableShape &shape, QString *detail);

// Why the engine could not write, or not even read, the connection's file:
// its header declares a newer format than the engine's. Empty for any other
// file. Needs no read of the database, so it answers before the first.
QString newerFormat(sqlite3 *db);

// Reads the file without changing it, on a guarded connection: the schema
// check above, then the engine's integrity check over every page. A file
// taken in must leave room for as many adds as checkSchema promises after it
// opens: its row numbers stop that many further below the end. Its values are
// measured in the table and the index both.
DatabaseCheck checkDatabaseFile(const QString &file, const TableShape &shape, QString *detail = nullptr);

} // namespace dao
