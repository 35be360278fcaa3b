#include "platform/runtime/DiskSpace.h"

#include "platform/runtime/GermanLocale.h"

#include <QFile>

#include <sys/statvfs.h>

namespace rt
{

DiskSpace::~DiskSpace() = default;

qint64 DiskSpace::available(const QString &folder) const
{
    struct statvfs info {
    };
    if (::statvfs(QFile::encodeName(folder).constData(), &info) != 0)
        return -1;
    return qint64(info.f_bavail) * qint64(info.f_frsize);
}

QString DiskSpace::shortfall(const QString &folder, qint64 needed)
{
    const qint64 room = ServiceSlot<DiskSpace>::current().available(folder);
    if (room < 0 || room >= needed)
        return QString();
    using Round = GermanLocale::Round;
    return QStringLiteral(
               "Auf dem Ziellaufwerk ist nicht genug Platz frei: benötigt werden %1, frei sind %2.")
        .arg(GermanLocale::megabytes(needed, Round::Up), GermanLocale::megabytes(room, Round::Down));
}

} // namespace rt

KV_SERVICE_SLOT_STORAGE(rt::DiskSpace)

template <> std::unique_ptr<rt::DiskSpace> rt::ServiceSlot<rt::DiskSpace>::makeDefault()
{
    return std::make_unique<rt::DiskSpace>();
}
