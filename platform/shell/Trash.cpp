#include "platform/shell/Trash.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace shell
{

Trash::~Trash() = default;

bool DesktopTrash::moveToTrash(const QString &path)
{
    // Qt makes the trash inside the data folder but not the folder itself,
    // which a fresh account may not have yet.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    return QFile::moveToTrash(path);
}

} // namespace shell

KV_SERVICE_SLOT_STORAGE(shell::Trash)

template <> std::unique_ptr<shell::Trash> rt::ServiceSlot<shell::Trash>::makeDefault()
{
    return std::make_unique<shell::DesktopTrash>();
}
