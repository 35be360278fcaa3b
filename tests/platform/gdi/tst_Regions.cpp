// Region objects: creation, combining, testing, painting, window shapes.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/Regions.h"
#include "platform/gdi/WindowRegion.h"
#include "tests/support/Canvas.h"
#include "tests/support/TestMain.h"

#include <QWidget>

using namespace gdi;

namespace
{

using namespace testsupport::colours;

int area(const QRegion &region)
{
    int sum = 0;
    for (const QRect &r : region)
        sum += r.width() * r.height();
    return sum;
}

// "x,y=1 x,y=0": points that must lie in (1) or out of (0) the region.
void checkProbes(Handle region, const QString &probes)
{
    for (const QString &probe : probes.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = probe.split(QLatin1Char('='));
        const QStringList xy = parts[0].split(QLatin1Char(','));
        const bool inside = ptInRegion(region, xy[0].toInt(), xy[1].toInt());
        if (inside != (parts[1] == QLatin1String("1")))
            QFAIL(qPrintable(QStringLiteral("probe %1 is %2").arg(probe, inside ? "in" : "out")));
    }
}

} // namespace

class TestRegions : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(liveObjectCount(), 0); }

    void rectangleRegions()
    {
        GdiObject r(createRectRgn(2, 3, 6, 5));
        Rect box;
        QCOMPARE(getRgnBox(r, box), int(SimpleRegion));
        QCOMPARE(box, (Rect{2, 3, 6, 5}));
        checkProbes(r, "2,3=1 5,4=1 6,4=0 5,5=0 1,3=0 2,2=0");
        // Corners in any order give the same region; no area gives none.
        GdiObject reversed(createRectRgn(6, 5, 2, 3));
        QVERIFY(equalRgn(r, reversed));
        GdiObject empty(createRectRgn(4, 4, 4, 9));
        QCOMPARE(getRgnBox(empty, box), int(NullRegion));
        QCOMPARE(box, Rect{});
        QVERIFY(setRectRgn(empty, 0, 0, 1, 1));
        checkProbes(empty, "0,0=1 1,0=0");
        QVERIFY(rectInRegion(r, {5, 4, 9, 9}));
        QVERIFY(!rectInRegion(r, {6, 4, 9, 9}));
    }

    void combining_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Rect>("second");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("area");
        QTest::addColumn<QString>("probes");
        const Rect overlapping{5, 5, 15, 15};
        QTest::newRow("and") << int(RgnAnd) << overlapping << int(SimpleRegion) << 25
                             << "7,7=1 2,2=0 12,12=0";
        QTest::newRow("or") << int(RgnOr) << overlapping << int(ComplexRegion) << 175
                            << "7,7=1 2,2=1 12,12=1 12,2=0";
        QTest::newRow("xor") << int(RgnXor) << overlapping << int(ComplexRegion) << 150
                             << "7,7=0 2,2=1 12,12=1";
        QTest::newRow("diff") << int(RgnDiff) << overlapping << int(ComplexRegion) << 75
                              << "7,7=0 2,2=1 12,12=0";
        QTest::newRow("copy") << int(RgnCopy) << overlapping << int(SimpleRegion) << 100
                              << "7,7=1 2,2=1 12,12=0";
        QTest::newRow("and, apart") << int(RgnAnd) << Rect{20, 20, 30, 30} << int(NullRegion) << 0 << "2,2=0";
        QTest::newRow("or, side by side")
            << int(RgnOr) << Rect{10, 0, 20, 10} << int(SimpleRegion) << 200 << "15,5=1 20,5=0";
        QTest::newRow("diff, all of it")
            << int(RgnDiff) << Rect{-1, -1, 11, 11} << int(NullRegion) << 0 << "";
    }
    void combining()
    {
        QFETCH(int, mode);
        QFETCH(Rect, second);
        QFETCH(int, kind);
        QFETCH(int, area);
        QFETCH(QString, probes);
        GdiObject a(createRectRgn(0, 0, 10, 10));
        GdiObject b(createRectRgnIndirect(second));
        GdiObject dest(createRectRgn(0, 0, 0, 0));
        QCOMPARE(combineRgn(dest, a, b, mode), kind);
        QCOMPARE(::area(regionOf(dest)), area);
        checkProbes(dest, probes);
        // The sources stay as they were; the destination may be a source.
        QCOMPARE(::area(regionOf(a)), 100);
        QCOMPARE(combineRgn(a, a, b, mode), kind);
        QVERIFY(equalRgn(a, dest));
    }

    void combiningRefusesBadArguments()
    {
        GdiObject a(createRectRgn(0, 0, 10, 10));
        GdiObject pen(createPen(PsSolid, 1, 0));
        QCOMPARE(combineRgn(0, a, a, RgnOr), int(RgnError));
        QCOMPARE(combineRgn(a, 0, a, RgnOr), int(RgnError));
        QCOMPARE(combineRgn(a, a, 0, RgnOr), int(RgnError));
        QCOMPARE(combineRgn(pen, a, a, RgnOr), int(RgnError));
        QCOMPARE(combineRgn(a, a, a, 0), int(RgnError));
        QCOMPARE(combineRgn(a, a, a, 6), int(RgnError));
        QCOMPARE(combineRgn(a, a, 0, RgnCopy), int(SimpleRegion));
        QCOMPARE(offsetRgn(0, 1, 1), int(RgnError));
        QVERIFY(!ptInRegion(pen, 0, 0));
    }

    void offsetting()
    {
        GdiObject r(createRectRgn(0, 0, 2, 2));
        QCOMPARE(offsetRgn(r, 3, -1), int(SimpleRegion));
        checkProbes(r, "3,-1=1 4,0=1 2,0=0 4,1=0");
    }

    void roundRectangleCorners()
    {
        // Right and bottom are exclusive, as for a rectangle region; each
        // corner is cut along a 10 x 10 ellipse.
        GdiObject r(createRoundRectRgn(0, 0, 24, 16, 10, 10));
        Rect box;
        QCOMPARE(getRgnBox(r, box), int(ComplexRegion));
        QCOMPARE(box, (Rect{0, 0, 24, 16}));
        QStringList rows;
        const QRegion region = regionOf(r);
        for (int y = 0; y < 16; ++y) {
            QString row;
            for (int x = 0; x < 24; ++x)
                row += region.contains(QPoint(x, y)) ? QLatin1Char('#') : QLatin1Char('.');
            rows << row;
        }
        QCOMPARE(rows, testsupport::rows("...##################..."
                                         "|..####################.."
                                         "|.######################."
                                         "|########################"
                                         "|########################"
                                         "|########################"
                                         "|########################"
                                         "|########################"
                                         "|########################"
                                         "|########################"
                                         "|########################"
                                         "|########################"
                                         "|########################"
                                         "|.######################."
                                         "|..####################.."
                                         "|...##################..."));
    }

    void roundRectangleSpecialSizes()
    {
        // Corners under 2 pixels make the rectangle region itself.
        GdiObject square(createRoundRectRgn(0, 0, 10, 8, 1, 1));
        GdiObject rect(createRectRgn(0, 0, 10, 8));
        QVERIFY(equalRgn(square, rect));
        // Corner ellipses larger than the box are cut to it: an ellipse.
        GdiObject big(createRoundRectRgn(0, 0, 11, 11, 100, 100));
        GdiObject ellipse(createEllipticRgn(0, 0, 11, 11));
        QVERIFY(equalRgn(big, ellipse));
        checkProbes(ellipse, "5,0=1 0,5=1 10,5=1 5,10=1 0,0=0 10,10=0 11,5=0 5,11=0");
    }

    void polygonEdges()
    {
        // Points on left and top edges are inside, on right and bottom edges
        // outside: a square polygon is the rectangle region.
        GdiObject square(createPolygonRgn({{0, 0}, {4, 0}, {4, 4}, {0, 4}}, Alternate));
        GdiObject rect(createRectRgn(0, 0, 4, 4));
        QVERIFY(equalRgn(square, rect));
        Rect box;
        QCOMPARE(getRgnBox(square, box), int(SimpleRegion));
        // A right triangle: row y holds 8 - y pixels.
        GdiObject triangle(createPolygonRgn({{0, 0}, {8, 0}, {0, 8}}, Alternate));
        for (int y = 0; y < 8; ++y) {
            QVERIFY(ptInRegion(triangle, 7 - y, y));
            QVERIFY(!ptInRegion(triangle, 8 - y, y));
        }
        QVERIFY(!ptInRegion(triangle, 0, 8));
        QCOMPARE(createPolygonRgn({{0, 0}, {1, 1}, {0, 1}}, 3), Handle(0));
    }

    void polygonFillModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("probes");
        // A five-pointed star drawn in one stroke: its middle is enclosed
        // twice, so alternate leaves it out and winding fills it.
        QTest::newRow("alternate") << int(Alternate) << "10,10=0 10,2=1 2,7=1 18,7=1 5,17=1 15,17=1";
        QTest::newRow("winding") << int(Winding) << "10,10=1 10,2=1 2,7=1 18,7=1 5,17=1 15,17=1";
    }
    void polygonFillModes()
    {
        QFETCH(int, mode);
        QFETCH(QString, probes);
        GdiObject star(createPolygonRgn({{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}}, mode));
        checkProbes(star, probes);
        checkProbes(star, "0,0=0 19,0=0 10,19=0");
    }

    void paintingRegions()
    {
        QImage image = testsupport::canvas(8, 7, Grey);
        DeviceContext dc(&image);
        GdiObject region(createRectRgn(1, 1, 7, 6));
        GdiObject brush(createSolidBrush(Red));
        QVERIFY(dc.frameRgn(region, brush, 2, 1));
        const std::map<ColorRef, char> legend{{Grey, '.'}, {Red, 'r'}, {rgb(255, 255, 255), 'w'}};
        QCOMPARE(testsupport::picture(image, image.rect(), legend),
                 testsupport::rows("........|.rrrrrr.|.rr..rr.|.rr..rr.|.rr..rr.|.rrrrrr.|........"));
        // A frame as wide as the region fills it.
        QVERIFY(dc.frameRgn(region, getStockObject(WhiteBrush), 100, 100));
        QCOMPARE(testsupport::picture(image, image.rect(), legend),
                 testsupport::rows("........|.wwwwww.|.wwwwww.|.wwwwww.|.wwwwww.|.wwwwww.|........"));
        QVERIFY(dc.fillRgn(region, brush));
        QCOMPARE(testsupport::at(image, 3, 3), Red);
        dc.selectObject(getStockObject(BlackBrush));
        QVERIFY(dc.paintRgn(region));
        QCOMPARE(testsupport::at(image, 3, 3), ColorRef(0));
        QVERIFY(dc.invertRgn(region));
        QCOMPARE(testsupport::at(image, 3, 3), rgb(255, 255, 255));
        QVERIFY(!dc.fillRgn(0, brush));
        dc.selectObject(getStockObject(WhiteBrush));
    }

    void regionPaintingHonoursTheRasterOperation()
    {
        QImage image = testsupport::canvas(6, 6, rgb(30, 60, 90));
        const QImage original = image.copy();
        DeviceContext dc(&image);
        GdiObject region(createEllipticRgn(0, 0, 6, 6));
        GdiObject brush(createSolidBrush(rgb(200, 100, 50)));
        dc.setROP2(R2NotXorPen);
        dc.fillRgn(region, brush);
        QVERIFY(image != original);
        dc.fillRgn(region, brush);
        QVERIFY(image == original);
    }

    void windowRegionShapesTheWidget()
    {
        QWidget widget;
        widget.resize(60, 40);
        QVERIFY(!windowRegion(&widget));

        // The balloon's way: a round body united with a pointer triangle.
        const Handle body = createRoundRectRgn(0, 10, 50, 40, 20, 20);
        GdiObject pointer(createPolygonRgn({{20, 10}, {30, 10}, {20, 0}}, Alternate));
        QCOMPARE(combineRgn(body, body, pointer, RgnOr), int(ComplexRegion));
        const QRegion expected = regionOf(body);
        QCOMPARE(liveObjectCount(), 2);
        QVERIFY(setWindowRegion(&widget, body));
        // The window took the region over.
        QCOMPARE(liveObjectCount(), 1);
        QCOMPARE(objectKind(body), ObjectKind::None);
        QCOMPARE(widget.mask(), expected);
        QCOMPARE(windowRegion(&widget).value(), expected);
        QVERIFY(widget.mask().contains(QPoint(21, 2)));
        QVERIFY(!widget.mask().contains(QPoint(0, 10)));

        GdiObject copy(createRectRgn(0, 0, 0, 0));
        QCOMPARE(getWindowRgn(&widget, copy), int(ComplexRegion));
        QCOMPARE(regionOf(copy), expected);

        // A handle that is no region changes nothing.
        QVERIFY(!setWindowRegion(&widget, pointer.get() + 1000));
        QCOMPARE(widget.mask(), expected);

        QVERIFY(setWindowRegion(&widget, 0));
        QVERIFY(widget.mask().isEmpty());
        QVERIFY(!windowRegion(&widget));
        QCOMPARE(getWindowRgn(&widget, copy), int(RgnError));
    }

    void emptyWindowRegionHidesAll()
    {
        QWidget widget;
        widget.resize(20, 20);
        QVERIFY(setWindowRegion(&widget, createRectRgn(0, 0, 0, 0)));
        QVERIFY(!widget.mask().isEmpty());
        QVERIFY(!widget.mask().intersects(widget.rect()));
        QVERIFY(windowRegion(&widget)->isEmpty());
    }
};

KV_TEST_MAIN(TestRegions)
#include "tst_Regions.moc"
