#include "controls/tree/FolderList.h"

#include "platform/com/AutomationError.h"

#include <QDir>
#include <QFileInfo>

namespace ostrevo
{

namespace
{

class SystemDrives : public DriveSource
{
public:
    QList<DriveEntry> drives() const override
    {
        QList<DriveEntry> result{{QStringLiteral("/"), QStringLiteral("/"), 3}};
        const QString home = FolderList::normalized(QDir::homePath());
        if (home != QLatin1String("/"))
            result.append({home, home, 3});
        return result;
    }
};

bool isUnder(const QString &path, const QString &root)
{
    if (root == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

} // namespace

DriveSource::~DriveSource() = default;

FolderList::FolderList(std::function<void()> onChange) : m_onChange(std::move(onChange)) {}

QString FolderList::normalized(const QString &path)
{
    if (path.isEmpty())
        return path;
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(p);
}

const DriveEntry *FolderList::driveOf(const QList<DriveEntry> &drives, const QString &path)
{
    const DriveEntry *best = nullptr;
    for (const DriveEntry &drive : drives) {
        const QString root = normalized(drive.root);
        if (isUnder(path, root) && (!best || root.size() > normalized(best->root).size()))
            best = &drive;
    }
    return best;
}

void FolderList::setPath(const QString &path)
{
    QString p = normalized(path);
    // A relative path names a folder below the working folder; the list
    // keeps its full path.
    if (!p.isEmpty() && !p.startsWith(QLatin1Char('/')))
        p = normalized(QDir::current().absoluteFilePath(p));
    if (!p.startsWith(QLatin1Char('/')) || !QFileInfo(p).isDir()) {
        const QList<DriveEntry> drives = rt::ServiceSlot<DriveSource>::current().drives();
        if (const DriveEntry *drive = driveOf(drives, p);
            drive && !QFileInfo(normalized(drive->root)).isDir())
            com::raiseError(68, QStringLiteral("Gerät nicht verfügbar"));
        com::raiseError(76, QStringLiteral("Pfad nicht gefunden"));
    }
    const bool changed = p != m_path;
    m_path = p;
    refresh();
    if (changed && m_onChange)
        m_onChange();
}

void FolderList::refresh()
{
    m_list.clear();
    if (m_path.isEmpty())
        return;
    const QDir dir(m_path);
    const QString prefix = m_path.endsWith(QLatin1Char('/')) ? m_path : m_path + QLatin1Char('/');
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        m_list.append(prefix + name);
}

} // namespace ostrevo

KV_SERVICE_SLOT_STORAGE(ostrevo::DriveSource)

template <> std::unique_ptr<ostrevo::DriveSource> rt::ServiceSlot<ostrevo::DriveSource>::makeDefault()
{
    return std::make_unique<ostrevo::SystemDrives>();
}
