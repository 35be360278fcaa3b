#include "controls/foundation/ModResIcons.h"
#include "controls/resources/StockIcons.h"
#include "platform/gdi/ObjectTable.h"
#include "tests/support/TestMain.h"

using namespace ostrevo;
using com::Variant;

Q_DECLARE_METATYPE(com::Variant)

namespace
{

bool hasOpaquePixel(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
    return false;
}

QImage imageOf(int group, int size)
{
    const auto picture = LoadResIcon(Variant::fromInteger(int16_t(group)), size, 2, 0, 0);
    return picture ? picture->picture().image() : QImage();
}

} // namespace

class TestResIcons : public QObject
{
    Q_OBJECT
private slots:
    void loadsGroupsAtTheAskedSize_data()
    {
        QTest::addColumn<Variant>("id");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QSize>("expected");

        QTest::newRow("hovered OK, 16-bit id") << Variant::fromInteger(101) << 32 << 0 << 0 << QSize(32, 32);
        QTest::newRow("32-bit id") << Variant::fromLong(21) << 16 << 0 << 0 << QSize(16, 16);
        QTest::newRow("check box") << Variant::fromInteger(42) << 14 << 0 << 0 << QSize(14, 14);
        QTest::newRow("lit LED") << Variant::fromInteger(243) << 11 << 0 << 0 << QSize(11, 11);
        QTest::newRow("group 91") << Variant::fromInteger(91) << 16 << 0 << 0 << QSize(16, 16);
        QTest::newRow("last pressed group") << Variant::fromInteger(250) << 16 << 0 << 0 << QSize(16, 16);
        QTest::newRow("size wins over width and height")
            << Variant::fromInteger(5) << 16 << 48 << 24 << QSize(16, 16);
        QTest::newRow("size -1 keeps width and height")
            << Variant::fromInteger(5) << -1 << 48 << 24 << QSize(48, 24);
        QTest::newRow("no size at all: the full 32")
            << Variant::fromInteger(5) << -1 << 0 << 0 << QSize(32, 32);
        QTest::newRow("name of a numbered group")
            << Variant(QStringLiteral("#101")) << 32 << 0 << 0 << QSize(32, 32);
    }

    void loadsGroupsAtTheAskedSize()
    {
        QFETCH(Variant, id);
        QFETCH(int, size);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QSize, expected);
        const auto picture = LoadResIcon(id, size, 2, width, height);
        QVERIFY(picture);
        QCOMPARE(picture->picture().type(), gdi::Picture::Icon);
        QCOMPARE(picture->picture().image().size(), expected);
        // Through late binding as a control's host reads it: type 3, size in HIMETRIC.
        QCOMPARE(picture->get(QStringLiteral("Type")).toLong(), 3);
        QCOMPARE(picture->get(QStringLiteral("Width")).toLong(),
                 gdi::Picture::pixelsToHimetric(expected.width()));
        QCOMPARE(picture->get(QStringLiteral("Height")).toLong(),
                 gdi::Picture::pixelsToHimetric(expected.height()));
        QVERIFY(picture->get(QStringLiteral("Handle")).toLong() != 0);
    }

    void givesNothingForMissingGroupsAndOtherIds_data()
    {
        QTest::addColumn<Variant>("id");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");

        QTest::newRow("no such group") << Variant::fromInteger(999) << 0 << 0;
        QTest::newRow("between the sets") << Variant::fromInteger(60) << 0 << 0;
        QTest::newRow("no hovered pOff") << Variant::fromInteger(151) << 0 << 0;
        QTest::newRow("no pressed pOff") << Variant::fromInteger(251) << 0 << 0;
        QTest::newRow("group 0") << Variant::fromInteger(0) << 0 << 0;
        QTest::newRow("negative") << Variant::fromInteger(-5) << 0 << 0;
        QTest::newRow("beyond 16 bits") << Variant::fromLong(65536 + 5) << 0 << 0;
        QTest::newRow("floating point although 5 exists") << Variant::fromDouble(5.0) << 0 << 0;
        QTest::newRow("single") << Variant::fromSingle(5.0f) << 0 << 0;
        QTest::newRow("byte") << Variant::fromByte(5) << 0 << 0;
        QTest::newRow("boolean") << Variant::fromBool(true) << 0 << 0;
        QTest::newRow("empty") << Variant() << 0 << 0;
        QTest::newRow("null") << Variant::null() << 0 << 0;
        QTest::newRow("name not in the library") << Variant(QStringLiteral("BTNOK")) << 0 << 0;
        QTest::newRow("number as plain text") << Variant(QStringLiteral("5")) << 0 << 0;
        QTest::newRow("hash alone") << Variant(QStringLiteral("#")) << 0 << 0;
        QTest::newRow("hash and sign") << Variant(QStringLiteral("#+5")) << 0 << 0;
        QTest::newRow("negative width") << Variant::fromInteger(5) << -16 << 16;
        QTest::newRow("huge height") << Variant::fromInteger(5) << 16 << 1000000;
    }

    void givesNothingForMissingGroupsAndOtherIds()
    {
        QFETCH(Variant, id);
        QFETCH(int, width);
        QFETCH(int, height);
        const int objects = gdi::liveObjectCount();
        QVERIFY(!LoadResIcon(id, -1, 2, width, height));
        QCOMPARE(gdi::liveObjectCount(), objects);
    }

    void everyGroupExistsInEverySizeTheControlsUse()
    {
        QList<int> groups{91};
        for (int n = 1; n <= 51; ++n)
            groups << n;
        for (int n = 1; n <= 50; ++n)
            groups << n + 100 << n + 200;
        for (int group : groups)
            for (int size : {32, 16, 14, 11}) {
                const QImage image = imageOf(group, size);
                QVERIFY2(image.size() == QSize(size, size),
                         qPrintable(QStringLiteral("group %1 at %2").arg(group).arg(size)));
                // pOff shows nothing; every other group draws something.
                QCOMPARE(hasOpaquePixel(image), group != 51);
            }
    }

    void statesLookApartWhereTheControlsShowThem_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("same");

        QTest::newRow("OK normal and hovered") << 21 << 121 << false;
        QTest::newRow("OK normal and pressed") << 21 << 221 << false;
        QTest::newRow("check box empty and ticked") << 42 << 142 << false;
        QTest::newRow("ticked by left and by right button") << 142 << 242 << false;
        QTest::newRow("LED dark and lit") << 43 << 243 << false;
        QTest::newRow("red and green LED lit") << 243 << 244 << false;
        QTest::newRow("cancel and X") << 1 << 41 << false;
        QTest::newRow("undo and redo") << 36 << 26 << false;
        QTest::newRow("list and report") << 49 << 50 << false;
        QTest::newRow("same group twice") << 17 << 17 << true;
    }

    void statesLookApartWhereTheControlsShowThem()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QTEST(imageOf(a, 16) == imageOf(b, 16), "same");
    }

    void thePictureOwnsItsIconHandle()
    {
        const int objects = gdi::liveObjectCount();
        const int automation = com::AutomationObject::liveCount();
        gdi::Handle handle = 0;
        {
            const auto picture = LoadResIcon(Variant::fromInteger(101), 32, 2, 0, 0);
            QVERIFY(picture);
            handle = picture->handle();
            QCOMPARE(gdi::objectKind(handle), gdi::ObjectKind::Bitmap);
            QCOMPARE(gdi::liveObjectCount(), objects + 1);
            // A second reference keeps it alive.
            const Variant held = Variant::fromObject(picture);
            QCOMPARE(com::StdPicture::from(held), picture);
        }
        QCOMPARE(gdi::liveObjectCount(), objects);
        QCOMPARE(gdi::objectKind(handle), gdi::ObjectKind::None);
        QCOMPARE(com::AutomationObject::liveCount(), automation);
    }

    void iconToPicture_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("made");
        QTest::newRow("icon") << 3 << true;
        QTest::newRow("bitmap") << 1 << true;
        QTest::newRow("metafile") << 2 << false;
        QTest::newRow("none") << 0 << false;
        QTest::newRow("uninitialised") << -1 << false;
    }

    void iconToPicture()
    {
        QFETCH(int, type);
        QFETCH(bool, made);
        const int objects = gdi::liveObjectCount();
        QImage image(5, 7, QImage::Format_ARGB32);
        image.fill(Qt::red);
        const gdi::Handle handle = gdi::createBitmapFromImage(image);
        {
            const auto picture = IconToPicture(int32_t(handle), type);
            QCOMPARE(bool(picture), made);
            if (picture) {
                QCOMPARE(int(picture->picture().type()), type);
                QCOMPARE(picture->picture().image().size(), QSize(5, 7));
            }
        }
        // Made, the picture took the handle along; refused, the caller keeps it.
        QCOMPARE(gdi::objectKind(handle) == gdi::ObjectKind::Bitmap, !made);
        gdi::deleteObject(handle);
        QCOMPARE(gdi::liveObjectCount(), objects);
    }

    void iconToPictureRefusesHandlesWithoutPixels()
    {
        QVERIFY(!IconToPicture(0, 3));
        QVERIFY(!IconToPicture(0x7FFFFFF0, 3));
        const gdi::Handle pen = gdi::createPen(0, 1, 0);
        QVERIFY(!IconToPicture(int32_t(pen), 3));
        QCOMPARE(gdi::objectKind(pen), gdi::ObjectKind::Pen);
        gdi::deleteObject(pen);
    }
};

KV_TEST_MAIN(TestResIcons)
#include "tst_ResIcons.moc"
