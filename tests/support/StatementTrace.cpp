#include "tests/support/StatementTrace.h"

#include <QHash>
#include <QList>
#include <memory>
#include <sqlite3.h>

namespace testsupport
{

namespace
{

struct Watch {
    QHash<QString, int> rows; // by lower-case column name
    QList<sqlite3 *> open;
};

// The active watch. Connections keep their trace after the watch ends, so the
// callback finds it here rather than holding a pointer to it.
std::unique_ptr<Watch> active;

} // namespace

StatementTrace::StatementTrace()
{
    Q_ASSERT(!active);
    active = std::make_unique<Watch>();
    // void (*)() is the engine's generic entry point type.
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(&StatementTrace::attach));
}

StatementTrace::~StatementTrace()
{
    sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&StatementTrace::attach));
    active.reset();
}

int StatementTrace::attach(sqlite3 *db, const char **, const void *)
{
    if (active)
        active->open.append(db);
    sqlite3_trace_v2(db, SQLITE_TRACE_ROW | SQLITE_TRACE_CLOSE, &StatementTrace::traced, nullptr);
    return SQLITE_OK;
}

int StatementTrace::traced(unsigned event, void *, void *subject, void *)
{
    if (!active)
        return 0;
    if (event == SQLITE_TRACE_CLOSE) {
        active->open.removeAll(static_cast<sqlite3 *>(subject));
        return 0;
    }
    auto *stmt = static_cast<sqlite3_stmt *>(subject);
    for (int i = 0, n = sqlite3_column_count(stmt); i < n; ++i)
        ++active->rows[QString::fromUtf8(sqlite3_column_name(stmt, i)).toLower()];
    return 0;
}

int StatementTrace::readsOf(const QString &column) const
{
    return active->rows.value(column.toLower());
}

int StatementTrace::pragma(const char *name) const
{
    if (active->open.isEmpty())
        return -1;
    sqlite3_stmt *stmt = nullptr;
    int value = -1;
    const QByteArray sql = QByteArray("PRAGMA ") + name;
    if (sqlite3_prepare_v2(active->open.last(), sql.constData(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        value = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    return value;
}

} // namespace testsupport
