// Blits between device contexts, memory device contexts and bitmaps.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ObjectTable.h"
#include "tests/support/Canvas.h"
#include "tests/support/TestMain.h"

using namespace gdi;

namespace
{

using namespace testsupport::colours;

} // namespace

class TestBlits : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(liveObjectCount(), 0); }

    void rasterOperations_data()
    {
        QTest::addColumn<uint>("rop");
        QTest::addColumn<uint>("source");
        QTest::addColumn<uint>("dest");
        QTest::addColumn<uint>("result");
        // The destination's brush (the pattern) is 0x0000F0.
        QTest::newRow("SRCCOPY") << uint(SrcCopy) << 0x123456u << 0xABCDEFu << 0x123456u;
        QTest::newRow("SRCAND") << uint(SrcAnd) << 0x0F0FF0u << 0x3355FFu << 0x0305F0u;
        QTest::newRow("SRCPAINT") << uint(SrcPaint) << 0x0F0F00u << 0x305000u << 0x3F5F00u;
        QTest::newRow("SRCINVERT") << uint(SrcInvert) << 0x0F0F0Fu << 0x00FF00u << 0x0FF00Fu;
        QTest::newRow("SRCERASE") << uint(SrcErase) << 0x0F0F0Fu << 0x00FF00u << 0x0F000Fu;
        QTest::newRow("NOTSRCCOPY") << uint(NotSrcCopy) << 0x0F0F0Fu << 0x123456u << 0xF0F0F0u;
        QTest::newRow("NOTSRCERASE") << uint(NotSrcErase) << 0x0F0F0Fu << 0x00FF00u << 0xF000F0u;
        QTest::newRow("MERGEPAINT") << uint(MergePaint) << 0xFF0F0Fu << 0x00F000u << 0x00F0F0u;
        QTest::newRow("MERGECOPY") << uint(MergeCopy) << 0x0F0FFFu << 0x123456u << 0x0000F0u;
        QTest::newRow("DSTINVERT") << uint(DstInvert) << 0x0F0F0Fu << 0x123456u << 0xEDCBA9u;
        QTest::newRow("PATCOPY") << uint(PatCopy) << 0x0F0F0Fu << 0x123456u << 0x0000F0u;
        QTest::newRow("PATINVERT") << uint(PatInvert) << 0x0F0F0Fu << 0x1234FFu << 0x12340Fu;
        QTest::newRow("BLACKNESS") << uint(Blackness) << 0x0F0F0Fu << 0x123456u << 0u;
        QTest::newRow("WHITENESS") << uint(Whiteness) << 0x0F0F0Fu << 0x123456u << 0xFFFFFFu;
    }
    void rasterOperations()
    {
        QFETCH(uint, rop);
        QFETCH(uint, source);
        QFETCH(uint, dest);
        QFETCH(uint, result);
        QImage src = testsupport::canvas(2, 2, source);
        QImage dst = testsupport::canvas(3, 3, dest);
        DeviceContext from(&src);
        DeviceContext to(&dst);
        GdiObject brush(createSolidBrush(0x0000F0));
        to.selectObject(brush);
        QVERIFY(to.bitBlt(1, 1, 2, 2, &from, 0, 0, rop));
        QCOMPARE(testsupport::at(dst, 1, 1), ColorRef(result));
        QCOMPARE(testsupport::at(dst, 2, 2), ColorRef(result));
        QCOMPARE(testsupport::at(dst, 0, 0), ColorRef(dest));
        to.selectObject(getStockObject(WhiteBrush));
    }

    void blitsAreClippedToBothImages()
    {
        QImage src = testsupport::canvas(3, 3, Red);
        QImage dst = testsupport::canvas(6, 6, Grey);
        DeviceContext from(&src);
        DeviceContext to(&dst);
        // Only the part that the source has is copied.
        QVERIFY(to.bitBlt(1, 1, 5, 5, &from, 1, 1, SrcCopy));
        QVERIFY(to.bitBlt(-1, 4, 3, 3, &from, 0, 0, SrcCopy));
        const std::map<ColorRef, char> legend{{Red, 'r'}, {Grey, '.'}};
        QCOMPARE(testsupport::picture(dst, dst.rect(), legend),
                 testsupport::rows("......|.rr...|.rr...|......|rr....|rr...."));
        // Without a source only operations that need none work.
        QVERIFY(!to.bitBlt(0, 0, 2, 2, nullptr, 0, 0, SrcCopy));
        QVERIFY(to.bitBlt(0, 0, 1, 1, nullptr, 0, 0, Blackness));
        QCOMPARE(testsupport::at(dst, 0, 0), Black);
    }

    void overlappingBlitWithinOneImage()
    {
        QImage image(5, 1, QImage::Format_RGB32);
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, 0, qRgb(x, x, x));
        DeviceContext dc(&image);
        QVERIFY(dc.bitBlt(1, 0, 4, 1, &dc, 0, 0, SrcCopy));
        for (int x = 1; x < 5; ++x)
            QCOMPARE(testsupport::at(image, x, 0), rgb(x - 1, x - 1, x - 1));
    }

    void memoryContextRoundTrip()
    {
        QImage screen = testsupport::canvas(10, 10, Grey);
        DeviceContext dc(&screen);
        auto memory = DeviceContext::createCompatible(&dc);
        const Handle bitmap = createCompatibleBitmap(dc, 4, 3);
        QVERIFY(!isMonochromeBitmap(bitmap));
        const Handle old = memory->selectObject(bitmap);
        QCOMPARE(memory->size(), QSize(4, 3));
        GdiObject brush(createSolidBrush(Red));
        memory->fillRect({0, 0, 4, 3}, brush);
        memory->setPixel(0, 0, Blue);
        QVERIFY(dc.bitBlt(2, 2, 4, 3, memory.get(), 0, 0, SrcCopy));
        QCOMPARE(testsupport::at(screen, 2, 2), Blue);
        QCOMPARE(testsupport::at(screen, 5, 4), Red);
        QCOMPARE(testsupport::at(screen, 6, 4), Grey);
        QCOMPARE(bitmapImage(bitmap)->pixel(1, 1) & 0xFFFFFF, 0xFF0000u);
        // Put the first bitmap back, then the bitmap can go.
        QCOMPARE(memory->selectObject(old), bitmap);
        QVERIFY(deleteObject(bitmap));
    }

    void aFreshMemoryContextMakesMonochromeBitmaps()
    {
        auto memory = DeviceContext::createCompatible();
        GdiObject mono(createCompatibleBitmap(*memory, 8, 8));
        QVERIFY(isMonochromeBitmap(mono));
        GdiObject colour(createBitmap(8, 8, 1, 32));
        const Handle old = memory->selectObject(colour);
        GdiObject second(createCompatibleBitmap(*memory, 8, 8));
        QVERIFY(!isMonochromeBitmap(second));
        memory->selectObject(old);
    }

    void drawingOnMonochromeBitmaps()
    {
        auto memory = DeviceContext::createCompatible();
        GdiObject bitmap(createBitmap(4, 1, 1, 1));
        const Handle old = memory->selectObject(bitmap);
        QVERIFY(memory->isMonochrome());
        memory->setPixel(0, 0, rgb(250, 250, 250)); // nearer white
        memory->setPixel(1, 0, rgb(100, 0, 0));     // nearer black
        QCOMPARE(memory->getPixel(0, 0), White);
        QCOMPARE(memory->getPixel(1, 0), Black);
        // A pen colour other than black or white takes the opposite of the
        // background colour's nearer end.
        GdiObject pen(createPen(PsSolid, 1, rgb(200, 200, 200)));
        memory->selectObject(pen);
        memory->moveTo(2, 0);
        memory->lineTo(4, 0);
        QCOMPARE(memory->getPixel(2, 0), Black);
        memory->selectObject(getStockObject(BlackPen));
        memory->selectObject(old);
    }

    void colourToMonochromeAndBack()
    {
        // The masking technique of transparent blits: the source's background
        // colour becomes white in the mask, all else black; the mask blitted
        // to colour takes the destination's text colour for black and its
        // background colour for white.
        QImage picture = testsupport::canvas(3, 1, Red);
        picture.setPixel(1, 0, qRgb(0, 0, 255));
        DeviceContext source(&picture);
        source.setBkColor(Red);
        auto maskDc = DeviceContext::createCompatible(&source);
        GdiObject mask(createBitmap(3, 1, 1, 1));
        const Handle old = maskDc->selectObject(mask);
        QVERIFY(maskDc->bitBlt(0, 0, 3, 1, &source, 0, 0, SrcCopy));
        QCOMPARE(maskDc->getPixel(0, 0), White);
        QCOMPARE(maskDc->getPixel(1, 0), Black);
        QCOMPARE(maskDc->getPixel(2, 0), White);

        QImage out = testsupport::canvas(3, 1, Grey);
        DeviceContext target(&out);
        target.setTextColor(rgb(1, 2, 3));
        target.setBkColor(rgb(4, 5, 6));
        QVERIFY(target.bitBlt(0, 0, 3, 1, maskDc.get(), 0, 0, SrcCopy));
        QCOMPARE(testsupport::at(out, 0, 0), rgb(4, 5, 6));
        QCOMPARE(testsupport::at(out, 1, 0), rgb(1, 2, 3));
        maskDc->selectObject(old);
    }

    void transparentBlitKeepsTheBackground()
    {
        // The whole transparent copy as the picture routines do it: mask,
        // inverted mask, AND, AND, XOR.
        QImage sprite = testsupport::canvas(4, 1, Red);
        sprite.setPixel(1, 0, qRgb(0, 255, 0));
        sprite.setPixel(3, 0, qRgb(0, 0, 255));
        QImage background(4, 1, QImage::Format_RGB32);
        for (int x = 0; x < 4; ++x)
            background.setPixel(x, 0, qRgb(10 * x, 20, 30));
        DeviceContext src(&sprite);
        DeviceContext dst(&background);

        auto maskDc = DeviceContext::createCompatible(&dst);
        auto inverseDc = DeviceContext::createCompatible(&dst);
        auto resultDc = DeviceContext::createCompatible(&dst);
        auto copyDc = DeviceContext::createCompatible(&dst);
        GdiObject mask(createBitmap(4, 1, 1, 1));
        GdiObject inverse(createBitmap(4, 1, 1, 1));
        GdiObject result(createCompatibleBitmap(dst, 4, 1));
        GdiObject copy(createCompatibleBitmap(dst, 4, 1));
        const Handle old1 = maskDc->selectObject(mask);
        const Handle old2 = inverseDc->selectObject(inverse);
        const Handle old3 = resultDc->selectObject(result);
        const Handle old4 = copyDc->selectObject(copy);

        src.setBkColor(Red);
        maskDc->bitBlt(0, 0, 4, 1, &src, 0, 0, SrcCopy);
        inverseDc->bitBlt(0, 0, 4, 1, maskDc.get(), 0, 0, NotSrcCopy);
        resultDc->bitBlt(0, 0, 4, 1, &dst, 0, 0, SrcCopy);
        resultDc->bitBlt(0, 0, 4, 1, maskDc.get(), 0, 0, SrcAnd);
        copyDc->bitBlt(0, 0, 4, 1, &src, 0, 0, SrcCopy);
        copyDc->bitBlt(0, 0, 4, 1, inverseDc.get(), 0, 0, SrcAnd);
        resultDc->bitBlt(0, 0, 4, 1, copyDc.get(), 0, 0, SrcInvert);
        dst.bitBlt(0, 0, 4, 1, resultDc.get(), 0, 0, SrcCopy);

        QCOMPARE(testsupport::at(background, 0, 0), rgb(0, 20, 30));
        QCOMPARE(testsupport::at(background, 1, 0), rgb(0, 255, 0));
        QCOMPARE(testsupport::at(background, 2, 0), rgb(20, 20, 30));
        QCOMPARE(testsupport::at(background, 3, 0), rgb(0, 0, 255));

        maskDc->selectObject(old1);
        inverseDc->selectObject(old2);
        resultDc->selectObject(old3);
        copyDc->selectObject(old4);
    }

    void stretching_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("srcWidth");
        QTest::addColumn<QString>("row");
        // The source row is "RB" (red, blue); results from x = 2 on.
        QTest::newRow("double") << 4 << 2 << "..rrbb..";
        QTest::newRow("same") << 2 << 2 << "..rb....";
        QTest::newRow("half") << 1 << 2 << "..b.....";
        QTest::newRow("mirrored") << 4 << -2 << "..bbrr..";
    }
    void stretching()
    {
        QFETCH(int, width);
        QFETCH(int, srcWidth);
        QFETCH(QString, row);
        QImage src = testsupport::canvas(2, 1, Red);
        src.setPixel(1, 0, qRgb(0, 0, 255));
        QImage dst = testsupport::canvas(8, 1, Grey);
        DeviceContext from(&src);
        DeviceContext to(&dst);
        // A negative source width runs back from its start: 1, 0.
        const int srcX = srcWidth < 0 ? 1 : 0;
        QVERIFY(to.stretchBlt(2, 0, width, 1, &from, srcX, 0, srcWidth, 1, SrcCopy));
        QCOMPARE(
            testsupport::picture(dst, dst.rect(), {{Red, 'r'}, {Blue, 'b'}, {Grey, '.'}}).join(QString()),
            row);
    }

    void imagesOfOtherFormats()
    {
        // A surface in another format is converted; one that is replaced or
        // resized later is taken as it is then.
        QImage surface(4, 2, QImage::Format_RGB888);
        surface.fill(QColor(0, 0, 255));
        DeviceContext dc(&surface);
        QCOMPARE(surface.format(), QImage::Format_RGB32);
        QCOMPARE(dc.getPixel(3, 1), Blue);
        surface = QImage(6, 3, QImage::Format_Grayscale8);
        surface.fill(QColor(128, 128, 128));
        QCOMPARE(dc.getPixel(5, 2), Grey);
        QCOMPARE(dc.size(), QSize(6, 3));
        dc.setPixel(5, 2, Red);
        QCOMPARE(dc.getPixel(5, 2), Red);

        QImage indexed(2, 1, QImage::Format_Indexed8);
        indexed.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
        indexed.setPixel(0, 0, 1);
        indexed.setPixel(1, 0, 0);
        DeviceContext source(&indexed);
        indexed = indexed.convertToFormat(QImage::Format_Indexed8, {qRgb(0, 0, 255), qRgb(255, 0, 0)});
        QVERIFY(dc.bitBlt(0, 0, 2, 1, &source, 0, 0, SrcCopy));
        QCOMPARE(dc.getPixel(0, 0), Blue);
        QCOMPARE(dc.getPixel(1, 0), Red);
    }

    void patternBlit()
    {
        QImage image = testsupport::canvas(3, 1, Grey);
        DeviceContext dc(&image);
        GdiObject brush(createSolidBrush(Red));
        dc.selectObject(brush);
        QVERIFY(dc.patBlt(0, 0, 2, 1, PatCopy));
        QVERIFY(!dc.patBlt(0, 0, 2, 1, SrcCopy));
        QCOMPARE(testsupport::picture(image, image.rect(), {{Red, 'r'}, {Grey, '.'}}).join(QString()), "rr.");
        dc.selectObject(getStockObject(WhiteBrush));
    }
};

KV_TEST_MAIN(TestBlits)
#include "tst_Blits.moc"
