#pragma once

#include <QString>
#include <QStringList>

namespace dao
{

// What a file offered as an entry database turned out to be.
enum class DatabaseCheck { Ok, NotADatabase, Damaged, WrongTable };

// Reads the file without changing it: a database whose integrity check
// passes and whose table has every one of the columns (names without regard
// to case).
DatabaseCheck checkDatabaseFile(const QString &file, const QString &table, const QStringList &columns);

} // namespace dao
