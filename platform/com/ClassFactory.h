#pragma once

#include "platform/com/AutomationObject.h"
#include "platform/com/ModuleLock.h"

#include <atomic>
#include <memory>

namespace com
{

// Makes the objects of one class; a library hands these out through
// DllGetClassObject.
class ClassFactory
{
public:
    virtual ~ClassFactory();
    virtual const TypeInfo &typeInfo() const = 0;
    virtual std::unique_ptr<AutomationObject> createInstance() = 0;
};

// The factory of a class T with a static `staticTypeInfo()` and a default
// constructor. Every object it makes holds its library's module lock.
template <class T> class ClassFactoryOf : public ClassFactory
{
public:
    explicit ClassFactoryOf(std::atomic<int> &moduleLocks) : m_moduleLocks(moduleLocks) {}
    const TypeInfo &typeInfo() const override { return T::staticTypeInfo(); }
    std::unique_ptr<AutomationObject> createInstance() override
    {
        auto object = std::make_unique<T>();
        object->setModuleLock(std::make_unique<ModuleLock>(m_moduleLocks));
        return object;
    }

private:
    std::atomic<int> &m_moduleLocks;
};

} // namespace com
