// DrawEdge in the classic look: which system colour lands on which pixel.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/SystemColors.h"
#include "tests/support/Canvas.h"
#include "tests/support/TestMain.h"

using namespace gdi;

namespace
{

constexpr ColorRef Magenta = rgb(255, 0, 255);

// One letter per colour in the pictures below. The classic 3-D light equals
// the face colour, so both show as 'f'.
const std::map<ColorRef, char> &legend()
{
    static const std::map<ColorRef, char> map{
        {Magenta, '.'},
        {SystemColors::defaultColor(Color3DHighlight), 'h'},
        {SystemColors::defaultColor(Color3DFace), 'f'},
        {SystemColors::defaultColor(Color3DShadow), 's'},
        {SystemColors::defaultColor(Color3DDkShadow), 'd'},
        {SystemColors::defaultColor(ColorWindowFrame), 'k'},
    };
    return map;
}

} // namespace

class TestDrawEdge : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        SystemColors::restoreDefaults();
        QCOMPARE(liveObjectCount(), 0);
    }

    void edges_data()
    {
        QTest::addColumn<uint>("edge");
        QTest::addColumn<uint>("flags");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("picture");
        // All on the rectangle (0, 0, 8, 6) of an 8 x 6 magenta canvas ('.').
        QTest::newRow("raised") << uint(EdgeRaised) << uint(BfRect) << true
                                << "fffffffd|fhhhhhsd|fh....sd|fh....sd|fssssssd|dddddddd";
        QTest::newRow("sunken") << uint(EdgeSunken) << uint(BfRect) << true
                                << "sssssssh|sdddddfh|sd....fh|sd....fh|sffffffh|hhhhhhhh";
        QTest::newRow("etched") << uint(EdgeEtched) << uint(BfRect) << true
                                << "sssssssh|shhhhhsh|sh....sh|sh....sh|sssssssh|hhhhhhhh";
        QTest::newRow("bump") << uint(EdgeBump) << uint(BfRect) << true
                              << "fffffffd|fdddddfd|fd....fd|fd....fd|fffffffd|dddddddd";
        QTest::newRow("raised outer only") << uint(BdrRaisedOuter) << uint(BfRect) << true
                                           << "fffffffd|f......d|f......d|f......d|f......d|dddddddd";
        QTest::newRow("sunken outer only") << uint(BdrSunkenOuter) << uint(BfRect) << true
                                           << "sssssssh|s......h|s......h|s......h|s......h|hhhhhhhh";
        // A single inner kind is drawn where the outer line goes.
        QTest::newRow("raised inner only") << uint(BdrRaisedInner) << uint(BfRect) << true
                                           << "hhhhhhhs|h......s|h......s|h......s|h......s|ssssssss";
        QTest::newRow("sunken inner only") << uint(BdrSunkenInner) << uint(BfRect) << true
                                           << "dddddddf|d......f|d......f|d......f|d......f|ffffffff";
        QTest::newRow("flat") << uint(EdgeSunken) << uint(BfRect | BfFlat) << true
                              << "ssssssss|sffffffs|sf....fs|sf....fs|sffffffs|ssssssss";
        QTest::newRow("mono") << uint(EdgeRaised) << uint(BfRect | BfMono) << true
                              << "kkkkkkkk|khhhhhhk|kh....hk|kh....hk|khhhhhhk|kkkkkkkk";
        QTest::newRow("middle") << uint(EdgeRaised) << uint(BfRect | BfMiddle) << true
                                << "fffffffd|fhhhhhsd|fhffffsd|fhffffsd|fssssssd|dddddddd";
        QTest::newRow("mono middle") << uint(EdgeSunken) << uint(BfRect | BfMono | BfMiddle) << true
                                     << "kkkkkkkk|khhhhhhk|khhhhhhk|khhhhhhk|khhhhhhk|kkkkkkkk";
        QTest::newRow("left only") << uint(EdgeRaised) << uint(BfLeft) << true
                                   << "fh......|fh......|fh......|fh......|fh......|fh......";
        QTest::newRow("top and left") << uint(EdgeRaised) << uint(BfTopLeft) << true
                                      << "ffffffff|fhhhhhhh|fh......|fh......|fh......|fh......";
        QTest::newRow("bottom and right") << uint(EdgeSunken) << uint(BfBottomRight) << true
                                          << "......fh|......fh|......fh|......fh|fffffffh|hhhhhhhh";
        // Both outer kinds at once: the platform draws its table's choice and
        // reports failure; the middle is then not filled.
        QTest::newRow("both outer kinds") << uint(BdrOuter) << uint(BfRect | BfMiddle) << false
                                          << "........|........|........|........|........|........";
    }
    void edges()
    {
        QFETCH(uint, edge);
        QFETCH(uint, flags);
        QFETCH(bool, result);
        QFETCH(QString, picture);
        QImage image = testsupport::canvas(8, 6, Magenta);
        DeviceContext dc(&image);
        Rect rect{0, 0, 8, 6};
        QCOMPARE(dc.drawEdge(rect, edge, flags), result);
        QCOMPARE(rect, (Rect{0, 0, 8, 6}));
        QCOMPARE(testsupport::picture(image, image.rect(), legend()), picture.split(QLatin1Char('|')));
        // The device context keeps its own pen and position.
        QCOMPARE(dc.currentObject(ObjectKind::Pen), getStockObject(BlackPen));
        QCOMPARE(dc.currentPosition(), QPoint(0, 0));
    }

    void adjustGivesTheRectangleInside_data()
    {
        QTest::addColumn<uint>("edge");
        QTest::addColumn<uint>("flags");
        QTest::addColumn<Rect>("inside");
        QTest::newRow("raised") << uint(EdgeRaised) << uint(BfRect) << Rect{12, 22, 38, 48};
        QTest::newRow("outer only") << uint(BdrRaisedOuter) << uint(BfRect) << Rect{11, 21, 39, 49};
        QTest::newRow("inner only") << uint(BdrSunkenInner) << uint(BfRect) << Rect{11, 21, 39, 49};
        QTest::newRow("left and top") << uint(EdgeEtched) << uint(BfTopLeft) << Rect{12, 22, 40, 50};
        QTest::newRow("bottom") << uint(EdgeBump) << uint(BfBottom) << Rect{10, 20, 40, 48};
    }
    void adjustGivesTheRectangleInside()
    {
        QFETCH(uint, edge);
        QFETCH(uint, flags);
        QFETCH(Rect, inside);
        QImage image = testsupport::canvas(60, 60, Magenta);
        DeviceContext dc(&image);
        Rect rect{10, 20, 40, 50};
        dc.drawEdge(rect, edge, flags | BfAdjust);
        QCOMPARE(rect, inside);
    }

    void edgesFollowTheSystemColourTable()
    {
        SystemColors::setColor(Color3DHighlight, rgb(0, 0, 255));
        SystemColors::setColor(Color3DLight, rgb(0, 255, 0));
        QImage image = testsupport::canvas(8, 6, Magenta);
        DeviceContext dc(&image);
        Rect rect{0, 0, 8, 6};
        dc.drawEdge(rect, EdgeRaised, BfRect | BfMiddle);
        QCOMPARE(testsupport::at(image, 1, 1), rgb(0, 0, 255));
        // The outer line is the 3-D light, the middle the face.
        QCOMPARE(testsupport::at(image, 0, 0), rgb(0, 255, 0));
        QCOMPARE(testsupport::at(image, 3, 3), rgb(212, 208, 200));
    }

    void edgeLinesHonourTheRasterOperation()
    {
        QImage image = testsupport::canvas(8, 6, rgb(10, 20, 30));
        const QImage original = image.copy();
        DeviceContext dc(&image);
        dc.setROP2(R2NotXorPen);
        Rect rect{0, 0, 8, 6};
        dc.drawEdge(rect, EdgeSunken, BfRect);
        QVERIFY(image != original);
        dc.drawEdge(rect, EdgeSunken, BfRect);
        QVERIFY(image == original);
    }
};

KV_TEST_MAIN(TestDrawEdge)
#include "tst_DrawEdge.moc"
