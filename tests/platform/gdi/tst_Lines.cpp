// One-pixel lines: which pixels LineTo paints, styled pens, raster operations.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ObjectTable.h"
#include "tests/support/Canvas.h"
#include "tests/support/TestMain.h"

using namespace gdi;

namespace
{

using namespace testsupport::colours;

// Something to draw on whose pixels all differ, so that a raster operation
// applied once shows everywhere and applied twice must undo itself exactly.
QImage patterned(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y,
                           qRgb((x * 37 + y * 11) & 0xFF, (x * 5 + y * 53) & 0xFF, (x * y * 7 + 3) & 0xFF));
    return image;
}

} // namespace

class TestLines : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(liveObjectCount(), 0); }

    void lineLeavesOutItsEndPoint_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QString>("pixels");
        QTest::newRow("right") << QPoint(1, 1) << QPoint(5, 1) << "1,1 2,1 3,1 4,1";
        QTest::newRow("left") << QPoint(5, 1) << QPoint(1, 1) << "2,1 3,1 4,1 5,1";
        QTest::newRow("down") << QPoint(2, 0) << QPoint(2, 4) << "2,0 2,1 2,2 2,3";
        QTest::newRow("up") << QPoint(2, 4) << QPoint(2, 0) << "2,1 2,2 2,3 2,4";
        QTest::newRow("down right") << QPoint(0, 0) << QPoint(4, 4) << "0,0 1,1 2,2 3,3";
        QTest::newRow("up left") << QPoint(4, 4) << QPoint(0, 0) << "1,1 2,2 3,3 4,4";
        QTest::newRow("up right") << QPoint(0, 4) << QPoint(4, 0) << "3,1 2,2 1,3 0,4";
        QTest::newRow("down left") << QPoint(4, 0) << QPoint(0, 4) << "4,0 3,1 2,2 1,3";
        QTest::newRow("shallow") << QPoint(0, 0) << QPoint(6, 2) << "0,0 1,0 2,1 3,1 4,1 5,2";
        QTest::newRow("steep") << QPoint(0, 0) << QPoint(2, 6) << "0,0 0,1 1,2 1,3 1,4 2,5";
        QTest::newRow("single step") << QPoint(3, 3) << QPoint(4, 3) << "3,3";
        QTest::newRow("zero length") << QPoint(3, 3) << QPoint(3, 3) << "";
        // Where the ideal line passes exactly between two pixels the platform
        // chooses by direction; here both directions agree on the inner pixels.
        QTest::newRow("tie forward") << QPoint(0, 0) << QPoint(4, 2) << "0,0 1,0 2,1 3,1";
        QTest::newRow("tie backward") << QPoint(4, 2) << QPoint(0, 0) << "1,0 2,1 3,1 4,2";
        QTest::newRow("tie steep forward") << QPoint(0, 0) << QPoint(2, 4) << "0,0 0,1 1,2 1,3";
        QTest::newRow("tie steep backward") << QPoint(2, 4) << QPoint(0, 0) << "0,1 1,2 1,3 2,4";
    }
    void lineLeavesOutItsEndPoint()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QString, pixels);
        QImage image = testsupport::canvas(8, 8, White);
        DeviceContext dc(&image);
        dc.moveTo(from.x(), from.y());
        QVERIFY(dc.lineTo(to.x(), to.y()));
        QCOMPARE(dc.currentPosition(), to);
        std::vector<QPoint> expected = testsupport::points(pixels);
        std::sort(expected.begin(), expected.end(),
                  [](QPoint a, QPoint b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); });
        QCOMPARE(testsupport::describe(testsupport::pixelsOf(image, Black)), testsupport::describe(expected));
    }

    void linesOutsideTheImageAreClipped()
    {
        QImage image = testsupport::canvas(4, 4, White);
        DeviceContext dc(&image);
        dc.moveTo(-10, 1);
        dc.lineTo(10, 1);
        dc.moveTo(-3, -3);
        dc.lineTo(20, 20);
        QCOMPARE(testsupport::picture(image, image.rect(), {{Black, '#'}, {White, '.'}}),
                 testsupport::rows("#...|####|..#.|...#"));
    }

    void clippedLinesMatchUnclipped_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::newRow("shallow") << QPoint(-100, -50) << QPoint(300, 150);
        QTest::newRow("shallow back") << QPoint(300, 150) << QPoint(-100, -50);
        QTest::newRow("steep") << QPoint(-13, -170) << QPoint(41, 190);
        QTest::newRow("steep back") << QPoint(41, 190) << QPoint(-13, -170);
        QTest::newRow("up right tie") << QPoint(-60, 60) << QPoint(100, -20);
        QTest::newRow("down left tie") << QPoint(100, -20) << QPoint(-60, 60);
        QTest::newRow("diagonal") << QPoint(-77, -70) << QPoint(80, 87);
        QTest::newRow("dotted dash offset") << QPoint(-31, 5) << QPoint(70, 27);
    }
    void clippedLinesMatchUnclipped()
    {
        // A 40 x 30 image sees a window of a line drawn whole on a larger one.
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        const QPoint shift(200, 200);
        QImage small = testsupport::canvas(40, 30, White);
        QImage large = testsupport::canvas(600, 600, White);
        DeviceContext a(&small);
        DeviceContext b(&large);
        GdiObject pen(createPen(QTest::currentDataTag() == QByteArray("dotted dash offset") ? PsDot : PsSolid,
                                1, Black));
        a.selectObject(pen);
        b.selectObject(pen);
        a.moveTo(from.x(), from.y());
        a.lineTo(to.x(), to.y());
        b.moveTo(from.x() + shift.x(), from.y() + shift.y());
        b.lineTo(to.x() + shift.x(), to.y() + shift.y());
        QVERIFY(small == large.copy(QRect(shift, small.size())));
        QVERIFY(!testsupport::pixelsOf(small, Black).empty());
        a.selectObject(getStockObject(BlackPen));
        b.selectObject(getStockObject(BlackPen));
    }

    void farAwayEndPointsCostNothing()
    {
        QImage image = testsupport::canvas(4, 3, White);
        DeviceContext dc(&image);
        dc.moveTo(-2000000000, 1);
        dc.lineTo(2000000000, 1);
        dc.moveTo(2, -2000000000);
        dc.lineTo(2, 2000000000);
        dc.moveTo(-2000000000, -2000000000);
        dc.lineTo(2000000000, 2000000000);
        QCOMPARE(testsupport::picture(image, image.rect(), {{Black, '#'}, {White, '.'}}),
                 testsupport::rows("#.#.|####|..#."));
    }

    void moveToReturnsThePreviousPosition()
    {
        QImage image = testsupport::canvas(2, 2, White);
        DeviceContext dc(&image);
        QCOMPARE(dc.moveTo(5, 6), QPoint(0, 0));
        QCOMPARE(dc.moveTo(1, 1), QPoint(5, 6));
        dc.lineTo(7, 8);
        QCOMPARE(dc.currentPosition(), QPoint(7, 8));
    }

    void polylineJoinsWithoutGaps()
    {
        QImage image = testsupport::canvas(5, 5, White);
        DeviceContext dc(&image);
        QVERIFY(dc.polyline({{0, 0}, {4, 0}, {4, 4}, {0, 4}}));
        QCOMPARE(testsupport::picture(image, image.rect(), {{Black, '#'}, {White, '.'}}),
                 testsupport::rows("#####|....#|....#|....#|.####"));
    }

    void rasterOperations_data()
    {
        QTest::addColumn<int>("rop");
        QTest::addColumn<uint>("pen");
        QTest::addColumn<uint>("before");
        QTest::addColumn<uint>("after");
        QTest::newRow("copy") << int(R2CopyPen) << 0x123456u << 0xABCDEFu << 0x123456u;
        QTest::newRow("not-xor") << int(R2NotXorPen) << 0x0000FFu << 0x00FF00u
                                 << (~(0x0000FFu ^ 0x00FF00u) & 0xFFFFFF);
        QTest::newRow("not-xor black inverts") << int(R2NotXorPen) << 0u << 0x102030u << 0xEFDFCFu;
        QTest::newRow("not-xor white keeps") << int(R2NotXorPen) << 0xFFFFFFu << 0x102030u << 0x102030u;
        QTest::newRow("xor") << int(R2XorPen) << 0x0F0F0Fu << 0x00FF00u << 0x0FF00Fu;
        QTest::newRow("not") << int(R2Not) << 0x123456u << 0x00FF00u << 0xFF00FFu;
        QTest::newRow("black") << int(R2Black) << 0x123456u << 0xFFFFFFu << 0u;
        QTest::newRow("white") << int(R2White) << 0x123456u << 0u << 0xFFFFFFu;
        QTest::newRow("nop") << int(R2Nop) << 0x123456u << 0x654321u << 0x654321u;
        QTest::newRow("mask pen") << int(R2MaskPen) << 0x0F0F0Fu << 0x3355FFu << 0x03050Fu;
        QTest::newRow("merge pen") << int(R2MergePen) << 0x0F0F0Fu << 0x305000u << 0x3F5F0Fu;
        QTest::newRow("not copy pen") << int(R2NotCopyPen) << 0x0F0F0Fu << 0x305000u << 0xF0F0F0u;
    }
    void rasterOperations()
    {
        QFETCH(int, rop);
        QFETCH(uint, pen);
        QFETCH(uint, before);
        QFETCH(uint, after);
        QImage image = testsupport::canvas(3, 1, before);
        DeviceContext dc(&image);
        GdiObject p(createPen(PsSolid, 1, pen));
        dc.selectObject(p);
        QCOMPARE(dc.setROP2(rop), int(R2CopyPen));
        QCOMPARE(dc.rop2(), rop);
        dc.moveTo(0, 0);
        dc.lineTo(2, 0);
        QCOMPARE(testsupport::at(image, 0, 0), ColorRef(after));
        QCOMPARE(testsupport::at(image, 1, 0), ColorRef(after));
        QCOMPARE(testsupport::at(image, 2, 0), ColorRef(before));
        dc.selectObject(getStockObject(BlackPen));
    }

    void notXorTwiceRestoresTheImage_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("bkMode");
        QTest::newRow("solid") << int(PsSolid) << 1 << int(Opaque);
        QTest::newRow("dotted opaque") << int(PsDot) << 1 << int(Opaque);
        QTest::newRow("dotted transparent") << int(PsDot) << 1 << int(Transparent);
        QTest::newRow("dash-dot") << int(PsDashDot) << 1 << int(Opaque);
        QTest::newRow("wide") << int(PsSolid) << 3 << int(Opaque);
    }
    void notXorTwiceRestoresTheImage()
    {
        QFETCH(int, style);
        QFETCH(int, width);
        QFETCH(int, bkMode);
        QImage image = patterned(40, 30);
        const QImage original = image.copy();
        DeviceContext dc(&image);
        GdiObject pen(createPen(style, width, rgb(200, 40, 90)));
        GdiObject brush(createSolidBrush(rgb(10, 220, 130)));
        dc.selectObject(pen);
        dc.selectObject(brush);
        dc.setBkMode(bkMode);
        dc.setBkColor(rgb(77, 66, 55));
        dc.setROP2(R2NotXorPen);
        const auto drawAll = [&dc] {
            dc.moveTo(1, 1);
            dc.lineTo(38, 27);
            dc.lineTo(2, 20);
            dc.moveTo(39, 0);
            dc.lineTo(0, 0);
            dc.rectangle(5, 5, 25, 15);
            dc.polygon({{30, 2}, {38, 12}, {26, 12}});
            dc.setPixel(0, 29, rgb(1, 2, 3));
        };
        drawAll();
        QVERIFY(image != original);
        drawAll();
        QVERIFY(image == original);
        dc.selectObject(getStockObject(BlackPen));
        dc.selectObject(getStockObject(WhiteBrush));
    }

    void dottedPenPattern_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("dot") << int(PsDot) << "###...###...###...###...###.";
        QTest::newRow("dash") << int(PsDash) << "##################......####";
        QTest::newRow("dash-dot") << int(PsDashDot) << "#########......###......####";
        QTest::newRow("dash-dot-dot") << int(PsDashDotDot) << "#########...###...###...####";
        QTest::newRow("solid") << int(PsSolid) << "############################";
        QTest::newRow("null") << int(PsNull) << "............................";
    }
    void dottedPenPattern()
    {
        QFETCH(int, style);
        QFETCH(QString, pattern);
        QImage image = testsupport::canvas(30, 1, Grey);
        DeviceContext dc(&image);
        GdiObject pen(createPen(style, 1, Black));
        dc.selectObject(pen);
        dc.setBkMode(Transparent);
        dc.moveTo(0, 0);
        dc.lineTo(28, 0);
        QCOMPARE(testsupport::picture(image, QRect(0, 0, 28, 1), {{Black, '#'}, {Grey, '.'}}).join(QString()),
                 pattern);
        dc.selectObject(getStockObject(BlackPen));
    }

    void dotGapsTakeTheBackgroundWhenOpaque()
    {
        QImage image = testsupport::canvas(13, 1, Grey);
        DeviceContext dc(&image);
        GdiObject pen(createPen(PsDot, 1, Black));
        dc.selectObject(pen);
        dc.moveTo(0, 0);
        dc.lineTo(12, 0);
        QCOMPARE(testsupport::picture(image, image.rect(), {{Black, '#'}, {Grey, '.'}, {White, 'w'}}),
                 testsupport::rows("###www###www."));
        dc.selectObject(getStockObject(BlackPen));
    }

    void eachLineToStartsThePatternAfresh()
    {
        // Drawn right to left, the pattern starts at the first point.
        QImage image = testsupport::canvas(12, 2, Grey);
        DeviceContext dc(&image);
        GdiObject pen(createPen(PsDot, 1, Black));
        dc.selectObject(pen);
        dc.setBkMode(Transparent);
        dc.moveTo(0, 0);
        dc.lineTo(4, 0);
        dc.lineTo(8, 0);
        dc.moveTo(11, 1);
        dc.lineTo(3, 1);
        QCOMPARE(testsupport::picture(image, image.rect(), {{Black, '#'}, {Grey, '.'}}),
                 testsupport::rows("###.###.....|....##...###"));
        dc.selectObject(getStockObject(BlackPen));
    }

    void dottedRectangleRunsOnAroundTheCorners()
    {
        // The focus rectangle of the controls: Rectangle(1, 1, 19, 9) with a
        // dotted pen and a hollow brush. The pattern starts at the top right
        // corner and runs counter-clockwise without restarting.
        QImage image = testsupport::canvas(20, 10, Grey);
        DeviceContext dc(&image);
        GdiObject pen(createPen(PsDot, 1, Black));
        dc.selectObject(pen);
        dc.selectObject(getStockObject(NullBrush));
        dc.setBkMode(Transparent);
        dc.rectangle(1, 1, 19, 9);
        QCOMPARE(testsupport::picture(image, image.rect(), {{Black, '#'}, {Grey, '.'}}),
                 testsupport::rows("...................."
                                   "|....###...###...###."
                                   "|.#.................."
                                   "|.#.................."
                                   "|.#.................."
                                   "|..................#."
                                   "|..................#."
                                   "|..................#."
                                   "|.###...###...###...."
                                   "|...................."));
        dc.selectObject(getStockObject(BlackPen));
        dc.selectObject(getStockObject(WhiteBrush));
    }

    void widePensAreThick()
    {
        QImage image = testsupport::canvas(9, 7, White);
        DeviceContext dc(&image);
        GdiObject pen(createPen(PsSolid, 3, Black));
        dc.selectObject(pen);
        dc.moveTo(2, 3);
        dc.lineTo(6, 3);
        QCOMPARE(testsupport::picture(image, image.rect(), {{Black, '#'}, {White, '.'}}),
                 testsupport::rows(".........|.........|.#######.|.#######.|.#######.|.........|........."));
        dc.selectObject(getStockObject(BlackPen));
    }
};

KV_TEST_MAIN(TestLines)
#include "tst_Lines.moc"
