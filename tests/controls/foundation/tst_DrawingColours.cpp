#include "controls/foundation/modquivbutton.h"
#include "tests/support/TestMain.h"

#include "platform/com/AutomationError.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/SystemSources.h"
#include "tests/support/fakes/FakeCursorSource.h"

#include <QWidget>
#include <QtTest>
#include <climits>
#include <cmath>
#include <limits>
#include <memory>

using namespace ostrevo;
using namespace ostrevo::modquivbutton;

namespace
{

constexpr int32_t ole(uint32_t value)
{
    return static_cast<int32_t>(value);
}

} // namespace

class DrawingColoursTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        gdi::SystemColors::restoreDefaults();
        rt::SystemSources::setCursor(nullptr);
    }

    void oleColorToRGB_data()
    {
        QTest::addColumn<int>("colour");
        QTest::addColumn<int>("expected");
        QTest::newRow("red") << 0xFF << 0xFF;
        QTest::newRow("black") << 0 << 0;
        QTest::newRow("RGB") << 0x00CCFFFF << 0x00CCFFFF;
        QTest::newRow("largest positive stays") << 0x7FFFFFFF << 0x7FFFFFFF;
        QTest::newRow("button face") << ole(0x8000000F) << 0xC8D0D4;
        QTest::newRow("window") << ole(0x80000005) << 0xFFFFFF;
        QTest::newRow("button text") << ole(0x80000012) << 0;
        QTest::newRow("button shadow") << ole(0x80000010) << 0x808080;
        QTest::newRow("index without colour") << ole(0x80000063) << 0;
        QTest::newRow("minus one") << -1 << 0;
        QTest::newRow("high bits beyond the index") << ole(0x8100000F) << 0;
    }

    void oleColorToRGB()
    {
        QFETCH(int, colour);
        QFETCH(int, expected);
        QCOMPARE(OleColorToRGB(colour), expected);
    }

    void oleColorToRGBFollowsTheTable()
    {
        gdi::SystemColors::setColor(gdi::ColorBtnFace, 0x00ABCDEF);
        QCOMPARE(OleColorToRGB(ole(0x8000000F)), 0x00ABCDEF);
    }

    void channels_data()
    {
        QTest::addColumn<int>("colour");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::newRow("0x123456") << 0x123456 << 0x56 << 0x34 << 0x12;
        QTest::newRow("white") << 0xFFFFFF << 255 << 255 << 255;
        QTest::newRow("high byte ignored") << 0x7FABCDEF << 0xEF << 0xCD << 0xAB;
        // Integer division truncates toward zero before the mask.
        QTest::newRow("minus one") << -1 << 255 << 0 << 0;
        QTest::newRow("minus 256") << -256 << 0 << 255 << 0;
        QTest::newRow("system button face") << ole(0x8000000F) << 15 << 1 << 1;
    }

    void channels()
    {
        QFETCH(int, colour);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QCOMPARE(int(GetRed(colour)), red);
        QCOMPARE(int(GetGreen(colour)), green);
        QCOMPARE(int(GetBlue(colour)), blue);
    }

    void channelsFromBin_data()
    {
        QTest::addColumn<int>("colour");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::newRow("0x123456") << 0x123456 << 0x56 << 0x34 << 0x12;
        QTest::newRow("black") << 0 << 0 << 0 << 0;
        QTest::newRow("white") << 0xFFFFFF << 255 << 255 << 255;
        QTest::newRow("high byte ignored") << 0x7FABCDEF << 0xEF << 0xCD << 0xAB;
        // The text is made of the absolute value.
        QTest::newRow("minus one") << -1 << 1 << 0 << 0;
        QTest::newRow("system button face") << ole(0x8000000F) << 0xF1 << 0xFF << 0xFF;
        QTest::newRow("smallest") << INT_MIN << 0 << 0 << 0;
    }

    void channelsFromBin()
    {
        QFETCH(int, colour);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        int32_t c = colour;
        QCOMPARE(int(RedFromBin(c)), red);
        QCOMPARE(int(GreenFromBin(c)), green);
        QCOMPARE(int(BlueFromBin(c)), blue);
        QCOMPARE(c, colour); // keeps its sign
    }

    void decToBin_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("valueAfter");
        QTest::newRow("5 in 8") << 5.0 << 8 << "00000101" << 5.0;
        QTest::newRow("0 unpadded") << 0.0 << 0 << "0" << 0.0;
        QTest::newRow("0 in 4") << 0.0 << 4 << "0000" << 0.0;
        QTest::newRow("255 in 32") << 255.0 << 32 << QString(24, '0') + QString(8, '1') << 255.0;
        QTest::newRow("exactly the length") << 8.0 << 4 << "1000" << 8.0;
        QTest::newRow("power of two") << 1024.0 << 0 << "10000000000" << 1024.0;
        QTest::newRow("negative made absolute") << -6.0 << 0 << "110" << 6.0;
        QTest::newRow("fraction dropped") << 2.5 << 0 << "10" << 2.5;
        QTest::newRow("2^31") << 2147483648.0 << 32 << "1" + QString(31, '0') << 2147483648.0;
    }

    void decToBin()
    {
        QFETCH(double, value);
        QFETCH(int, length);
        QFETCH(QString, text);
        QFETCH(double, valueAfter);
        int16_t len = static_cast<int16_t>(length);
        QCOMPARE(DecToBin(value, len), text);
        QCOMPARE(value, valueAfter);
        QCOMPARE(int(len), length);
    }

    void decToBinErrors_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("error");
        QTest::addColumn<double>("valueAfter");
        QTest::newRow("length shorter than the text") << 5.0 << 2 << 5 << 5.0;
        QTest::newRow("negative, too short: already absolute") << -5.0 << 2 << 5 << 5.0;
        QTest::newRow("negative length") << 1.0 << -1 << 5 << 1.0;
        QTest::newRow("infinity overflows")
            << std::numeric_limits<double>::infinity() << 0 << 6 << std::numeric_limits<double>::infinity();
        QTest::newRow("largest double overflows")
            << std::numeric_limits<double>::max() << 0 << 6 << std::numeric_limits<double>::max();
    }

    void decToBinErrors()
    {
        QFETCH(double, value);
        QFETCH(int, length);
        QFETCH(int, error);
        QFETCH(double, valueAfter);
        int16_t len = static_cast<int16_t>(length);
        int raised = 0;
        try {
            DecToBin(value, len);
        } catch (const com::AutomationError &e) {
            raised = e.number();
        }
        QCOMPARE(raised, error);
        QCOMPARE(value, valueAfter);
    }

    void decToBinNotANumberOverflows()
    {
        double value = std::nan("");
        int16_t len = 0;
        QVERIFY_THROWS_EXCEPTION(com::AutomationError, DecToBin(value, len));
    }

    void binToDec_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("101") << "101" << 5.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("leading zeros") << "00000101" << 5.0;
        QTest::newRow("byte") << "11111111" << 255.0;
        QTest::newRow("32 ones") << QString(32, '1') << 4294967295.0;
        QTest::newRow("digits count with their value") << "12" << 4.0;
    }

    void binToDec()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        const QString before = text;
        QCOMPARE(BinToDec(text), value);
        QCOMPARE(text, before);
    }

    // The window rectangle counts with all four bounds, so the column and row
    // just past the right and bottom edges are inside too.
    void isMouseInto_data()
    {
        QTest::addColumn<bool>("child");
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<bool>("inside");
        // The window covers 100..139 x 50..79; the child 110..129 x 55..64.
        QTest::newRow("window: top left") << false << QPoint(100, 50) << true;
        QTest::newRow("window: right edge coordinate") << false << QPoint(140, 60) << true;
        QTest::newRow("window: bottom right coordinate") << false << QPoint(140, 80) << true;
        QTest::newRow("window: past right") << false << QPoint(141, 60) << false;
        QTest::newRow("window: left of it") << false << QPoint(99, 60) << false;
        QTest::newRow("window: above it") << false << QPoint(120, 49) << false;
        QTest::newRow("child: top left") << true << QPoint(110, 55) << true;
        QTest::newRow("child: bottom right coordinate") << true << QPoint(130, 65) << true;
        QTest::newRow("child: past right") << true << QPoint(131, 60) << false;
        QTest::newRow("child: in the window, left of it") << true << QPoint(109, 60) << false;
    }

    void isMouseInto()
    {
        QFETCH(bool, child);
        QFETCH(QPoint, cursor);
        QFETCH(bool, inside);

        QWidget window;
        window.setGeometry(100, 50, 40, 30);
        QWidget inner(&window);
        inner.setGeometry(10, 5, 20, 10);
        rt::SystemSources::setCursor(std::make_unique<rt::FakeCursorSource>(cursor));
        QCOMPARE(IsMouseInto(child ? &inner : &window), inside);
    }

    void isMouseIntoNoWindow()
    {
        rt::SystemSources::setCursor(std::make_unique<rt::FakeCursorSource>(QPoint(0, 0)));
        QVERIFY(!IsMouseInto(nullptr));
    }
};

KV_TEST_MAIN(DrawingColoursTest)
#include "tst_DrawingColours.moc"
