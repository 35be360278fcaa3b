#include "controls/tree/ScrollBox.h"
#include "platform/com/EventHandlers.h"
#include "platform/com/PropertyBag.h"
#include "tests/support/Automation.h"
#include "tests/support/HostForm.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QMouseEvent>

using com::Variant;
using ostrevo::ScrollBox;
using testsupport::errorOf;

// A box of 200 x 100 pixels (3000 x 1500 twips); with the flat frame the
// contents start 60 twips (4 pixels) below the top.
class TestScrollBox : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;
    QStringList m_events;
    com::EventHandlers m_handlers; // the form's, for handlers that fail

    ScrollBox *newBox(const com::PropertyBag *bag = nullptr)
    {
        com::Control *control =
            testsupport::createRecorded(QStringLiteral("Quiv_Tools.ScrollBox"), m_form.get(),
                                        QStringLiteral("ScrollBox1"), m_events, {}, bag, &m_handlers);
        auto *box = dynamic_cast<ScrollBox *>(control);
        Q_ASSERT(box);
        return box;
    }
    static QWidget *child(ScrollBox *box, int top, int height)
    {
        auto *widget = new QWidget(box);
        widget->setGeometry(10, top, 50, height);
        return widget;
    }
    static QWidget *line(ScrollBox *box, double y1, double y2)
    {
        auto *widget = new QWidget(box);
        widget->setProperty("X1", 0.0);
        widget->setProperty("Y1", y1);
        widget->setProperty("X2", 600.0);
        widget->setProperty("Y2", y2);
        return widget;
    }
    void place(ScrollBox *box)
    {
        box->resize(200, 100);
        box->show();
        m_events.clear();
        box->site()->clearChangedProperties();
    }
    static QWidget *strip(ScrollBox *box) { return box->findChild<QWidget *>(QStringLiteral("lblArea")); }
    static void mouse(ScrollBox *box, QEvent::Type type, int y, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QWidget *area = strip(box);
        const QPointF pos(10, y);
        QMouseEvent event(type, pos, area->mapToGlobal(pos), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(area, &event);
    }
    static void press(ScrollBox *box, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(box, QEvent::MouseButtonPress, y, button, button);
    }
    static void drag(ScrollBox *box, int y, Qt::MouseButtons held = Qt::LeftButton)
    {
        mouse(box, QEvent::MouseMove, y, Qt::NoButton, held);
    }
    static void release(ScrollBox *box, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(box, QEvent::MouseButtonRelease, y, button, Qt::NoButton);
    }
    static QRect geometryOf(ScrollBox *box, const char *name)
    {
        return box->findChild<QWidget *>(QString::fromLatin1(name))->geometry();
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        m_form.open(QSize(400, 300));
        m_events.clear();
    }

    void cleanup()
    {
        m_form.reset();
        m_handlers = com::EventHandlers();
    }

    void frameAndStrip_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("thickness");
        QTest::newRow("eOff") << 0 << 0;
        QTest::newRow("eFlat") << 1 << 1;
        QTest::newRow("eStandard") << 2 << 2;
        QTest::newRow("unknown style draws the wide frame") << 7 << 2;
    }
    void frameAndStrip()
    {
        QFETCH(int, style);
        QFETCH(int, thickness);
        ScrollBox *box = newBox();
        place(box);
        box->let(QStringLiteral("BorderStyle"), Variant::fromLong(style));
        const int t = thickness;
        QCOMPARE(geometryOf(box, "LineTop"), QRect(0, 0, 200 - t, t));
        QCOMPARE(geometryOf(box, "LineLeft"), QRect(0, 0, t, 100));
        QCOMPARE(geometryOf(box, "LineRight"), QRect(200 - t, 0, t, 100));
        QCOMPARE(geometryOf(box, "LineBottom"), QRect(0, 100 - t, 200 - t, t));
        QCOMPARE(box->findChild<QWidget *>(QStringLiteral("LineTop"))->isHidden(), style == 0);
        // 400 twips from the right edge, 300 twips wide, full height.
        QCOMPARE(geometryOf(box, "lblArea"), QRect(173, 0, 20, 100));
        QCOMPARE(box->site()->changedProperties(), QStringList{QStringLiteral("BorderStyle")});
    }

    void frameStaysInFrontOfContents()
    {
        ScrollBox *box = newBox();
        child(box, 0, 100)->setObjectName(QStringLiteral("cover"));
        place(box);
        QCOMPARE(box->childAt(5, 0)->objectName(), QStringLiteral("LineTop"));
        QCOMPARE(box->childAt(0, 50)->objectName(), QStringLiteral("LineLeft"));
        // Colours: the strip and the two frame colours as drawn.
        box->let(QStringLiteral("ScrollColor"), Variant::fromColor(0x0000FF));
        QCOMPARE(strip(box)->grab().toImage().pixel(2, 2), qRgb(255, 0, 0));
        QCOMPARE(box->findChild<QWidget *>(QStringLiteral("LineRight"))->grab().toImage().pixel(0, 5),
                 qRgb(0xE0, 0xE0, 0xE0));
        QCOMPARE(box->findChild<QWidget *>(QStringLiteral("LineTop"))->grab().toImage().pixel(5, 0),
                 qRgb(0x80, 0x80, 0x80));
    }

    void tinyBoxGetsEmptyStrips()
    {
        ScrollBox *box = newBox();
        box->resize(0, 0);
        box->show();
        QCOMPARE(geometryOf(box, "LineTop").size(), QSize(0, 1));
        QCOMPARE(geometryOf(box, "LineBottom").size(), QSize(0, 1));
    }

    void showingAlignsTopmostControl()
    {
        ScrollBox *box = newBox();
        QWidget *a = child(box, 40, 20);
        QWidget *b = child(box, 90, 10);
        QWidget *l = line(box, 900, 750); // the upper end counts
        place(box);
        QCOMPARE(a->y(), 4);
        QCOMPARE(b->y(), 54);
        QCOMPARE(l->property("Y1").toDouble(), 360.0);
        QCOMPARE(l->property("Y2").toDouble(), 210.0);
        QCOMPARE(box->scrollOffset(), 0.0f);
    }

    void dragMovesContentsAndStopsAtEnds()
    {
        ScrollBox *box = newBox();
        QWidget *a = child(box, 4, 20);
        QWidget *b = child(box, 160, 40); // bottom 3000 twips: extent 3060, lowest offset -1560
        place(box);
        QCOMPARE(box->extent(), 3060.0f);

        press(box, 20);
        QCOMPARE(m_events, QStringList{QStringLiteral("MouseDown(1, 0, 150, 300)")});
        QCOMPARE(box->stripIcon(), box->closedHand());
        m_events.clear();
        drag(box, 0);
        QCOMPARE(m_events,
                 (QStringList{QStringLiteral("Scroll()"), QStringLiteral("MouseMove(1, 0, 150, 0)")}));
        QCOMPARE(a->y(), -16);
        QCOMPARE(b->y(), 140);
        QCOMPARE(box->get(QStringLiteral("Value")).toString(), QStringLiteral("-300"));

        // Past the bottom end: the contents stop bottom-aligned.
        release(box, 0);
        press(box, 99);
        drag(box, 0);
        QCOMPARE(box->scrollOffset(), -1560.0f);
        QCOMPARE(b->y() + b->height(), 96);
        QCOMPARE(a->y(), -100);
        release(box, 0);
        press(box, 50);
        drag(box, 0);
        QCOMPARE(a->y(), -100);
        QCOMPARE(box->get(QStringLiteral("Value")).toString(), QStringLiteral("-1560"));

        // Back past the top end: the contents return exactly to the top.
        release(box, 0);
        press(box, 0);
        drag(box, 99);
        QCOMPARE(box->scrollOffset(), -75.0f);
        release(box, 99);
        press(box, 0);
        drag(box, 99);
        QCOMPARE(box->scrollOffset(), 0.0f);
        QCOMPARE(a->y(), 4);
        QCOMPARE(b->y(), 160);
        release(box, 99);
        press(box, 20);
        drag(box, 70);
        QCOMPARE(a->y(), 4);
        QCOMPARE(box->scrollOffset(), 0.0f);

        m_events.clear();
        release(box, 70);
        QCOMPARE(m_events, QStringList{QStringLiteral("MouseUp(1, 0, 150, 1050)")});
        QCOMPARE(box->dragReference(), -1.0f);
        QCOMPARE(box->stripIcon(), box->openHand());
    }

    void movesWithoutLeftButtonOrUnderAPixelMoveNothing()
    {
        ScrollBox *box = newBox();
        QWidget *a = child(box, 4, 400);
        place(box);
        press(box, 50);
        drag(box, 50); // no distance at all
        QCOMPARE(a->y(), 4);
        m_events.clear();
        drag(box, 10, Qt::NoButton);
        drag(box, 0, Qt::LeftButton | Qt::RightButton);
        QCOMPARE(a->y(), 4);
        QCOMPARE(m_events,
                 (QStringList{QStringLiteral("Scroll()"), QStringLiteral("MouseMove(0, 0, 150, 150)"),
                              QStringLiteral("Scroll()"), QStringLiteral("MouseMove(3, 0, 150, 0)")}));
        QCOMPARE(box->get(QStringLiteral("Value")).toString(), QStringLiteral("0"));
    }

    void rightButtonRaisesOnlyMouseUp()
    {
        ScrollBox *box = newBox();
        place(box);
        box->let(QStringLiteral("Value"), QStringLiteral("-15")); // leaves a reference behind
        press(box, 30, Qt::RightButton);
        QVERIFY(m_events.isEmpty());
        QCOMPARE(box->stripIcon(), box->openHand());
        release(box, 30, Qt::RightButton);
        QCOMPARE(m_events, QStringList{QStringLiteral("MouseUp(2, 0, 150, 450)")});
        QCOMPARE(box->dragReference(), -1.0f);
    }

    void shortContentsNeverMove()
    {
        ScrollBox *box = newBox();
        QWidget *a = child(box, 4, 20);
        QWidget *hidden = child(box, 50, 500); // hidden controls do not count
        hidden->hide();
        place(box);
        QCOMPARE(box->extent(), 1500.0f);
        press(box, 90);
        drag(box, 0);
        drag(box, 99);
        QCOMPARE(a->y(), 4);
        QCOMPARE(box->scrollOffset(), 0.0f);
    }

    void smallerBoxDoesNotKeepItsOldHeightAsRoom()
    {
        ScrollBox *box = newBox();
        QWidget *a = child(box, 4, 20);
        box->resize(200, 300);
        place(box); // 100 pixels high now
        QCOMPARE(box->extent(), 1500.0f);
        press(box, 90);
        drag(box, 0);
        QCOMPARE(a->y(), 4);
    }

    void valueLetIsOneDragStep()
    {
        ScrollBox *box = newBox();
        QWidget *a = child(box, 4, 20);
        child(box, 150, 250);
        place(box);
        QCOMPARE(box->get(QStringLiteral("Value")).toString(), QString());
        box->let(QStringLiteral("Value"), QStringLiteral("-500"));
        QCOMPARE(box->get(QStringLiteral("Value")).toString(), QStringLiteral("-500"));
        QCOMPARE(a->y(), -29); // 60 - 500 twips
        QCOMPARE(box->dragReference(), -500.0f);
        // A negative reference counts as no drag: the next step only re-anchors.
        box->let(QStringLiteral("Value"), QStringLiteral("-900"));
        QCOMPARE(a->y(), -29);
        QCOMPARE(box->get(QStringLiteral("Value")).toString(), QStringLiteral("-500"));
        QVERIFY(m_events.isEmpty());
        QVERIFY(box->site()->changedProperties().isEmpty());

        QCOMPARE(errorOf([&] { box->let(QStringLiteral("Value"), QStringLiteral("oben")); }), 13);
        QCOMPARE(box->get(QStringLiteral("Value")).toString(), QStringLiteral("-500"));
        QCOMPARE(box->dragReference(), -900.0f);
    }

    void moveControlsKeepsOffset()
    {
        ScrollBox *box = newBox();
        QWidget *a = child(box, 4, 20);
        QWidget *l = line(box, 600, 900);
        child(box, 160, 40);
        place(box);
        box->call(QStringLiteral("MoveControls"), {Variant::fromLong(300)});
        QCOMPARE(a->y(), 24);
        QCOMPARE(l->property("Y1").toDouble(), 900.0);
        QCOMPARE(l->property("Y2").toDouble(), 1200.0);
        QCOMPARE(box->scrollOffset(), 0.0f);
        // The offset is still 0, so a downward drag clamps against it and
        // brings the contents back by the old offset, which is nothing.
        press(box, 0);
        drag(box, 40);
        QCOMPARE(a->y(), 24);
        QCOMPARE(errorOf([&] { box->call(QStringLiteral("MoveControls"), {Variant::fromLong(2147483647)}); }),
                 6);
    }

    void lineWithoutSecondEndFails()
    {
        ScrollBox *box = newBox();
        place(box);
        auto *broken = new QWidget(box);
        broken->setProperty("Y1", 100.0);
        QCOMPARE(errorOf([&] { box->call(QStringLiteral("MoveControls"), {Variant::fromLong(15)}); }), 438);
        // The same failure inside a drag goes on to the input's sender, before any event.
        press(box, 20);
        m_events.clear();
        QCOMPARE(errorOf([&] { drag(box, 0); }), 438);
        QCOMPARE(m_events.size(), 0);
    }

    // Showing measures what the aligned contents reach: a box of 3000 twips
    // whose topmost control stood 690 twips too low scrolls by exactly the
    // contents' overhang, with no blank room below them.
    void extentMeasuredAfterAligning()
    {
        ScrollBox *box = newBox();
        child(box, 50, 20);                  // top 750 twips: moves up by 690
        QWidget *last = child(box, 200, 66); // bottom 3990 twips before, 3300 after aligning
        box->resize(200, 200);
        box->show();
        QCOMPARE(box->extent(), 3360.0f); // 3300 + four border heights
        press(box, 199);
        drag(box, 0);
        QCOMPARE(box->scrollOffset(), -360.0f);
        QCOMPARE(last->y() + last->height(), 196); // bottom-aligned above the margin
    }

    // A failing handler of the host fails the input that raised it; the step
    // before it has happened, the events after it are not raised.
    void handlerErrorsReachTheSender_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QStringList>("raised");
        QTest::newRow("MouseDown") << QStringLiteral("MouseDown")
                                   << QStringList{QStringLiteral("MouseDown(1, 0, 150, 300)")};
        QTest::newRow("Scroll") << QStringLiteral("Scroll") << QStringList{QStringLiteral("Scroll()")};
        QTest::newRow("MouseMove") << QStringLiteral("MouseMove")
                                   << QStringList{QStringLiteral("Scroll()"),
                                                  QStringLiteral("MouseMove(1, 0, 150, 0)")};
        QTest::newRow("MouseUp") << QStringLiteral("MouseUp")
                                 << QStringList{QStringLiteral("MouseUp(1, 0, 150, 0)")};
        QTest::newRow("KeyDown") << QStringLiteral("KeyDown")
                                 << QStringList{QStringLiteral("KeyDown(65, 0)")};
        QTest::newRow("KeyPress") << QStringLiteral("KeyPress")
                                  << QStringList{QStringLiteral("KeyDown(65, 0)"),
                                                 QStringLiteral("KeyPress(97)")};
        QTest::newRow("KeyUp") << QStringLiteral("KeyUp") << QStringList{QStringLiteral("KeyUp(65, 0)")};
    }
    void handlerErrorsReachTheSender()
    {
        QFETCH(QString, failing);
        QFETCH(QStringList, raised);
        ScrollBox *box = newBox();
        QWidget *a = child(box, 4, 20);
        child(box, 160, 40);
        place(box);
        m_handlers.on(QStringLiteral("ScrollBox1_") + failing,
                      [](com::Args &) { com::raiseError(5, QStringLiteral("Ungültiger Prozeduraufruf")); });
        if (failing.startsWith(QLatin1String("Key"))) {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QKeyEvent up(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            const bool onRelease = failing == QLatin1String("KeyUp");
            QCOMPARE(errorOf([&] { QCoreApplication::sendEvent(strip(box), &down); }), onRelease ? 0 : 5);
            if (onRelease) {
                m_events.clear();
                QCOMPARE(errorOf([&] { QCoreApplication::sendEvent(strip(box), &up); }), 5);
            }
        } else if (failing == QLatin1String("MouseDown")) {
            QCOMPARE(errorOf([&] { press(box, 20); }), 5);
            QCOMPARE(box->stripIcon(), box->closedHand()); // the press itself was taken
        } else if (failing == QLatin1String("MouseUp")) {
            press(box, 20);
            m_events.clear();
            QCOMPARE(errorOf([&] { release(box, 0); }), 5);
            QCOMPARE(box->dragReference(), -1.0f);
        } else {
            press(box, 20);
            m_events.clear();
            QCOMPARE(errorOf([&] { drag(box, 0); }), 5);
            QCOMPARE(a->y(), -16); // the drag step came first
        }
        QCOMPARE(m_events, raised);
    }

    void keysOnStrip()
    {
        ScrollBox *box = newBox();
        place(box);
        QTest::keyClick(strip(box), Qt::Key_A);
        QCOMPARE(m_events, (QStringList{QStringLiteral("KeyDown(65, 0)"), QStringLiteral("KeyPress(97)"),
                                        QStringLiteral("KeyUp(65, 0)")}));
    }

    void propertiesRoundTrip()
    {
        ScrollBox *box = newBox();
        QCOMPARE(box->get(QStringLiteral("BorderStyle")).toLong(), 1);
        box->site()->clearChangedProperties();
        com::PropertyBag fresh = com::ControlHost::saveControl(*box);
        QVERIFY(fresh.isEmpty());

        box->let(QStringLiteral("BorderStyle"), Variant::fromLong(2));
        box->let(QStringLiteral("BackColor"), Variant::fromColor(0x123456));
        box->let(QStringLiteral("ScrollColor"), Variant::fromColor(0x8000000F));
        box->let(QStringLiteral("ShadowColor"), Variant::fromColor(0x00FF00));
        box->let(QStringLiteral("ShadowForeColor"), Variant::fromColor(0x0000FF));
        box->let(QStringLiteral("ScrollVisible"), Variant::fromBool(false));
        QCOMPARE(box->site()->changedProperties(),
                 (QStringList{QStringLiteral("BorderStyle"), QStringLiteral("BackColor"),
                              QStringLiteral("ScrollColor"), QStringLiteral("ShadowColor"),
                              QStringLiteral("ShadowForeColor")}));
        const com::PropertyBag bag = com::ControlHost::saveControl(*box);
        QVERIFY(!bag.contains(QStringLiteral("ScrollVisible")));

        ScrollBox *loaded = newBox(&bag);
        for (const char *name : {"BorderStyle", "BackColor", "ScrollColor", "ShadowColor", "ShadowForeColor"})
            QCOMPARE(loaded->get(QString::fromLatin1(name)).toLong(),
                     box->get(QString::fromLatin1(name)).toLong());
        QCOMPARE(loaded->get(QStringLiteral("ScrollVisible")).toBool(), true);
        QCOMPARE(loaded->get(QStringLiteral("ScrollColor")).toColor(), 0x8000000Fu);
    }
};

KV_TEST_MAIN(TestScrollBox)
#include "tst_ScrollBox.moc"
