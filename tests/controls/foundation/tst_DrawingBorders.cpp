#include "controls/foundation/ModMain.h"
#include "controls/foundation/modquivbutton.h"
#include "tests/support/Automation.h"
#include "tests/support/Canvas.h"
#include "tests/support/TestMain.h"

#include "platform/com/AutomationError.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SystemColors.h"

#include <QtTest>
#include <climits>
#include <functional>

using namespace ostrevo;

using testsupport::errorOf;

namespace
{

constexpr gdi::ColorRef Back = gdi::rgb(255, 255, 255);

// Six colours that tell the painters' steps apart in a picture.
const std::map<gdi::ColorRef, char> Legend = {
    {Back, '.'},
    {gdi::rgb(10, 0, 0), '1'},
    {gdi::rgb(20, 0, 0), '2'},
    {gdi::rgb(30, 0, 0), '3'},
    {gdi::rgb(40, 0, 0), '4'},
    {gdi::rgb(50, 0, 0), '5'},
    {gdi::rgb(60, 0, 0), '6'},
};

struct Colours {
    int32_t c[6] = {10, 20, 30, 40, 50, 60};
};

} // namespace

class DrawingBordersTest : public QObject
{
    Q_OBJECT

private:
    // The caller's own pen is in the device context when a painter starts; it
    // must end with the stock black pen and with nothing of its own alive.
    void paint(testsupport::Canvas &canvas, const std::function<void(gdi::Handle &)> &painter)
    {
        gdi::GdiObject callersPen(gdi::createPen(gdi::PsSolid, 3, gdi::rgb(1, 2, 3)));
        canvas.dc().selectObject(callersPen);
        const int live = gdi::liveObjectCount();
        gdi::Handle hdc = canvas.handle();
        painter(hdc);
        QVERIFY(canvas.stockBlackPenSelected());
        QCOMPARE(gdi::liveObjectCount(), live);
        QCOMPARE(hdc, canvas.handle());
    }

private slots:
    void cleanup() { gdi::SystemColors::restoreDefaults(); }

    void buttonBorder_data()
    {
        QTest::addColumn<int>("look");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("expected");

        QTest::newRow("look 1")
            << 1 << 1
            << "2222222221|2........1|2........1|2........1|2........1|2........1|2........1|"
               "1111111111";
        QTest::newRow("look 1, two rings")
            << 1 << 2
            << "2222222221|2222222211|22......11|22......11|22......11|22......11|2111111111|1111111111";
        QTest::newRow("look 2")
            << 2 << 1
            << "2222222221|2444444431|24......31|24......31|24......31|24......31|2333333331|"
               "1111111111";
        QTest::newRow("look 2, no ring: only the inner ring")
            << 2 << 0
            << "4444444443|4........3|4........3|4........3|4........3|4........3|4........3|3333333333";
        QTest::newRow("look 3")
            << 3 << 1
            << "1111111111|1222222221|1244444431|124....531|124....531|1245555531|1233333331|"
               "1111111111";
        QTest::newRow("look 3, no ring: only the inner bevel")
            << 3 << 0
            << "..........|.44444444.|.4......5.|.4......5.|.4......5.|.4......5.|.45555555.|..........";
        QTest::newRow("look 4")
            << 4 << 1
            << "..111111..|.13333331.|1555555521|1255555.21|12.6666.21|1266666621|.14444441.|"
               "..111111..";
        QTest::newRow("look 4, no ring: still two lines of colours 5 and 6")
            << 4 << 0
            << "..........|555555555.|.5555555..|..........|..........|..666666..|.66666666.|..........";
        const QString nothing =
            "..........|..........|..........|..........|..........|..........|..........|"
            "..........";
        QTest::newRow("look 0") << 0 << 1 << nothing;
        QTest::newRow("look 5") << 5 << 1 << nothing;
        QTest::newRow("look -1") << -1 << 1 << nothing;
    }

    void buttonBorder()
    {
        QFETCH(int, look);
        QFETCH(int, width);
        QFETCH(QString, expected);

        testsupport::Canvas canvas(10, 8, Back);
        gdi::Rect r{0, 0, 10, 8};
        int32_t lookArg = look, penStyle = gdi::PsSolid, penWidth = width;
        Colours k;
        paint(canvas, [&](gdi::Handle &hdc) {
            modquivbutton::DrawButtonBorder(hdc, r, lookArg, k.c[0], k.c[1], k.c[2], k.c[3], k.c[4], k.c[5],
                                            penStyle, penWidth);
        });
        QCOMPARE(canvas.picture(Legend), expected);
        QCOMPARE(r, (gdi::Rect{0, 0, 10, 8}));
    }

    void border3D_data()
    {
        QTest::addColumn<int>("drawFlag");
        QTest::addColumn<QString>("expected");

        QTest::newRow("drawing on")
            << 1 << "..444444..|.46666664.|4213333124|42......24|42......24|4213333124|.45555554.|..444444..";
        const QString nothing =
            "..........|..........|..........|..........|..........|..........|..........|"
            "..........";
        QTest::newRow("drawing off") << 0 << nothing;
        QTest::newRow("another flag") << 2 << nothing;
    }

    void border3D()
    {
        QFETCH(int, drawFlag);
        QFETCH(QString, expected);

        testsupport::Canvas canvas(10, 8, Back);
        gdi::Rect r{0, 0, 10, 8};
        int32_t flag = drawFlag, penStyle = gdi::PsSolid, penWidth = 1, unused1 = 0, unused2 = 1;
        Colours k;
        paint(canvas, [&](gdi::Handle &hdc) {
            modquivbutton::DrawBorder3D(hdc, r, flag, k.c[0], k.c[1], k.c[2], k.c[3], k.c[4], k.c[5],
                                        penStyle, penWidth, unused1, unused2);
        });
        QCOMPARE(canvas.picture(Legend), expected);
    }

    // The painters hand the RGB values back through the caller's variables,
    // whether they draw or not.
    void coloursConvertedInPlace_data()
    {
        QTest::addColumn<bool>("border3D");
        QTest::addColumn<int>("style");
        QTest::newRow("button border, look 1") << false << 1;
        QTest::newRow("button border, no look") << false << 0;
        QTest::newRow("3-D border, drawing on") << true << 1;
        QTest::newRow("3-D border, drawing off") << true << 0;
    }

    void coloursConvertedInPlace()
    {
        QFETCH(bool, border3D);
        QFETCH(int, style);

        testsupport::Canvas canvas(10, 8, gdi::rgb(0, 0, 1));
        gdi::Rect r{0, 0, 10, 8};
        int32_t c1 = static_cast<int32_t>(0x80000010u); // button shadow
        int32_t c2 = static_cast<int32_t>(0x80000014u); // button highlight
        int32_t c3 = static_cast<int32_t>(0x8000000Fu); // button face
        int32_t c4 = 0x123456;
        int32_t c5 = -1;                                // no such system colour
        int32_t c6 = static_cast<int32_t>(0x80000005u); // window
        int32_t flag = style, penStyle = gdi::PsSolid, penWidth = 1, unused1 = 0, unused2 = 0;
        paint(canvas, [&](gdi::Handle &hdc) {
            if (border3D)
                modquivbutton::DrawBorder3D(hdc, r, flag, c1, c2, c3, c4, c5, c6, penStyle, penWidth, unused1,
                                            unused2);
            else
                modquivbutton::DrawButtonBorder(hdc, r, flag, c1, c2, c3, c4, c5, c6, penStyle, penWidth);
        });
        QCOMPARE(c1, 0x808080);
        QCOMPARE(c2, 0xFFFFFF);
        QCOMPARE(c3, 0xC8D0D4);
        QCOMPARE(c4, 0x123456);
        QCOMPARE(c5, 0);
        QCOMPARE(c6, 0xFFFFFF);
        if (style == 1 && !border3D) {
            QCOMPARE(canvas.at(0, 0), gdi::rgb(255, 255, 255));
            QCOMPARE(canvas.at(9, 7), gdi::rgb(128, 128, 128));
        }
        if (style == 1 && border3D) {
            QCOMPARE(canvas.at(3, 2), gdi::rgb(212, 208, 200));    // third colour
            QCOMPARE(canvas.at(2, 0), gdi::rgb(0x56, 0x34, 0x12)); // fourth colour
        }
        if (style == 0)
            QCOMPARE(canvas.at(0, 0), gdi::rgb(0, 0, 1));
    }

    // A coordinate past the 32-bit range is the platform's overflow; the
    // caller still gets the stock black pen back and no pen is left alive.
    void overflow_data()
    {
        QTest::addColumn<int>("painter");
        QTest::newRow("3-D border, left at the maximum") << 0;
        QTest::newRow("button border look 3, right at the minimum") << 1;
        QTest::newRow("focus rectangle, left at the maximum") << 2;
    }

    void overflow()
    {
        QFETCH(int, painter);

        testsupport::Canvas canvas(10, 8, Back);
        int32_t one = 1, three = 3, solid = gdi::PsSolid, zero = 0;
        Colours k;
        paint(canvas, [&](gdi::Handle &hdc) {
            const int error = errorOf([&] {
                if (painter == 0) {
                    gdi::Rect r{INT_MAX - 1, 0, INT_MAX, 8};
                    modquivbutton::DrawBorder3D(hdc, r, one, k.c[0], k.c[1], k.c[2], k.c[3], k.c[4], k.c[5],
                                                solid, one, zero, zero);
                } else if (painter == 1) {
                    gdi::Rect r{0, 0, INT_MIN + 1, 8};
                    modquivbutton::DrawButtonBorder(hdc, r, three, k.c[0], k.c[1], k.c[2], k.c[3], k.c[4],
                                                    k.c[5], solid, one);
                } else {
                    gdi::Rect r{INT_MAX, 0, 10, 8};
                    ModMain::DrawFocusRectangle(hdc, r, k.c[0]);
                }
            });
            QCOMPARE(error, 6);
        });
    }

    // An unknown pen style or device context draws nothing and leaks nothing.
    void failingCalls()
    {
        testsupport::Canvas canvas(10, 8, Back);
        gdi::Rect r{0, 0, 10, 8};
        int32_t look = 1, badStyle = 7, solid = gdi::PsSolid, one = 1;
        Colours k;
        paint(canvas, [&](gdi::Handle &hdc) {
            modquivbutton::DrawButtonBorder(hdc, r, look, k.c[0], k.c[1], k.c[2], k.c[3], k.c[4], k.c[5],
                                            badStyle, one);
        });
        const int live = gdi::liveObjectCount();
        gdi::Handle none = 0;
        modquivbutton::DrawButtonBorder(none, r, look, k.c[0], k.c[1], k.c[2], k.c[3], k.c[4], k.c[5], solid,
                                        one);
        ModMain::DrawFocusRectangle(none, r, k.c[0]);
        QCOMPARE(gdi::liveObjectCount(), live);
    }

    void focusRectangle()
    {
        // Gaps of the dotted pen take the background colour in opaque mode.
        testsupport::Canvas canvas(20, 10, gdi::rgb(128, 128, 128));
        canvas.dc().selectObject(gdi::getStockObject(gdi::HollowBrush));
        canvas.dc().setBkColor(gdi::rgb(255, 255, 255));
        gdi::Rect r{0, 0, 20, 10};
        int32_t colour = 0x0000FF;
        paint(canvas, [&](gdi::Handle &hdc) { ModMain::DrawFocusRectangle(hdc, r, colour); });
        const std::map<gdi::ColorRef, char> legend = {
            {gdi::rgb(128, 128, 128), '.'}, {gdi::rgb(255, 0, 0), '#'}, {gdi::rgb(255, 255, 255), 'o'}};
        QCOMPARE(canvas.picture(legend), QString("....................|"
                                                 ".ooo###ooo###ooo###.|"
                                                 ".#................o.|"
                                                 ".#................o.|"
                                                 ".#................o.|"
                                                 ".o................#.|"
                                                 ".o................#.|"
                                                 ".o................#.|"
                                                 ".###ooo###ooo###ooo.|"
                                                 "...................."));
        QCOMPARE(colour, 0x0000FF);
        QCOMPARE(r, (gdi::Rect{0, 0, 20, 10}));
    }

    // The buttons draw it in not-XOR over their face and again to take it away.
    void focusRectangleTwiceInNotXorRestores()
    {
        testsupport::Canvas canvas(20, 10, gdi::rgb(0, 0, 0x80));
        canvas.dc().setROP2(gdi::R2NotXorPen);
        const QImage before = canvas.image().copy();
        gdi::Rect r{0, 0, 20, 10};
        int32_t colour = 0xB90000;
        paint(canvas, [&](gdi::Handle &hdc) { ModMain::DrawFocusRectangle(hdc, r, colour); });
        QVERIFY(canvas.image() != before);
        QCOMPARE(canvas.at(0, 0), gdi::rgb(0, 0, 0x80));
        QCOMPARE(canvas.at(9, 4), gdi::rgb(0, 0, 0x80)); // the white brush leaves not-XOR unchanged
        QCOMPARE(canvas.dc().rop2(), int(gdi::R2NotXorPen));
        paint(canvas, [&](gdi::Handle &hdc) { ModMain::DrawFocusRectangle(hdc, r, colour); });
        QVERIFY(canvas.image() == before);
    }
};

KV_TEST_MAIN(DrawingBordersTest)
#include "tst_DrawingBorders.moc"
