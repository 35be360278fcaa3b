#pragma once

#include "platform/com/Variant.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>
#include <vector>

namespace com
{

// How a member is reached; a property usually has Get together with Let or Set.
enum Accessor : unsigned {
    Get = 1,
    Let = 2,
    Set = 4,
    Method = 8,
};

struct ParamInfo {
    QString name;
    VarType type = VarType::Variant;
    bool byRef = false;
    bool optional = false;
    QString typeName = {}; // an enumeration or object type where the plain type says too little
};

struct MemberInfo {
    QString name;
    int32_t dispid = 0;
    unsigned accessors = 0;
    VarType type = VarType::Empty; // the value's type; Empty for a method without result
    QString typeName = {};
    std::vector<ParamInfo> params = {};
};

struct EventInfo {
    QString name;
    int32_t dispid = 0;
    std::vector<ParamInfo> params = {};
};

struct EnumInfo {
    QString name;
    // In declaration order; duplicates and negative values stay as declared.
    std::vector<std::pair<QString, int32_t>> constants;

    int32_t value(const QString &constant) const;
};

// What the type library says of one class: identity, members in interface
// order, events and the enumerations the class declares.
class TypeInfo
{
public:
    // The identity of a class as the type library gives it.
    static TypeInfo forClass(QString className, QString progId, QString clsid = {}, QString iid = {},
                             QString eventIid = {});

    QString className;
    QString progId;
    QString clsid;
    QString iid;
    QString eventIid;
    std::vector<MemberInfo> members;
    std::vector<EventInfo> events;
    std::vector<EnumInfo> enums;
    // The names of the class's property pages, in the order a host shows them.
    QStringList propertyPages;

    const MemberInfo *member(int32_t dispid) const;
    const MemberInfo *member(const QString &name) const; // case-insensitive, as late binding is
    const EventInfo *event(const QString &name) const;
    const EnumInfo *enumeration(const QString &name) const;
};

} // namespace com
