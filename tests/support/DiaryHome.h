#pragma once

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <utility>

struct sqlite3;

namespace testsupport
{

using Entry = std::pair<QString, QString>; // day, body

// A temporary program folder with a fresh copy of the built entry database,
// made the program folder (KALVENTO_HOME) for as long as it lives.
class DiaryHome
{
public:
    DiaryHome();
    bool isValid() const { return m_valid; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString databaseFile() const;

    // Appends the entries to the table, in order.
    void seed(const QList<Entry> &entries) const;
    // Every stored entry in table order.
    QList<Entry> stored() const;
    QStringList storedDays() const;

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};

// A body as the editor stores it: one paragraph of text in Arial.
QString rtfOf(const QString &text);
// A one-coloured PNG picture as it stands in RTF.
QString pictureRtf(int width, int height, Qt::GlobalColor color);

// The engine's own calls, for what the entry store does not offer: another
// program holding the file, or a quick fill. The library is already loaded by
// the platform layer, so its functions are looked up rather than linked.
struct SqliteCalls {
    SqliteCalls();
    bool ok() const { return open && exec && close; }
    int (*open)(const char *, sqlite3 **) = nullptr;
    int (*exec)(sqlite3 *, const char *, int (*)(void *, int, char **, char **), void *, char **) = nullptr;
    int (*close)(sqlite3 *) = nullptr;
    // Runs one statement on a connection of its own; true on success.
    bool run(const QString &file, const char *sql) const;
};

// Another program holding the database exclusively while this lives.
class ForeignLock
{
public:
    explicit ForeignLock(const QString &file);
    ~ForeignLock();
    ForeignLock(const ForeignLock &) = delete;
    ForeignLock &operator=(const ForeignLock &) = delete;
    bool isHeld() const { return m_held; }
    void release();

private:
    SqliteCalls m_sqlite;
    sqlite3 *m_db = nullptr;
    bool m_held = false;
};

} // namespace testsupport
