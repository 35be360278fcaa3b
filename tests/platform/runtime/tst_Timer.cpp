#include "platform/com/AutomationError.h"
#include "platform/runtime/Timer.h"
#include "tests/support/TestMain.h"

#include <memory>

using rt::Timer;

class TestTimer : public QObject
{
    Q_OBJECT
private slots:
    void fire_data();
    void fire();
    void ticksOnItsOwn();
    void rejectsInterval_data();
    void rejectsInterval();
    void doesNotReenterItsHandler();
    void handlerMayEndTheTimer();
};

void TestTimer::fire_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("ticks");
    QTest::newRow("running") << 1000 << true << true;
    QTest::newRow("interval 0 stops") << 0 << true << false;
    QTest::newRow("disabled") << 1000 << false << false;
    QTest::newRow("longest interval") << 65535 << true << true;
}

void TestTimer::fire()
{
    QFETCH(int, interval);
    QFETCH(bool, enabled);
    QFETCH(bool, ticks);
    Timer timer;
    int count = 0;
    timer.setTickHandler([&] { ++count; });
    timer.setInterval(interval);
    timer.setEnabled(enabled);
    QCOMPARE(timer.isRunning(), ticks);
    QCOMPARE(timer.fire(), ticks);
    QCOMPARE(count, ticks ? 1 : 0);
}

void TestTimer::ticksOnItsOwn()
{
    Timer timer;
    int count = 0;
    timer.setTickHandler([&] {
        ++count;
        timer.setEnabled(false);
    });
    QVERIFY(timer.isEnabled());
    QVERIFY(!timer.isRunning()); // no interval yet
    timer.setInterval(5);
    QTRY_COMPARE(count, 1);
    QTest::qWait(30);
    QCOMPARE(count, 1);
    // Enabling again starts it afresh.
    timer.setEnabled(true);
    QTRY_COMPARE(count, 2);
}

void TestTimer::rejectsInterval_data()
{
    QTest::addColumn<int>("interval");
    QTest::newRow("negative") << -1;
    QTest::newRow("beyond 16 bits") << 65536;
}

void TestTimer::rejectsInterval()
{
    QFETCH(int, interval);
    Timer timer;
    timer.setInterval(250);
    try {
        timer.setInterval(interval);
        QFAIL("no error raised");
    } catch (const com::AutomationError &error) {
        QCOMPARE(error.number(), 380);
    }
    QCOMPARE(timer.interval(), 250);
}

void TestTimer::doesNotReenterItsHandler()
{
    Timer timer;
    timer.setInterval(100);
    int count = 0;
    bool innerRan = true;
    timer.setTickHandler([&] {
        ++count;
        innerRan = timer.fire();
    });
    QVERIFY(timer.fire());
    QCOMPARE(count, 1);
    QVERIFY(!innerRan);
    // And ticks again once the handler has finished.
    QVERIFY(timer.fire());
    QCOMPARE(count, 2);
}

void TestTimer::handlerMayEndTheTimer()
{
    auto timer = std::make_unique<Timer>();
    timer->setInterval(100);
    int count = 0;
    timer->setTickHandler([&] {
        ++count;
        timer.reset();
    });
    QVERIFY(timer->fire());
    QCOMPARE(count, 1);
    QVERIFY(!timer);
}

KV_TEST_MAIN(TestTimer)
#include "tst_Timer.moc"
