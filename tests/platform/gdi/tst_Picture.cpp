// Pictures: loading from file bytes, sizes in pixels and HIMETRIC, drawing
// with transparency.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/Picture.h"
#include "tests/support/Canvas.h"
#include "tests/support/TestMain.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

using namespace gdi;

namespace
{

using namespace testsupport::colours;

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(100);
    if (!writer.write(image))
        qWarning("cannot write %s: %s", format, qPrintable(writer.errorString()));
    return bytes;
}

// An icon of the given size: red, with a transparent top-left corner pixel.
QImage iconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(qRgba(255, 0, 0, 255));
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    return image;
}

// One icon file holding the images of several single-image icon files.
QByteArray joinIcons(const QList<QByteArray> &files)
{
    const auto u16 = [](QByteArray &out, quint16 v) {
        const quint16 le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char *>(&le), 2);
    };
    QByteArray header, data;
    u16(header, 0);
    u16(header, 1);
    u16(header, static_cast<quint16>(files.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(files.size());
    for (const QByteArray &file : files) {
        QByteArray entry = file.mid(6, 16);
        const char *fields = entry.data(); // a buffer of its own, which the writes below need anyway
        const quint32 size = qFromLittleEndian<quint32>(fields + 8);
        const quint32 at = qFromLittleEndian<quint32>(fields + 12);
        qToLittleEndian(offset, entry.data() + 12);
        header += entry;
        data += file.mid(at, size);
        offset += size;
    }
    return header + data;
}

// A 3 x 2 GIF, red blue red / blue red blue (Qt writes no GIF).
const QByteArray
    Gif("\x47\x49\x46\x38\x39\x61\x03\x00\x02\x00\x80\x00\x00\xff\x00\x00\x00\x00\xff\x2c\x00\x00"
        "\x00\x00\x03\x00\x02\x00\x00\x02\x04\x44\x88\x10\x29\x00\x3b",
        37);

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(liveObjectCount(), 0); }

    void bitmapFormats_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("bmp") << QByteArray("bmp") << 0;
        QTest::newRow("png") << QByteArray("png") << 0;
        QTest::newRow("jpeg") << QByteArray("jpg") << 40;
    }
    void bitmapFormats()
    {
        QFETCH(QByteArray, format);
        QFETCH(int, tolerance);
        QImage image(16, 8, QImage::Format_RGB32);
        image.fill(qRgb(255, 0, 0));
        const Picture picture = Picture::fromData(encoded(image, format.constData()));
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.type(), Picture::Bitmap);
        QCOMPARE(picture.width(), 16);
        QCOMPARE(picture.height(), 8);
        const QRgb p = picture.image().pixel(8, 4);
        QVERIFY(std::abs(qRed(p) - 255) <= tolerance);
        QVERIFY(qGreen(p) <= tolerance && qBlue(p) <= tolerance);
    }

    void gif()
    {
        const Picture picture = Picture::fromData(Gif);
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.type(), Picture::Bitmap);
        QCOMPARE(QSize(picture.width(), picture.height()), QSize(3, 2));
        QCOMPARE(picture.image().pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
        QCOMPARE(picture.image().pixel(1, 0) & 0xFFFFFF, 0x0000FFu);
        QCOMPARE(picture.image().pixel(0, 1) & 0xFFFFFF, 0x0000FFu);
    }

    void iconsKeepTheirTransparency()
    {
        const Picture picture = Picture::fromData(encoded(iconImage(32), "ico"));
        QCOMPARE(picture.type(), Picture::Icon);
        QCOMPARE(picture.width(), 32);
        QImage image = testsupport::canvas(40, 40, Blue);
        DeviceContext dc(&image);
        QVERIFY(picture.render(dc, 4, 4));
        QCOMPARE(testsupport::at(image, 4, 4), Blue);
        QCOMPARE(testsupport::at(image, 5, 4), Red);
        QCOMPARE(testsupport::at(image, 35, 35), Red);
        QCOMPARE(testsupport::at(image, 36, 36), Blue);
    }

    void iconFilesOfferTheNearestSize_data()
    {
        QTest::addColumn<QSize>("preferred");
        QTest::addColumn<int>("size");
        QTest::newRow("default") << QSize() << 32;
        QTest::newRow("small") << QSize(16, 16) << 16;
        QTest::newRow("near small") << QSize(20, 20) << 16;
        QTest::newRow("large") << QSize(64, 64) << 48;
    }
    void iconFilesOfferTheNearestSize()
    {
        QFETCH(QSize, preferred);
        QFETCH(int, size);
        const QByteArray file = joinIcons(
            {encoded(iconImage(16), "ico"), encoded(iconImage(32), "ico"), encoded(iconImage(48), "ico")});
        const Picture picture = Picture::fromData(file, preferred);
        QCOMPARE(picture.type(), Picture::Icon);
        QCOMPARE(picture.width(), size);
    }

    void unreadableBytesGiveNoPicture()
    {
        const Picture none = Picture::fromData(QByteArray("no picture at all"));
        QVERIFY(none.isNull());
        QCOMPARE(none.type(), Picture::None);
        QCOMPARE(none.width(), 0);
        QVERIFY(Picture::fromFile(QStringLiteral("/nonexistent/picture.bmp")).isNull());
        QImage image = testsupport::canvas(2, 2, Blue);
        DeviceContext dc(&image);
        QVERIFY(!none.render(dc, 0, 0));
    }

    void fromFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bild.bmp"));
        QImage image(5, 3, QImage::Format_RGB32);
        image.fill(qRgb(0, 0, 255));
        QVERIFY(image.save(path, "BMP"));
        const Picture picture = Picture::fromFile(path);
        QCOMPARE(QSize(picture.width(), picture.height()), QSize(5, 3));
    }

    void himetric_data()
    {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("himetric");
        QTest::newRow("32 at 96") << 32 << 96 << 847;
        QTest::newRow("half rounds up: 12 at 96") << 12 << 96 << 318;
        QTest::newRow("half rounds up: 36 at 96") << 36 << 96 << 953;
        QTest::newRow("1 at 96") << 1 << 96 << 26;
        QTest::newRow("0") << 0 << 96 << 0;
        QTest::newRow("32 at 120") << 32 << 120 << 677;
        QTest::newRow("100 at 96") << 100 << 96 << 2646;
    }
    void himetric()
    {
        QFETCH(int, pixels);
        QFETCH(int, dpi);
        QFETCH(int, himetric);
        QCOMPARE(Picture::pixelsToHimetric(pixels, dpi), himetric);
        QCOMPARE(Picture::himetricToPixels(himetric, dpi), pixels);
        QImage image(pixels, 1, QImage::Format_RGB32);
        const Picture picture(image);
        QCOMPARE(picture.widthHimetric(dpi), pixels ? himetric : 0);
        QCOMPARE(picture.heightHimetric(dpi), pixels ? Picture::pixelsToHimetric(1, dpi) : 0);
    }

    void scaledAndBlended()
    {
        QImage small(2, 1, QImage::Format_ARGB32);
        small.setPixel(0, 0, qRgba(255, 0, 0, 255));
        small.setPixel(1, 0, qRgba(255, 0, 0, 128));
        const Picture picture(small);
        QImage image = testsupport::canvas(6, 2, Blue);
        DeviceContext dc(&image);
        QVERIFY(picture.render(dc, 1, 0, 4, 2));
        QCOMPARE(testsupport::at(image, 0, 0), Blue);
        QCOMPARE(testsupport::at(image, 1, 1), Red);
        QCOMPARE(testsupport::at(image, 2, 0), Red);
        QCOMPARE(testsupport::at(image, 3, 0), rgb(128, 0, 127));
        QCOMPARE(testsupport::at(image, 4, 1), rgb(128, 0, 127));
        QCOMPARE(testsupport::at(image, 5, 0), Blue);
    }

    void asBitmapObject()
    {
        QImage pixels(3, 2, QImage::Format_RGB32);
        pixels.fill(qRgb(1, 2, 3));
        const Picture picture(pixels);
        GdiObject bitmap(picture.createBitmap());
        QCOMPARE(objectKind(bitmap), ObjectKind::Bitmap);
        QCOMPARE(bitmapImage(bitmap)->size(), QSize(3, 2));
        QCOMPARE(bitmapImage(bitmap)->pixel(2, 1) & 0xFFFFFF, 0x010203u);
        // An icon's bitmap keeps its transparent parts.
        GdiObject icon(Picture::fromData(encoded(iconImage(16), "ico")).createBitmap());
        QCOMPARE(qAlpha(bitmapImage(icon)->pixel(0, 0)), 0);
        QCOMPARE(qAlpha(bitmapImage(icon)->pixel(1, 0)), 255);
    }
};

KV_TEST_MAIN(TestPicture)
#include "tst_Picture.moc"
