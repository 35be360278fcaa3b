#pragma once

#include <atomic>

namespace com
{

// Held by every object a library's class factory made: while one lives, the
// library answers "not now" to DllCanUnloadNow.
class ModuleLock
{
public:
    explicit ModuleLock(std::atomic<int> &count) : m_count(count) { ++m_count; }
    ~ModuleLock() { --m_count; }
    ModuleLock(const ModuleLock &) = delete;
    ModuleLock &operator=(const ModuleLock &) = delete;

private:
    std::atomic<int> &m_count;
};

} // namespace com
