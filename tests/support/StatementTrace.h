#pragma once

#include <QString>

struct sqlite3;

namespace testsupport
{

// Watches the engine itself on every connection opened while this lives, so
// tests see what the store reads without the store counting for them. One at
// a time.
class StatementTrace
{
public:
    StatementTrace();
    ~StatementTrace();
    StatementTrace(const StatementTrace &) = delete;
    StatementTrace &operator=(const StatementTrace &) = delete;

    // Rows handed out with a result column of that name (case ignored): one
    // per field read, one per record of a column read in one statement.
    int readsOf(const QString &column) const;
    // A pragma's value as the last opened connection still open sees it; -1
    // without one.
    int pragma(const char *name) const;

private:
    static int attach(sqlite3 *db, const char **error, const void *api);
    static int traced(unsigned event, void *context, void *subject, void *detail);
};

} // namespace testsupport
