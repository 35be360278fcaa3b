#pragma once

#include "platform/com/TypeInfo.h"
#include "platform/com/Variant.h"

#include <memory>
#include <vector>

namespace com
{

using Args = std::vector<Variant>;

// Receives the events an object raises. Arguments passed by reference are
// elements of args: a handler that changes one changes the raiser's value.
class EventSink
{
public:
    virtual ~EventSink();
    virtual void onEvent(const EventInfo &event, Args &args) = 0;
};

class ModuleLock;

// Every object reached late-bound: by DISPID or by name, values as Variants.
class AutomationObject
{
public:
    AutomationObject();
    virtual ~AutomationObject();
    AutomationObject(const AutomationObject &) = delete;
    AutomationObject &operator=(const AutomationObject &) = delete;

    virtual const TypeInfo &typeInfo() const = 0;
    // For Let and Set the new value is the last element of args.
    virtual Variant invoke(int32_t dispid, Accessor kind, Args &args) = 0;

    int32_t dispidOf(const QString &name) const; // error 438 when there is none
    Variant get(const QString &name);
    Variant get(const QString &name, Args args);
    void let(const QString &name, const Variant &value);
    void set(const QString &name, const Variant &value);
    Variant call(const QString &name, Args args = {});
    Variant callByRef(const QString &name, Args &args);

    void setEventSink(EventSink *sink) { m_sink = sink; }

    // Objects alive in this process; tests prove with it that nothing leaks.
    static int liveCount();

    // Set by the class factory that made the object, so its library knows
    // whether it can be unloaded.
    void setModuleLock(std::unique_ptr<ModuleLock> lock);

protected:
    // Raises an event declared in the type information; unknown names are a
    // programming error and raise error 438.
    void raiseEvent(const QString &name, Args &args);
    void raiseEvent(const QString &name, Args &&args = {});

private:
    EventSink *m_sink = nullptr;
    std::unique_ptr<ModuleLock> m_moduleLock;
};

} // namespace com
