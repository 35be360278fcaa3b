#include "platform/runtime/RealClock.h"
#include "platform/runtime/RealCursorSource.h"
#include "platform/runtime/RealScreenSource.h"
#include "platform/runtime/SystemSources.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeClock.h"
#include "tests/support/fakes/FakeCursorSource.h"
#include "tests/support/fakes/FakeScreenSource.h"

using namespace rt;

class TestSystemSources : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void realByDefault();
    void fakeCursorAndScreen();
    void fakeClock();
    void nullBringsRealBack();
};

void TestSystemSources::cleanup()
{
    SystemSources::reset();
}

void TestSystemSources::realByDefault()
{
    QVERIFY(dynamic_cast<RealCursorSource *>(&SystemSources::cursor()));
    QVERIFY(dynamic_cast<RealScreenSource *>(&SystemSources::screen()));
    QVERIFY(dynamic_cast<RealClock *>(&SystemSources::clock()));
}

void TestSystemSources::fakeCursorAndScreen()
{
    auto fake = std::make_unique<FakeCursorSource>(QPoint(10, 20));
    FakeCursorSource *cursor = fake.get();
    SystemSources::setCursor(std::move(fake));
    SystemSources::setScreen(std::make_unique<FakeScreenSource>(QSize(1920, 1080), QRect(0, 32, 1920, 1048)));
    cursor->setPosition(QPoint(-5, 700));
    QCOMPARE(SystemSources::cursor().position(), QPoint(-5, 700));
    QCOMPARE(SystemSources::screen().size(), QSize(1920, 1080));
    QCOMPARE(SystemSources::screen().workArea(), QRect(0, 32, 1920, 1048));
    SystemSources::reset();
    QVERIFY(dynamic_cast<RealCursorSource *>(&SystemSources::cursor()));
    QVERIFY(dynamic_cast<RealScreenSource *>(&SystemSources::screen()));
}

void TestSystemSources::fakeClock()
{
    const QDateTime start(QDate(2026, 12, 31), QTime(23, 59, 59, 500));
    auto fake = std::make_unique<FakeClock>(start, 1000);
    FakeClock *clock = fake.get();
    SystemSources::setClock(std::move(fake));
    QCOMPARE(SystemSources::clock().now(), start);
    QCOMPARE(SystemSources::clock().tickCount(), qint64(1000));
    clock->advance(750);
    QCOMPARE(SystemSources::clock().now(), QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0, 250)));
    QCOMPARE(SystemSources::clock().tickCount(), qint64(1750));
    clock->setTickCount(5);
    QCOMPARE(SystemSources::clock().tickCount(), qint64(5));
    QCOMPARE(SystemSources::clock().now(), QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0, 250)));
}

void TestSystemSources::nullBringsRealBack()
{
    SystemSources::setClock(std::make_unique<FakeClock>());
    SystemSources::setClock(nullptr);
    QVERIFY(dynamic_cast<RealClock *>(&SystemSources::clock()));
    // The real tick count moves forward.
    const qint64 first = SystemSources::clock().tickCount();
    QTest::qWait(20);
    QVERIFY(SystemSources::clock().tickCount() >= first + 20);
}

KV_TEST_MAIN(TestSystemSources)
#include "tst_SystemSources.moc"
