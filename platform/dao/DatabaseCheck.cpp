#include "platform/dao/DatabaseCheck.h"

#include "platform/dao/SqlText.h"
#include "platform/runtime/GermanLocale.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <algorithm>
#include <cstring>
#include <limits>
#include <sqlite3.h>

namespace dao
{

namespace
{

// However large or hostile the schema, reading it never takes longer.
constexpr qint64 SchemaBudgetMs = 1000;

// Cuts the connection's statements off once the budget is spent.
class WorkLimit
{
public:
    WorkLimit(sqlite3 *db, qint64 budgetMs) : m_db(db), m_budgetMs(budgetMs)
    {
        m_timer.start();
        sqlite3_progress_handler(m_db, 1000, &WorkLimit::spent, this);
    }
    ~WorkLimit() { sqlite3_progress_handler(m_db, 0, nullptr, nullptr); }
    WorkLimit(const WorkLimit &) = delete;
    WorkLimit &operator=(const WorkLimit &) = delete;

private:
    static int spent(void *self)
    {
        const auto *limit = static_cast<const WorkLimit *>(self);
        return limit->m_timer.elapsed() > limit->m_budgetMs ? 1 : 0;
    }
    sqlite3 *m_db;
    qint64 m_budgetMs;
    QElapsedTimer m_timer;
};

// One of the program's own indexes found in the schema.
struct Index {
    QString name;
    QString column;
};

// The rows of a statement with its texts bound, each as its columns' texts
// (Null as a null QString). The engine's result code when it fails.
int rowsOf(sqlite3 *db, const char *sql, const QStringList &values, QList<QStringList> &rows)
{
    sqlite3_stmt *stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return rc;
    }
    for (int i = 0; i < values.size(); ++i) {
        const QByteArray text = values[i].toUtf8();
        sqlite3_bind_text(stmt, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        QStringList row;
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
            row << (text ? QString::fromUtf8(text, sqlite3_column_bytes(stmt, c)) : QString());
        }
        rows << row;
    }
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

// No entry of a schema the program reads is longer than this: the diary's own
// statements are about a hundred bytes, and an entry beyond it would be read
// and parsed at every opening of the file.
constexpr int LongestSchemaEntry = 1000000;

QString schemaEntryTooLong()
{
    return QStringLiteral("ihr Aufbau enthält eine Angabe von mehr als %1 Bytes")
        .arg(rt::GermanLocale::locale().toString(LongestSchemaEntry));
}

DatabaseCheck failureOf(int rc, QString *detail)
{
    switch (rc & 0xFF) {
    case SQLITE_CORRUPT:
        return DatabaseCheck::Damaged;
    case SQLITE_INTERRUPT:
        *detail = QStringLiteral("das Lesen ihres Aufbaus dauert zu lange");
        return DatabaseCheck::ForeignSchema;
    case SQLITE_TOOBIG:
        *detail = schemaEntryTooLong();
        return DatabaseCheck::ForeignSchema;
    default:
        return DatabaseCheck::NotADatabase;
    }
}

// The bare words of a statement, upper-cased; quoted names, texts and
// comments are left out.
QSet<QString> keywordsOf(const QString &sql)
{
    QSet<QString> words;
    qsizetype i = 0;
    const qsizetype n = sql.size();
    auto skipTo = [&](QChar end) {
        ++i;
        while (i < n && sql[i] != end)
            ++i;
        ++i;
    };
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            skipTo(c);
        } else if (c == QLatin1Char('[')) {
            skipTo(QLatin1Char(']'));
        } else if (QStringView(sql).mid(i, 2) == QLatin1String("--")) {
            skipTo(QLatin1Char('\n'));
        } else if (QStringView(sql).mid(i, 2) == QLatin1String("/*")) {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            const qsizetype start = i;
            while (i < n && (sql[i].isLetterOrNumber() || sql[i] == QLatin1Char('_')))
                ++i;
            words.insert(sql.mid(start, i - start).toUpper());
        } else {
            ++i;
        }
    }
    return words;
}

DatabaseCheck foreign(QString *detail, const QString &reason)
{
    *detail = reason;
    return DatabaseCheck::ForeignSchema;
}

// A default the engine stores as it stands: a number, a text, bytes or Null.
bool isLiteral(const QString &value)
{
    // Texts are matched by hand: a pattern would give up on a long one.
    const auto quoted = [&value](qsizetype from) {
        return value.size() >= from + 2 && value[from] == QLatin1Char('\'') &&
               value.endsWith(QLatin1Char('\'')) &&
               !value.mid(from + 1, value.size() - from - 2)
                    .remove(QLatin1String("''"))
                    .contains(QLatin1Char('\''));
    };
    if (quoted(0))
        return true;
    if (value.startsWith(QLatin1Char('x'), Qt::CaseInsensitive) && quoted(1)) {
        const QStringView digits = QStringView(value).mid(2, value.size() - 3);
        return std::all_of(digits.begin(), digits.end(),
                           [](QChar c) { return QLatin1String("0123456789abcdefABCDEF").contains(c); });
    }
    static const QRegularExpression number(
        QStringLiteral(R"(^(?:[+-]?(?:\d+(?:\.\d*)?|\.\d+)(?:[eE][+-]?\d+)?|NULL)$)"),
        QRegularExpression::CaseInsensitiveOption);
    return number.match(value).hasMatch();
}

// Plain defaults longer than this together would fill every new record with
// them; what they add stays within what the restore's trial of a write allows
// on any page size, so the start and the restore agree.
constexpr qsizetype LongestDefaults = 1024;

// The names under which the program finds a record's row number; a column of
// such a name hides it, and one change or delete then meets every record.
bool hidesRowNumber(const QString &column)
{
    for (const char *name : {"rowid", "oid", "_rowid_"})
        if (column.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Row numbers the program can still give new records: the engine's counter
// and the largest number in use leave room for a long diary's life. A file
// taken in stops that room further down, so it still opens after as many adds.
constexpr qint64 RoomForAdds = std::numeric_limits<qint32>::max();
constexpr qint64 LastUsableRowid = std::numeric_limits<qint64>::max() - RoomForAdds;
constexpr qint64 LastTakenInRowid = LastUsableRowid - RoomForAdds;

// How the engine itself declares its counter table; any other column list
// makes every add fail.
const QLatin1String SequenceSql("CREATE TABLE sqlite_sequence(name,seq)");

DatabaseCheck checkRowNumbers(sqlite3 *db, const TableShape &shape, qint64 lastRowid, QString *detail)
{
    qint64 highest = 0;
    const int rc = highestRowNumber(db, shape.table, &highest);
    if (rc != SQLITE_OK)
        return failureOf(rc, detail);
    if (highest > lastRowid)
        return foreign(
            detail, QStringLiteral("die Tabelle '%1' hat keine freien Zeilennummern mehr").arg(shape.table));
    return DatabaseCheck::Ok;
}

DatabaseCheck checkTable(sqlite3 *db, const TableShape &shape, const QString &sql, QString *detail)
{
    if (sql.trimmed().startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive))
        return foreign(detail,
                       QStringLiteral("die Tabelle '%1' ist eine virtuelle Tabelle").arg(shape.table));
    QList<QStringList> kind;
    // Table names are matched without regard to case, as the engine does.
    int rc = rowsOf(db,
                    "SELECT wr, strict FROM pragma_table_list WHERE schema = 'main' AND name = ?1 "
                    "COLLATE NOCASE",
                    {shape.table}, kind);
    if (rc != SQLITE_OK)
        return failureOf(rc, detail);
    if (kind.size() != 1)
        return foreign(detail, QStringLiteral("die Tabelle '%1' ist nicht eindeutig").arg(shape.table));
    if (kind[0][0] != QLatin1String("0"))
        return foreign(detail, QStringLiteral("die Tabelle '%1' hat keine Zeilennummern").arg(shape.table));
    if (kind[0][1] != QLatin1String("0"))
        return foreign(detail, QStringLiteral("die Tabelle '%1' ist streng typisiert").arg(shape.table));

    // Constraints do not show in the column list: a check, a uniqueness, a
    // foreign key, a collation or a conflict clause (which drops a record
    // without a word) would refuse or lose writes the program makes.
    const QSet<QString> words = keywordsOf(sql);
    for (const char *word :
         {"CHECK", "UNIQUE", "REFERENCES", "COLLATE", "GENERATED", "CONSTRAINT", "CONFLICT"})
        if (words.contains(QLatin1String(word)))
            return foreign(detail, QStringLiteral("die Tabelle '%1' hat zusätzliche Bedingungen (%2)")
                                       .arg(shape.table, QLatin1String(word)));

    // A key the engine keeps in an index of its own (declared descending,
    // say) is not the row number: it is unique.
    QList<QStringList> keyIndexes;
    rc = rowsOf(db, "SELECT 1 FROM pragma_index_list(?1) WHERE origin = 'pk'", {shape.table}, keyIndexes);
    if (rc != SQLITE_OK)
        return failureOf(rc, detail);
    QList<QStringList> columns;
    rc = rowsOf(db,
                "SELECT name, upper(type), \"notnull\", dflt_value, pk, hidden FROM pragma_table_xinfo(?1)",
                {shape.table}, columns);
    if (rc != SQLITE_OK)
        return failureOf(rc, detail);
    int keys = 0;
    qsizetype defaults = 0;
    for (const QStringList &column : std::as_const(columns))
        keys += column[4] != QLatin1String("0") ? 1 : 0;
    QStringList missing = shape.columns;
    for (const QStringList &column : std::as_const(columns)) {
        const QString &name = column[0];
        const bool key = column[4] != QLatin1String("0");
        if (column[5] != QLatin1String("0"))
            return foreign(detail, QStringLiteral("die Spalte '%1' wird berechnet").arg(name));
        bool wanted = false;
        for (qsizetype i = 0; i < missing.size(); ++i)
            if (missing[i].compare(name, Qt::CaseInsensitive) == 0) {
                missing.removeAt(i);
                wanted = true;
                break;
            }
        if (!key && hidesRowNumber(name))
            return foreign(detail, QStringLiteral("die Spalte '%1' verdeckt die Zeilennummer").arg(name));
        // Only the row number may be the key: any other key is unique.
        if (key && (wanted || keys != 1 || column[1] != QLatin1String("INTEGER") || !keyIndexes.isEmpty()))
            return foreign(detail, QStringLiteral("die Spalte '%1' ist ein fremder Schlüssel").arg(name));
        // An expression would run at every add: it may fail each time or
        // fill each record with any number of bytes.
        if (!column[3].isNull() && !isLiteral(column[3]))
            return foreign(detail,
                           QStringLiteral("die Spalte '%1' hat einen berechneten Vorgabewert").arg(name));
        defaults += column[3].size();
        if (column[3].size() > LongestDefaults)
            return foreign(detail,
                           QStringLiteral("die Spalte '%1' hat einen übergroßen Vorgabewert").arg(name));
        if (defaults > LongestDefaults)
            return foreign(detail, QStringLiteral("die Vorgabewerte der Spalten sind zusammen länger als %1 "
                                                  "Zeichen")
                                       .arg(rt::GermanLocale::locale().toString(LongestDefaults)));
        if (!wanted && !key && column[2] != QLatin1String("0") &&
            (column[3].isNull() || column[3].compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0))
            return foreign(detail,
                           QStringLiteral("die Spalte '%1' verlangt bei jedem Eintrag einen Wert").arg(name));
    }
    if (!missing.isEmpty()) {
        *detail = missing.first();
        return DatabaseCheck::WrongTable;
    }
    return DatabaseCheck::Ok;
}

DatabaseCheck checkIndex(sqlite3 *db, const TableShape &shape, const QString &name, const QString &column,
                         QString *detail)
{
    QList<QStringList> kind;
    int rc = rowsOf(db, "SELECT \"unique\", partial FROM pragma_index_list(?1) WHERE name = ?2",
                    {shape.table, name}, kind);
    if (rc != SQLITE_OK)
        return failureOf(rc, detail);
    QList<QStringList> keys;
    rc = rowsOf(db, "SELECT cid, name, coll FROM pragma_index_xinfo(?1) WHERE key = 1", {name}, keys);
    if (rc != SQLITE_OK)
        return failureOf(rc, detail);
    const bool ours = kind.size() == 1 && kind[0] == QStringList{QStringLiteral("0"), QStringLiteral("0")} &&
                      keys.size() == 1 && keys[0][0].toInt() >= 0 &&
                      keys[0][1].compare(column, Qt::CaseInsensitive) == 0 &&
                      keys[0][2].compare(QLatin1String("BINARY"), Qt::CaseInsensitive) == 0;
    return ours ? DatabaseCheck::Ok
                : foreign(detail,
                          QStringLiteral("der Index '%1' ist anders angelegt als der eigene").arg(name));
}

// The first value of the column longer than the bound, found by its size in
// each record's header: a blob handle measures a value without reading it,
// but takes a look into the table at every record. 0 for none.
qint64 firstOversized(sqlite3 *db, const TableShape &shape, const QString &indexed)
{
    const QByteArray table = shape.table.toUtf8();
    const QByteArray column = indexed.toUtf8();
    // Null and numbers are short; only texts and bytes take a handle.
    const QByteArray sql = QStringLiteral("SELECT rowid FROM %1 WHERE typeof(%2) IN ('text', 'blob')")
                               .arg(quotedName(shape.table), quotedName(indexed))
                               .toUtf8();
    sqlite3_stmt *stmt = nullptr;
    sqlite3_blob *blob = nullptr;
    const auto done = qScopeGuard([&] {
        sqlite3_blob_close(blob);
        sqlite3_finalize(stmt);
    });
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK)
        return 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const sqlite3_int64 row = sqlite3_column_int64(stmt, 0);
        const int rc =
            blob ? sqlite3_blob_reopen(blob, row)
                 : sqlite3_blob_open(db, "main", table.constData(), column.constData(), row, 0, &blob);
        if (rc != SQLITE_OK) {
            // A failed handle takes no other record.
            sqlite3_blob_close(blob);
            blob = nullptr;
        } else if (sqlite3_blob_bytes(blob) > shape.longestIndexedValue) {
            return sqlite3_blob_bytes(blob);
        }
    }
    return 0;
}

// The longest value of the column as the index or the table holds it, each
// value read within the bound: the engine refuses a longer one by the size
// in its record's header, before reading it (SQLITE_TOOBIG). The engine's
// result.
int longestStored(sqlite3 *db, const TableShape &shape, const QString &indexed, const QString &index,
                  qint64 *longest)
{
    const QString source =
        index.isEmpty() ? QStringLiteral("NOT INDEXED") : QStringLiteral("INDEXED BY ") + quotedName(index);
    const QByteArray sql = QStringLiteral("SELECT coalesce(max(length(CAST(%1 AS BLOB))), 0) FROM %2 %3")
                               .arg(quotedName(indexed), quotedName(shape.table), source)
                               .toUtf8();
    sqlite3_stmt *stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
    // Only the values are held to the bound, not the schema read on the way.
    const int usual = sqlite3_limit(db, SQLITE_LIMIT_LENGTH, int(shape.longestIndexedValue));
    if (rc == SQLITE_OK && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        *longest = sqlite3_column_int64(stmt, 0);
        rc = SQLITE_OK;
    }
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, usual);
    sqlite3_finalize(stmt);
    return rc;
}

// The size of each indexed column's value. Every start lists all days from
// the program's own index, the table's values only one at a time as a day is
// chosen; so the start bounds what the index holds, at the cost of a walk of
// the index alone, not of the table's pages. A table without the index is
// measured itself (the index the start then makes holds its values). A file
// taken in is measured in both, and the engine's check of every page that
// follows proves the index to hold the table's values.
DatabaseCheck checkValueSizes(sqlite3 *db, const TableShape &shape, const QList<Index> &indexes,
                              bool wholeTable, QString *detail)
{
    if (shape.longestIndexedValue <= 0)
        return DatabaseCheck::Ok;
    for (const QString &indexed : shape.indexedColumns) {
        QStringList sources;
        for (const Index &index : indexes)
            if (index.column == indexed)
                sources << index.name;
        if (sources.isEmpty() || wholeTable)
            sources << QString();
        for (const QString &source : std::as_const(sources)) {
            qint64 longest = 0;
            const int rc = longestStored(db, shape, indexed, source, &longest);
            // Damage met on the way is left to what reads the records, which
            // names it; only a size refuses here.
            if (rc != SQLITE_OK && (rc & 0xFF) != SQLITE_TOOBIG)
                continue;
            if ((rc & 0xFF) == SQLITE_TOOBIG)
                longest = firstOversized(db, shape, indexed);
            if ((rc & 0xFF) == SQLITE_TOOBIG && longest == 0)
                // The index holds a value the table does not.
                return DatabaseCheck::Damaged;
            if (longest > shape.longestIndexedValue) {
                const QLocale german = rt::GermanLocale::locale();
                *detail =
                    QStringLiteral("in der Spalte '%1' stehen %2 Bytes, zulässig sind höchstens %3")
                        .arg(indexed, german.toString(longest), german.toString(shape.longestIndexedValue));
                return DatabaseCheck::OversizedValue;
            }
        }
    }
    return DatabaseCheck::Ok;
}

// A read-only connection, closed when it goes.
class ReadOnlyConnection
{
public:
    explicit ReadOnlyConnection(const QString &file)
    {
        const QByteArray path = file.toUtf8();
        m_rc = sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
        if (m_rc == SQLITE_OK) {
            guardUntrusted(m_db);
            // Nothing in the file may run while it is checked.
            sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
            sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
        }
    }
    ~ReadOnlyConnection() { sqlite3_close_v2(m_db); }
    ReadOnlyConnection(const ReadOnlyConnection &) = delete;
    ReadOnlyConnection &operator=(const ReadOnlyConnection &) = delete;
    bool isOpen() const { return m_rc == SQLITE_OK; }
    sqlite3 *get() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
    int m_rc = SQLITE_OK;
};

} // namespace

void guardUntrusted(sqlite3 *db)
{
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_exec(db, "PRAGMA cell_size_check = ON; PRAGMA mmap_size = 0", nullptr, nullptr, nullptr);
}

namespace
{

DatabaseCheck checkShape(sqlite3 *db, const TableShape &shape, qint64 lastRowid, QList<Index> &indexes,
                         QString *detail)
{
    const WorkLimit limit(db, SchemaBudgetMs);
    QList<QStringList> objects;
    const int rc = rowsOf(db, "SELECT type, name, tbl_name, sql FROM sqlite_master", {}, objects);
    if (rc != SQLITE_OK)
        return failureOf(rc, detail);
    QString tableSql;
    bool found = false;
    for (const QStringList &object : std::as_const(objects)) {
        const QString &type = object[0];
        const QString &name = object[1];
        if (type == QLatin1String("table") && name.compare(shape.table, Qt::CaseInsensitive) == 0) {
            found = true;
            tableSql = object[3];
        } else if (type == QLatin1String("table") && name == QLatin1String("sqlite_sequence")) {
            // The engine's counter for an autoincrementing key.
            if (object[3] != SequenceSql)
                return foreign(detail, QStringLiteral("die Tabelle '%1' ist anders angelegt als die der "
                                                      "Datenbank selbst")
                                           .arg(name));
        } else if (type == QLatin1String("index") && object[3].isNull() &&
                   object[2].compare(shape.table, Qt::CaseInsensitive) == 0) {
            // The engine's own index of a key or a uniqueness the table
            // declares: the table's check names that.
        } else if (type == QLatin1String("index") &&
                   object[2].compare(shape.table, Qt::CaseInsensitive) == 0) {
            QString column;
            for (const QString &indexed : shape.indexedColumns)
                if (name.compare(shape.table + QLatin1Char('_') + indexed, Qt::CaseInsensitive) == 0)
                    column = indexed;
            if (column.isEmpty())
                return foreign(detail,
                               QStringLiteral("die Datenbank enthält den fremden Index '%1'").arg(name));
            indexes.append({name, column});
        } else if (type == QLatin1String("trigger")) {
            return foreign(detail, QStringLiteral("die Datenbank enthält den Trigger '%1'").arg(name));
        } else if (type == QLatin1String("view")) {
            return foreign(detail, QStringLiteral("die Datenbank enthält die Sicht '%1'").arg(name));
        } else {
            return foreign(detail, QStringLiteral("die Datenbank enthält das fremde Objekt '%1'").arg(name));
        }
    }
    if (!found) {
        *detail = shape.table;
        return DatabaseCheck::WrongTable;
    }
    const DatabaseCheck table = checkTable(db, shape, tableSql, detail);
    if (table != DatabaseCheck::Ok)
        return table;
    const DatabaseCheck rowNumbers = checkRowNumbers(db, shape, lastRowid, detail);
    if (rowNumbers != DatabaseCheck::Ok)
        return rowNumbers;
    for (const auto &[name, column] : std::as_const(indexes)) {
        const DatabaseCheck index = checkIndex(db, shape, name, column, detail);
        if (index != DatabaseCheck::Ok)
            return index;
    }
    return DatabaseCheck::Ok;
}

// The shape within the bound; the values, which take as long as the diary or
// its index is large, outside it.
DatabaseCheck checkSchemaWithin(sqlite3 *db, const TableShape &shape, qint64 lastRowid, bool wholeTable,
                                QString *detail)
{
    QString ignored;
    if (!detail)
        detail = &ignored;
    const int rc = readSchema(db, nullptr);
    if (rc != SQLITE_OK)
        return failureOf(rc, detail);
    QList<Index> indexes;
    const DatabaseCheck schema = checkShape(db, shape, lastRowid, indexes, detail);
    return schema != DatabaseCheck::Ok ? schema : checkValueSizes(db, shape, indexes, wholeTable, detail);
}

} // namespace

DatabaseCheck checkSchema(sqlite3 *db, const TableShape &shape, QString *detail)
{
    return checkSchemaWithin(db, shape, LastUsableRowid, false, detail);
}

int readSchema(sqlite3 *db, QString *reason)
{
    const int usual = sqlite3_limit(db, SQLITE_LIMIT_LENGTH, LongestSchemaEntry);
    const int rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, usual);
    if ((rc & 0xFF) == SQLITE_TOOBIG && reason)
        *reason = schemaEntryTooLong();
    return rc;
}

qint64 lastUsableRowNumber()
{
    return LastUsableRowid;
}

int highestRowNumber(sqlite3 *db, const QString &table, qint64 *highest)
{
    QList<QStringList> rows;
    int rc =
        rowsOf(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'sqlite_sequence'", {}, rows);
    // The engine takes the counter from the first row naming the table as
    // its schema does, letter for letter, as a whole number whatever it holds.
    const bool counted = !rows.isEmpty();
    const QString counter =
        !counted ? QStringLiteral("0")
                 : QStringLiteral("(SELECT CAST(seq AS INTEGER) FROM sqlite_sequence WHERE name = "
                                  "(SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                  "name = ?1 COLLATE NOCASE) ORDER BY rowid LIMIT 1)");
    const QByteArray sql =
        QStringLiteral("SELECT max(coalesce((SELECT max(rowid) FROM %1), 0), coalesce(%2, 0))")
            .arg(quotedName(table), counter)
            .toUtf8();
    rows.clear();
    if (rc == SQLITE_OK)
        rc = rowsOf(db, sql.constData(), counted ? QStringList{table} : QStringList{}, rows);
    if (rc == SQLITE_OK)
        *highest = rows.value(0).value(0).toLongLong();
    return rc;
}

QString newerFormat(sqlite3 *db)
{
    // Read through the engine's own handle: closing one of ours would drop
    // the process's locks on the file.
    sqlite3_file *file = nullptr;
    char header[48] = {};
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
        !file->pMethods || file->pMethods->xRead(file, header, sizeof header, 0) != SQLITE_OK ||
        std::memcmp(header, "SQLite format 3\0", 16) != 0)
        return QString();
    // At 18 and 19 the header gives the format a writer and a reader must
    // know; the engine knows 1 (rollback journal) and 2 (write-ahead log).
    const int writer = quint8(header[18]);
    const int reader = quint8(header[19]);
    if (reader > 2)
        return QStringLiteral("die Datei hat ein neueres Datenbankformat (Version %1), das dieses Programm "
                              "nicht lesen kann")
            .arg(reader);
    if (writer > 2)
        return QStringLiteral("die Datei hat ein neueres Datenbankformat (Version %1), das dieses Programm "
                              "nur lesen, aber nicht schreiben kann")
            .arg(writer);
    // At 44 the format of the schema, which the engine knows up to 4.
    const quint32 schemaFormat = quint32(quint8(header[44])) << 24 | quint32(quint8(header[45])) << 16 |
                                 quint32(quint8(header[46])) << 8 | quint8(header[47]);
    if (schemaFormat > 4)
        return QStringLiteral("die Datei hat ein neueres Format ihres Aufbaus (Version %1), das dieses "
                              "Programm nicht lesen kann")
            .arg(schemaFormat);
    return QString();
}

DatabaseCheck checkDatabaseFile(const QString &file, const TableShape &shape, QString *detail)
{
    QString ignored;
    if (!detail)
        detail = &ignored;
    if (!QFileInfo(file).isFile())
        return DatabaseCheck::NotADatabase;
    const ReadOnlyConnection db(file);
    if (!db.isOpen())
        return DatabaseCheck::NotADatabase;
    *detail = newerFormat(db.get());
    if (!detail->isEmpty())
        return DatabaseCheck::ForeignSchema;
    const DatabaseCheck schema = checkSchemaWithin(db.get(), shape, LastTakenInRowid, true, detail);
    if (schema != DatabaseCheck::Ok)
        return schema;
    QList<QStringList> verdict;
    if (rowsOf(db.get(), "PRAGMA integrity_check", {}, verdict) != SQLITE_OK ||
        verdict != QList<QStringList>{{QStringLiteral("ok")}})
        return DatabaseCheck::Damaged;
    return DatabaseCheck::Ok;
}

} // namespace dao
