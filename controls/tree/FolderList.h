#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace ostrevo
{

// One root of the folder tree. Linux has no drives: the roots are folders
// (the file system's root and the home folder), typed as the tree's drive
// images expect them (2 removable, 3 fixed, anything else other).
struct DriveEntry {
    QString entry; // the text the tree shows
    QString root;  // absolute path with "/" separators
    int type = 3;
};

// Where the tree's roots come from; tests install one of their own so that the
// tree never looks beyond a temporary folder.
class DriveSource
{
public:
    virtual ~DriveSource();
    virtual QList<DriveEntry> drives() const = 0;
};

// A hidden folder list: points at one folder and lists its subfolders.
class FolderList
{
public:
    explicit FolderList(std::function<void()> onChange = {});

    // Raises 68 when the folder's root is not there (the drive is not ready)
    // and 76 when the folder does not exist. A relative path is taken from
    // the working folder.
    void setPath(const QString &path);
    QString path() const { return m_path; }
    const QStringList &list() const { return m_list; } // full paths, in name order
    int listCount() const { return static_cast<int>(m_list.size()); }
    void refresh();

    // "\" becomes "/", "." and ".." levels and a trailing separator go.
    static QString normalized(const QString &path);
    // The root a path lies under (the longest one), or null.
    static const DriveEntry *driveOf(const QList<DriveEntry> &drives, const QString &path);

private:
    QString m_path;
    QStringList m_list;
    std::function<void()> m_onChange;
};

} // namespace ostrevo

// The process-wide source of roots: the file system's unless a test installed
// its own (for trees built afterwards).
KV_DECLARE_SERVICE_SLOT(ostrevo::DriveSource)
