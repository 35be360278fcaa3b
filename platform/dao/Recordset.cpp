#include "platform/dao/Recordset.h"

#include "platform/dao/DaoError.h"
#include "platform/dao/DatabaseCheck.h"
#include "platform/dao/SqlText.h"
#include "platform/runtime/SystemErrorText.h"

#include <QScopeGuard>

#include <algorithm>
#include <numeric>
#include <sqlite3.h>

namespace dao
{

namespace
{

// Prepares a statement that is finalised when the guard goes.
class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql)
    {
        const QByteArray text = sql.toUtf8();
        m_rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_stmt, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    sqlite3_stmt *get() const { return m_stmt; }
    int prepareResult() const { return m_rc; }

private:
    sqlite3_stmt *m_stmt = nullptr;
    int m_rc = SQLITE_OK;
};

void bindValue(sqlite3_stmt *stmt, int index, const com::Variant &value)
{
    switch (value.type()) {
    case com::VarType::Empty:
    case com::VarType::Null:
        sqlite3_bind_null(stmt, index);
        break;
    case com::VarType::Integer:
    case com::VarType::Long:
    case com::VarType::Byte:
    case com::VarType::Boolean:
        sqlite3_bind_int64(stmt, index, value.toLong());
        break;
    case com::VarType::Single:
    case com::VarType::Double:
    case com::VarType::Date:
        sqlite3_bind_double(stmt, index, value.toDouble());
        break;
    default: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    }
}

int readErrorNumber(int rc)
{
    return rc == SQLITE_BUSY || rc == SQLITE_LOCKED ? ErrLocked : ErrNotADatabase;
}

// An explicit read transaction: what is read inside it is of one moment.
class ReadTransaction
{
public:
    explicit ReadTransaction(sqlite3 *db) : m_db(db)
    {
        m_open = sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~ReadTransaction()
    {
        if (m_open)
            sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    }
    ReadTransaction(const ReadTransaction &) = delete;
    ReadTransaction &operator=(const ReadTransaction &) = delete;

private:
    sqlite3 *m_db;
    bool m_open = false;
};

com::Variant columnValue(sqlite3_stmt *stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_NULL:
        return com::Variant::null();
    case SQLITE_INTEGER: {
        const sqlite3_int64 v = sqlite3_column_int64(stmt, column);
        if (v >= INT32_MIN && v <= INT32_MAX)
            return com::Variant::fromLong(int32_t(v));
        return com::Variant::fromDouble(double(v));
    }
    case SQLITE_FLOAT:
        return com::Variant::fromDouble(sqlite3_column_double(stmt, column));
    default: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
        return com::Variant(QString::fromUtf8(text, sqlite3_column_bytes(stmt, column)));
    }
    }
}

} // namespace

com::Variant Field::Value() const
{
    return m_recordset.fieldValue(m_name);
}

void Field::setValue(const com::Variant &value)
{
    m_recordset.setFieldValue(m_name, value);
}

Recordset::Recordset(sqlite3 *db, const QString &table) : m_db(db), m_table(table)
{
    {
        Statement columns(m_db, QStringLiteral("PRAGMA table_info(%1)").arg(quotedName(table)));
        while (columns.prepareResult() == SQLITE_OK && sqlite3_step(columns.get()) == SQLITE_ROW)
            m_columns << QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(columns.get(), 1)));
    }
    if (m_columns.isEmpty())
        raiseDaoError(ErrCannotOpenTable, table);
    try {
        if (sqlite3_prepare_v2(m_db, "PRAGMA data_version", -1, &m_versionStatement, nullptr) != SQLITE_OK)
            raiseDaoError(ErrNotADatabase, table);
        m_seenVersion = dataVersion();
        loadRows();
        m_position = 0; // a new recordset stands on its first record
    } catch (...) {
        Close();
        throw;
    }
}

Recordset::~Recordset()
{
    Close();
}

void Recordset::Close()
{
    for (auto &entry : m_readStatements)
        sqlite3_finalize(entry.second);
    m_readStatements.clear();
    sqlite3_finalize(m_versionStatement);
    m_versionStatement = nullptr;
    m_db = nullptr;
}

int64_t Recordset::dataVersion()
{
    sqlite3_reset(m_versionStatement);
    const int rc = sqlite3_step(m_versionStatement);
    const int64_t version = rc == SQLITE_ROW ? sqlite3_column_int64(m_versionStatement, 0) : m_seenVersion;
    sqlite3_reset(m_versionStatement);
    // While another program holds the file its changes cannot be read yet:
    // the rows known so far stand, and what reads the file itself reports
    // the lock.
    if (rc != SQLITE_ROW && (rc & 0xFF) != SQLITE_BUSY && (rc & 0xFF) != SQLITE_LOCKED)
        raiseDaoError(ErrNotADatabase, m_table);
    return version;
}

void Recordset::followOtherWriters()
{
    requireOpen();
    // The engine counts only commits made through other connections, so our
    // own writes never cost a reload.
    const int64_t version = dataVersion();
    if (version == m_seenVersion)
        return;
    loadRows();
    m_seenVersion = version;
}

void Recordset::loadRows()
{
    const bool beforeFirst = m_position < 0;
    const bool pastLast = m_current == Current::Present && m_position >= int(m_rows.size());
    int64_t anchor = m_deletedRow;
    if (m_current == Current::Present && !beforeFirst && !pastLast)
        anchor = m_rows[size_t(m_position)];

    std::vector<int64_t> rows;
    rows.reserve(m_rows.size());
    // Asked without an order, the engine may walk an index, far smaller than
    // records holding their bodies; the ids are put in order here.
    Statement select(m_db, QStringLiteral("SELECT rowid FROM %1").arg(quotedName(m_table)));
    if (select.prepareResult() != SQLITE_OK)
        raiseDaoError(ErrCannotOpenTable, m_table);
    int rc;
    while ((rc = sqlite3_step(select.get())) == SQLITE_ROW)
        rows.push_back(sqlite3_column_int64(select.get(), 0));
    if (rc != SQLITE_DONE)
        raiseDaoError(readErrorNumber(rc), m_table);
    if (!std::is_sorted(rows.begin(), rows.end()))
        std::sort(rows.begin(), rows.end());
    m_rows = std::move(rows);

    if (beforeFirst) {
        m_position = -1;
    } else if (pastLast) {
        m_position = int(m_rows.size());
    } else {
        // Row ids grow with every insert, so their order is the table order:
        // the current record is found again by its id, never by its place.
        const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), anchor);
        m_position = int(at - m_rows.begin());
        if (m_current == Current::Present && (at == m_rows.end() || *at != anchor)) {
            m_current = Current::DeletedElsewhere;
            m_deletedRow = anchor;
        }
    }
}

void Recordset::requireOpen() const
{
    if (!m_db)
        raiseDaoError(ErrObjectClosed);
}

void Recordset::requireCurrent() const
{
    requireOpen();
    if (m_current == Current::DeletedElsewhere)
        raiseDaoError(ErrRecordDeleted);
    if (m_current == Current::DeletedHere || m_position < 0 || m_position >= int(m_rows.size()))
        raiseDaoError(ErrNoCurrentRecord);
}

void Recordset::lostCurrentElsewhere()
{
    const int64_t rowid = m_rows[size_t(m_position)];
    m_current = Current::DeletedElsewhere;
    m_deletedRow = rowid;
    loadRows();
    m_seenVersion = dataVersion();
    // Still listed, yet not found: the table's pages are damaged, and the
    // record is still the current one.
    if (std::binary_search(m_rows.begin(), m_rows.end(), rowid)) {
        m_current = Current::Present;
        raiseDaoError(ErrNotADatabase, m_table);
    }
    raiseDaoError(ErrRecordDeleted);
}

int32_t Recordset::RecordCount()
{
    followOtherWriters();
    return int32_t(m_rows.size());
}

bool Recordset::EOF_() const
{
    return m_rows.empty() || m_position >= int(m_rows.size());
}

bool Recordset::BOF() const
{
    return m_rows.empty() || m_position < 0;
}

void Recordset::MoveFirst()
{
    followOtherWriters();
    if (m_rows.empty())
        raiseDaoError(ErrNoCurrentRecord);
    m_position = 0;
    m_current = Current::Present;
}

void Recordset::MoveLast()
{
    followOtherWriters();
    if (m_rows.empty())
        raiseDaoError(ErrNoCurrentRecord);
    m_position = int(m_rows.size()) - 1;
    m_current = Current::Present;
}

void Recordset::MoveNext()
{
    // A walk goes over the rows known when it started: asking the file at
    // every step would double the cost of listing the days. A row that went
    // meanwhile is still reported when it is read.
    requireOpen();
    if (EOF_())
        raiseDaoError(ErrNoCurrentRecord);
    // After a delete the position already names the record that followed it.
    if (m_current == Current::Present)
        ++m_position;
    m_current = Current::Present;
}

void Recordset::Move(int32_t rows)
{
    followOtherWriters();
    requireCurrent();
    const int64_t target = int64_t(m_position) + rows;
    if (target >= int64_t(m_rows.size()))
        m_position = int(m_rows.size());
    else if (target < 0)
        m_position = -1;
    else
        m_position = int(target);
}

QString Recordset::checkedColumn(const QString &name) const
{
    for (const QString &column : m_columns)
        if (column.compare(name, Qt::CaseInsensitive) == 0)
            return column;
    raiseDaoError(ErrItemNotFound, name);
}

Field Recordset::Fields(const QString &name)
{
    requireOpen();
    return Field(*this, checkedColumn(name));
}

sqlite3_stmt *Recordset::readStatement(const QString &column)
{
    auto it = m_readStatements.find(column);
    if (it != m_readStatements.end())
        return it->second;
    sqlite3_stmt *stmt = nullptr;
    const QByteArray sql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                               .arg(quotedName(column), quotedName(m_table))
                               .toUtf8();
    if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        raiseDaoError(ErrNotADatabase, m_table);
    }
    m_readStatements.emplace(column, stmt);
    return stmt;
}

com::Variant Recordset::fieldValue(const QString &name)
{
    requireOpen();
    const QString column = checkedColumn(name);
    if (m_mode != Mode::None) {
        for (const auto &[field, value] : m_buffer)
            if (field == column)
                return value;
        if (m_mode == Mode::Add)
            return com::Variant::null();
    }
    sqlite3_stmt *stmt = readCurrent(column);
    com::Variant value = columnValue(stmt, 0);
    sqlite3_reset(stmt);
    return value;
}

sqlite3_stmt *Recordset::readCurrent(const QString &column)
{
    requireCurrent();
    sqlite3_stmt *stmt = readStatement(column);
    sqlite3_reset(stmt);
    sqlite3_bind_int64(stmt, 1, m_rows[size_t(m_position)]);
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE) {
        sqlite3_reset(stmt);
        lostCurrentElsewhere();
    }
    if (rc != SQLITE_ROW) {
        sqlite3_reset(stmt);
        raiseDaoError(readErrorNumber(rc), m_table);
    }
    return stmt;
}

QByteArray Recordset::fieldBytes(const QString &name, qint64 limit, qint64 &size)
{
    requireOpen();
    const QString column = checkedColumn(name);
    if (m_mode == Mode::None) {
        requireCurrent();
        Statement encoding(m_db, QStringLiteral("PRAGMA encoding"));
        const bool utf8 =
            encoding.prepareResult() == SQLITE_OK && sqlite3_step(encoding.get()) == SQLITE_ROW &&
            qstrcmp(reinterpret_cast<const char *>(sqlite3_column_text(encoding.get(), 0)), "UTF-8") == 0;
        // A text's size is in its record's header: a handle on the stored
        // value tells it without reading the value's pages, which a query
        // of its length would. A file storing UTF-16 is measured so too, in
        // its 16-bit units: never more than the UTF-8 bytes they become, so
        // what was saved within the limit is measured within it again.
        sqlite3_blob *blob = nullptr;
        const int rc = sqlite3_blob_open(m_db, "main", m_table.toUtf8().constData(),
                                         column.toUtf8().constData(), m_rows[size_t(m_position)], 0, &blob);
        size = rc != SQLITE_OK ? 0 : utf8 ? sqlite3_blob_bytes(blob) : sqlite3_blob_bytes(blob) / 2;
        sqlite3_blob_close(blob);
        if (rc == SQLITE_OK && size > limit)
            return QByteArray();
        if (rc == SQLITE_OK && utf8) {
            sqlite3_stmt *stmt = readCurrent(column);
            const auto reset = qScopeGuard([stmt] { sqlite3_reset(stmt); });
            const int type = sqlite3_column_type(stmt, 0);
            if (type == SQLITE_TEXT || type == SQLITE_BLOB) {
                const auto *data = static_cast<const char *>(sqlite3_column_blob(stmt, 0));
                size = sqlite3_column_bytes(stmt, 0);
                if (size > 0 && !data)
                    raiseDaoError(readErrorNumber(sqlite3_errcode(m_db)), m_table);
                return QByteArray(data, size);
            }
        }
    }
    // Null, a number, an unsaved value, a file storing UTF-16 within the
    // limit or a record gone: as its value says.
    const com::Variant value = fieldValue(name);
    QByteArray bytes = value.isNull() || value.isEmpty() ? QByteArray() : value.toString().toUtf8();
    size = bytes.size();
    return size > limit ? QByteArray() : bytes;
}

TextColumn Recordset::columnTexts(const QString &name, std::vector<int64_t> *bookmarks)
{
    requireOpen();
    const QString column = checkedColumn(name);
    TextColumn texts;
    texts.reserve(qsizetype(m_rows.size()));
    std::vector<int64_t> ids;
    ids.reserve(m_rows.size());
    int64_t version = 0;
    {
        // The ids and the texts of one moment, even while another program
        // writes: one statement in one read transaction, which also pins the
        // version the ids belong to.
        ReadTransaction transaction(m_db);
        Statement select(
            m_db, QStringLiteral("SELECT rowid, %1 FROM %2").arg(quotedName(column), quotedName(m_table)));
        if (select.prepareResult() != SQLITE_OK)
            raiseDaoError(ErrNotADatabase, m_table);
        sqlite3_stmt *stmt = select.get();
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            ids.push_back(sqlite3_column_int64(stmt, 0));
            switch (sqlite3_column_type(stmt, 1)) {
            case SQLITE_NULL:
                texts.append({}); // a field never written lists as empty text
                break;
            case SQLITE_TEXT:
                texts.append(QByteArrayView(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1)),
                                            sqlite3_column_bytes(stmt, 1)));
                break;
            default:
                texts.append(columnValue(stmt, 1).toString().toUtf8());
            }
        }
        if (rc != SQLITE_DONE)
            raiseDaoError(readErrorNumber(rc), m_table);
        version = dataVersion();
    }
    // An index gives the records in the column's order; the table's order is
    // that of the ids.
    if (!std::is_sorted(ids.begin(), ids.end())) {
        std::vector<qsizetype> order(ids.size());
        std::iota(order.begin(), order.end(), qsizetype(0));
        std::sort(order.begin(), order.end(),
                  [&ids](qsizetype a, qsizetype b) { return ids[size_t(a)] < ids[size_t(b)]; });
        texts.reorder(order);
        std::vector<int64_t> sorted;
        sorted.reserve(ids.size());
        for (const qsizetype from : order)
            sorted.push_back(ids[size_t(from)]);
        ids = std::move(sorted);
    }
    m_rows = std::move(ids);
    m_seenVersion = version;
    m_position = int(m_rows.size());
    m_current = Current::Present;
    if (bookmarks)
        *bookmarks = m_rows;
    return texts;
}

void Recordset::setBookmark(int64_t bookmark)
{
    followOtherWriters();
    // A bookmark is the record's row id: the ids are in table order.
    const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), bookmark);
    m_position = int(at - m_rows.begin());
    if (at == m_rows.end() || *at != bookmark) {
        m_current = Current::DeletedElsewhere;
        m_deletedRow = bookmark;
        raiseDaoError(ErrRecordDeleted);
    }
    m_current = Current::Present;
}

void Recordset::setFieldValue(const QString &name, const com::Variant &value)
{
    requireOpen();
    const QString column = checkedColumn(name);
    if (m_mode == Mode::None)
        raiseDaoError(ErrUpdateWithoutEdit);
    for (auto &entry : m_buffer) {
        if (entry.first == column) {
            entry.second = value;
            return;
        }
    }
    m_buffer.emplace_back(column, value);
}

void Recordset::AddNew()
{
    requireOpen();
    m_mode = Mode::Add;
    m_buffer.clear();
}

void Recordset::Edit()
{
    followOtherWriters();
    requireCurrent();
    m_mode = Mode::Edit;
    m_buffer.clear();
}

void Recordset::CancelUpdate()
{
    m_mode = Mode::None;
    m_buffer.clear();
}

void Recordset::raiseWriteError(int rc) const
{
    switch (rc & 0xFF) {
    case SQLITE_READONLY:
        raiseDaoError(ErrReadOnly);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        raiseDaoError(ErrLocked, m_table);
    default:
        raiseDaoError(ErrDiskOrWrite, rt::SystemErrorText::fromSqlite(rc));
    }
}

bool Recordset::rowExists(int64_t rowid)
{
    Statement probe(m_db, QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ?").arg(quotedName(m_table)));
    if (probe.prepareResult() != SQLITE_OK)
        raiseWriteError(probe.prepareResult());
    sqlite3_bind_int64(probe.get(), 1, rowid);
    const int rc = sqlite3_step(probe.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        raiseWriteError(rc);
    return rc == SQLITE_ROW;
}

void Recordset::Update()
{
    requireOpen();
    if (m_mode == Mode::None)
        raiseDaoError(ErrUpdateWithoutEdit);
    followOtherWriters();
    if (m_mode == Mode::Edit)
        requireCurrent();
    QStringList names;
    for (const auto &entry : m_buffer)
        names << quotedName(entry.first);
    QString sql;
    if (m_mode == Mode::Add) {
        sql = names.isEmpty()
                  ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedName(m_table))
                  : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                        .arg(quotedName(m_table), names.join(QLatin1Char(',')),
                             QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(',')));
    } else {
        if (m_buffer.empty()) {
            CancelUpdate();
            return;
        }
        QStringList assignments;
        for (const QString &name : names)
            assignments << name + QStringLiteral(" = ?");
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                  .arg(quotedName(m_table), assignments.join(QLatin1Char(',')));
    }
    if (m_mode == Mode::Add) {
        // Past the last row number the program gives, the file would no
        // longer open.
        qint64 highest = 0;
        const int counted = highestRowNumber(m_db, m_table, &highest);
        if (counted != SQLITE_OK)
            raiseWriteError(counted);
        if (highest >= lastUsableRowNumber())
            raiseDaoError(
                ErrDiskOrWrite,
                QStringLiteral("Die Tabelle '%1' hat keine freien Zeilennummern mehr.").arg(m_table));
    }
    Statement write(m_db, sql);
    if (write.prepareResult() != SQLITE_OK)
        raiseWriteError(write.prepareResult());
    int index = 1;
    for (const auto &entry : m_buffer)
        bindValue(write.get(), index++, entry.second);
    if (m_mode == Mode::Edit)
        sqlite3_bind_int64(write.get(), index, m_rows[size_t(m_position)]);
    const int rc = sqlite3_step(write.get());
    if (rc != SQLITE_DONE)
        raiseWriteError(rc);
    if (m_mode == Mode::Edit && sqlite3_changes(m_db) == 0) {
        // Nothing was written: the text must not be reported as saved. The
        // edit stays open for the caller.
        if (!rowExists(m_rows[size_t(m_position)]))
            lostCurrentElsewhere();
        raiseDaoError(ErrDiskOrWrite, QStringLiteral("Der Datensatz wurde nicht geändert."));
    }
    if (m_mode == Mode::Add && sqlite3_changes(m_db) != 1)
        // The file dropped the record (a conflict clause, say): the id the
        // engine still reports is another record's, and the text is not saved.
        raiseDaoError(ErrDiskOrWrite, QStringLiteral("Der Datensatz wurde nicht gespeichert."));
    if (m_mode == Mode::Add) {
        // A new record joins the table's order at its end; the current record
        // stays what it was, and a recordset past its end stays there.
        const bool pastEnd = m_position >= int(m_rows.size());
        m_rows.push_back(sqlite3_last_insert_rowid(m_db));
        if (pastEnd)
            m_position = int(m_rows.size());
    }
    CancelUpdate();
}

void Recordset::Delete()
{
    followOtherWriters();
    requireCurrent();
    Statement remove(m_db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quotedName(m_table)));
    if (remove.prepareResult() != SQLITE_OK)
        raiseWriteError(remove.prepareResult());
    const int64_t rowid = m_rows[size_t(m_position)];
    sqlite3_bind_int64(remove.get(), 1, rowid);
    const int rc = sqlite3_step(remove.get());
    if (rc != SQLITE_DONE)
        raiseWriteError(rc);
    if (sqlite3_changes(m_db) == 0) {
        // Nothing was removed: the delete must not be reported as done.
        if (!rowExists(rowid))
            lostCurrentElsewhere();
        raiseDaoError(ErrDiskOrWrite, QStringLiteral("Der Datensatz wurde nicht gelöscht."));
    }
    m_rows.erase(m_rows.begin() + m_position);
    m_current = Current::DeletedHere;
    m_deletedRow = rowid;
}

} // namespace dao
