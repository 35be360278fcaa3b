#include "platform/shell/Trash.h"

#include <QFile>

namespace shell
{

Trash::~Trash() = default;

bool DesktopTrash::moveToTrash(const QString &path)
{
    return QFile::moveToTrash(path);
}

} // namespace shell

KV_SERVICE_SLOT_STORAGE(shell::Trash)

template <> std::unique_ptr<shell::Trash> rt::ServiceSlot<shell::Trash>::makeDefault()
{
    return std::make_unique<shell::DesktopTrash>();
}
