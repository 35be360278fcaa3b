#pragma once

#include "platform/com/ClassFactory.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace com
{

// The platform's result codes at the library's exported entry points.
enum HResult : int32_t {
    S_Ok = 0,
    S_False = 1,
    E_Fail = int32_t(0x80004005),
    ClassE_ClassNotAvailable = int32_t(0x80040111),
    SelfRegE_Class = int32_t(0x80040201),
};

// The server frame of one in-process library: its classes, registration and
// class objects. Each library keeps one and exports it with COM_EXPORT_SERVER.
class InProcessServer
{
public:
    template <class T> void addClass()
    {
        m_factories.push_back(std::make_unique<ClassFactoryOf<T>>(m_moduleLocks));
    }

    const std::vector<std::unique_ptr<ClassFactory>> &factories() const { return m_factories; }

    int32_t registerServer(const QString &libraryPath) const;
    int32_t unregisterServer(const QString &libraryPath) const;
    int32_t getClassObject(const char *clsid, ClassFactory **factory) const;
    int32_t canUnloadNow() const;

    // The file a function's code was loaded from: the library's own path.
    static QString libraryPathOf(const void *address);

private:
    std::vector<std::unique_ptr<ClassFactory>> m_factories;
    mutable std::atomic<int> m_moduleLocks{0};
};

using RegisterServerFunction = int32_t (*)();
using GetClassObjectFunction = int32_t (*)(const char *clsid, ClassFactory **factory);
using CanUnloadNowFunction = int32_t (*)();

} // namespace com

// Defines the four exported entry points of a library over `server()`, a
// function returning its InProcessServer.
#define COM_EXPORT_SERVER(server)                                                                            \
    extern "C" __attribute__((visibility("default"))) int32_t DllRegisterServer()                            \
    {                                                                                                        \
        return server().registerServer(                                                                      \
            com::InProcessServer::libraryPathOf(reinterpret_cast<const void *>(&DllRegisterServer)));        \
    }                                                                                                        \
    extern "C" __attribute__((visibility("default"))) int32_t DllUnregisterServer()                          \
    {                                                                                                        \
        return server().unregisterServer(                                                                    \
            com::InProcessServer::libraryPathOf(reinterpret_cast<const void *>(&DllRegisterServer)));        \
    }                                                                                                        \
    extern "C" __attribute__((visibility("default"))) int32_t DllGetClassObject(const char *clsid,           \
                                                                                com::ClassFactory **factory) \
    {                                                                                                        \
        return server().getClassObject(clsid, factory);                                                      \
    }                                                                                                        \
    extern "C" __attribute__((visibility("default"))) int32_t DllCanUnloadNow()                              \
    {                                                                                                        \
        return server().canUnloadNow();                                                                      \
    }
