#include "diary/storage/EntryBackup.h"

#include "diary/storage/BackupFile.h"
#include "diary/storage/ScratchFile.h"
#include "platform/com/AutomationError.h"
#include "platform/dao/ConsistentRead.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/Database.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/DiskSpace.h"
#include "platform/runtime/SystemErrorText.h"
#include "platform/runtime/SystemSources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace kalvento
{

namespace
{

const QString DatabaseName = QStringLiteral("database.mdb");
// Scratch names: the snapshot in the temporary folder, the backup beside its
// target, the restored database in the data folder.
const QString SnapshotPrefix = QStringLiteral("kalvento-sicherung-");
const QString BackupPrefix = QStringLiteral(".kalvento-sicherung-");
const QString RestorePrefix = QStringLiteral(".wiederherstellung-");

// A database file's header: its text, then at 18 and 19 the versions that
// say whether it runs with a write-ahead log (2) or a rollback journal (1).
const QByteArray SqliteHeader("SQLite format 3\0", 16);
constexpr qsizetype JournalVersions = 18;

BackupResult refused(const QString &reason)
{
    return {BackupResult::Outcome::Refused, reason, {}};
}

BackupResult failed(const QString &reason)
{
    return {BackupResult::Outcome::Failed, reason, {}};
}

BackupResult failedWith(int error)
{
    return failed(rt::SystemErrorText::fromErrno(error));
}

// A backup's reasons are for the user alone: no engine numbers.
QString describe(const std::exception &error)
{
    return com::AutomationError::describe(error, com::AutomationError::Number::Left);
}

QString joined(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// The file of that name in the folder, matched without regard to case as the
// platform's file system does; an exact match wins over another spelling.
QString resolvedIn(const QString &folder, const QString &name)
{
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    if (!entries.contains(name))
        for (const QString &entry : entries)
            if (entry.compare(name, Qt::CaseInsensitive) == 0)
                return joined(folder, entry);
    return joined(folder, name);
}

// The mode a file written in place of this one gets: its own, or for a new
// file what the user's mask leaves of read and write for all.
mode_t modeReplacing(const QString &file)
{
    struct stat info {
    };
    if (::stat(QFile::encodeName(file).constData(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

QString checkText(dao::DatabaseCheck check, const QString &detail)
{
    switch (check) {
    case dao::DatabaseCheck::Ok:
        break;
    case dao::DatabaseCheck::NotADatabase:
        return QStringLiteral("der gesicherte Inhalt ist keine Datenbank");
    case dao::DatabaseCheck::Damaged:
        return QStringLiteral("die gesicherte Datenbank ist beschädigt");
    case dao::DatabaseCheck::WrongTable:
        return QStringLiteral("die gesicherte Datenbank enthält keine Tagebucheinträge");
    case dao::DatabaseCheck::ForeignSchema:
        return QStringLiteral("die gesicherte Datenbank ist anders aufgebaut als die dieses Programms: ") +
               detail;
    case dao::DatabaseCheck::OversizedValue:
        return QStringLiteral("die gesicherte Datenbank enthält einen übergroßen Wert: ") + detail;
    }
    return QString();
}

// Copies the file and pushes the copy to the disk; an errno when that fails.
int copyDurably(const QString &from, const QString &to)
{
    errno = 0;
    if (!QFile::copy(from, to))
        return errno ? errno : EIO;
    QFile copy(to);
    if (copy.open(QIODevice::ReadWrite) && ::fsync(copy.handle()) == 0)
        return 0;
    const int error = errno ? errno : EIO;
    copy.close();
    QFile::remove(to);
    return error;
}

// A journal or log a crash left beside the database is the database's own:
// the engine applies it as at any start and removes it as its last connection
// closes; an empty log it keeps holds nothing, nor does a journal it takes for
// none. What stays then is in use by another program. The reason when one
// stays.
QString settledCompanion(const QString &database)
{
    const QStringList companions{database + QStringLiteral("-journal"), database + QStringLiteral("-wal")};
    if (std::none_of(companions.begin(), companions.end(),
                     [](const QString &f) { return QFileInfo::exists(f); }))
        return QString();
    const QString inUse = QStringLiteral("Die Datenbank wird noch von einem anderen Programm benutzt.");
    try {
        dao::DBEngine().OpenDatabase(database)->dropIdleJournal();
    } catch (const std::exception &error) {
        const auto *automation = dynamic_cast<const com::AutomationError *>(&error);
        if (automation && automation->number() == dao::ErrLocked)
            return inUse;
        return QStringLiteral(
                   "Neben der Datenbank liegt ein Protokoll eines abgebrochenen Schreibvorgangs, das "
                   "sich nicht anwenden lässt: ") +
               describe(error);
    }
    const QFileInfo log(companions[1]);
    if (log.exists() && log.size() == 0 && !QFileInfo::exists(database + QStringLiteral("-shm")))
        QFile::remove(log.filePath());
    for (const QString &companion : companions)
        if (QFileInfo::exists(companion))
            return inUse;
    return QString();
}

} // namespace

const dao::TableShape &entryTableShape()
{
    // No day the diary writes is longer than a line.
    static const dao::TableShape shape{QStringLiteral("Zorvelin"),
                                       {QStringLiteral("Tagdatum"), QStringLiteral("Tagtext")},
                                       {QStringLiteral("Tagdatum")},
                                       1000};
    return shape;
}

EntryBackup::EntryBackup(EntryStore store, QString dataFolder)
    : m_store(std::move(store)), m_dataFolder(std::move(dataFolder))
{
}

QString EntryBackup::databaseFile() const
{
    return resolvedIn(m_dataFolder, DatabaseName);
}

QString EntryBackup::keptCopyName(const QString &databaseFile, const QDateTime &when)
{
    const QFileInfo info(databaseFile);
    const QString suffix = info.suffix();
    return joined(info.path(), info.completeBaseName() + QStringLiteral("_vor_Wiederherstellung_") +
                                   when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) +
                                   (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix));
}

void EntryBackup::removeLeftovers() const
{
    ScratchFile::removeStale(QDir::tempPath(), SnapshotPrefix, ScratchFile::Kind::Folders);
    ScratchFile::removeStale(m_dataFolder, RestorePrefix);
}

BackupResult EntryBackup::backUp(const QString &target)
{
    const QString folder = QFileInfo(target).path();
    ScratchFile::removeStale(folder, BackupPrefix);
    const QString storedPath = joined(m_dataFolder, DatabaseName);
    // Told before anything is written: the container is the database and a
    // few bytes of lengths and path.
    const QString full =
        rt::DiskSpace::shortfall(folder, QFileInfo(databaseFile()).size() + 2 * storedPath.size() + 64);
    if (!full.isEmpty())
        return failed(full);

    // Written beside the target and renamed over it only when complete: an
    // earlier backup of that name survives any failure.
    ScratchFile out(folder, BackupPrefix);
    if (!out.isOpen())
        return failedWith(out.error());
    QString reason;
    {
        const BackupFile::Writer device = [&out](const char *data, qint64 n, QString *why) {
            if (out.write(data, n))
                return true;
            *why = rt::SystemErrorText::fromErrno(out.error());
            return false;
        };
        bool written = false;
        try {
            std::unique_ptr<dao::Database> own;
            const dao::Database *db = nullptr;
            if (m_store.database) {
                db = m_store.database();
            } else {
                own = dao::DBEngine().OpenDatabase(databaseFile());
                db = own.get();
            }
            if (!db)
                dao::raiseDaoError(dao::ErrObjectClosed);
            // The file's pages go straight into the container while no writer
            // can change them: one pass, one consistent state.
            if (const std::unique_ptr<dao::ConsistentRead> read = db->readWhole()) {
                const dao::ConsistentRead &pages = *read;
                written = BackupFile::write(device,
                                            {{storedPath, pages.size(),
                                              [&pages](qint64 offset, char *into, qint64 n, QString *why) {
                                                  return pages.read(offset, into, n, why);
                                              }}},
                                            &reason);
            } else {
                // With a write-ahead log the file alone is not the state: the
                // engine's copy of it goes in instead.
                errno = 0;
                QTemporaryDir scratch(
                    QDir(QDir::tempPath())
                        .filePath(ScratchFile::ownPrefix(SnapshotPrefix) + QStringLiteral("XXXXXX")));
                if (!scratch.isValid())
                    return failedWith(errno);
                const QString snapshot = scratch.filePath(QStringLiteral("snapshot.mdb"));
                db->snapshotTo(snapshot);
                QFile copy(snapshot);
                errno = 0;
                if (!copy.open(QIODevice::ReadOnly))
                    return failedWith(errno);
                written = BackupFile::write(device, {BackupFile::fileSource(storedPath, copy)}, &reason);
            }
        } catch (const std::exception &error) {
            return failed(describe(error));
        }
        if (!written)
            return failed(reason);
    }
    if (!out.setMode(modeReplacing(target)) || !out.finish() || !out.replace(target))
        return failedWith(out.error());
    return {};
}

BackupResult EntryBackup::restore(const QString &backupFile)
{
    QFile in(backupFile);
    errno = 0;
    if (!in.open(QIODevice::ReadOnly))
        return failedWith(errno);

    // Everything is checked before anything is written.
    QString reason;
    const std::optional<QList<BackupFile::Record>> records = BackupFile::parse(in, &reason);
    if (records && records->size() != 1)
        reason = QStringLiteral("sie enthält mehr als eine Datei");
    if (reason.isEmpty()) {
        const QString name = FileNameOf(records->first().FilePath);
        // Only the entry database is ever backed up; any other name (or one
        // meant to climb out of the data folder) is no backup of ours.
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
            reason = QStringLiteral("sie enthält einen ungültigen Dateinamen");
        else if (name.compare(DatabaseName, Qt::CaseInsensitive) != 0)
            reason = QStringLiteral("sie enthält nicht die Datenbank dieses Programms");
    }
    if (!reason.isEmpty())
        return refused(reason);

    const QString target = databaseFile();
    const BackupFile::Record &record = records->first();
    // The replaced database is kept by a second name, not copied: the
    // restored one is all the room it takes.
    const QString full = rt::DiskSpace::shortfall(m_dataFolder, record.length);
    if (!full.isEmpty())
        return failed(full);
    // One write: the content streams from the backup into the staged file.
    ScratchFile staged(m_dataFolder, RestorePrefix);
    if (!staged.isOpen())
        return failedWith(staged.error());
    QByteArray header;
    bool stagedFailed = false;
    const bool copied = BackupFile::readContent(
        in, record,
        [&](const char *data, qint64 n) {
            if (header.size() < 100)
                header.append(data, std::min(n, 100 - header.size()));
            stagedFailed = !staged.write(data, n);
            return !stagedFailed;
        },
        &reason);
    if (!copied)
        return stagedFailed ? failedWith(staged.error()) : failed(reason);
    // The store runs with a rollback journal; a database saved with a
    // write-ahead log is whole in its file once copied, and is marked as one
    // of ours so that no log files appear beside it. A newer format keeps its
    // mark: the check names it.
    const auto version = [&header](qsizetype at) { return quint8(header[JournalVersions + at]); };
    if (header.size() >= 100 && header.startsWith(SqliteHeader) && (version(0) == 2 || version(1) == 2) &&
        version(0) <= 2 && version(1) <= 2) {
        const char rollback[2] = {1, 1};
        if (!staged.writeAt(JournalVersions, rollback, 2))
            return failedWith(staged.error());
    }
    // Checked and tried while the copy is still the scratch file's alone:
    // the trial writes, and the file goes to the disk only after it.
    QString detail;
    const dao::DatabaseCheck check = dao::checkDatabaseFile(staged.path(), entryTableShape(), &detail);
    if (check != dao::DatabaseCheck::Ok)
        return refused(checkText(check, detail));
    // A file of the right shape may still drop or refuse every save: the
    // store's own work is tried on the staged copy and rolled back.
    try {
        dao::DBEngine().OpenDatabase(staged.path())->proveStoreWork(entryTableShape());
    } catch (const std::exception &error) {
        return refused(QStringLiteral("in der gesicherten Datenbank lassen sich keine Einträge speichern: ") +
                       describe(error));
    }
    if (!staged.setMode(modeReplacing(target)) || !staged.finish())
        return failedWith(staged.error());

    // The store lets go of the file first, so nothing it holds is written
    // into the restored database; a rename replaces the file in one step.
    if (m_store.close)
        m_store.close();
    BackupResult result = replaceDatabase(staged, target);
    if (m_store.reopen)
        m_store.reopen();
    return result;
}

BackupResult EntryBackup::replaceDatabase(ScratchFile &staged, const QString &target)
{
    // A journal or log of the old file would be applied to the new one.
    const QString left = settledCompanion(target);
    if (!left.isEmpty())
        return failed(left);
    BackupResult result;
    // The replaced database stays, under a name no later restore takes.
    if (QFileInfo::exists(target)) {
        const QDateTime now = rt::SystemSources::clock().now();
        const QByteArray from = QFile::encodeName(target);
        for (int n = 1; result.keptCopy.isEmpty(); ++n) {
            QString name = keptCopyName(target, now);
            if (n > 1)
                name.insert(name.lastIndexOf(QLatin1Char('.')) > name.lastIndexOf(QLatin1Char('/'))
                                ? name.lastIndexOf(QLatin1Char('.'))
                                : name.size(),
                            QStringLiteral("_%1").arg(n));
            if (::link(from.constData(), QFile::encodeName(name).constData()) == 0) {
                result.keptCopy = name;
            } else if (errno == EEXIST && n < 1000) {
                continue;
            } else if (errno == EPERM || errno == EOPNOTSUPP || errno == EMLINK) {
                // A file system without hard links: a copy keeps the bytes.
                if (QFileInfo::exists(name))
                    continue;
                const int error = copyDurably(target, name);
                if (error != 0)
                    return failedWith(error);
                result.keptCopy = name;
            } else {
                return failedWith(errno);
            }
        }
        syncFolder(m_dataFolder);
    }
    if (!staged.replace(target)) {
        if (!result.keptCopy.isEmpty())
            QFile::remove(result.keptCopy);
        return failedWith(staged.error());
    }
    return result;
}

BackupResult EntryBackup::remove(const QString &backupFile)
{
    if (::unlink(QFile::encodeName(backupFile).constData()) != 0)
        return failedWith(errno);
    return {};
}

} // namespace kalvento
