#pragma once

#include "platform/com/AutomationError.h"
#include "platform/com/AutomationObject.h"
#include "platform/com/TypeInfo.h"

#include <functional>
#include <map>
#include <utility>

namespace com {

// Declares a class's members once, in type-library order, with their DISPIDs
// and their code, and dispatches calls to them. Values are converted to the
// declared types on the way in and out (error 6 or 13 where they do not fit).
template <class T>
class Dispatcher {
public:
    using Reader = std::function<Variant(T &, Args &)>;
    using Writer = std::function<void(T &, Args &, const Variant &)>;

    explicit Dispatcher(TypeInfo identity) : m_info(std::move(identity)) {}

    // A plain property with get and let.
    Dispatcher &property(const QString &name, int32_t dispid, VarType type, std::function<Variant(T &)> get,
                         std::function<void(T &, const Variant &)> let, const QString &typeName = {})
    {
        return member({name, dispid, Get | Let, type, typeName, {}},
                      [get](T &self, Args &) { return get(self); },
                      [let](T &self, Args &, const Variant &value) { let(self, value); });
    }

    Dispatcher &readOnly(const QString &name, int32_t dispid, VarType type, std::function<Variant(T &)> get,
                         const QString &typeName = {})
    {
        return member({name, dispid, Get, type, typeName, {}}, [get](T &self, Args &) { return get(self); }, {});
    }

    Dispatcher &writeOnly(const QString &name, int32_t dispid, VarType type,
                          std::function<void(T &, const Variant &)> let, const QString &typeName = {})
    {
        return member({name, dispid, Let, type, typeName, {}}, {},
                      [let](T &self, Args &, const Variant &value) { let(self, value); });
    }

    // An object-valued property: get returns the object, Set replaces it.
    Dispatcher &objectProperty(const QString &name, int32_t dispid, const QString &typeName,
                               std::function<Variant(T &)> get, std::function<void(T &, const Variant &)> set)
    {
        MemberInfo info{name, dispid, Get | (set ? unsigned(Set) : 0u), VarType::Object, typeName, {}};
        return member(std::move(info), [get](T &self, Args &) { return get(self); },
                      set ? Writer([set](T &self, Args &, const Variant &value) { set(self, value); }) : Writer());
    }

    Dispatcher &method(const QString &name, int32_t dispid, VarType result, std::vector<ParamInfo> params,
                       Reader body, const QString &typeName = {})
    {
        return member({name, dispid, Method, result, typeName, std::move(params)}, std::move(body), {});
    }

    // The general form: any accessors, parameters for indexed properties.
    Dispatcher &member(MemberInfo info, Reader read, Writer write)
    {
        m_handlers[info.dispid] = Handlers{std::move(read), std::move(write)};
        m_info.members.push_back(std::move(info));
        return *this;
    }

    Dispatcher &event(const QString &name, int32_t dispid, std::vector<ParamInfo> params = {})
    {
        m_info.events.push_back({name, dispid, std::move(params)});
        return *this;
    }

    Dispatcher &enumeration(const QString &name, std::vector<std::pair<QString, int32_t>> constants)
    {
        m_info.enums.push_back({name, std::move(constants)});
        return *this;
    }

    const TypeInfo &typeInfo() const { return m_info; }

    Variant invoke(T &self, int32_t dispid, Accessor kind, Args &args) const
    {
        const MemberInfo *info = m_info.member(dispid);
        const auto handlers = m_handlers.find(dispid);
        if (!info || handlers == m_handlers.end())
            raise(ErrMemberNotFound);
        const bool isMethod = info->accessors & Method;
        if (kind == Get || kind == Method) {
            if (!isMethod && !(info->accessors & Get))
                raise(ErrPropertyWriteOnly);
            prepareArguments(*info, args, args.size());
            Variant result = handlers->second.read(self, args);
            return convertResult(*info, result);
        }
        if (!(info->accessors & (Let | Set)) || !handlers->second.write)
            raise(ErrPropertyReadOnly);
        if (args.empty())
            raise(ErrArgumentNotOptional);
        Variant value = args.back();
        if (info->type != VarType::Variant && info->type != VarType::Object && info->type != VarType::Empty)
            value = value.convertedTo(info->type);
        prepareArguments(*info, args, args.size() - 1);
        handlers->second.write(self, args, value);
        return Variant();
    }

private:
    struct Handlers {
        Reader read;
        Writer write;
    };

    static void prepareArguments(const MemberInfo &info, Args &args, size_t count)
    {
        if (count > info.params.size())
            raise(450, QStringLiteral("Falsche Anzahl an Argumenten oder ungültige Eigenschaftszuweisung"));
        for (size_t i = 0; i < info.params.size(); ++i) {
            const ParamInfo &param = info.params[i];
            if (i >= count) {
                if (!param.optional)
                    raise(ErrArgumentNotOptional);
                args.insert(args.begin() + static_cast<std::ptrdiff_t>(i), Variant::missing());
                ++count;
                continue;
            }
            Variant &arg = args[i];
            if (arg.isMissing()) {
                if (!param.optional)
                    raise(ErrArgumentNotOptional);
                continue;
            }
            if (param.type != VarType::Variant && param.type != VarType::Object)
                arg = arg.convertedTo(param.type);
        }
    }

    static Variant convertResult(const MemberInfo &info, const Variant &result)
    {
        switch (info.type) {
        case VarType::Variant:
        case VarType::Object:
        case VarType::Empty:
            return result;
        default:
            return result.convertedTo(info.type);
        }
    }

    TypeInfo m_info;
    std::map<int32_t, Handlers> m_handlers;
};

} // namespace com
