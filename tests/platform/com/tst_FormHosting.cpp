#include "platform/com/AutomationError.h"
#include "platform/com/Control.h"
#include "platform/com/EventHandlers.h"
#include "platform/com/FormHosting.h"
#include "platform/com/PropertyPage.h"
#include "platform/runtime/Form.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QSignalSpy>

using namespace com;

namespace
{

// A page that copies one value into every selected control on apply.
class StepPage : public PropertyPage
{
public:
    int selectionChanges = 0;
    int16_t step = 5;
    const TypeInfo &typeInfo() const override
    {
        static const TypeInfo info;
        return info;
    }
    Variant invoke(int32_t, Accessor, Args &) override { raiseError(ErrMemberNotFound); }

protected:
    void selectionChanged() override { ++selectionChanges; }
    void applyChanges() override
    {
        for (AutomationObject *control : selectedControls())
            control->let(QStringLiteral("Step"), Variant::fromInteger(step));
    }
};

} // namespace

class TestFormHosting : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(testsupport::registerLibrary(QStringLiteral("libkvtestcontrol.so"))); }

    void controlsArePlacedInTwipsAndLoadTheirSavedProperties()
    {
        QPointer<rt::Form> form = rt::Form::create<rt::Form>();
        EventHandlers handlers;
        int changed = 0;
        handlers.on(QStringLiteral("xpCounter_Changed"), [&](Args &) { ++changed; });
        Control *counter = addControl(*form, QStringLiteral("KvTest.Counter"), QStringLiteral("xpCounter"),
                                      QRect(150, 300, 1500, 450), &handlers, QStringLiteral("Step = 3\n"));
        QCOMPARE(counter->geometry(), QRect(10, 20, 100, 30));
        QCOMPARE(form->controlNamed(QStringLiteral("XPCOUNTER")), counter);
        QCOMPARE(counter->get(QStringLiteral("Step")).toInteger(), int16_t(3));
        counter->call(QStringLiteral("Increment"));
        QCOMPARE(changed, 1);
        form->unload();
    }

    void propertyPageProtocol()
    {
        QPointer<rt::Form> form = rt::Form::create<rt::Form>();
        Control *a =
            addControl(*form, QStringLiteral("KvTest.Counter"), QStringLiteral("A"), QRect(0, 0, 300, 300));
        Control *b =
            addControl(*form, QStringLiteral("KvTest.Counter"), QStringLiteral("B"), QRect(0, 0, 300, 300));
        StepPage page;
        QSignalSpy changes(&page, &PropertyPage::changedChanged);
        page.setSelectedControls({a, b});
        QCOMPARE(page.selectionChanges, 1);
        QCOMPARE(page.selectedControls().at(0), a); // zero-based
        page.setChanged(true);
        page.setChanged(true);
        QCOMPARE(changes.count(), 1);
        page.apply();
        QCOMPARE(page.changed(), false);
        QCOMPARE(a->get(QStringLiteral("Step")).toInteger(), int16_t(5));
        QCOMPARE(b->get(QStringLiteral("Step")).toInteger(), int16_t(5));
        QCOMPARE(b->site()->changedProperties(), QStringList{QStringLiteral("Step")});
        form->unload();
    }
};

KV_TEST_MAIN(TestFormHosting)
#include "tst_FormHosting.moc"
