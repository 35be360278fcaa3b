#pragma once

#include "platform/com/AutomationError.h"
#include "platform/com/AutomationObject.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/TypeInfo.h"

#include <QtGlobal>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <variant>

namespace com
{

// How a C++ value crosses as an automation value: its declared type and the
// one conversion each way.
template <class V> struct Automation;

template <class V, VarType Type, auto Wrap, auto Unwrap> struct AutomationAs {
    static constexpr VarType type = Type;
    static Variant wrap(const V &v) { return Wrap(v); }
    static V unwrap(const Variant &v) { return (v.*Unwrap)(); }
};

template <>
struct Automation<int16_t>
    : AutomationAs<int16_t, VarType::Integer, &Variant::fromInteger, &Variant::toInteger> {
};
template <>
struct Automation<int32_t> : AutomationAs<int32_t, VarType::Long, &Variant::fromLong, &Variant::toLong> {
};
// OLE colours are the one unsigned 32-bit kind of value.
template <>
struct Automation<uint32_t> : AutomationAs<uint32_t, VarType::Long, &Variant::fromColor, &Variant::toColor> {
};
template <>
struct Automation<uint8_t> : AutomationAs<uint8_t, VarType::Byte, &Variant::fromByte, &Variant::toByte> {
};
template <>
struct Automation<bool> : AutomationAs<bool, VarType::Boolean, &Variant::fromBool, &Variant::toBool> {
};
template <>
struct Automation<float> : AutomationAs<float, VarType::Single, &Variant::fromSingle, &Variant::toSingle> {
};
template <>
struct Automation<double> : AutomationAs<double, VarType::Double, &Variant::fromDouble, &Variant::toDouble> {
};
template <>
struct Automation<QString>
    : AutomationAs<QString, VarType::String, &Variant::fromString, &Variant::toString> {
};
template <> struct Automation<Variant> {
    static constexpr VarType type = VarType::Variant;
    static Variant wrap(const Variant &v) { return v; }
    static Variant unwrap(const Variant &v) { return v; }
};

// A default of a persisted property: a fixed value, or one the object gives
// (its ambient font, the colour it started with).
template <class T> class BagDefault
{
public:
    BagDefault() = default;
    BagDefault(Variant value) : m_value(std::move(value)) {}
    BagDefault(const char *text) : m_value(Variant(text)) {}
    template <class F, class = std::enable_if_t<std::is_invocable_r_v<Variant, F, T &>>>
    BagDefault(F of) : m_value(std::function<Variant(T &)>(std::move(of)))
    {
    }
    Variant of(T &self) const
    {
        if (const auto *fixed = std::get_if<Variant>(&m_value))
            return *fixed;
        return std::get<std::function<Variant(T &)>>(m_value)(self);
    }

private:
    std::variant<Variant, std::function<Variant(T &)>> m_value;
};

// How one key is kept in the host's property bag. `rank` places it in the
// class's own bag order, which need not be the interface order, and
// `writeRank` where the class writes in another order than it reads, and
// `when` where the key is kept only in some states of the object. Without
// `store` a read value goes through the property's Let, without `fetch` the
// written value is the property's Get; `write` is the write default where it
// differs from the read default.
template <class T> struct BagRule {
    int rank = 0;
    BagDefault<T> read;
    std::optional<BagDefault<T>> write = std::nullopt;
    std::function<void(T &, const Variant &)> store = {};
    std::function<Variant(T &)> fetch = {};
    std::optional<int> writeRank = std::nullopt;
    std::function<bool(T &)> when = {};
};

} // namespace com

namespace com
{

// Declares a class's members once, in type-library order, with their DISPIDs
// and their code, and dispatches calls to them. Values are converted to the
// declared types on the way in and out (error 6 or 13 where they do not fit).
template <class T> class Dispatcher
{
public:
    using Reader = std::function<Variant(T &, Args &)>;
    using Writer = std::function<void(T &, Args &, const Variant &)>;

    Dispatcher() = default;
    explicit Dispatcher(TypeInfo identity) : m_info(std::move(identity)) {}

    // The class's identity; its members follow.
    Dispatcher &identity(TypeInfo identity)
    {
        identity.members = std::move(m_info.members);
        identity.events = std::move(m_info.events);
        identity.enums = std::move(m_info.enums);
        identity.propertyPages = std::move(m_info.propertyPages);
        m_info = std::move(identity);
        return *this;
    }

    // A typed property: the value is converted once, here, to V and back.
    template <class V, class Getter, class Letter>
    Dispatcher &property(const QString &name, int32_t dispid, Getter get, Letter let,
                         const QString &typeName = {})
    {
        return typedMember<V>({name, dispid, Get | Let, Automation<V>::type, typeName, {}}, std::move(get),
                              std::move(let));
    }

    template <class V, class Getter>
    Dispatcher &readOnly(const QString &name, int32_t dispid, Getter get, const QString &typeName = {})
    {
        return member({name, dispid, Get, Automation<V>::type, typeName, {}},
                      [get](T &self, Args &) { return Automation<V>::wrap(get(self)); }, {});
    }

    // A plain property with get and let.
    Dispatcher &property(const QString &name, int32_t dispid, VarType type, std::function<Variant(T &)> get,
                         std::function<void(T &, const Variant &)> let, const QString &typeName = {})
    {
        return member(
            {name, dispid, Get | Let, type, typeName, {}}, [get](T &self, Args &) { return get(self); },
            [let](T &self, Args &, const Variant &value) { let(self, value); });
    }

    Dispatcher &readOnly(const QString &name, int32_t dispid, VarType type, std::function<Variant(T &)> get,
                         const QString &typeName = {})
    {
        return member({name, dispid, Get, type, typeName, {}}, [get](T &self, Args &) { return get(self); },
                      {});
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
        return member(
            std::move(info), [get](T &self, Args &) { return get(self); },
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

    // The property pages a host shows for the class, by name, in order.
    Dispatcher &propertyPages(QStringList names)
    {
        m_info.propertyPages = std::move(names);
        return *this;
    }

    Dispatcher &enumeration(const QString &name, std::vector<std::pair<QString, int32_t>> constants)
    {
        m_info.enums.push_back({name, std::move(constants)});
        return *this;
    }

    // The last declared property is kept in the host's bag under its own name.
    Dispatcher &persist(BagRule<T> rule)
    {
        Q_ASSERT(!m_info.members.empty());
        const MemberInfo &info = m_info.members.back();
        const int32_t dispid = info.dispid;
        BagKey key{info.name,
                   std::move(rule.read),
                   std::move(rule.write),
                   std::move(rule.store),
                   std::move(rule.fetch),
                   rule.rank,
                   rule.writeRank.value_or(rule.rank),
                   std::move(rule.when)};
        // Through the object's own dispatch: the table is copied into place
        // after it is built, so nothing here may point into it.
        if (!key.store)
            key.store = [dispid](T &self, const Variant &value) {
                Args args{value};
                self.invoke(dispid, Let, args);
            };
        if (!key.value)
            key.value = [dispid](T &self) {
                Args args;
                return self.invoke(dispid, Get, args);
            };
        return addKey(std::move(key));
    }

    // A bag key that is no property of its own (a font attribute, say).
    Dispatcher &bagKey(const QString &key, BagRule<T> rule)
    {
        Q_ASSERT(rule.store && rule.fetch);
        return addKey(BagKey{key, std::move(rule.read), std::move(rule.write), std::move(rule.store),
                             std::move(rule.fetch), rule.rank, rule.writeRank.value_or(rule.rank),
                             std::move(rule.when)});
    }

    // A Let of the last declared property tells the host that it changed.
    Dispatcher &notifies()
    {
        Q_ASSERT(!m_info.members.empty());
        m_notifying.push_back(m_info.members.back().dispid);
        return *this;
    }

    // Every declared key in bag order: read with its default and stored.
    void readBag(T &self, const PropertyBag &bag) const
    {
        for (const BagKey &key : m_bag)
            if (!key.when || key.when(self))
                key.store(self, bag.readProperty(key.name, key.read.of(self)));
    }

    // Every declared key in write order, left out where it equals its default.
    void writeBag(T &self, PropertyBag &bag) const
    {
        std::vector<const BagKey *> order;
        for (const BagKey &key : m_bag)
            order.push_back(&key);
        std::stable_sort(order.begin(), order.end(),
                         [](const BagKey *a, const BagKey *b) { return a->writeRank < b->writeRank; });
        for (const BagKey *key : order)
            if (!key->when || key->when(self))
                bag.writeProperty(key->name, key->value(self),
                                  (key->write ? *key->write : key->read).of(self));
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
        if (!handlers->second.convertsItself && info->type != VarType::Variant &&
            info->type != VarType::Object && info->type != VarType::Empty)
            value = value.convertedTo(info->type);
        prepareArguments(*info, args, args.size() - 1);
        handlers->second.write(self, args, value);
        if constexpr (requires { self.propertyChanged(info->name); }) {
            if (std::find(m_notifying.begin(), m_notifying.end(), dispid) != m_notifying.end())
                self.propertyChanged(info->name);
        }
        return Variant();
    }

private:
    struct Handlers {
        Reader read;
        Writer write;
        bool convertsItself = false;
    };

    struct BagKey {
        QString name;
        BagDefault<T> read;
        std::optional<BagDefault<T>> write;
        std::function<void(T &, const Variant &)> store;
        std::function<Variant(T &)> value;
        int rank = 0;
        int writeRank = 0;
        std::function<bool(T &)> when;
    };

    template <class V, class Getter, class Letter>
    Dispatcher &typedMember(MemberInfo info, Getter get, Letter let)
    {
        const int32_t dispid = info.dispid;
        member(
            std::move(info), [get](T &self, Args &) { return Automation<V>::wrap(get(self)); },
            [let](T &self, Args &, const Variant &value) { let(self, Automation<V>::unwrap(value)); });
        m_handlers[dispid].convertsItself = true;
        return *this;
    }

    Dispatcher &addKey(BagKey key)
    {
        const auto at = std::upper_bound(m_bag.begin(), m_bag.end(), key.rank,
                                         [](int rank, const BagKey &k) { return rank < k.rank; });
        m_bag.insert(at, std::move(key));
        return *this;
    }

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
    std::vector<BagKey> m_bag;        // in bag order
    std::vector<int32_t> m_notifying; // members whose Let raises PropertyChanged
};

} // namespace com
