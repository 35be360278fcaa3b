#include "platform/com/ComponentRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace com
{

ComponentRegistry::ComponentRegistry(QString fileName) : m_fileName(std::move(fileName)) {}

QString ComponentRegistry::defaultFileName()
{
    const QByteArray fromEnvironment = qgetenv("OSTREVO_REGISTRY");
    if (!fromEnvironment.isEmpty())
        return QString::fromLocal8Bit(fromEnvironment);
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/ostrevo/registry");
}

std::vector<RegisteredClass> ComponentRegistry::classes() const
{
    std::vector<RegisteredClass> entries;
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entries;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() == 3)
            entries.push_back({fields[0], fields[1], fields[2]});
    }
    return entries;
}

std::optional<RegisteredClass> ComponentRegistry::findByProgId(const QString &progId) const
{
    for (const RegisteredClass &entry : classes())
        if (entry.progId.compare(progId, Qt::CaseInsensitive) == 0)
            return entry;
    return std::nullopt;
}

std::optional<RegisteredClass> ComponentRegistry::findByClsid(const QString &clsid) const
{
    for (const RegisteredClass &entry : classes())
        if (entry.clsid.compare(clsid, Qt::CaseInsensitive) == 0)
            return entry;
    return std::nullopt;
}

bool ComponentRegistry::add(const std::vector<RegisteredClass> &added)
{
    std::vector<RegisteredClass> entries;
    for (const RegisteredClass &entry : classes()) {
        bool replaced = false;
        for (const RegisteredClass &fresh : added)
            replaced = replaced || fresh.clsid.compare(entry.clsid, Qt::CaseInsensitive) == 0;
        if (!replaced)
            entries.push_back(entry);
    }
    entries.insert(entries.end(), added.begin(), added.end());
    return write(entries);
}

bool ComponentRegistry::removeLibrary(const QString &library, const std::vector<QString> &clsids)
{
    std::vector<RegisteredClass> entries;
    for (const RegisteredClass &entry : classes()) {
        bool ours = false;
        for (const QString &clsid : clsids)
            ours = ours || clsid.compare(entry.clsid, Qt::CaseInsensitive) == 0;
        // Only remove what this library registered, not a class another copy now serves.
        if (!(ours && entry.library == library))
            entries.push_back(entry);
    }
    return write(entries);
}

bool ComponentRegistry::write(const std::vector<RegisteredClass> &entries) const
{
    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    for (const RegisteredClass &entry : entries)
        file.write((entry.clsid + QLatin1Char('\t') + entry.progId + QLatin1Char('\t') + entry.library +
                    QLatin1Char('\n'))
                       .toUtf8());
    return file.commit();
}

} // namespace com
