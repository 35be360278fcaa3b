#include "platform/com/AutomationError.h"
#include "platform/com/Control.h"
#include "platform/com/ControlSite.h"
#include "platform/com/Dispatched.h"
#include "platform/com/PropertyBag.h"
#include "tests/support/TestMain.h"

using com::Variant;

namespace
{

// A control declared the way the library's controls are: typed members, one
// that tells the host of a change, a bag read in one order and written in
// another, a key with separate read and write defaults, and a key that is no
// property of its own.
class Gauge : public com::Dispatched<Gauge, com::Control>
{
public:
    static void describe(com::Dispatcher<Gauge> &d)
    {
        d.identity(com::TypeInfo::forClass(QStringLiteral("Gauge"), QStringLiteral("Test.Gauge")));
        d.property<int16_t>(
             QStringLiteral("Width"), 1, [](Gauge &self) { return self.width16; },
             [](Gauge &self, int16_t width) {
                 ++self.widthLets;
                 self.width16 = width;
             })
            .notifies()
            .persist({.rank = 2, .read = Variant::fromInteger(10), .writeRank = 0});
        d.property<QString>(
             QStringLiteral("Caption"), 2, [](Gauge &self) { return self.caption; },
             [](Gauge &self, const QString &caption) { self.caption = caption; })
            .persist({.rank = 0, .read = "Neu", .write = "Alt", .store = [](Gauge &self, const Variant &v) {
                          self.readOrder << QStringLiteral("Caption");
                          self.caption = v.toString();
                      }});
        d.bagKey(QStringLiteral("Extra"),
                 {.rank = 1,
                  .read = [](Gauge &self) { return Variant::fromLong(self.extraDefault); },
                  .store =
                      [](Gauge &self, const Variant &v) {
                          self.readOrder << QStringLiteral("Extra");
                          self.extra = v.toLong();
                      },
                  .fetch = [](Gauge &self) { return Variant::fromLong(self.extra); }});
    }

    void readProperties(const com::PropertyBag &bag) override { readDeclared(bag); }
    void writeProperties(com::PropertyBag &bag) override { writeDeclared(bag); }

    int16_t width16 = 0;
    int widthLets = 0;
    QString caption;
    int32_t extra = 0;
    int32_t extraDefault = 7;
    QStringList readOrder;
};

} // namespace

class TestDispatched : public QObject
{
    Q_OBJECT
private slots:
    void identityAndMembersComeFromTheDescription()
    {
        const com::TypeInfo &info = Gauge::staticTypeInfo();
        QCOMPARE(info.progId, QStringLiteral("Test.Gauge"));
        QCOMPARE(info.members.size(), size_t(2));
        QCOMPARE(info.members[0].name, QStringLiteral("Width"));
        QCOMPARE(info.members[0].type, com::VarType::Integer);
        QCOMPARE(info.members[1].type, com::VarType::String);
        Gauge gauge;
        QCOMPARE(&gauge.typeInfo(), &info);
    }

    void aLetIsConvertedOnceToTheDeclaredType_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("stored");
        QTest::newRow("text") << Variant("42") << 0 << 42;
        QTest::newRow("rounded half to even") << Variant::fromDouble(2.5) << 0 << 2;
        QTest::newRow("too large") << Variant::fromLong(70000) << 6 << 0;
        QTest::newRow("no number") << Variant("zwölf") << 13 << 0;
    }

    void aLetIsConvertedOnceToTheDeclaredType()
    {
        QFETCH(Variant, value);
        QFETCH(int, error);
        QFETCH(int, stored);
        Gauge gauge;
        int raised = 0;
        try {
            gauge.let(QStringLiteral("Width"), value);
        } catch (const com::AutomationError &e) {
            raised = e.number();
        }
        QCOMPARE(raised, error);
        QCOMPARE(int(gauge.width16), stored);
        QCOMPARE(gauge.widthLets, error ? 0 : 1);
        QCOMPARE(gauge.get(QStringLiteral("Width")).type(), com::VarType::Integer);
    }

    void onlyDeclaredLetsTellTheHost()
    {
        Gauge gauge;
        gauge.setSite(std::make_unique<com::ControlSite>(QStringLiteral("Gauge1"), nullptr));
        gauge.let(QStringLiteral("Width"), Variant::fromInteger(3));
        gauge.let(QStringLiteral("Caption"), Variant("x"));
        QCOMPARE(gauge.site()->changedProperties(), QStringList{QStringLiteral("Width")});
    }

    void theBagIsReadInBagOrderWithItsDefaults()
    {
        Gauge gauge;
        gauge.extraDefault = 11;
        com::PropertyBag bag;
        bag.writeProperty(QStringLiteral("Width"), Variant::fromInteger(25));
        gauge.readProperties(bag);
        QCOMPARE(gauge.readOrder, (QStringList{"Caption", "Extra"}));
        QCOMPARE(gauge.caption, QStringLiteral("Neu"));
        QCOMPARE(gauge.extra, 11); // the object's own default
        QCOMPARE(int(gauge.width16), 25);
        QCOMPARE(gauge.widthLets, 1); // read through its Let
    }

    void theBagIsWrittenInWriteOrderAgainstTheWriteDefaults()
    {
        Gauge gauge;
        gauge.width16 = 4;
        gauge.caption = QStringLiteral("Alt"); // the write default: left out
        gauge.extra = 8;
        com::PropertyBag bag;
        gauge.writeProperties(bag);
        QCOMPARE(bag.keys(), (std::vector<QString>{"Width", "Extra"}));
        gauge.caption = QStringLiteral("Neu"); // the read default is saved
        gauge.writeProperties(bag);
        QCOMPARE(bag.readProperty(QStringLiteral("Caption")).toString(), QStringLiteral("Neu"));
        gauge.extra = gauge.extraDefault;
        com::PropertyBag again;
        gauge.writeProperties(again);
        QVERIFY(!again.contains(QStringLiteral("Extra")));
    }
};

KV_TEST_MAIN(TestDispatched)
#include "tst_Dispatched.moc"
