#include "platform/runtime/ScopedService.h"
#include "platform/runtime/ServiceSlot.h"
#include "tests/support/TestMain.h"

#include <memory>

namespace
{

class Greeter
{
public:
    virtual ~Greeter() = default;
    virtual QString name() const = 0;
};

int defaultsMade = 0;

class RealGreeter : public Greeter
{
public:
    RealGreeter() { ++defaultsMade; }
    QString name() const override { return QStringLiteral("echt"); }
};

class FakeGreeter : public Greeter
{
public:
    explicit FakeGreeter(QString name = QStringLiteral("Attrappe")) : m_name(std::move(name)) {}
    QString name() const override { return m_name; }

private:
    QString m_name;
};

} // namespace

KV_DECLARE_SERVICE_SLOT(Greeter)
KV_SERVICE_SLOT_STORAGE(Greeter)

template <> std::unique_ptr<Greeter> rt::ServiceSlot<Greeter>::makeDefault()
{
    return std::make_unique<RealGreeter>();
}

using Slot = rt::ServiceSlot<Greeter>;

class TestServiceSlot : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        Slot::reset();
        defaultsMade = 0;
    }

    void defaultIsMadeOnceOnFirstUse()
    {
        QCOMPARE(defaultsMade, 0);
        Greeter &first = Slot::current();
        QCOMPARE(first.name(), QStringLiteral("echt"));
        QCOMPARE(&Slot::current(), &first);
        QCOMPARE(defaultsMade, 1);
    }

    void installedServiceServesUntilReset()
    {
        Slot::install(std::make_unique<FakeGreeter>());
        QCOMPARE(Slot::current().name(), QStringLiteral("Attrappe"));
        QCOMPARE(defaultsMade, 0); // a test's fake never builds the real one
        Slot::reset();
        QCOMPARE(Slot::current().name(), QStringLiteral("echt"));
    }

    void installHandsBackThePrevious()
    {
        Greeter &real = Slot::current();
        std::unique_ptr<Greeter> previous = Slot::install(std::make_unique<FakeGreeter>());
        QCOMPARE(previous.get(), &real);
        const std::unique_ptr<Greeter> fake =
            Slot::install(nullptr); // null: the default comes back on next use
        QCOMPARE(fake->name(), QStringLiteral("Attrappe"));
        QCOMPARE(Slot::current().name(), QStringLiteral("echt"));
        QCOMPARE(defaultsMade, 2);
    }

    void scopedServicePutsBackWhatWasThere()
    {
        Greeter &real = Slot::current();
        {
            const rt::ScopedService<Greeter, FakeGreeter> outer(QStringLiteral("außen"));
            QCOMPARE(&Slot::current(), outer.get());
            {
                const rt::ScopedService<Greeter, FakeGreeter> inner(
                    std::make_unique<FakeGreeter>(QStringLiteral("innen")));
                QCOMPARE(Slot::current().name(), QStringLiteral("innen"));
                QCOMPARE(inner->name(), QStringLiteral("innen"));
            }
            QCOMPARE(Slot::current().name(), QStringLiteral("außen"));
        }
        QCOMPARE(&Slot::current(), &real);
        QCOMPARE(defaultsMade, 1);
    }
};

KV_TEST_MAIN(TestServiceSlot)
#include "tst_ServiceSlot.moc"
