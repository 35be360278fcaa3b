#include "platform/com/TypeInfo.h"

#include "platform/com/AutomationError.h"

namespace com
{

int32_t EnumInfo::value(const QString &constant) const
{
    for (const auto &[name, value] : constants)
        if (name.compare(constant, Qt::CaseInsensitive) == 0)
            return value;
    raise(ErrInvalidCall);
}

TypeInfo TypeInfo::forClass(QString className, QString progId, QString clsid, QString iid, QString eventIid)
{
    TypeInfo info;
    info.className = std::move(className);
    info.progId = std::move(progId);
    info.clsid = std::move(clsid);
    info.iid = std::move(iid);
    info.eventIid = std::move(eventIid);
    return info;
}

const MemberInfo *TypeInfo::member(int32_t dispid) const
{
    for (const MemberInfo &m : members)
        if (m.dispid == dispid)
            return &m;
    return nullptr;
}

const MemberInfo *TypeInfo::member(const QString &name) const
{
    for (const MemberInfo &m : members)
        if (m.name.compare(name, Qt::CaseInsensitive) == 0)
            return &m;
    return nullptr;
}

const EventInfo *TypeInfo::event(const QString &name) const
{
    for (const EventInfo &e : events)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

const EnumInfo *TypeInfo::enumeration(const QString &name) const
{
    for (const EnumInfo &e : enums)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

} // namespace com
