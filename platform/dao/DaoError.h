#pragma once

#include "platform/com/AutomationError.h"

namespace dao
{

// The engine's error numbers the diary may meet.
enum DaoErrorNumber : int {
    ErrUpdateWithoutEdit = 3020,
    ErrNoCurrentRecord = 3021,
    ErrRecordDeleted = 3167,
    ErrFileNotFound = 3024,
    ErrItemNotFound = 3265,
    ErrNotADatabase = 3343,
    ErrObjectClosed = 3420,
    ErrCannotOpenTable = 3078,
    ErrDiskOrWrite = 3026,
    ErrLocked = 3008,
    ErrReadOnly = 3027,
};

[[noreturn]] void raiseDaoError(int number, const QString &detail = QString());

} // namespace dao
