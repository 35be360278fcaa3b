#include "platform/runtime/Twips.h"
#include "tests/support/TestMain.h"

#include <QScreen>

using rt::Twips;

class TestTwips : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void fixedBeforeTheApplication();
    void toPixels_data();
    void toPixels();
    void fromPixels_data();
    void fromPixels();
    void rects_data();
    void rects();
    void rejectsInvalidPerPixel_data();
    void rejectsInvalidPerPixel();
    void resetFollowsScreen();
};

void TestTwips::cleanup()
{
    Twips::setPerPixel(15, 15);
}

void TestTwips::fixedBeforeTheApplication()
{
    // The test main fixed it before QApplication existed.
    QCOMPARE(Twips::perPixelX(), 15.0);
    QCOMPARE(Twips::perPixelY(), 15.0);
}

void TestTwips::toPixels_data()
{
    QTest::addColumn<double>("perPixel");
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("15: zero") << 15.0 << 0.0 << 0;
    QTest::newRow("15: exact") << 15.0 << 1440.0 << 96;
    QTest::newRow("15: 7 rounds down") << 15.0 << 7.0 << 0;
    QTest::newRow("15: 8 rounds up") << 15.0 << 8.0 << 1;
    QTest::newRow("15: half to even down") << 15.0 << 37.5 << 2;
    QTest::newRow("15: half to even up") << 15.0 << 22.5 << 2;
    QTest::newRow("15: negative half") << 15.0 << -22.5 << -2;
    QTest::newRow("12: exact") << 12.0 << 1440.0 << 120;
    QTest::newRow("12: half of one") << 12.0 << 6.0 << 0;
    QTest::newRow("12: one and a half") << 12.0 << 18.0 << 2;
    QTest::newRow("12: two and a half") << 12.0 << 30.0 << 2;
    QTest::newRow("12: three and a half") << 12.0 << 42.0 << 4;
    QTest::newRow("12: negative") << 12.0 << -30.0 << -2;
    QTest::newRow("huge clamps") << 15.0 << 1e12 << std::numeric_limits<int>::max();
}

void TestTwips::toPixels()
{
    QFETCH(double, perPixel);
    QFETCH(double, twips);
    QFETCH(int, pixels);
    QVERIFY(Twips::setPerPixel(perPixel, perPixel));
    QCOMPARE(Twips::toPixelsX(twips), pixels);
    QCOMPARE(Twips::toPixelsY(twips), pixels);
}

void TestTwips::fromPixels_data()
{
    QTest::addColumn<double>("perPixelX");
    QTest::addColumn<double>("perPixelY");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("twipsX");
    QTest::addColumn<int>("twipsY");
    QTest::newRow("15") << 15.0 << 15.0 << 100 << 1500 << 1500;
    QTest::newRow("12") << 12.0 << 12.0 << 100 << 1200 << 1200;
    QTest::newRow("x and y differ") << 15.0 << 12.0 << -3 << -45 << -36;
    QTest::newRow("fraction, half to even") << 2.5 << 7.5 << 1 << 2 << 8;
    QTest::newRow("fraction, odd") << 2.5 << 7.5 << 3 << 8 << 22;
}

void TestTwips::fromPixels()
{
    QFETCH(double, perPixelX);
    QFETCH(double, perPixelY);
    QFETCH(int, pixels);
    QFETCH(int, twipsX);
    QFETCH(int, twipsY);
    QVERIFY(Twips::setPerPixel(perPixelX, perPixelY));
    QCOMPARE(Twips::fromPixelsX(pixels), twipsX);
    QCOMPARE(Twips::fromPixelsY(pixels), twipsY);
    QCOMPARE(Twips::fromPixels(QRect(pixels, pixels, pixels, pixels)), QRect(twipsX, twipsY, twipsX, twipsY));
}

void TestTwips::rects_data()
{
    QTest::addColumn<double>("perPixel");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("15") << 15.0 << QRect(1200, 600, 1500, 375) << QRect(80, 40, 100, 25);
    QTest::newRow("15 rounded parts") << 15.0 << QRect(22, 38, 1501, 8) << QRect(1, 3, 100, 1);
    // Top 2.5 and height 1.5 both go to the even 2.
    QTest::newRow("12 half to even") << 12.0 << QRect(120, 30, 1200, 18) << QRect(10, 2, 100, 2);
}

void TestTwips::rects()
{
    QFETCH(double, perPixel);
    QFETCH(QRect, twips);
    QFETCH(QRect, pixels);
    QVERIFY(Twips::setPerPixel(perPixel, perPixel));
    QCOMPARE(Twips::toPixels(twips), pixels);
    QCOMPARE(Twips::toPixels(twips.size()), pixels.size());
}

void TestTwips::rejectsInvalidPerPixel_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("zero") << 0.0 << 15.0;
    QTest::newRow("negative") << 15.0 << -1.0;
    QTest::newRow("not a number") << std::nan("") << 15.0;
    QTest::newRow("infinite") << 15.0 << std::numeric_limits<double>::infinity();
}

void TestTwips::rejectsInvalidPerPixel()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QVERIFY(Twips::setPerPixel(12, 12));
    QVERIFY(!Twips::setPerPixel(x, y));
    QCOMPARE(Twips::perPixelX(), 12.0);
    QCOMPARE(Twips::perPixelY(), 12.0);
}

void TestTwips::resetFollowsScreen()
{
    QVERIFY(Twips::setPerPixel(12, 12));
    Twips::resetPerPixel();
    const QScreen *screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    QCOMPARE(Twips::perPixelX(), 1440.0 / screen->logicalDotsPerInchX());
    QCOMPARE(Twips::perPixelY(), 1440.0 / screen->logicalDotsPerInchY());
}

KV_TEST_MAIN(TestTwips)
#include "tst_Twips.moc"
