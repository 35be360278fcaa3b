#include "controls/gauges/RulerScale.h"
#include "tests/support/TestMain.h"

using ostrevo::RulerScale;
using Depth = RulerScale::Depth;

namespace
{

std::vector<RulerScale::Tick> ticksOf(int adjust, int zoom, double length)
{
    std::vector<RulerScale::Tick> ticks;
    RulerScale::forEachTick(adjust, int16_t(zoom), length,
                            [&](const RulerScale::Tick &t) { ticks.push_back(t); });
    return ticks;
}

} // namespace

// Where the scale puts its ticks, for each unit's adjust value and each zoom.
class TestRulerScale : public QObject
{
    Q_OBJECT
private slots:
    void positionsForEveryUnitAndZoom_data()
    {
        QTest::addColumn<int>("adjust");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<float>("first");
        QTest::addColumn<float>("step");
        QTest::addColumn<float>("numbered"); // the tenth tick
        // Centimetre (445), twips (1000), inch (1440), pixel (1500 at 15 twips a pixel).
        QTest::newRow("cm 1") << 445 << 1 << 44.5f << 44.5f << 445.f;
        QTest::newRow("cm 2") << 445 << 2 << 92.708336f << 89.f << 893.70834f;
        QTest::newRow("cm 4") << 445 << 4 << 179.43549f << 178.f << 1781.4355f;
        QTest::newRow("cm 8") << 445 << 8 << 358.87097f << 356.f << 3562.871f;
        QTest::newRow("twip 1") << 1000 << 1 << 100.f << 100.f << 1000.f;
        QTest::newRow("twip 2") << 1000 << 2 << 208.33333f << 200.f << 2008.3334f;
        QTest::newRow("twip 4") << 1000 << 4 << 403.22580f << 400.f << 4003.2258f;
        QTest::newRow("twip 8") << 1000 << 8 << 806.45161f << 800.f << 8006.4516f;
        QTest::newRow("inch 1") << 1440 << 1 << 144.f << 144.f << 1440.f;
        QTest::newRow("inch 2") << 1440 << 2 << 300.f << 288.f << 2892.f;
        QTest::newRow("inch 4") << 1440 << 4 << 580.64516f << 576.f << 5764.6452f;
        QTest::newRow("inch 8") << 1440 << 8 << 1161.2903f << 1152.f << 11529.290f;
        QTest::newRow("pixel 1") << 1500 << 1 << 150.f << 150.f << 1500.f;
        QTest::newRow("pixel 2") << 1500 << 2 << 312.5f << 300.f << 3012.5f;
        QTest::newRow("pixel 4") << 1500 << 4 << 604.83871f << 600.f << 6004.8387f;
        QTest::newRow("pixel 8") << 1500 << 8 << 1209.6774f << 1200.f << 12009.677f;
    }

    void positionsForEveryUnitAndZoom()
    {
        QFETCH(int, adjust);
        QFETCH(int, zoom);
        QFETCH(float, first);
        QFETCH(float, step);
        QFETCH(float, numbered);
        // The second group starts one step past the numbered tick: just
        // inside the length, so there are two groups and no more.
        const auto ticks = ticksOf(adjust, zoom, double(numbered) + double(step) + 1);
        QCOMPARE(ticks.size(), size_t(20));
        QCOMPARE(ticks[0].position, first);
        QCOMPARE(ticks[1].position - ticks[0].position, step);
        QCOMPARE(ticks[9].position, numbered);
        for (size_t i = 0; i < ticks.size(); ++i) {
            const Depth depth = i % 10 == 9 ? Depth::Full : i % 10 == 4 ? Depth::Half : Depth::Eighth;
            QCOMPARE(ticks[i].depth, depth);
            QCOMPARE(ticks[i].label.isEmpty(), depth != Depth::Full);
        }
        // Numbered ticks count the zoom's units: z, 2z.
        QCOMPARE(ticks[9].label, QString::number(zoom));
        QCOMPARE(ticks[19].label, QString::number(2 * zoom));
    }

    // One twip per unit steps by a tenth of a twip; far out a Single cannot
    // add that any more, and the scale must end there instead of spinning.
    void aStepTooSmallForASingleEnds()
    {
        size_t count = 0;
        float last = 0;
        RulerScale::forEachTick(1, 1, 1e7, [&](const RulerScale::Tick &t) {
            ++count;
            last = t.position;
        });
        QVERIFY(count > 1000000);
        QVERIFY(last < 1e7f);
    }
};

KV_TEST_MAIN(TestRulerScale)
#include "tst_RulerScale.moc"
