#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <memory>
#include <utility>

namespace rt
{

// Installs a service (a test's fake) for the scope's life and puts back what
// was there before when the scope ends.
template <class Interface, class Service = Interface> class ScopedService
{
public:
    explicit ScopedService(std::unique_ptr<Service> service)
        : m_service(service.get()), m_previous(ServiceSlot<Interface>::install(std::move(service)))
    {
    }

    template <class... Args>
    explicit ScopedService(Args &&...args)
        : ScopedService(std::make_unique<Service>(std::forward<Args>(args)...))
    {
    }

    ~ScopedService() { ServiceSlot<Interface>::install(std::move(m_previous)); }

    ScopedService(const ScopedService &) = delete;
    ScopedService &operator=(const ScopedService &) = delete;

    Service &operator*() const { return *m_service; }
    Service *operator->() const { return m_service; }
    Service *get() const { return m_service; }

private:
    Service *m_service; // owned by the slot while the scope lasts
    std::unique_ptr<Interface> m_previous;
};

} // namespace rt
