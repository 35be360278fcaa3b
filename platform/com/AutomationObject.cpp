#include "platform/com/AutomationObject.h"

#include "platform/com/AutomationError.h"
#include "platform/com/ModuleLock.h"

#include <atomic>

namespace com
{

namespace
{
std::atomic<int> g_liveObjects{0};
}

EventSink::~EventSink() = default;

AutomationObject::AutomationObject()
{
    ++g_liveObjects;
}

AutomationObject::~AutomationObject()
{
    --g_liveObjects;
}

int AutomationObject::liveCount()
{
    return g_liveObjects.load();
}

void AutomationObject::setModuleLock(std::unique_ptr<ModuleLock> lock)
{
    m_moduleLock = std::move(lock);
}

int32_t AutomationObject::dispidOf(const QString &name) const
{
    const MemberInfo *m = typeInfo().member(name);
    if (!m)
        raise(ErrMemberNotFound);
    return m->dispid;
}

Variant AutomationObject::get(const QString &name)
{
    return get(name, {});
}

Variant AutomationObject::get(const QString &name, Args args)
{
    return invoke(dispidOf(name), Get, args);
}

void AutomationObject::let(const QString &name, const Variant &value)
{
    Args args{value};
    invoke(dispidOf(name), Let, args);
}

void AutomationObject::set(const QString &name, const Variant &value)
{
    Args args{value};
    invoke(dispidOf(name), Set, args);
}

Variant AutomationObject::call(const QString &name, Args args)
{
    return invoke(dispidOf(name), Method, args);
}

Variant AutomationObject::callByRef(const QString &name, Args &args)
{
    return invoke(dispidOf(name), Method, args);
}

void AutomationObject::raiseEvent(const QString &name, Args &args)
{
    const EventInfo *event = typeInfo().event(name);
    if (!event)
        raise(ErrMemberNotFound);
    if (m_sink)
        m_sink->onEvent(*event, args);
}

void AutomationObject::raiseEvent(const QString &name, Args &&args)
{
    raiseEvent(name, args);
}

} // namespace com
