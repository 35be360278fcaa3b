#include "controls/dialog/BalloonGeometry.h"
#include "controls/dialog/BlendColor.h"
#include "controls/dialog/PictureRoutines.h"
#include "controls/dialog/msgFrm.h"
#include "platform/com/AutomationError.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/Regions.h"
#include "platform/gdi/WindowRegion.h"
#include "platform/runtime/SystemSources.h"
#include "tests/support/Automation.h"
#include "tests/support/Canvas.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeCursorSource.h"
#include "tests/support/fakes/FakeScreenSource.h"
#include "tests/support/fakes/SyntheticDesktop.h"

#include <QPointer>

using namespace ostrevo;

using testsupport::errorOf;

namespace
{

gdi::ColorRef grey(int level)
{
    return gdi::rgb(level, level, level);
}

QRegion polygon(std::array<QPoint, 3> points)
{
    return gdi::polygonRegion({points.begin(), points.end()}, gdi::Alternate);
}

} // namespace

class TestBalloonShape : public QObject
{
    Q_OBJECT
private:
    desktop::SyntheticDesktop *m_desktop = nullptr;
    QPointer<msgFrm> m_form;

    // A loaded, unshown balloon of 300 × 150 pixels.
    msgFrm *newForm()
    {
        m_form = rt::Form::create<msgFrm>();
        m_form->load();
        m_form->setSizePixels(300, 150);
        return m_form;
    }

private slots:
    void init()
    {
        rt::SystemSources::setScreen(std::make_unique<rt::FakeScreenSource>());
        rt::SystemSources::setCursor(std::make_unique<rt::FakeCursorSource>(QPoint(700, 200)));
        auto desk = std::make_unique<desktop::SyntheticDesktop>(QSize(1024, 768), Qt::white);
        m_desktop = desk.get();
        rt::ServiceSlot<desktop::DesktopSource>::install(std::move(desk));
    }

    void cleanup()
    {
        if (m_form)
            m_form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        rt::ServiceSlot<desktop::DesktopSource>::reset();
        rt::SystemSources::reset();
    }

    void blendColor_data()
    {
        QTest::addColumn<int>("colour1");
        QTest::addColumn<int>("colour2");
        QTest::addColumn<int>("weight");
        QTest::addColumn<int>("extra");
        QTest::addColumn<int>("result"); // -6: overflow
        QTest::newRow("white, innermost ring") << 0xFFFFFF << 0 << 20 << 50 << 0x454545;
        QTest::newRow("grey, outermost ring") << 0x808080 << 0 << 180 << 50 << 0x737373;
        QTest::newRow("lowest extra weight gives black") << 0x123456 << 0 << 20 << -20 << 0;
        QTest::newRow("one below") << 0xFFFFFF << 0 << 20 << -21 << -6;
        QTest::newRow("highest extra weight") << 0x808080 << 0 << 180 << 75 << 0x7F7F7F;
        QTest::newRow("one above") << 0xFFFFFF << 0 << 180 << 76 << -6;
        QTest::newRow("channels apart") << 0x0000FF << 0x00FF00 << 128 << 0 << 0x007F7F;
        QTest::newRow("a channel above 255 counts as 255") << 0xFFFFFF << 0xFFFFFF << 180 << 75 << 0xFFFFFF;
    }

    void blendColor()
    {
        QFETCH(int, colour1);
        QFETCH(int, colour2);
        QFETCH(int, weight);
        QFETCH(int, extra);
        QFETCH(int, result);
        const int16_t w = static_cast<int16_t>(weight), e = static_cast<int16_t>(extra);
        if (result == -6) {
            QCOMPARE(errorOf([&] { BlendColor(colour1, colour2, w, e); }), 6);
            QCOMPARE(errorOf([&] { checkShadowIntensity(e); }), 6);
        } else {
            QCOMPARE(BlendColor(colour1, colour2, w, e), result);
        }
    }

    void placement_data()
    {
        QTest::addColumn<QPointF>("anchor");
        QTest::addColumn<int>("corner");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("top left quarter") << QPointF(100, 100) << 4 << QPoint(58, 100);
        QTest::newRow("top right quarter") << QPointF(900, 100) << 2 << QPoint(642, 100);
        QTest::newRow("bottom right quarter") << QPointF(900, 700) << 1 << QPoint(642, 550);
        QTest::newRow("bottom left quarter") << QPointF(100, 700) << 3 << QPoint(58, 550);
        QTest::newRow("centre counts as top left") << QPointF(512, 384) << 4 << QPoint(470, 384);
        QTest::newRow("one right of centre") << QPointF(513, 384) << 2 << QPoint(255, 384);
        QTest::newRow("one below centre") << QPointF(512, 385) << 3 << QPoint(470, 235);
        QTest::newRow("half rounds down to even") << QPointF(100.5, 100.5) << 4 << QPoint(58, 100);
        QTest::newRow("half rounds up to even") << QPointF(101.5, 101.5) << 4 << QPoint(60, 102);
        QTest::newRow("x alone uses the cursor") << QPointF(250, 0) << 2 << QPoint(442, 200);
        QTest::newRow("nothing given uses the cursor") << QPointF(0, 0) << 2 << QPoint(442, 200);
    }

    void placement()
    {
        QFETCH(QPointF, anchor);
        QFETCH(int, corner);
        QFETCH(QPoint, topLeft);
        msgFrm *form = newForm();
        QCOMPARE(int(form->GetPointerStyle(float(anchor.x()), float(anchor.y()))), corner);
        QCOMPARE(form->pos(), topLeft);
    }

    void pointerTriangles_data()
    {
        QTest::addColumn<int>("corner");
        QTest::addColumn<QPoint>("inside");
        QTest::addColumn<QPoint>("outside");
        QTest::newRow("bottom right") << 1 << QPoint(263, 117) << QPoint(263, 100);
        QTest::newRow("top right") << 2 << QPoint(261, 2) << QPoint(243, 2);
        QTest::newRow("bottom left") << 3 << QPoint(42, 139) << QPoint(60, 140);
        QTest::newRow("top left") << 4 << QPoint(41, 5) << QPoint(58, 1);
    }

    void pointerTriangles()
    {
        QFETCH(int, corner);
        QFETCH(QPoint, inside);
        QFETCH(QPoint, outside);
        msgFrm *form = newForm();
        const int before = gdi::liveObjectCount();
        gdi::GdiObject pointer(form->n_SetPointer(static_cast<int16_t>(corner)));
        QCOMPARE(gdi::liveObjectCount(), before + 1); // the region alone
        QCOMPARE(gdi::regionOf(pointer), polygon(BalloonGeometry::outerPointer(corner, 300, 150)));
        QVERIFY(gdi::ptInRegion(pointer, inside.x(), inside.y()));
        QVERIFY(!gdi::ptInRegion(pointer, outside.x(), outside.y()));
    }

    void pointerCoordinates()
    {
        const auto bottomRight = BalloonGeometry::outerPointer(1, 300, 150);
        QCOMPARE(bottomRight[0], QPoint(239, 116));
        QCOMPARE(bottomRight[2], QPoint(264, 141));
        // Fractional sizes round half to even.
        QCOMPARE(BalloonGeometry::outerPointer(1, 300.5, 150.5)[0], QPoint(240, 116));
        QCOMPARE(BalloonGeometry::outerPointer(4, 300, 150)[2], QPoint(40, 0));
    }

    void bodyAndPointerRegion()
    {
        msgFrm *form = newForm();
        const int before = gdi::liveObjectCount();
        form->DrawBalloon(false, 100, 100, 50);
        QCOMPARE(gdi::liveObjectCount(), before); // the window owns the one region left
        QCOMPARE(form->pos(), QPoint(58, 100));
        const QRegion expected = gdi::roundRectRegion(0, 20, 286, 118, 20, 20)
                                     .united(gdi::roundRectRegion(11, 29, 295, 127, 45, 35))
                                     .united(polygon({QPoint(40, 20), QPoint(60, 20), QPoint(40, 0)}));
        QCOMPARE(gdi::windowRegion(form).value(), expected);
        // The body's right and bottom coordinates (W - 14, H - 32) are its first columns and rows outside.
        gdi::GdiObject body(form->n_GetMainRect());
        QVERIFY(gdi::ptInRegion(body, 285, 60));
        QVERIFY(!gdi::ptInRegion(body, 286, 60));
        QVERIFY(gdi::ptInRegion(body, 150, 117));
        QVERIFY(!gdi::ptInRegion(body, 150, 118));
        QVERIFY(!gdi::ptInRegion(body, 0, 20)); // rounded corner
    }

    void withoutPointerTheBalloonIsCentred()
    {
        msgFrm *form = newForm();
        form->DrawBalloon(true, 100, 100, 50);
        QCOMPARE(form->pos(), QPoint(362, 309));
        const QRegion region = gdi::windowRegion(form).value();
        QVERIFY(!region.contains(QPoint(45, 10)));
        QCOMPARE(region, gdi::roundRectRegion(0, 20, 286, 118, 20, 20)
                             .united(gdi::roundRectRegion(11, 29, 295, 127, 45, 35)));
    }

    void refreshAfterMovingDropsThePointer()
    {
        msgFrm *form = newForm();
        form->DrawBalloon(false, 100, 100, 50);
        form->move(300, 300);
        form->n_RefreshShadow(50);
        QVERIFY(!gdi::windowRegion(form)->contains(QPoint(45, 10)));
        QCOMPARE(m_desktop->lastRect(), QRect(300, 300, 300, 150));
    }

    void draggingTheBodyMovesTheBalloonWithoutItsPointer()
    {
        msgFrm *form = newForm();
        form->layOutMessage(QStringLiteral("Text"), 0, QStringLiteral("Titel"), false, false, QString(),
                            false, {}, {}, {}, 0, 100, 100, 50);
        form->show();
        const QPoint start = form->pos();
        QVERIFY(gdi::windowRegion(form)->contains(QPoint(45, 10)));
        QTest::mousePress(form->F1(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(testsupport::at(form->surface(), 6, 20), 0u); // the body's top outline closed
        QTest::mouseMove(form->F1(), QPoint(50, 40));
        QTest::mouseRelease(form->F1(), Qt::LeftButton, {}, QPoint(50, 40));
        QCOMPARE(form->pos(), start + QPoint(30, 20));
        QVERIFY(!gdi::windowRegion(form)->contains(QPoint(45, 10)));
        QCOMPARE(m_desktop->lastRect(), QRect(form->pos(), form->size()));
    }

    void shadowPixels_data()
    {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<int>("level"); // -1: untouched
        // White desktop, intensity 50: 255 × (ring weight + 50) \ 256.
        QTest::newRow("bottom band, outermost ring") << QPoint(150, 127) << 229;
        QTest::newRow("bottom band, innermost ring") << QPoint(150, 110) << 69;
        QTest::newRow("bottom band, ring 7") << QPoint(150, 120) << 169;
        QTest::newRow("right band, outermost ring") << QPoint(295, 70) << 229;
        QTest::newRow("right band, ring 9") << QPoint(286, 70) << 149;
        QTest::newRow("band start") << QPoint(5, 127) << 229;
        QTest::newRow("before the band start") << QPoint(4, 127) << -1;
        QTest::newRow("sloped end of an inner ring") << QPoint(20, 111) << -1;
        QTest::newRow("right band top") << QPoint(295, 23) << 229;
        QTest::newRow("above the right band") << QPoint(295, 22) << -1;
    }

    void shadowPixels()
    {
        QFETCH(QPoint, pixel);
        QFETCH(int, level);
        msgFrm *form = newForm();
        form->move(200, 100);
        const gdi::ColorRef before = testsupport::at(form->surface(), pixel.x(), pixel.y());
        gdi::GdiObject shadow(form->n_GetShadowRect(50));
        const gdi::ColorRef expected = level < 0 ? before : grey(level);
        QCOMPARE(testsupport::at(form->surface(), pixel.x(), pixel.y()), expected);
        gdi::Rect box;
        gdi::getRgnBox(shadow, box);
        QCOMPARE(box, (gdi::Rect{11, 29, 295, 127}));
        QCOMPARE(gdi::regionOf(shadow), gdi::roundRectRegion(11, 29, 295, 127, 45, 35));
    }

    void shadowReadsTheDesktopUnderThePixel()
    {
        msgFrm *form = newForm();
        form->move(200, 100);
        m_desktop->image().setPixel(200 + 150, 100 + 127, qRgb(128, 128, 128));
        m_desktop->image().setPixel(200 + 295, 100 + 70, qRgb(0, 0, 255));
        gdi::GdiObject shadow(form->n_GetShadowRect(50));
        QCOMPARE(m_desktop->lastRect(), QRect(200, 100, 300, 150));
        QCOMPARE(testsupport::at(form->surface(), 150, 127), 0x737373u);
        QCOMPARE(testsupport::at(form->surface(), 295, 70), gdi::rgb(0, 0, 229));
    }

    void visibleShadowAfterTheBody()
    {
        msgFrm *form = newForm();
        form->setBalloonColour(0xCCFFFF);
        form->DrawBalloon(false, 100, 100, 50);
        QCOMPARE(testsupport::at(form->surface(), 150, 120), grey(169)); // below the body
        QCOMPARE(testsupport::at(form->surface(), 150, 60), 0xCCFFFFu);  // the body covers its rings
        QCOMPARE(testsupport::at(form->surface(), 285, 60), grey(70));   // the rim along the right edge
        QCOMPARE(testsupport::at(form->surface(), 150, 117), grey(70));  // and along the bottom edge
        QCOMPARE(testsupport::at(form->surface(), 286, 60), grey(149));  // the shadow beside the body, ring 9
        QCOMPARE(testsupport::at(form->surface(), 294, 60), grey(229));  // its outermost ring but one
        // The visible shadow: rows H - 32 to H - 24 and columns W - 14 to W - 6.
        const QRegion region = gdi::windowRegion(form).value();
        for (const QPoint inside : {QPoint(286, 60), QPoint(294, 60), QPoint(150, 118), QPoint(150, 126)})
            QVERIFY2(region.contains(inside),
                     qPrintable(QStringLiteral("%1,%2").arg(inside.x()).arg(inside.y())));
        for (const QPoint outside : {QPoint(295, 60), QPoint(150, 127)})
            QVERIFY(!region.contains(outside));
        QCOMPARE(testsupport::at(form->surface(), 0, 60), 0u); // the outline in the pen
        QCOMPARE(testsupport::at(form->surface(), 284, 60), 0u);
        QCOMPARE(testsupport::at(form->surface(), 40, 10), 0u);        // the pointer's dark edge
        QCOMPARE(testsupport::at(form->surface(), 42, 19), 0xCCFFFFu); // the pointer inside
    }

    void intensityOutOfRangeRaisesBeforePainting()
    {
        msgFrm *form = newForm();
        const QImage before = form->surface().copy();
        const int objects = gdi::liveObjectCount();
        QCOMPARE(errorOf([&] { form->DrawBalloon(false, 100, 100, 76); }), 6);
        QCOMPARE(errorOf([&] { form->DrawBalloon(false, 100, 100, -21); }), 6);
        QCOMPARE(form->surface(), before);
        QCOMPARE(gdi::liveObjectCount(), objects);
        QVERIFY(!gdi::windowRegion(form));
    }

    void transparentBlit()
    {
        QImage sourceImage(4, 4, QImage::Format_RGB32);
        sourceImage.fill(qRgb(0, 255, 0));
        sourceImage.setPixel(1, 1, qRgb(255, 0, 0));
        sourceImage.setPixel(3, 3, qRgb(0, 0, 0));
        QImage targetImage(6, 6, QImage::Format_RGB32);
        targetImage.fill(qRgb(0, 0, 255));
        const int objects = gdi::liveObjectCount();
        {
            gdi::DeviceContext source(&sourceImage);
            gdi::DeviceContext target(&targetImage);
            gdi::ColorRef key = gdi::rgb(0, 255, 0);
            TransparentBlit(target.handle(), source.handle(), gdi::Rect{0, 0, 3, 3}, 1, 1, key);
            QCOMPARE(key, gdi::rgb(0, 255, 0));
            QCOMPARE(source.bkColor(), gdi::rgb(255, 255, 255));
        }
        QCOMPARE(gdi::liveObjectCount(), objects);
        QCOMPARE(targetImage.pixel(1, 1), qRgb(0, 0, 255)); // green left out
        QCOMPARE(targetImage.pixel(2, 2), qRgb(255, 0, 0));
        QCOMPARE(targetImage.pixel(4, 4), qRgb(0, 0, 0)); // the fourth row and column come too
        QCOMPARE(targetImage.pixel(5, 5), qRgb(0, 0, 255));
    }

    void transparentBlitBeyondSixteenBits()
    {
        QImage image(2, 2, QImage::Format_RGB32);
        gdi::DeviceContext dc(&image);
        const int objects = gdi::liveObjectCount();
        gdi::ColorRef key = 0;
        QCOMPARE(errorOf([&] {
                     TransparentBlit(dc.handle(), dc.handle(), gdi::Rect{0, 0, 32767, 0}, 0, 0, key);
                 }),
                 6);
        QCOMPARE(gdi::liveObjectCount(), objects);
    }

    void captureScreenRect()
    {
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        image.setPixel(4, 5, qRgb(200, 100, 50));
        gdi::DeviceContext dc(&image);
        const int objects = gdi::liveObjectCount();
        {
            const std::shared_ptr<com::StdPicture> picture = CaptureScreenRect(dc.handle(), 4, 5, 3, 2);
            QVERIFY(picture);
            QCOMPARE(picture->picture().image().size(), QSize(3, 2));
            QCOMPARE(picture->picture().image().pixel(0, 0) & 0xFFFFFF, qRgb(200, 100, 50) & 0xFFFFFFu);
            QCOMPARE(gdi::liveObjectCount(), objects + 1); // its bitmap
        }
        QCOMPARE(gdi::liveObjectCount(), objects);
        QVERIFY(!CreateBitmapPicture(0, 0));
    }

    void oleColours()
    {
        QCOMPARE(msgFrm::OleColorToRGB(0xCCFFFF), 0xCCFFFF);
        QCOMPARE(msgFrm::OleColorToRGB(static_cast<int32_t>(0x80000005)), 0xFFFFFF);
    }
};

KV_TEST_MAIN(TestBalloonShape)
#include "tst_BalloonShape.moc"
