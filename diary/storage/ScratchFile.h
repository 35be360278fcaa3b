#pragma once

#include <QString>
#include <sys/types.h>

namespace kalvento
{

// A file the backup work writes before it becomes another one. Its name
// (prefix, the process id, a random part) is used by nothing else, so what a
// killed run left behind can be told from anything of the user's and removed
// later. Removed when it goes, unless it was put in place.
class ScratchFile
{
public:
    // Makes the file in the folder; see isOpen() and error().
    ScratchFile(const QString &folder, const QString &prefix);
    ~ScratchFile();
    ScratchFile(const ScratchFile &) = delete;
    ScratchFile &operator=(const ScratchFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    QString path() const { return m_path; }
    int handle() const { return m_fd; }
    // The errno of the last step that failed.
    int error() const { return m_error; }

    // Writes every byte at the current position; false on a short write.
    // What is written starts on its way to the disk at once, so finish()
    // waits only for the last part.
    bool write(const char *data, qint64 size);
    // Writes every byte at the offset, leaving the position as it was.
    bool writeAt(qint64 offset, const char *data, qint64 size);
    bool setMode(mode_t mode);
    // Pushes the content to the disk and closes the file.
    bool finish();
    // Renames it over target in one step and makes the rename itself last.
    bool replace(const QString &target);

    // The name a scratch file of this process starts with.
    static QString ownPrefix(const QString &prefix);
    // What a scratch name stands for: a file made here, or a folder made
    // under ownPrefix() for work that writes several files.
    enum class Kind { Files, Folders };
    // Removes every file (or folder) in the folder whose name has the exact
    // scratch form (the prefix in its case, the process id, six random
    // letters or digits, for a file perhaps the engine's "-journal") and whose
    // process is no longer running (or is this one, which calls this only
    // while none of its own work runs). File names without a process id come
    // from older runs and go too. Anything else may be the user's and stays.
    static void removeStale(const QString &folder, const QString &prefix, Kind kind = Kind::Files);

private:
    QString m_path;
    int m_fd = -1;
    int m_error = 0;
    bool m_placed = false;
    // Written so far, and how much of it is on its way to the disk.
    qint64 m_written = 0;
    qint64 m_pushed = 0;
};

// Makes a rename or a new file in the folder survive a crash.
void syncFolder(const QString &folder);

} // namespace kalvento
