#pragma once

#include <QString>

namespace rt
{

// The German words for what the system reports, so no English text of the C
// library or the database engine reaches a message the user reads.
class SystemErrorText
{
public:
    // An errno value: "Auf dem Datenträger ist kein Platz mehr frei." for ENOSPC.
    static QString fromErrno(int error);
    // A result code of the database engine (primary or extended).
    static QString fromSqlite(int resultCode);
};

} // namespace rt
