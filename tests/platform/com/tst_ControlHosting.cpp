#include "platform/com/AutomationError.h"
#include "platform/com/ComponentRegistry.h"
#include "platform/com/ControlHost.h"
#include "platform/com/EventHandlers.h"
#include "platform/com/InProcessServer.h"
#include "platform/com/PropertyBag.h"
#include "tests/support/Automation.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QProcess>
#include <dlfcn.h>

using namespace com;

using testsupport::errorOf;

namespace
{

const QString CounterLibrary = QStringLiteral("libkvtestcontrol.so");

} // namespace

// The whole hosting road with a control library this test does not link:
// registry, loading, class factory, dispatch, events, errors, persistence.
class TestControlHosting : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(testsupport::registerLibrary(CounterLibrary)); }

    void registrationWritesTheClass()
    {
        const auto entry = ComponentRegistry().findByProgId(QStringLiteral("kvtest.counter"));
        QVERIFY(entry.has_value());
        QCOMPARE(entry->clsid, QStringLiteral("{6E1B2C3D-0000-4000-8000-0000000000A1}"));
        QCOMPARE(entry->library, testsupport::binaryPath(CounterLibrary));
        QVERIFY(ComponentRegistry().findByClsid(entry->clsid).has_value());
    }

    void unregisteredClassRaises429()
    {
        QCOMPARE(errorOf([] { ControlHost::createObject(QStringLiteral("KvTest.Missing")); }), 429);
    }

    void dispatchByIdAndByName()
    {
        QWidget form;
        Control *counter =
            ControlHost::createControl(QStringLiteral("KvTest.Counter"), &form, QStringLiteral("Counter1"));
        QCOMPARE(counter->parentWidget(), &form);
        QCOMPARE(counter->get(QStringLiteral("caption")).toString(),
                 QStringLiteral("Zähler")); // InitProperties ran
        Args args{Variant::fromInteger(5)};
        counter->invoke(0x68030001, Let, args);
        QCOMPARE(counter->get(QStringLiteral("Value")).toInteger(), int16_t(5));
        Args none;
        QCOMPARE(counter->invoke(0x68030001, Get, none).type(), VarType::Integer);
        QCOMPARE(counter->call(QStringLiteral("Add"), {Variant::fromInteger(2)}).toLong(), 3);
        QCOMPARE(counter->call(QStringLiteral("Add"), {Variant::fromInteger(2), Variant("40")}).toLong(), 42);
    }

    void errorsArriveWithTheirNumbers_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("literal");
        QTest::addColumn<int>("error");
        QTest::newRow("overflow on let") << "Value"
                                         << "40000" << 6;
        QTest::newRow("wrong kind") << "Value"
                                    << "\"abc\"" << 13;
        QTest::newRow("invalid value") << "Step"
                                       << "0" << 380;
        QTest::newRow("read-only") << "UserModeNow"
                                   << "True" << 383;
        QTest::newRow("unknown member") << "Nonsense"
                                        << "1" << 438;
    }

    void errorsArriveWithTheirNumbers()
    {
        QFETCH(QString, member);
        QFETCH(QString, literal);
        QFETCH(int, error);
        QWidget form;
        Control *counter =
            ControlHost::createControl(QStringLiteral("KvTest.Counter"), &form, QStringLiteral("C"));
        QCOMPARE(errorOf([&] { counter->let(member, Variant::parseLiteral(literal)); }), error);
    }

    void methodErrorsAndOverflow()
    {
        QWidget form;
        Control *counter =
            ControlHost::createControl(QStringLiteral("KvTest.Counter"), &form, QStringLiteral("C"));
        QCOMPARE(errorOf([&] { counter->call(QStringLiteral("Fail")); }), 9);
        QCOMPARE(errorOf([&] { counter->call(QStringLiteral("Add")); }), 449);
        counter->let(QStringLiteral("Value"), Variant::fromInteger(32767));
        QCOMPARE(errorOf([&] { counter->call(QStringLiteral("Increment")); }), 6);
    }

    void eventsReachTheHandlerByName()
    {
        QWidget form;
        EventHandlers handlers;
        QList<int> seen;
        handlers.on(QStringLiteral("Counter1_Changed"), [&](Args &args) {
            seen << args[0].toInteger();
            args[1] = Variant::fromBool(args[0].toInteger() == 2); // by reference: refuse the 2
        });
        Control *counter = ControlHost::createControl(QStringLiteral("KvTest.Counter"), &form,
                                                      QStringLiteral("Counter1"), &handlers);
        QCOMPARE(counter->call(QStringLiteral("Increment")).toInteger(), int16_t(1));
        QCOMPARE(counter->call(QStringLiteral("Increment")).toInteger(),
                 int16_t(1)); // cancelled by the handler
        QCOMPARE(seen, (QList<int>{1, 2}));
    }

    void propertyBagRoundTrip()
    {
        QWidget form;
        Control *fresh =
            ControlHost::createControl(QStringLiteral("KvTest.Counter"), &form, QStringLiteral("A"));
        QVERIFY(ControlHost::saveControl(*fresh).isEmpty()); // defaults are not written
        fresh->let(QStringLiteral("Step"), Variant::fromInteger(3));
        fresh->let(QStringLiteral("BackColor"), Variant::fromColor(0xFF));
        QCOMPARE(fresh->site()->changedProperties(), QStringList{QStringLiteral("Step")});
        const PropertyBag saved = ControlHost::saveControl(*fresh);
        QCOMPARE(saved.keys(), (std::vector<QString>{QStringLiteral("Step"), QStringLiteral("BackColor")}));
        const PropertyBag reread = PropertyBag::fromText(saved.toText());
        Control *loaded = ControlHost::createControl(QStringLiteral("KvTest.Counter"), &form,
                                                     QStringLiteral("B"), nullptr, &reread);
        QCOMPARE(loaded->get(QStringLiteral("Step")).toInteger(), int16_t(3));
        QCOMPARE(loaded->get(QStringLiteral("BackColor")).toColor(), 0xFFu);
        QCOMPARE(loaded->get(QStringLiteral("Caption")).toString(), QStringLiteral("Zähler"));
        QCOMPARE(ControlHost::saveControl(*loaded).toText(), saved.toText());
    }

    void ambientUserMode()
    {
        QWidget form;
        Control *designed = ControlHost::createControl(QStringLiteral("KvTest.Counter"), &form,
                                                       QStringLiteral("D"), nullptr, nullptr, false);
        QCOMPARE(designed->get(QStringLiteral("UserModeNow")).toBool(), false);
    }

    void typeInformationKeepsDeclarationOrder()
    {
        auto object = ControlHost::createObject(QStringLiteral("KvTest.Counter"));
        const TypeInfo &info = object->typeInfo();
        QCOMPARE(info.members.front().name, QStringLiteral("Value"));
        QCOMPARE(info.member(QStringLiteral("fail"))->dispid, 0x60030009);
        const EnumInfo *look = info.enumeration(QStringLiteral("CounterLook"));
        QVERIFY(look);
        QCOMPARE(look->constants.size(), size_t(4));
        QCOMPARE(look->constants[2], (std::pair<QString, int32_t>(QStringLiteral("clDefault"), 1)));
        QCOMPARE(look->value(QStringLiteral("clNone")), -1);
        QVERIFY(info.event(QStringLiteral("Changed"))->params[1].byRef);
    }

    void libraryCanUnloadOnlyWhenNoObjectLives()
    {
        void *handle = dlopen(qPrintable(testsupport::binaryPath(CounterLibrary)), RTLD_NOW | RTLD_NOLOAD);
        QVERIFY(handle); // loaded by the earlier cases
        auto canUnload = reinterpret_cast<CanUnloadNowFunction>(dlsym(handle, "DllCanUnloadNow"));
        QCOMPARE(canUnload(), int32_t(S_Ok));
        {
            auto object = ControlHost::createObject(QStringLiteral("KvTest.Counter"));
            QCOMPARE(canUnload(), int32_t(S_False));
        }
        QCOMPARE(canUnload(), int32_t(S_Ok));
        dlclose(handle);
    }

    void testDoesNotLinkTheControlLibrary()
    {
        QProcess ldd;
        ldd.start(QStringLiteral("ldd"), {QCoreApplication::applicationFilePath()});
        QVERIFY(ldd.waitForFinished());
        const QString linked = QString::fromLocal8Bit(ldd.readAllStandardOutput());
        QVERIFY(linked.contains(QStringLiteral("libkplatform")));
        QVERIFY(!linked.contains(QStringLiteral("kvtestcontrol")));
    }

    void unregisterRemovesOnlyThatLibrary()
    {
        ComponentRegistry registry;
        registry.add(
            {{QStringLiteral("{X}"), QStringLiteral("Other.Thing"), QStringLiteral("/elsewhere/lib.so")}});
        QProcess regsvr;
        regsvr.start(testsupport::binaryPath(QStringLiteral("regsvr")),
                     {QStringLiteral("-u"), testsupport::binaryPath(CounterLibrary)});
        QVERIFY(regsvr.waitForFinished());
        QCOMPARE(regsvr.exitCode(), 0);
        QVERIFY(!registry.findByProgId(QStringLiteral("KvTest.Counter")));
        QVERIFY(registry.findByProgId(QStringLiteral("Other.Thing")));
        QVERIFY(testsupport::registerLibrary(CounterLibrary));
    }
};

KV_TEST_MAIN(TestControlHosting)
#include "tst_ControlHosting.moc"
