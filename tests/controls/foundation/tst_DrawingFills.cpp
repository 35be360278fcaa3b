#include "controls/foundation/PictureBox.h"
#include "controls/foundation/modquivbutton.h"
#include "tests/support/Canvas.h"
#include "tests/support/TestMain.h"

#include "platform/com/AutomationError.h"
#include "platform/gdi/GdiObject.h"

#include <QtTest>

using namespace ostrevo;
using namespace ostrevo::modquivbutton;

namespace
{

constexpr gdi::ColorRef Back = gdi::rgb(200, 201, 202);

// A picture box over a canvas: twips until a routine asks for pixels.
class CanvasPictureBox : public PictureBox
{
public:
    CanvasPictureBox(int width, int height, gdi::ColorRef fill) : canvas(width, height, fill) {}

    void setScaleMode(int16_t mode) override { scaleMode = mode; }
    float scaleWidth() const override { return scaled(canvas.image().width()); }
    float scaleHeight() const override { return scaled(canvas.image().height()); }
    gdi::Handle hDC() override { return canvas.handle(); }

    testsupport::Canvas canvas;
    int16_t scaleMode = 1;

private:
    float scaled(int pixels) const { return scaleMode == ScalePixels ? float(pixels) : float(pixels * 15); }
};

QString rowColours(const testsupport::Canvas &canvas, int x)
{
    QStringList rows;
    for (int y = 0; y < canvas.image().height(); ++y)
        rows << QString::number(canvas.at(x, y), 16);
    return rows.join(QLatin1Char(' '));
}

} // namespace

class DrawingFillsTest : public QObject
{
    Q_OBJECT

private slots:
    // Rows 1 to Bottom, each channel from colour 1 in steps of
    // (colour 2 - colour 1) / Bottom, rounded half to even; row 0 and the
    // rows below Bottom keep their colour.
    void gradient_data()
    {
        QTest::addColumn<int>("colour1");
        QTest::addColumn<int>("colour2");
        QTest::addColumn<com::Variant>("direction");
        QTest::addColumn<QString>("rows");

        const QString back = QString::number(Back, 16);
        // Red 0 -> 4 in eight rows steps by 0.5: 0, .5, 1, 1.5, 2, 2.5, 3, 3.5.
        // Green 100 -> 20 by -10; blue stays 255.
        QTest::newRow("downward") << 0xFF6400 << 0xFF1404 << com::Variant::fromLong(1)
                                  << back + " ff6400 ff5a00 ff5001 ff4602 ff3c02 ff3202 ff2803 ff1e04 " +
                                         back;
        QTest::newRow("upward") << 0xFF6400 << 0xFF1404 << com::Variant::fromLong(2)
                                << back + " ff1e04 ff2803 ff3202 ff3c02 ff4602 ff5001 ff5a00 ff6400 " + back;
        QTest::newRow("direction as a 16-bit integer")
            << 0xFF6400 << 0xFF1404 << com::Variant::fromInteger(1)
            << back + " ff6400 ff5a00 ff5001 ff4602 ff3c02 ff3202 ff2803 ff1e04 " + back;
        // Red 255 to 0: steps of -31.875; 159.375, 127.5 and 95.625 give 159, 128 and 96.
        QTest::newRow("falling in fractions")
            << 0x0000FF << 0 << com::Variant::fromLong(1) << back + " ff df bf 9f 80 60 40 20 " + back;
        const QString nothing = QStringList(10, back).join(QLatin1Char(' '));
        QTest::newRow("direction 0") << 0 << 0xFFFFFF << com::Variant::fromLong(0) << nothing;
        QTest::newRow("direction 3") << 0 << 0xFFFFFF << com::Variant::fromLong(3) << nothing;
        QTest::newRow("direction empty") << 0 << 0xFFFFFF << com::Variant() << nothing;
        QTest::newRow("direction null") << 0 << 0xFFFFFF << com::Variant::null() << nothing;
    }

    void gradient()
    {
        QFETCH(int, colour1);
        QFETCH(int, colour2);
        QFETCH(com::Variant, direction);
        QFETCH(QString, rows);

        testsupport::Canvas canvas(6, 10, Back);
        const int live = gdi::liveObjectCount();
        gdi::Handle hdc = canvas.handle();
        // Top is not used: the rows start at 1 whatever it is.
        gdi::Rect r{1, 5, 4, 8};
        int32_t c1 = colour1, c2 = colour2;
        DrawGradient(hdc, r, c1, c2, direction);

        QCOMPARE(rowColours(canvas, 1), rows);
        QCOMPARE(rowColours(canvas, 3), rows);
        QCOMPARE(canvas.at(0, 4), Back); // left of Left
        QCOMPARE(canvas.at(4, 4), Back); // Right itself
        QCOMPARE(r, (gdi::Rect{1, 5, 4, 8}));
        QCOMPARE(c1, colour1);
        QCOMPARE(c2, colour2);
        QCOMPARE(gdi::liveObjectCount(), live);
        QVERIFY(canvas.stockBlackPenSelected());
    }

    // Bottom 10: row 1 in colour 1 and row 10 one step short of colour 2, or
    // the other way round upward.
    void gradientEnds_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("row1");
        QTest::addColumn<int>("row10");
        QTest::newRow("downward") << 1 << 0 << 90;
        QTest::newRow("upward") << 2 << 90 << 0;
    }

    void gradientEnds()
    {
        QFETCH(int, direction);
        QFETCH(int, row1);
        QFETCH(int, row10);
        testsupport::Canvas canvas(2, 12, Back);
        gdi::Handle hdc = canvas.handle();
        gdi::Rect r{0, 0, 2, 10};
        int32_t c1 = 0, c2 = 100;
        com::Variant dir = com::Variant::fromLong(direction);
        DrawGradient(hdc, r, c1, c2, dir);
        QCOMPARE(canvas.at(0, 0), Back);
        QCOMPARE(int(canvas.at(0, 1)), row1);
        QCOMPARE(int(canvas.at(1, 10)), row10);
        QCOMPARE(canvas.at(0, 11), Back);
    }

    void gradientWithoutRows_data()
    {
        QTest::addColumn<int>("bottom");
        QTest::newRow("bottom 0") << 0;
        QTest::newRow("bottom negative") << -3;
    }

    void gradientWithoutRows()
    {
        QFETCH(int, bottom);
        testsupport::Canvas canvas(4, 4, Back);
        const QImage before = canvas.image().copy();
        gdi::Handle hdc = canvas.handle();
        gdi::Rect r{0, -10, 4, bottom};
        int32_t c1 = 0, c2 = 0xFFFFFF;
        com::Variant dir = com::Variant::fromLong(1);
        DrawGradient(hdc, r, c1, c2, dir);
        QVERIFY(canvas.image() == before);
    }

    void embossUniform()
    {
        CanvasPictureBox source(6, 5, gdi::rgb(10, 200, 30));
        CanvasPictureBox target(8, 7, gdi::rgb(0, 0, 255));
        com::Variant base = com::Variant::fromLong(0x808080);
        const int live = gdi::liveObjectCount();
        EmbossPicture(source, target, base);

        const std::map<gdi::ColorRef, char> legend = {{gdi::rgb(128, 128, 128), 'g'},
                                                      {gdi::rgb(0, 0, 255), 'b'}};
        // Inside the source's size but its outer frame; nothing beyond it.
        QCOMPARE(target.canvas.picture(legend),
                 QString("bbbbbbbb|bggggbbb|bggggbbb|bggggbbb|bbbbbbbb|bbbbbbbb|bbbbbbbb"));
        QCOMPARE(source.scaleMode, PictureBox::ScalePixels);
        QCOMPARE(target.scaleMode, PictureBox::ScalePixels);
        QCOMPARE(gdi::liveObjectCount(), live);
    }

    // Each pixel is its own colour less the one below right of it plus the
    // base, as an absolute value, 255 at most.
    void embossEdges()
    {
        CanvasPictureBox source(6, 5, gdi::rgb(0, 0, 0));
        source.canvas.dc().setPixel(3, 2, gdi::rgb(250, 100, 50));
        CanvasPictureBox target(6, 5, gdi::rgb(1, 1, 1));
        com::Variant base = com::Variant::fromLong(0x281E14); // red 20, green 30, blue 40
        EmbossPicture(source, target, base);

        QCOMPARE(target.canvas.at(3, 2), gdi::rgb(255, 130, 90));
        QCOMPARE(target.canvas.at(2, 1), gdi::rgb(230, 70, 10));
        for (const QPoint p : {QPoint(1, 1), QPoint(4, 3), QPoint(2, 2), QPoint(3, 1), QPoint(4, 2)})
            QCOMPARE(target.canvas.at(p.x(), p.y()), gdi::rgb(20, 30, 40));
        QCOMPARE(target.canvas.at(0, 0), gdi::rgb(1, 1, 1));
        QCOMPARE(target.canvas.at(5, 4), gdi::rgb(1, 1, 1));
        QCOMPARE(target.canvas.at(3, 4), gdi::rgb(1, 1, 1));
    }

    void embossSizes_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("error");
        QTest::newRow("501 x 501 fits") << 501 << 501 << 0;
        QTest::newRow("502 wide") << 502 << 3 << 9;
        QTest::newRow("502 high") << 3 << 502 << 9;
        QTest::newRow("one pixel: nothing to paint") << 1 << 1 << 0;
    }

    void embossSizes()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, error);
        CanvasPictureBox source(width, height, gdi::rgb(50, 60, 70));
        CanvasPictureBox target(width, height, gdi::rgb(1, 1, 1));
        com::Variant base = com::Variant::fromLong(0x808080);
        int raised = 0;
        try {
            EmbossPicture(source, target, base);
        } catch (const com::AutomationError &e) {
            raised = e.number();
        }
        QCOMPARE(raised, error);
        const bool painted = !error && width > 2 && height > 2;
        const gdi::ColorRef expected = painted ? gdi::rgb(128, 128, 128) : gdi::rgb(1, 1, 1);
        QCOMPARE(target.canvas.at(width / 2, height / 2), expected);
        QCOMPARE(target.canvas.at(width - 1, height - 1), gdi::rgb(1, 1, 1));
    }
};

KV_TEST_MAIN(DrawingFillsTest)
#include "tst_DrawingFills.moc"
