#include "platform/com/InProcessServer.h"

#include "platform/com/ComponentRegistry.h"

#include <QFileInfo>
#include <dlfcn.h>

namespace com
{

int32_t InProcessServer::registerServer(const QString &libraryPath) const
{
    if (libraryPath.isEmpty())
        return SelfRegE_Class;
    std::vector<RegisteredClass> entries;
    for (const auto &factory : m_factories) {
        const TypeInfo &info = factory->typeInfo();
        entries.push_back({info.clsid, info.progId, libraryPath});
    }
    return ComponentRegistry().add(entries) ? S_Ok : SelfRegE_Class;
}

int32_t InProcessServer::unregisterServer(const QString &libraryPath) const
{
    std::vector<QString> clsids;
    for (const auto &factory : m_factories)
        clsids.push_back(factory->typeInfo().clsid);
    return ComponentRegistry().removeLibrary(libraryPath, clsids) ? S_Ok : SelfRegE_Class;
}

int32_t InProcessServer::getClassObject(const char *clsid, ClassFactory **factory) const
{
    if (!factory)
        return E_Fail;
    *factory = nullptr;
    const QString wanted = QString::fromLatin1(clsid);
    for (const auto &candidate : m_factories) {
        if (candidate->typeInfo().clsid.compare(wanted, Qt::CaseInsensitive) == 0) {
            *factory = candidate.get();
            return S_Ok;
        }
    }
    return ClassE_ClassNotAvailable;
}

int32_t InProcessServer::canUnloadNow() const
{
    return m_moduleLocks.load() == 0 ? S_Ok : S_False;
}

QString InProcessServer::libraryPathOf(const void *address)
{
    Dl_info info{};
    if (!dladdr(address, &info) || !info.dli_fname)
        return QString();
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

} // namespace com
