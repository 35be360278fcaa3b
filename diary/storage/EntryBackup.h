#pragma once

#include "platform/dao/DatabaseCheck.h"

#include <QDateTime>
#include <QString>
#include <functional>

namespace dao
{
class Database;
}

namespace kalvento
{

class ScratchFile;

// What the backup work needs of the window that keeps the entry store open.
// Left empty, the work opens the database file itself and has nothing to
// close.
struct EntryStore {
    // The open entry database, read for the backup; null while it is closed.
    std::function<const dao::Database *()> database;
    // Lets go of the file before a restore replaces it.
    std::function<void()> close;
    // Opens it again and shows what it now holds.
    std::function<void()> reopen;
};

// What became of a backup, a restore or a deletion.
struct BackupResult {
    enum class Outcome {
        Done,
        // The backup file is none of ours: nothing was changed.
        Refused,
        // The work could not be done: nothing of the user's was changed.
        Failed,
    };
    Outcome outcome = Outcome::Done;
    // Why, in German, for the user's message.
    QString reason;
    // After a restore: where the replaced database is kept.
    QString keptCopy;
    bool done() const { return outcome == Outcome::Done; }
};

// The entry table as the build creates it and the store indexes it.
const dao::TableShape &entryTableShape();

// Backs the entry database up into a backup file, restores it from one and
// deletes backup files. No window: the caller asks and reports the result.
class EntryBackup
{
public:
    // dataFolder holds the entry database (with or without a trailing "/").
    EntryBackup(EntryStore store, QString dataFolder);

    // Writes the backup file at target; an earlier file of that name is
    // replaced only by a complete new one.
    BackupResult backUp(const QString &target);
    // Puts the database of the backup file in place of the entry database
    // once every check has passed. The replaced database stays in the data
    // folder under a name with the date and time of the restore.
    BackupResult restore(const QString &backupFile);
    BackupResult remove(const QString &backupFile);
    // Removes what killed backups and restores left behind.
    void removeLeftovers() const;

    // The name of the kept copy of the replaced database at that moment.
    static QString keptCopyName(const QString &databaseFile, const QDateTime &when);

private:
    QString databaseFile() const;
    // Keeps the old database under a name of its own and renames the staged
    // one over it.
    BackupResult replaceDatabase(ScratchFile &staged, const QString &target);

    EntryStore m_store;
    QString m_dataFolder;
};

} // namespace kalvento
