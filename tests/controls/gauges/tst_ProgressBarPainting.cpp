#include "controls/gauges/ProgressBar.h"
#include "controls/gauges/ProgressBarPictures.h"
#include "platform/com/ControlHost.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SystemColors.h"
#include "tests/support/Canvas.h"
#include "tests/support/HostForm.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <cmath>

using namespace com;
using ostrevo::ProgressBar;

namespace
{

constexpr gdi::ColorRef Black = 0, White = 0xFFFFFF, Red = 0x0000FF, Blue = 0xFF0000;

// One character a pixel along row y: '#' bar colour 1, '.' back colour.
QString row(const QImage &surface, int y,
            const std::map<gdi::ColorRef, char> &legend = {{Black, '#'}, {White, '.'}})
{
    return testsupport::picture(surface, QRect(0, y, surface.width(), 1), legend).join(QString());
}

QString runs(const char *pattern) // "13#2." → "#############.."
{
    QString out;
    const QString text = QString::fromLatin1(pattern);
    int count = 0;
    for (QChar c : text) {
        if (c.isDigit()) {
            count = count * 10 + c.digitValue();
        } else {
            out += QString(count ? count : 1, c);
            count = 0;
        }
    }
    return out;
}

std::shared_ptr<StdPicture> pictureOf(int width, int height, const std::function<QRgb(int)> &column)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            image.setPixel(x, y, column(x));
    return std::make_shared<StdPicture>(gdi::Picture(image));
}

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

class TestProgressBarPainting : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;

    // A borderless bar of 100 x 20 pixels, Max 100, black on white, green as second colour.
    ProgressBar *newBar(int style, QSize size = QSize(100, 20))
    {
        Control *control = ControlHost::createControl(QStringLiteral("Quiv_Tools.ProgressBar"), m_form.get(),
                                                      QStringLiteral("ProgressBar1"));
        auto *bar = dynamic_cast<ProgressBar *>(control);
        bar->resize(size);
        bar->show();
        bar->let(QStringLiteral("BorderStyle"), Variant::fromLong(0));
        bar->let(QStringLiteral("BackColorP"), Variant::fromColor(White));
        bar->let(QStringLiteral("BarColor2"), Variant::fromColor(0xFF00));
        bar->let(QStringLiteral("Max"), Variant::fromLong(100));
        bar->let(QStringLiteral("Value"), Variant::fromLong(0));
        bar->let(QStringLiteral("Style"), Variant::fromLong(style));
        return bar;
    }

    static void setValue(ProgressBar *bar, int value)
    {
        bar->let(QStringLiteral("Value"), Variant::fromLong(value));
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init() { m_form.open(QSize(600, 200)); }

    void cleanup() { m_form.reset(); }

    void blocks_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("pixels");
        // Blocks every 15 pixels while x < 50; x ends at 60, past the middle: one column.
        QTest::newRow("Standart 50") << 0 << 50 << runs("13#2.13#2.13#2.13#2.40.");
        QTest::newRow("Standart 20") << 0 << 20 << runs("13#2.13#2.70.");
        QTest::newRow("Standart 0") << 0 << 0 << runs("100.");
        QTest::newRow("Smooth full") << 1 << 100 << runs("100#");
        QTest::newRow("Smooth 0 paints column 0") << 1 << 0 << runs("#99.");
        QTest::newRow("Smooth 37") << 1 << 37 << runs("38#62.");
    }

    void blocks()
    {
        QFETCH(int, style);
        QFETCH(int, value);
        QFETCH(QString, pixels);
        ProgressBar *bar = newBar(style);
        setValue(bar, value);
        QCOMPARE(row(bar->surface(), 10), pixels);
        QCOMPARE(row(bar->surface(), 0), pixels);
    }

    // Standart and DoubleColor add while the bar grows and clear when it
    // shrinks. The band (30, 0)-(70, 20) around the middle is cleared at 20 %.
    void blocksClearOnlyWhenShrinking_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("pixels");
        QTest::newRow("Standart") << 0 << runs("13#2r13#2r41r29.");
        // Gradient blocks reach x + 13 and leave only their gap column untouched.
        QTest::newRow("DoubleColor") << 4 << runs("14#1.14#1.41r29.");
    }

    void blocksClearOnlyWhenShrinking()
    {
        QFETCH(int, style);
        QFETCH(QString, pixels);
        ProgressBar *bar = newBar(style);
        bar->let(QStringLiteral("BarColor2"), Variant::fromColor(Black));
        setValue(bar, 20);
        bar->let(QStringLiteral("BackColorP"), Variant::fromColor(Red)); // same ratio: no clear
        const std::map<gdi::ColorRef, char> legend{{Black, '#'}, {White, '.'}, {Red, 'r'}};
        QCOMPARE(row(bar->surface(), 5, legend), pixels);
        setValue(bar, 50);
        QVERIFY(row(bar->surface(), 5, legend).endsWith(runs("r29.")));
        setValue(bar, 40);
        QVERIFY(row(bar->surface(), 5, legend).endsWith(runs("45r")));
    }

    void valueDependantMixesOneColour()
    {
        ProgressBar *bar = newBar(2);
        setValue(bar, 50);
        const std::map<gdi::ColorRef, char> legend{{gdi::rgb(0, 127, 0), 'g'}, {White, '.'}};
        QCOMPARE(row(bar->surface(), 10, legend), runs("51g49."));
        setValue(bar, 100);
        QCOMPARE(testsupport::at(bar->surface(), 99, 0), gdi::rgb(0, 255, 0));
    }

    // Strips five pixels wide, one a pixel: column c shows strip c up to the
    // bar's end, then the last strip's colour for five more pixels.
    void smoothDoubleColorGradient()
    {
        ProgressBar *bar = newBar(3);
        setValue(bar, 50);
        const QImage &s = bar->surface();
        for (int x : {0, 10, 25, 49, 50}) {
            const int green = int(std::nearbyint(float(255) / 50.f * float(x)));
            QCOMPARE(testsupport::at(s, x, 7), gdi::rgb(0, green, 0));
        }
        QCOMPARE(testsupport::at(s, 55, 7), gdi::rgb(0, 255, 0));
        QCOMPARE(testsupport::at(s, 56, 7), White);
    }

    // Blocks of 13 with gaps of 2; the colours round half to even (76.5 → 76).
    void doubleColorBlocks()
    {
        ProgressBar *bar = newBar(4);
        setValue(bar, 50);
        const QImage &s = bar->surface();
        QCOMPARE(testsupport::at(s, 0, 5), gdi::rgb(0, 0, 0));
        QCOMPARE(testsupport::at(s, 13, 5), gdi::rgb(0, 0, 0));
        QCOMPARE(testsupport::at(s, 14, 5), White);
        QCOMPARE(testsupport::at(s, 15, 5), gdi::rgb(0, 76, 0));
        QCOMPARE(testsupport::at(s, 30, 5), gdi::rgb(0, 153, 0));
        QCOMPARE(testsupport::at(s, 57, 5), gdi::rgb(0, 230, 0));
        QCOMPARE(testsupport::at(s, 59, 5), White);
    }

    void noTextWhereTheStyleEndsEarly_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("pixels");
        QTest::newRow("SmoothDoubleColor at 0") << 3 << 100 << 0 << runs("100.");
        // DoubleColor clears only when the bar shrinks: Smooth's column stays.
        QTest::newRow("DoubleColor at 0") << 4 << 100 << 0 << runs("#99.");
        QTest::newRow("Smooth, Max 0") << 1 << 0 << 5 << runs("100.");
        QTest::newRow("Smooth, 0 / 0") << 1 << 0 << 0 << runs("100.");
        // One strip in BarColor1: the bar has no length without the quotient.
        QTest::newRow("SmoothDoubleColor, Max 0") << 3 << 0 << 5 << runs("6#94.");
    }

    void noTextWhereTheStyleEndsEarly()
    {
        QFETCH(int, style);
        QFETCH(int, max);
        QFETCH(int, value);
        QFETCH(QString, pixels);
        ProgressBar *bar = newBar(style);
        bar->let(QStringLiteral("TextColor"), Variant::fromColor(Red));
        bar->let(QStringLiteral("ShowText"), Variant::fromBool(true));
        setValue(bar, value);
        bar->let(QStringLiteral("Max"), Variant::fromLong(max));
        QVERIFY(testsupport::pixelsOf(bar->surface(), Red).empty());
        QCOMPARE(row(bar->surface(), 10), pixels);
    }

    void percentageText_data()
    {
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("45") << 100 << 45 << "45%";
        QTest::newRow("floors") << 3 << 2 << "66%";
        QTest::newRow("negative") << 200 << -1 << "-1%";
        QTest::newRow("zero of a negative maximum") << -5 << 0 << "0%";
    }

    void percentageText()
    {
        QFETCH(int, max);
        QFETCH(int, value);
        QFETCH(QString, text);
        ProgressBar *bar = newBar(1, QSize(120, 30));
        bar->let(QStringLiteral("TextColor"), Variant::fromColor(Red));
        setValue(bar, value);
        bar->let(QStringLiteral("Max"), Variant::fromLong(max));
        QCOMPARE(bar->percentText(), text);
        QVERIFY(testsupport::pixelsOf(bar->surface(), Red).empty()); // not shown yet
        bar->let(QStringLiteral("ShowText"), Variant::fromBool(true));
        bar->let(QStringLiteral("BarColor1"), Variant::fromColor(Black)); // a let that paints
        // The glyphs, compared with the same text drawn alone at the centre.
        QImage alone = testsupport::canvas(120, 30, Blue);
        gdi::DeviceContext dc(&alone);
        gdi::GdiObject font(gdi::createFont(bar->font()));
        const gdi::Handle old = dc.selectObject(font.get());
        const QSize extent = dc.textExtent(text);
        dc.setBkMode(gdi::Transparent);
        dc.setTextColor(Red);
        const QPoint at(int(std::nearbyint(60 - extent.width() / 2.0)),
                        int(std::nearbyint(15 - extent.height() / 2.0)));
        dc.textOut(at.x(), at.y(), text);
        dc.selectObject(old);
        QVERIFY(!testsupport::pixelsOf(alone, Red).empty());
        const std::map<gdi::ColorRef, char> legend{{Red, '#'}};
        QCOMPARE(testsupport::picture(bar->surface(), QRect(0, 0, 120, 30), legend)
                     .join(QString())
                     .replace(QLatin1Char('?'), QLatin1Char('.')),
                 testsupport::picture(alone, QRect(0, 0, 120, 30), legend)
                     .join(QString())
                     .replace(QLatin1Char('?'), QLatin1Char('.')));
    }

    // 231 pixels wide: 32 chunk slots from x = 3, seven pixels apart.
    void xpChunks()
    {
        ProgressBar *bar = newBar(5, QSize(231, 40));
        QCOMPARE(bar->surface().size(), QSize(231, 19));
        const QImage &green = ostrevo::ProgressBarPictures::chunk(true, false);
        const gdi::ColorRef top = testsupport::at(green, 0, 0);
        setValue(bar, 50); // last = Int(0.5 x 31) = 15
        const QImage &s = bar->surface();
        QCOMPARE(testsupport::at(s, 3, 2), top);
        QCOMPARE(testsupport::at(s, 7 * 15 + 3 + 5, 16), testsupport::at(green, 5, 12));
        QCOMPARE(testsupport::at(s, 7 * 16 + 3, 2), White);
        QCOMPARE(testsupport::at(s, 225, 16), White);
        QCOMPARE(testsupport::at(s, 0, 0), testsupport::at(ostrevo::ProgressBarPictures::frameBig(), 0, 0));
        setValue(bar, 100); // every slot, and no white rest
        QCOMPARE(testsupport::at(s, 7 * 31 + 3, 2), top);
        // At 0 % the white rest starts at slot 1; the frame is not painted
        // again, so slot 0 keeps its chunk.
        setValue(bar, 0);
        QCOMPARE(testsupport::at(s, 3, 2), top);
        QCOMPARE(testsupport::at(s, 10, 2), White);
        bar->let(QStringLiteral("BarXPcolor"), Variant::fromLong(1));
        setValue(bar, 50);
        QCOMPARE(testsupport::at(s, 3, 2), gdi::rgb(0x0A, 0x8B, 0xB1)); // #0A8BB1
    }

    void xpSmallChunks()
    {
        ProgressBar *bar = newBar(6, QSize(208, 40));
        setValue(bar, 100);
        const QImage &s = bar->surface();
        QCOMPARE(s.size(), QSize(208, 13));
        const QImage &green = ostrevo::ProgressBarPictures::chunk(false, false);
        QCOMPARE(testsupport::at(s, 3, 2), testsupport::at(green, 0, 0));
        QCOMPARE(testsupport::at(s, 8, 10), testsupport::at(green, 5, 6));
    }

    // The picture styles have a single 3D border: 104 x 24 gives PB 100 x 20 inside.
    void pictureStyles()
    {
        const auto ramp = pictureOf(200, 10, [](int x) { return qRgb(x, 0, 0); });
        ProgressBar *bar = newBar(0, QSize(104, 24));
        bar->set(QStringLiteral("PictureLandscape"), Variant::fromObject(ramp));
        bar->let(QStringLiteral("Style"), Variant::fromLong(7));
        QCOMPARE(bar->surface().size(), QSize(100, 20));
        setValue(bar, 50);
        const QImage &s = bar->surface();
        QCOMPARE(testsupport::at(s, 0, 19), gdi::rgb(0, 0, 0));
        QCOMPARE(testsupport::at(s, 49, 0), gdi::rgb(49, 0, 0));
        QCOMPARE(testsupport::at(s, 51, 5), White);

        const auto halves =
            pictureOf(100, 10, [](int x) { return x < 50 ? qRgb(255, 0, 0) : qRgb(0, 0, 255); });
        bar->set(QStringLiteral("PictureStretch"), Variant::fromObject(halves));
        bar->let(QStringLiteral("Style"), Variant::fromLong(8));
        QCOMPARE(row(s, 10, {{Red, 'r'}, {Blue, 'b'}, {White, '.'}}), runs("25r25b50."));

        // A 20-pixel tile on 210 pixels at 50 %: Int(0.5 x 210 / 21) = 5 tiles.
        bar->resize(214, 24);
        const auto tile = pictureOf(20, 4, [](int x) { return x == 0 ? qRgb(0, 0, 255) : qRgb(255, 0, 0); });
        bar->set(QStringLiteral("PictureTile"), Variant::fromObject(tile));
        bar->let(QStringLiteral("Style"), Variant::fromLong(9));
        QCOMPARE(row(s, 10, {{Red, 'r'}, {Blue, 'b'}, {White, '.'}}), runs("b19rb19rb19rb19rb19r110."));
    }

    void missingPictureFallsBackToSmoothDoubleColor_data()
    {
        QTest::addColumn<int>("style");
        QTest::newRow("landscape") << 7;
        QTest::newRow("stretch") << 8;
        QTest::newRow("tile") << 9;
    }

    void missingPictureFallsBackToSmoothDoubleColor()
    {
        QFETCH(int, style);
        ProgressBar *bar = newBar(0);
        setValue(bar, 50);
        bar->site()->clearChangedProperties();
        bar->let(QStringLiteral("Style"), Variant::fromLong(style));
        QCOMPARE(bar->get(QStringLiteral("Style")).toLong(), 3);
        QVERIFY(bar->site()->changedProperties().contains(QStringLiteral("Style")));
        QCOMPARE(bar->get(QStringLiteral("BorderStyle")).toLong(), 1);
        QCOMPARE(testsupport::at(bar->surface(), 0, 5), Black);
        QCOMPARE(testsupport::at(bar->surface(), 50, 5), gdi::rgb(0, 255, 0));
    }

    // A picture style paints nothing of its picture at 0 %, so it needs none and keeps its style.
    void pictureStylesWithoutAPictureAtZero_data()
    {
        QTest::addColumn<int>("style");
        QTest::newRow("landscape") << 7;
        QTest::newRow("stretch") << 8;
        QTest::newRow("tile") << 9;
    }

    void pictureStylesWithoutAPictureAtZero()
    {
        QFETCH(int, style);
        ProgressBar *bar = newBar(1);
        setValue(bar, 50);
        bar->let(QStringLiteral("Value"), Variant::fromLong(0));
        bar->let(QStringLiteral("Style"), Variant::fromLong(style));
        QCOMPARE(bar->get(QStringLiteral("Style")).toLong(), style);
        QCOMPARE(row(bar->surface(), 10), runs("96."));
        QCOMPARE(row(bar->surface(), 0), runs("96."));
        setValue(bar, 50); // a bar that needs the picture still falls back
        QCOMPARE(bar->get(QStringLiteral("Style")).toLong(), 3);
    }

    // A paint request from the host paints: a ShowText switched on shows at the next one.
    void hostPaintRequestPaints()
    {
        ProgressBar *bar = newBar(1);
        bar->let(QStringLiteral("TextColor"), Variant::fromColor(Red));
        setValue(bar, 45);
        const auto redPixels = [bar] {
            int count = 0;
            const QImage &s = bar->surface();
            for (int y = 0; y < s.height(); ++y)
                for (int x = 0; x < s.width(); ++x)
                    count += testsupport::at(s, x, y) == Red;
            return count;
        };
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        bar->let(QStringLiteral("ShowText"), Variant::fromBool(true));
        QCOMPARE(redPixels(), 0); // the let itself does not paint
        bar->repaint();
        QVERIFY(redPixels() > 0);
        // Painting inside the request asks for no further paints.
        PaintCounter counter;
        bar->installEventFilter(&counter);
        QTest::qWait(100);
        QCOMPARE(counter.paints, 0);
        QCOMPARE(bar->percentText(), QStringLiteral("45%"));
        // What the host shows is what was painted.
        const QImage shown = bar->grab().toImage();
        QCOMPARE(testsupport::at(shown.convertToFormat(QImage::Format_RGB32), 20, 10),
                 testsupport::at(bar->surface(), 20, 10));
    }

    void unknownStylePaintsOnlyTheText()
    {
        ProgressBar *bar = newBar(1);
        setValue(bar, 100);
        bar->let(QStringLiteral("Style"), Variant::fromLong(12));
        QCOMPARE(row(bar->surface(), 10), runs("100#"));
    }
};

KV_TEST_MAIN(TestProgressBarPainting)
#include "tst_ProgressBarPainting.moc"
