#pragma once

#include "platform/com/Variant.h"
#include "platform/dao/TextColumn.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace dao
{

class Recordset;

// One field of the current record, as `rs.Fields("Tagdatum")` names it.
class Field
{
public:
    com::Variant Value() const;
    void setValue(const com::Variant &value);
    QString toString() const { return Value().toString(); }

private:
    friend class Recordset;
    Field(Recordset &recordset, QString name) : m_recordset(recordset), m_name(std::move(name)) {}
    Recordset &m_recordset;
    QString m_name;
};

// A table-type recordset in the table's own (insertion) order. It holds only
// the records' row ids; a field is read when it is asked for, so walking the
// records for one column never reads another. Another program may write the
// same file: whenever it has, the row ids are read again before the next
// count, MoveFirst, MoveLast, Move or write, and the current record is found
// again by its row id, so a write never lands on another record. A current
// record that the other program deleted raises 3167.
class Recordset
{
public:
    ~Recordset();
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    int32_t RecordCount();
    bool EOF_() const;
    bool BOF() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void Move(int32_t rows);

    Field Fields(const QString &name);
    com::Variant fieldValue(const QString &name);
    // The field's stored bytes, text as UTF-8, read without converting them.
    // One larger than `limit` bytes is not read at all: `size` gets its size
    // either way, without its content being read (in a file storing UTF-16,
    // in 16-bit units).
    QByteArray fieldBytes(const QString &name, qint64 limit, qint64 &size);
    // One column of every record as text (Null as empty text), in table
    // order: what a walk from MoveFirst to EOF reading the field yields, read
    // in one statement instead of one read per record. The recordset then
    // stands after its last record, where that walk ends. `bookmarks`, when
    // given, gets each record's bookmark in the same order.
    TextColumn columnTexts(const QString &name, std::vector<int64_t> *bookmarks = nullptr);
    // Makes the record of a bookmark current, wherever other programs' adds
    // and deletes have moved it; one they deleted raises 3167.
    void setBookmark(int64_t bookmark);

    void AddNew();
    void Edit();
    // Writes the new or edited record and commits it. An add or an edit that
    // writes no row raises (3167 when the edited record is gone). On failure the edit stays
    // open, so nothing typed is lost and the caller may try again.
    void Update();
    void CancelUpdate();
    void Delete();
    void Close();

    bool editing() const { return m_mode != Mode::None; }

private:
    friend class Database;
    friend class Field;
    Recordset(sqlite3 *db, const QString &table);

    enum class Mode { None, Add, Edit };
    // What became of the current record.
    enum class Current { Present, DeletedHere, DeletedElsewhere };

    void requireOpen() const;
    int64_t dataVersion();
    // Reads the row ids again when another connection has committed since.
    void followOtherWriters();
    void loadRows();
    // The current record is no longer in the file.
    [[noreturn]] void lostCurrentElsewhere();
    bool rowExists(int64_t rowid);
    void requireCurrent() const;
    QString checkedColumn(const QString &name) const;
    sqlite3_stmt *readStatement(const QString &column);
    // Steps the column's read statement onto the current record.
    sqlite3_stmt *readCurrent(const QString &column);
    void setFieldValue(const QString &name, const com::Variant &value);
    [[noreturn]] void raiseWriteError(int rc) const;

    sqlite3 *m_db;
    QString m_table;
    QStringList m_columns;
    std::vector<int64_t> m_rows;
    int m_position = 0; // -1 before the first record, size() after the last
    // A deleted current record: m_position names the record that followed it.
    Current m_current = Current::Present;
    int64_t m_deletedRow = 0;
    sqlite3_stmt *m_versionStatement = nullptr;
    int64_t m_seenVersion = 0;
    Mode m_mode = Mode::None;
    std::vector<std::pair<QString, com::Variant>> m_buffer;
    std::map<QString, sqlite3_stmt *> m_readStatements;
};

} // namespace dao
