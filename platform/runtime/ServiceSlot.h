#pragma once

#include <memory>
#include <utility>

namespace rt
{

// The process-wide implementation of one service interface: the real one,
// made on first use, until a test installs its own; reset() brings the real
// one back. The library that owns the interface defines the slot's storage
// and its default in one .cpp (KV_SERVICE_SLOT_STORAGE plus makeDefault()),
// so the slot exists once in the process however many modules use it.
template <class Interface> class ServiceSlot
{
public:
    static Interface &current()
    {
        std::unique_ptr<Interface> &service = storage();
        if (!service)
            service = makeDefault();
        return *service;
    }

    // Returns what was installed until now (null while the default was never made).
    static std::unique_ptr<Interface> install(std::unique_ptr<Interface> service)
    {
        return std::exchange(storage(), std::move(service));
    }

    static void reset() { storage().reset(); }

private:
    static std::unique_ptr<Interface> &storage();
    static std::unique_ptr<Interface> makeDefault();
};

} // namespace rt

// In the interface's header, at global scope: every user sees that the slot's
// members are defined elsewhere, once.
#define KV_DECLARE_SERVICE_SLOT(Interface)                                                                   \
    template <> std::unique_ptr<Interface> &rt::ServiceSlot<Interface>::storage();                           \
    template <> std::unique_ptr<Interface> rt::ServiceSlot<Interface>::makeDefault();

// In the one .cpp of the library that owns the interface, at global scope.
#define KV_SERVICE_SLOT_STORAGE(Interface)                                                                   \
    template <> std::unique_ptr<Interface> &rt::ServiceSlot<Interface>::storage()                            \
    {                                                                                                        \
        static std::unique_ptr<Interface> service;                                                           \
        return service;                                                                                      \
    }
