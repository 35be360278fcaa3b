#include "controls/gauges/Spin.h"
#include "controls/gauges/SpinValue.h"
#include "platform/com/AutomationError.h"
#include "platform/com/PropertyBag.h"
#include "tests/support/Automation.h"
#include "tests/support/HostForm.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QFrame>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

using namespace com;
using ostrevo::Spin;
using testsupport::errorOf;

class TestSpin : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;
    QStringList m_events;

    Spin *newSpin(const PropertyBag *bag = nullptr)
    {
        return dynamic_cast<Spin *>(testsupport::createRecorded(QStringLiteral("Quiv_Tools.Spin"),
                                                                m_form.get(), QStringLiteral("Spin1"),
                                                                m_events, QSize(80, 20), bag));
    }
    static QLineEdit *text1(Spin *s) { return s->findChild<QLineEdit *>(QStringLiteral("Text1")); }
    static void arrow(Spin *s, bool up)
    {
        s->findChild<QScrollBar *>(QStringLiteral("VScroll1"))
            ->triggerAction(up ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
    }
    // Time mode at the given time, events cleared.
    Spin *timeSpin(int hour, int minute)
    {
        Spin *s = newSpin();
        s->let(QStringLiteral("CurrTimeM"), Variant::fromInteger(int16_t(minute)));
        s->let(QStringLiteral("CurrTimeH"), Variant::fromInteger(int16_t(hour)));
        s->let(QStringLiteral("TimeState"), Variant::fromBool(true));
        m_events.clear();
        return s;
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        m_form.open(QSize(300, 100));
        m_events.clear();
    }

    void cleanup() { m_form.reset(); }

    void typeLibrary()
    {
        QStringList members;
        for (const MemberInfo &m : Spin::staticTypeInfo().members)
            members << QStringLiteral("%1=%2").arg(m.name).arg(uint32_t(m.dispid), 0, 16);
        QCOMPARE(
            members.join(QLatin1Char(' ')),
            QStringLiteral("ShowAboutBox=fffffdd8 Min=68030014 Max=68030013 Value=68030012 Result1=68030011 "
                           "Result2=68030010 Result3=6803000f Result4=6803000e Result5=6803000d "
                           "PointPosition=6803000c TimeState=6803000b CurrTimeH=6803000a CurrTimeM=68030009 "
                           "Font=fffffe00 FontSize=68030008 MouseIcon=68030007 MousePointer=68030006 "
                           "BorderStyle=68030005 Alignment=68030004 EnabledS=68030003 BackColorS=68030002 "
                           "ForeColor=68030001 ToolTipText=68030000 SaveAsLong=6003001f"));
        const TypeInfo &info = Spin::staticTypeInfo();
        QCOMPARE(info.enumeration(QStringLiteral("sMousePointerConst"))->constants.size(), size_t(17));
        QCOMPARE(info.enumeration(QStringLiteral("EnStyle"))->value(QStringLiteral("sStandard")), 2);
        QCOMPARE(info.event(QStringLiteral("Changed"))->params.size(), size_t(6));
    }

    void valueClampsAndRangeDoesNot()
    {
        Spin *s = newSpin();
        QCOMPARE(s->get(QStringLiteral("Max")).toLong(), 100);
        QCOMPARE(s->get(QStringLiteral("BorderStyle")).toLong(), 1);
        s->let(QStringLiteral("Value"), Variant::fromInteger(150));
        QCOMPARE(s->get(QStringLiteral("Value")).toLong(), 100);
        QCOMPARE(text1(s)->text(), QStringLiteral("100"));
        s->let(QStringLiteral("Value"), Variant::fromInteger(-5));
        QCOMPARE(s->get(QStringLiteral("Value")).toLong(), 0);
        QCOMPARE(text1(s)->text(), QStringLiteral("0"));
        s->let(QStringLiteral("Min"), Variant::fromInteger(10));
        QCOMPARE(s->get(QStringLiteral("Value")).toLong(), 0);
        QCOMPARE(text1(s)->text(), QStringLiteral("0"));
        // Min above Max settles at Max instead of recursing without end.
        s->let(QStringLiteral("Max"), Variant::fromInteger(5));
        s->let(QStringLiteral("Value"), Variant::fromInteger(7));
        QCOMPARE(s->get(QStringLiteral("Value")).toLong(), 5);
    }

    void factorIsFirstNonZeroResult()
    {
        Spin *s = newSpin();
        s->let(QStringLiteral("Result2"), Variant::fromSingle(0));
        QCOMPARE(s->factor(1), 0.0f);
        s->let(QStringLiteral("Result2"), Variant::fromSingle(40));
        s->let(QStringLiteral("Result2"), Variant::fromSingle(7));
        QCOMPARE(s->factor(1), 40.0f);
        QCOMPARE(s->get(QStringLiteral("Result2")).toSingle(), 7.0f);
    }

    void stepUpRaisesNestedEvents_data()
    {
        QTest::addColumn<bool>("point");
        QTest::addColumn<QString>("result");
        QTest::newRow("exact") << true << QStringLiteral("2,5");
        QTest::newRow("rounded") << false << QStringLiteral("3");
    }

    void stepUpRaisesNestedEvents()
    {
        QFETCH(bool, point);
        QFETCH(QString, result);
        Spin *s = newSpin();
        s->let(QStringLiteral("Result1"), Variant::fromSingle(50));
        s->let(QStringLiteral("PointPosition"), Variant::fromBool(point));
        s->let(QStringLiteral("Value"), Variant::fromInteger(4));
        m_events.clear();
        arrow(s, true);
        QCOMPARE(text1(s)->text(), QStringLiteral("5"));
        QCOMPARE(s->get(QStringLiteral("Value")).toLong(), 5);
        const QString changed = QStringLiteral("Changed(5, %1, 0, 0, 0, 0)").arg(result);
        QCOMPARE(m_events, (QStringList{changed, "Click()", "Click()", changed, "Click()"}));
    }

    void steppingStopsAtTheEnds()
    {
        Spin *s = newSpin();
        arrow(s, false);
        QCOMPARE(s->get(QStringLiteral("Value")).toLong(), 0);
        s->let(QStringLiteral("Value"), Variant::fromInteger(100));
        m_events.clear();
        arrow(s, true);
        QCOMPARE(s->get(QStringLiteral("Value")).toLong(), 100);
        QVERIFY(m_events.isEmpty());
    }

    void typing()
    {
        Spin *s = newSpin();
        QLineEdit *box = text1(s);
        box->setFocus();
        box->setCursorPosition(1);
        QTest::keyClick(box, Qt::Key_7);
        QCOMPARE(m_events, (QStringList{"Changed(7, 0, 0, 0, 0, 0)", "Click()", "Changed(7, 0, 0, 0, 0, 0)",
                                        "Click()", "Click()"}));
        QCOMPARE(box->text(), QStringLiteral("7"));
        QTest::keyClicks(box, QStringLiteral("x,:"));
        QCOMPARE(box->text(), QStringLiteral("7"));
        box->setText(QStringLiteral("150"));
        QCOMPARE(box->text(), QStringLiteral("100"));
        QCOMPARE(s->get(QStringLiteral("Value")).toLong(), 100);
        // Beyond 16 bits nothing changes and nothing is raised; the next edit works.
        m_events.clear();
        box->setText(QStringLiteral("99999"));
        QCOMPARE(s->get(QStringLiteral("Value")).toLong(), 100);
        QVERIFY(m_events.isEmpty());
        box->setText(QStringLiteral("5.6"));
        QCOMPARE(box->text(), QStringLiteral("6"));
        QCOMPARE(s->get(QStringLiteral("Value")).toLong(), 6);
    }

    void leavingTheBoxAppliesANewMin()
    {
        Spin *s = newSpin();
        s->let(QStringLiteral("Value"), Variant::fromInteger(7));
        s->let(QStringLiteral("Min"), Variant::fromInteger(10));
        QCOMPARE(text1(s)->text(), QStringLiteral("7"));
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(text1(s), &out);
        QCOMPARE(text1(s)->text(), QStringLiteral("10"));
        QCOMPARE(s->scrollPosition(), int16_t(10));
        QCOMPARE(s->get(QStringLiteral("Value")).toLong(), 10);
    }

    void timeStepUpWrapsAtMidnight()
    {
        Spin *s = timeSpin(23, 59);
        QCOMPARE(text1(s)->text(), QStringLiteral("23:59"));
        arrow(s, true);
        QCOMPARE(text1(s)->text(), QStringLiteral("00:00"));
        QCOMPARE(s->get(QStringLiteral("CurrTimeH")).toSingle(), 0.0f);
        const QString changed = QStringLiteral("Changed(0, 0, 0, 0, 0, 0)");
        QCOMPARE(m_events, (QStringList{"Click()", changed, "Click()", "Click()", changed, "Click()"}));
    }

    void timeSteps()
    {
        Spin *s = timeSpin(10, 15);
        arrow(s, true);
        QCOMPARE(text1(s)->text(), QStringLiteral("10:16"));
        QCOMPARE(m_events, (QStringList{"Click()", "Changed(16, 0, 0, 0, 0, 0)", "Click()"}));
        Spin *t = timeSpin(0, 0);
        arrow(t, false);
        QCOMPARE(text1(t)->text(), QStringLiteral("23:59"));
        QCOMPARE(t->get(QStringLiteral("CurrTimeH")).toSingle(), 23.0f);
        QCOMPARE(t->get(QStringLiteral("CurrTimeM")).toSingle(), 59.0f);
    }

    // Min and Max build the scroll range in time mode too: VScroll1's Max is Min, its Min is Max.
    void timeModeRangeFollowsMinAndMax()
    {
        Spin *s = timeSpin(10, 45);
        QScrollBar *bar = s->findChild<QScrollBar *>(QStringLiteral("VScroll1"));
        QCOMPARE(bar->maximum(), 61); // 60 down to -1
        s->let(QStringLiteral("Max"), Variant::fromInteger(30));
        QCOMPARE(bar->maximum(), 31); // 30 down to -1
        QCOMPARE(s->scrollPosition(), int16_t(30));
        s->let(QStringLiteral("Min"), Variant::fromInteger(10));
        QCOMPARE(bar->maximum(), 20); // 30 down to 10
        QCOMPARE(s->scrollPosition(), int16_t(30));
        // The minute stays where it was until the next step, which stays in the new range.
        QCOMPARE(text1(s)->text(), QStringLiteral("10:45"));
        arrow(s, false);
        QCOMPARE(s->scrollPosition(), int16_t(29));
        QCOMPARE(text1(s)->text(), QStringLiteral("10:29"));
    }

    // A range beyond the wrap points would make the bar's position a minute that does not exist
    // (70 and more here); the bar keeps its minute range then, until time mode ends.
    void timeModeRangeNeverLeavesTheMinutes()
    {
        Spin *s = timeSpin(10, 45);
        QScrollBar *bar = s->findChild<QScrollBar *>(QStringLiteral("VScroll1"));
        s->let(QStringLiteral("Max"), Variant::fromInteger(100));
        s->let(QStringLiteral("Min"), Variant::fromInteger(70));
        arrow(s, true);
        QCOMPARE(text1(s)->text(), QStringLiteral("10:46"));
        QCOMPARE(s->get(QStringLiteral("CurrTimeM")).toSingle(), 46.0f);
        QCOMPARE(bar->maximum(), 61);
        QCOMPARE(errorOf([s] { s->let(QStringLiteral("Value"), Variant::fromInteger(80)); }), 380);
        QCOMPARE(s->get(QStringLiteral("CurrTimeM")).toSingle(), 46.0f);
        s->let(QStringLiteral("TimeState"), Variant::fromBool(false));
        QCOMPARE(bar->maximum(), 30); // 100 down to 70
    }

    void timeTyping()
    {
        Spin *s = timeSpin(10, 15);
        QLineEdit *box = text1(s);
        // Hour and minute changed at once: correcting the minute must not lose the hour.
        box->setText(QStringLiteral("12:75"));
        QCOMPARE(box->text(), QStringLiteral("12:59"));
        QCOMPARE(s->get(QStringLiteral("CurrTimeH")).toSingle(), 12.0f);
        QCOMPARE(s->get(QStringLiteral("CurrTimeM")).toSingle(), 59.0f);
        box->setText(QStringLiteral("30:59"));
        QCOMPARE(s->get(QStringLiteral("CurrTimeH")).toSingle(), 23.0f);
        box->setCursorPosition(2);
        QTest::keyClick(box, Qt::Key_1);
        QCOMPARE(box->text(), QStringLiteral("30:59"));
        QCOMPARE(box->cursorPosition(), 5);
        // Leaving the box changes nothing in time mode.
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(box, &out);
        QCOMPARE(box->text(), QStringLiteral("30:59"));
    }

    void saveAsLong_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Variant>("decimals");
        QTest::addColumn<int>("result");
        QTest::newRow("comma") << QStringLiteral(" 3,14 ") << Variant::fromInteger(2) << 314;
        QTest::newRow("half up") << QStringLiteral("2.5") << Variant::missing() << 3;
        QTest::newRow("negative half") << QStringLiteral("-2.5") << Variant::missing() << -2;
        QTest::newRow("empty") << QString() << Variant::fromInteger(2) << 0;
        QTest::newRow("whole") << QStringLiteral("7") << Variant::fromInteger(0) << 7;
    }

    void saveAsLong()
    {
        QFETCH(QString, text);
        QFETCH(Variant, decimals);
        QFETCH(int, result);
        Spin *s = newSpin();
        QCOMPARE(s->call(QStringLiteral("SaveAsLong"), {Variant(text), decimals}).toLong(), result);
        QCOMPARE(errorOf([&] {
                     s->call(QStringLiteral("SaveAsLong"), {Variant("1"), Variant::fromInteger(-1)});
                 }),
                 5);
        QCOMPARE(errorOf([&] {
                     s->call(QStringLiteral("SaveAsLong"), {Variant("3000000"), Variant::fromInteger(3)});
                 }),
                 6);
    }

    void wholeResultsRoundHalfAwayFromZero()
    {
        QCOMPARE(ostrevo::spinvalue::wholeFromHundredths(250), 3.0f);
        QCOMPARE(ostrevo::spinvalue::wholeFromHundredths(-250), -3.0f);
        QCOMPARE(ostrevo::spinvalue::wholeFromHundredths(349), 3.0f);
    }

    void bagRoundTrip()
    {
        Spin *fresh = newSpin();
        PropertyBag empty;
        fresh->writeProperties(empty);
        QCOMPARE(empty.contains(QStringLiteral("Value")), false);
        QCOMPARE(empty.contains(QStringLiteral("BorderStyle")), false);
        QCOMPARE(empty.contains(QStringLiteral("Result1")), false);

        Spin *s = newSpin();
        s->let(QStringLiteral("Result1"), Variant::fromSingle(50));
        s->let(QStringLiteral("Value"), Variant::fromInteger(4));
        s->let(QStringLiteral("BorderStyle"), Variant::fromLong(2));
        s->let(QStringLiteral("EnabledS"), Variant::fromBool(false));
        PropertyBag bag;
        s->writeProperties(bag);
        QCOMPARE(bag.readProperty(QStringLiteral("Result1")).toSingle(), 2.0f);
        bag.writeProperty(QStringLiteral("EnabledS"), Variant::fromBool(false));
        Spin *loaded = newSpin(&bag);
        QCOMPARE(loaded->factor(0), 2.0f);
        QCOMPARE(loaded->get(QStringLiteral("Value")).toLong(), 4);
        QCOMPARE(loaded->get(QStringLiteral("BorderStyle")).toLong(), 2);
        QCOMPARE(text1(loaded)->isEnabledTo(loaded), false);
        QVERIFY(loaded->findChild<QScrollBar *>(QStringLiteral("VScroll1"))->isEnabledTo(loaded));
    }

    void layoutEnlargesAndCapsTheFont()
    {
        Spin *s = newSpin();
        s->resize(20, 13); // 300 x 200 twips
        QCOMPARE(s->layoutTwips().frame.width(), 500);
        QCOMPARE(s->get(QStringLiteral("FontSize")).toSingle(), 5.0f);
        QCOMPARE(s->layoutTwips().text.height(), 75);
        s->let(QStringLiteral("BorderStyle"), Variant::fromLong(2));
        QCOMPARE(s->layoutTwips().scroll.top(), 5);
        QCOMPARE(s->layoutTwips().scroll.height(), s->layoutTwips().frame.height() - 65);
        QCOMPARE(s->findChild<QFrame *>(QStringLiteral("Text2"))->frameShadow(), QFrame::Sunken);
    }
};

KV_TEST_MAIN(TestSpin)
#include "tst_Spin.moc"
