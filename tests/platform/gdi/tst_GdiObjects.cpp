// Drawing objects behind handles: stock objects, selection, deletion, the live
// object count and the owner that deletes.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/Regions.h"
#include "tests/support/Canvas.h"
#include "tests/support/TestMain.h"

using namespace gdi;

class TestGdiObjects : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(liveObjectCount(), 0); }

    void stockObjects_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("hollow");
        QTest::addColumn<uint>("color");
        const int brush = static_cast<int>(ObjectKind::Brush);
        const int pen = static_cast<int>(ObjectKind::Pen);
        QTest::newRow("WHITE_BRUSH") << 0 << brush << false << 0xFFFFFFu;
        QTest::newRow("LTGRAY_BRUSH") << 1 << brush << false << 0xC0C0C0u;
        QTest::newRow("GRAY_BRUSH") << 2 << brush << false << 0x808080u;
        QTest::newRow("DKGRAY_BRUSH") << 3 << brush << false << 0x404040u;
        QTest::newRow("BLACK_BRUSH") << 4 << brush << false << 0u;
        QTest::newRow("NULL_BRUSH") << 5 << brush << true << 0u;
        QTest::newRow("WHITE_PEN") << 6 << pen << false << 0xFFFFFFu;
        QTest::newRow("BLACK_PEN") << 7 << pen << false << 0u;
        QTest::newRow("NULL_PEN") << 8 << pen << true << 0u;
    }
    void stockObjects()
    {
        QFETCH(int, index);
        QFETCH(int, kind);
        QFETCH(bool, hollow);
        QFETCH(uint, color);
        const Handle h = getStockObject(index);
        QVERIFY(h != 0);
        QVERIFY(isStockObject(h));
        QCOMPARE(getStockObject(index), h);
        QCOMPARE(static_cast<int>(objectKind(h)), kind);
        if (kind == static_cast<int>(ObjectKind::Pen)) {
            QCOMPARE(penInfo(h)->style == PsNull, hollow);
            QCOMPARE(penInfo(h)->color, color);
        } else {
            QCOMPARE(brushInfo(h)->hollow, hollow);
            QCOMPARE(brushInfo(h)->color, color);
        }
        // Stock objects are never deleted, and are not counted.
        QVERIFY(deleteObject(h));
        QCOMPARE(objectKind(h), static_cast<ObjectKind>(kind));
        QCOMPARE(liveObjectCount(), 0);
    }

    void stockFontsAndGaps()
    {
        for (int index : {10, 11, 12, 13, 14, 16, 17})
            QCOMPARE(objectKind(getStockObject(index)), ObjectKind::Font);
        for (int index : {9, 15, 20, -1, 100})
            QCOMPARE(getStockObject(index), Handle(0));
    }

    void freshDeviceContextSelections()
    {
        QImage image = testsupport::canvas(4, 4, 0);
        DeviceContext dc(&image);
        QCOMPARE(dc.currentObject(ObjectKind::Pen), getStockObject(BlackPen));
        QCOMPARE(dc.currentObject(ObjectKind::Brush), getStockObject(WhiteBrush));
        QCOMPARE(dc.rop2(), int(R2CopyPen));
        QCOMPARE(dc.bkMode(), int(Opaque));
        QCOMPARE(dc.bkColor(), rgb(255, 255, 255));
        QCOMPARE(dc.textColor(), rgb(0, 0, 0));
    }

    void selectReturnsPrevious()
    {
        QImage image = testsupport::canvas(4, 4, 0);
        DeviceContext dc(&image);
        const Handle red = createPen(PsSolid, 1, rgb(255, 0, 0));
        const Handle blue = createPen(PsDot, 1, rgb(0, 0, 255));
        const Handle brush = createSolidBrush(rgb(1, 2, 3));
        // The stock black pen is what a fresh device context gives back first.
        QCOMPARE(dc.selectObject(red), getStockObject(BlackPen));
        QCOMPARE(getStockObject(BlackPen), getStockObject(7));
        QCOMPARE(dc.selectObject(blue), red);
        QCOMPARE(dc.selectObject(brush), getStockObject(WhiteBrush));
        QCOMPARE(dc.selectObject(getStockObject(BlackPen)), blue);
        QCOMPARE(dc.selectObject(getStockObject(WhiteBrush)), brush);
        // Selecting something unknown fails and changes nothing.
        QCOMPARE(dc.selectObject(0x7777), Handle(0));
        QCOMPARE(dc.currentObject(ObjectKind::Pen), getStockObject(BlackPen));
        QVERIFY(deleteObject(red));
        QVERIFY(deleteObject(blue));
        QVERIFY(deleteObject(brush));
    }

    void selectRegionClipsAndReturnsKind()
    {
        QImage image = testsupport::canvas(6, 1, rgb(255, 255, 255));
        DeviceContext dc(&image);
        const Handle region = createRectRgn(2, 0, 4, 1);
        QCOMPARE(dc.selectObject(region), Handle(SimpleRegion));
        QVERIFY(deleteObject(region)); // the device context keeps a copy
        dc.moveTo(0, 0);
        dc.lineTo(6, 0);
        QCOMPARE(testsupport::picture(image, QRect(0, 0, 6, 1), {{0, '#'}, {0xFFFFFF, '.'}}),
                 testsupport::rows("..##.."));
        QCOMPARE(dc.selectClipRgn(0), int(SimpleRegion));
        dc.moveTo(0, 0);
        dc.lineTo(6, 0);
        QCOMPARE(testsupport::picture(image, QRect(0, 0, 6, 1), {{0, '#'}, {0xFFFFFF, '.'}}),
                 testsupport::rows("######"));
    }

    void deleteObjectRules()
    {
        const Handle pen = createPen(PsSolid, 2, rgb(9, 9, 9));
        QCOMPARE(liveObjectCount(), 1);
        QCOMPARE(penInfo(pen)->width, 2);
        QVERIFY(deleteObject(pen));
        QVERIFY(!deleteObject(pen));
        QVERIFY(!deleteObject(0));
        QVERIFY(!deleteObject(0x12345));
        QCOMPARE(objectKind(pen), ObjectKind::None);
    }

    void deletingASelectedPenKeepsTheDrawingState()
    {
        QImage image = testsupport::canvas(4, 1, rgb(255, 255, 255));
        DeviceContext dc(&image);
        const Handle red = createPen(PsSolid, 1, rgb(255, 0, 0));
        dc.selectObject(red);
        QVERIFY(deleteObject(red));
        dc.moveTo(0, 0);
        dc.lineTo(2, 0);
        QCOMPARE(testsupport::at(image, 1, 0), rgb(255, 0, 0));
        QCOMPARE(dc.selectObject(getStockObject(BlackPen)), red);
    }

    void deviceContextsAreCounted()
    {
        QImage image = testsupport::canvas(2, 2, 0);
        {
            DeviceContext dc(&image);
            QCOMPARE(liveObjectCount(), 1);
            QCOMPARE(objectKind(dc.handle()), ObjectKind::DeviceContext);
            QCOMPARE(DeviceContext::fromHandle(dc.handle()), &dc);
            QVERIFY(!deleteObject(dc.handle()));
            auto memory = DeviceContext::createCompatible(&dc);
            QCOMPARE(liveObjectCount(), 2);
        }
        QCOMPARE(liveObjectCount(), 0);
    }

    void selectedBitmapCannotBeDeleted()
    {
        auto memory = DeviceContext::createCompatible();
        QVERIFY(memory->isMemoryDC());
        QVERIFY(memory->isMonochrome());
        QCOMPARE(memory->size(), QSize(1, 1));
        const Handle bitmap = createBitmap(8, 4);
        const Handle first = memory->selectObject(bitmap);
        QCOMPARE(first, defaultBitmapHandle());
        QCOMPARE(memory->size(), QSize(8, 4));
        QVERIFY(!memory->isMonochrome());
        QVERIFY(!deleteObject(bitmap));
        // Nor can it go into a second memory device context at the same time.
        auto other = DeviceContext::createCompatible();
        QCOMPARE(other->selectObject(bitmap), Handle(0));
        QCOMPARE(memory->selectObject(first), bitmap);
        QVERIFY(deleteObject(bitmap));
    }

    void bitmapsOnlyGoIntoMemoryContexts()
    {
        QImage image = testsupport::canvas(2, 2, 0);
        DeviceContext dc(&image);
        const Handle bitmap = createBitmap(2, 2);
        QCOMPARE(dc.selectObject(bitmap), Handle(0));
        QVERIFY(deleteObject(bitmap));
    }

    void ownerDeletes()
    {
        {
            GdiObject pen(createPen(PsSolid, 1, 0));
            QVERIFY(pen);
            QCOMPARE(liveObjectCount(), 1);
            GdiObject moved(std::move(pen));
            QVERIFY(!pen);
            QCOMPARE(liveObjectCount(), 1);
            GdiObject brush(createSolidBrush(0));
            brush = std::move(moved); // deletes the brush, takes the pen
            QCOMPARE(liveObjectCount(), 1);
            QCOMPARE(objectKind(brush), ObjectKind::Pen);
        }
        QCOMPARE(liveObjectCount(), 0);

        GdiObject region(createRectRgn(0, 0, 1, 1));
        const Handle kept = region.release();
        QVERIFY(!region);
        QCOMPARE(liveObjectCount(), 1);
        region.reset(kept);
        region.reset(getStockObject(NullBrush)); // deletes the region; stock objects stay
        QCOMPARE(liveObjectCount(), 0);
        QVERIFY(isStockObject(region));
    }
};

KV_TEST_MAIN(TestGdiObjects)
#include "tst_GdiObjects.moc"
