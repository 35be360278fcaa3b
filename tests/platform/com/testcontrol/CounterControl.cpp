#include "CounterControl.h"
#include "StepPage.h"

#include "platform/com/InProcessServer.h"
#include "platform/com/PropertyBag.h"

using namespace com;

CounterControl::CounterControl() = default;

const Dispatcher<CounterControl> &CounterControl::dispatcher()
{
    static const Dispatcher<CounterControl> table = [] {
        Dispatcher<CounterControl> d(
            TypeInfo::forClass(QStringLiteral("Counter"), QStringLiteral("KvTest.Counter"),
                               QStringLiteral("{6E1B2C3D-0000-4000-8000-0000000000A1}"),
                               QStringLiteral("{6E1B2C3D-0000-4000-8000-0000000000A2}"),
                               QStringLiteral("{6E1B2C3D-0000-4000-8000-0000000000A3}")));
        d.propertyPages({QStringLiteral("StepPage")});
        d.property(
            QStringLiteral("Value"), 0x68030001, VarType::Integer,
            [](CounterControl &c) { return Variant::fromInteger(c.m_value); },
            [](CounterControl &c, const Variant &v) { c.m_value = v.toInteger(); });
        d.property(
            QStringLiteral("Step"), 0x68030002, VarType::Integer,
            [](CounterControl &c) { return Variant::fromInteger(c.m_step); },
            [](CounterControl &c, const Variant &v) {
                if (v.toInteger() == 0)
                    raiseError(ErrInvalidPropertyValue);
                c.m_step = v.toInteger();
                c.propertyChanged(QStringLiteral("Step"));
            });
        d.property(
            QStringLiteral("Caption"), 0x68030003, VarType::String,
            [](CounterControl &c) { return Variant::fromString(c.m_caption); },
            [](CounterControl &c, const Variant &v) {
                c.m_caption = v.toString();
                c.propertyChanged(QStringLiteral("Caption"));
            });
        d.property(
            QStringLiteral("Enabled"), 0x68030004, VarType::Boolean,
            [](CounterControl &c) { return Variant::fromBool(c.m_enabled); },
            [](CounterControl &c, const Variant &v) { c.m_enabled = v.toBool(); });
        d.property(
            QStringLiteral("BackColor"), 0x68030005, VarType::Long,
            [](CounterControl &c) { return Variant::fromColor(c.m_backColor); },
            [](CounterControl &c, const Variant &v) { c.m_backColor = v.toColor(); },
            QStringLiteral("OLE_COLOR"));
        d.readOnly(QStringLiteral("UserModeNow"), 0x68030006, VarType::Boolean,
                   [](CounterControl &c) { return Variant::fromBool(c.userMode()); });
        d.method(QStringLiteral("Increment"), 0x60030007, VarType::Integer, {},
                 [](CounterControl &c, Args &) { return Variant::fromInteger(c.increment()); });
        d.method(QStringLiteral("Add"), 0x60030008, VarType::Long,
                 {{QStringLiteral("a"), VarType::Long}, {QStringLiteral("b"), VarType::Long, false, true}},
                 [](CounterControl &, Args &args) {
                     return Variant::fromLong(args[0].toLong() +
                                              (args[1].isMissing() ? 1 : args[1].toLong()));
                 });
        d.method(QStringLiteral("Fail"), 0x60030009, VarType::Empty, {},
                 [](CounterControl &, Args &) -> Variant { raiseError(ErrSubscript); });
        d.event(QStringLiteral("Changed"), 1,
                {{QStringLiteral("NewValue"), VarType::Integer},
                 {QStringLiteral("Cancel"), VarType::Boolean, true}});
        d.enumeration(QStringLiteral("CounterLook"), {{QStringLiteral("clFlat"), 0},
                                                      {QStringLiteral("clRaised"), 1},
                                                      {QStringLiteral("clDefault"), 1},
                                                      {QStringLiteral("clNone"), -1}});
        return d;
    }();
    return table;
}

const TypeInfo &CounterControl::staticTypeInfo()
{
    return dispatcher().typeInfo();
}

Variant CounterControl::invoke(int32_t dispid, Accessor kind, Args &args)
{
    return dispatcher().invoke(*this, dispid, kind, args);
}

int16_t CounterControl::increment()
{
    const int16_t next = Variant::fromLong(int32_t(m_value) + m_step).toInteger(); // overflow raises 6
    Args args{Variant::fromInteger(next), Variant::fromBool(false)};
    raiseEvent(QStringLiteral("Changed"), args);
    if (!args[1].toBool())
        m_value = next;
    return m_value;
}

void CounterControl::initProperties()
{
    m_step = 1;
    m_caption = QStringLiteral("Zähler");
}

void CounterControl::readProperties(const PropertyBag &bag)
{
    m_step = bag.readProperty(QStringLiteral("Step"), Variant::fromInteger(1)).toInteger();
    m_caption = bag.readProperty(QStringLiteral("Caption"), Variant(QStringLiteral("Zähler"))).toString();
    m_backColor = bag.readProperty(QStringLiteral("BackColor"), Variant::fromColor(0x8000000F)).toColor();
}

void CounterControl::writeProperties(PropertyBag &bag)
{
    bag.writeProperty(QStringLiteral("Step"), Variant::fromInteger(m_step), Variant::fromInteger(1));
    bag.writeProperty(QStringLiteral("Caption"), Variant(m_caption), Variant(QStringLiteral("Zähler")));
    bag.writeProperty(QStringLiteral("BackColor"), Variant::fromColor(m_backColor),
                      Variant::fromColor(0x8000000F));
}

namespace
{

com::InProcessServer &testServer()
{
    static const std::unique_ptr<com::InProcessServer> server = [] {
        auto s = std::make_unique<com::InProcessServer>();
        s->addClass<CounterControl>();
        s->addClass<StepPage>();
        return s;
    }();
    return *server;
}

} // namespace

COM_EXPORT_SERVER(testServer)
