// Rectangles, fills, frames, ellipses and single pixels.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/SystemColors.h"
#include "tests/support/Canvas.h"
#include "tests/support/TestMain.h"

using namespace gdi;

namespace
{

using namespace testsupport::colours;

const std::map<ColorRef, char> Legend{{Black, '#'}, {Grey, '.'}, {Red, 'r'}, {White, 'w'}};

} // namespace

class TestShapes : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(liveObjectCount(), 0); }

    void fillRectLeavesOutRightAndBottom_data()
    {
        QTest::addColumn<Rect>("rect");
        QTest::addColumn<QString>("picture");
        QTest::newRow("plain") << Rect{1, 1, 4, 3} << "......|.rrr..|.rrr..|......";
        QTest::newRow("one pixel") << Rect{2, 2, 3, 3} << "......|......|..r...|......";
        QTest::newRow("empty") << Rect{2, 2, 2, 3} << "......|......|......|......";
        // The wrong way round it runs back from left and top, including them.
        QTest::newRow("reversed") << Rect{4, 3, 1, 1} << "......|......|..rrr.|..rrr.";
        QTest::newRow("over the edge") << Rect{-2, -2, 2, 10} << "rr....|rr....|rr....|rr....";
    }
    void fillRectLeavesOutRightAndBottom()
    {
        QFETCH(Rect, rect);
        QFETCH(QString, picture);
        QImage image = testsupport::canvas(6, 4, Grey);
        DeviceContext dc(&image);
        GdiObject brush(createSolidBrush(Red));
        QVERIFY(dc.fillRect(rect, brush));
        QCOMPARE(testsupport::picture(image, image.rect(), Legend), picture.split(QLatin1Char('|')));
    }

    void fillRectIgnoresTheRasterOperation()
    {
        QImage image = testsupport::canvas(3, 1, Grey);
        DeviceContext dc(&image);
        dc.setROP2(R2NotXorPen);
        GdiObject brush(createSolidBrush(Red));
        dc.fillRect({0, 0, 2, 1}, brush);
        dc.fillRect({0, 0, 1, 1}, brush);
        QCOMPARE(testsupport::picture(image, image.rect(), Legend), testsupport::rows("rr."));
    }

    void fillRectTakesASystemColourIndexPlusOne()
    {
        QImage image = testsupport::canvas(2, 1, Grey);
        DeviceContext dc(&image);
        dc.fillRect({0, 0, 1, 1}, ColorBtnFace + 1);
        dc.fillRect({1, 0, 2, 1}, getSysColorBrush(ColorInfoBk));
        QCOMPARE(testsupport::at(image, 0, 0), rgb(212, 208, 200));
        QCOMPARE(testsupport::at(image, 1, 0), rgb(255, 255, 225));
    }

    void rectangleOutlineAndInside_data()
    {
        QTest::addColumn<int>("pen");
        QTest::addColumn<int>("brush");
        QTest::addColumn<QString>("picture");
        // Rectangle(1, 1, 6, 5): outline on columns 1..5 and rows 1..4.
        QTest::newRow("black pen, white brush")
            << int(BlackPen) << int(WhiteBrush) << ".......|.#####.|.#www#.|.#www#.|.#####.|.......";
        QTest::newRow("hollow brush")
            << int(BlackPen) << int(NullBrush) << ".......|.#####.|.#...#.|.#...#.|.#####.|.......";
        // Without a pen the inside still ends one pixel before right and bottom.
        QTest::newRow("null pen") << int(NullPen) << int(WhiteBrush)
                                  << ".......|.wwww..|.wwww..|.wwww..|.......|.......";
        QTest::newRow("nothing") << int(NullPen) << int(NullBrush)
                                 << ".......|.......|.......|.......|.......|.......";
    }
    void rectangleOutlineAndInside()
    {
        QFETCH(int, pen);
        QFETCH(int, brush);
        QFETCH(QString, picture);
        QImage image = testsupport::canvas(7, 6, Grey);
        DeviceContext dc(&image);
        dc.selectObject(getStockObject(pen));
        dc.selectObject(getStockObject(brush));
        QVERIFY(dc.rectangle(1, 1, 6, 5));
        QCOMPARE(testsupport::picture(image, image.rect(), Legend), picture.split(QLatin1Char('|')));
    }

    void theDefaultBrushIsWhite()
    {
        QImage image = testsupport::canvas(5, 5, Grey);
        DeviceContext dc(&image);
        dc.rectangle(0, 0, 5, 5);
        QCOMPARE(testsupport::at(image, 2, 2), White);
        QCOMPARE(testsupport::at(image, 4, 4), Black);
    }

    void rectangleCornersMayComeInAnyOrder()
    {
        QImage a = testsupport::canvas(7, 6, Grey);
        QImage b = a.copy();
        DeviceContext(&a).rectangle(1, 1, 6, 5);
        DeviceContext(&b).rectangle(6, 5, 1, 1);
        QVERIFY(a == b);
    }

    void notXorAppliesToTheBrushToo()
    {
        QImage image = testsupport::canvas(6, 6, rgb(10, 100, 200));
        const QImage original = image.copy();
        DeviceContext dc(&image);
        GdiObject brush(createSolidBrush(rgb(0, 255, 0)));
        dc.selectObject(brush);
        dc.setROP2(R2NotXorPen);
        dc.rectangle(0, 0, 6, 6);
        // Inside: not (green xor colour); outline: not (black xor colour).
        QCOMPARE(testsupport::at(image, 2, 2), rgb(~(10 ^ 0) & 0xFF, ~(100 ^ 255) & 0xFF, ~(200 ^ 0) & 0xFF));
        QCOMPARE(testsupport::at(image, 0, 0), rgb(245, 155, 55));
        dc.rectangle(0, 0, 6, 6);
        QVERIFY(image == original);
        dc.selectObject(getStockObject(WhiteBrush));
    }

    void frameRectDrawsOnePixelInside()
    {
        QImage image = testsupport::canvas(6, 5, Grey);
        DeviceContext dc(&image);
        GdiObject brush(createSolidBrush(Red));
        QVERIFY(dc.frameRect({1, 1, 5, 5}, brush));
        QCOMPARE(testsupport::picture(image, image.rect(), Legend),
                 testsupport::rows("......|.rrrr.|.r..r.|.r..r.|.rrrr."));
    }

    void invertRectTwiceRestores()
    {
        QImage image = testsupport::canvas(4, 3, rgb(1, 2, 3));
        const QImage original = image.copy();
        DeviceContext dc(&image);
        dc.invertRect({1, 1, 3, 2});
        QCOMPARE(testsupport::at(image, 1, 1), rgb(254, 253, 252));
        QCOMPARE(testsupport::at(image, 3, 1), rgb(1, 2, 3));
        dc.invertRect({1, 1, 3, 2});
        QVERIFY(image == original);
    }

    void pixels_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<uint>("expected");
        QTest::newRow("inside") << QPoint(1, 2) << 0x00123456u;
        QTest::newRow("left of the image") << QPoint(-1, 0) << 0xFFFFFFFFu;
        QTest::newRow("right of the image") << QPoint(4, 0) << 0xFFFFFFFFu;
        QTest::newRow("below the image") << QPoint(0, 3) << 0xFFFFFFFFu;
    }
    void pixels()
    {
        QFETCH(QPoint, point);
        QFETCH(uint, expected);
        QImage image = testsupport::canvas(4, 3, Grey);
        DeviceContext dc(&image);
        QCOMPARE(dc.setPixel(point.x(), point.y(), 0x00123456), ColorRef(0x00123456));
        QCOMPARE(dc.getPixel(point.x(), point.y()), ColorRef(expected));
        QCOMPARE(dc.getPixel(0, 0) == ClrInvalid, false);
    }

    void ellipseStaysInsideItsBox()
    {
        QImage image = testsupport::canvas(12, 10, Grey);
        DeviceContext dc(&image);
        GdiObject brush(createSolidBrush(Red));
        dc.selectObject(brush);
        dc.ellipse(1, 1, 11, 9);
        // Corners of the box stay, the middle of each side is outline, the
        // centre is brush; nothing beyond the box.
        QCOMPARE(testsupport::at(image, 1, 1), Grey);
        QCOMPARE(testsupport::at(image, 10, 8), Grey);
        QCOMPARE(testsupport::at(image, 1, 4), Black);
        QCOMPARE(testsupport::at(image, 5, 1), Black);
        QCOMPARE(testsupport::at(image, 6, 5), Red);
        for (int x = 0; x < 12; ++x) {
            QCOMPARE(testsupport::at(image, x, 0), Grey);
            QCOMPARE(testsupport::at(image, x, 9), Grey);
        }
        for (int y = 0; y < 10; ++y) {
            QCOMPARE(testsupport::at(image, 0, y), Grey);
            QCOMPARE(testsupport::at(image, 11, y), Grey);
        }
        dc.selectObject(getStockObject(WhiteBrush));
    }

    void roundRectCutsItsCorners()
    {
        QImage image = testsupport::canvas(20, 12, Grey);
        DeviceContext dc(&image);
        dc.roundRect(0, 0, 20, 12, 8, 8);
        QCOMPARE(testsupport::at(image, 0, 0), Grey);
        QCOMPARE(testsupport::at(image, 19, 11), Grey);
        QCOMPARE(testsupport::at(image, 10, 0), Black);
        QCOMPARE(testsupport::at(image, 0, 6), Black);
        QCOMPARE(testsupport::at(image, 19, 6), Black);
        QCOMPARE(testsupport::at(image, 10, 11), Black);
        QCOMPARE(testsupport::at(image, 10, 6), White);
        // With small corners it is a plain rectangle.
        QImage a = testsupport::canvas(10, 10, Grey), b = a.copy();
        DeviceContext(&a).roundRect(1, 1, 9, 9, 2, 2);
        DeviceContext(&b).rectangle(1, 1, 9, 9);
        QVERIFY(a == b);
    }

    void polygonFillsAndOutlines()
    {
        QImage image = testsupport::canvas(7, 7, Grey);
        DeviceContext dc(&image);
        GdiObject brush(createSolidBrush(Red));
        dc.selectObject(brush);
        dc.polygon({{1, 1}, {5, 1}, {5, 5}, {1, 5}});
        QCOMPARE(testsupport::picture(image, image.rect(), Legend),
                 testsupport::rows(".......|.#####.|.#rrr#.|.#rrr#.|.#rrr#.|.#####.|......."));
        dc.selectObject(getStockObject(WhiteBrush));
    }
};

KV_TEST_MAIN(TestShapes)
#include "tst_Shapes.moc"
