// The system colour table, OLE colours and the colour helpers.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/SystemColors.h"
#include "tests/support/Canvas.h"
#include "tests/support/TestMain.h"

using namespace gdi;

class TestSystemColors : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        SystemColors::restoreDefaults();
        QCOMPARE(liveObjectCount(), 0);
    }

    void classicDefaults_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<uint>("color");
        QTest::newRow("COLOR_SCROLLBAR") << 0 << 0x00C8D0D4u;
        QTest::newRow("COLOR_BACKGROUND") << 1 << 0x00A56E3Au;
        QTest::newRow("COLOR_ACTIVECAPTION") << 2 << 0x006A240Au;
        QTest::newRow("COLOR_WINDOW") << 5 << 0x00FFFFFFu;
        QTest::newRow("COLOR_WINDOWFRAME") << 6 << 0u;
        QTest::newRow("COLOR_WINDOWTEXT") << 8 << 0u;
        QTest::newRow("COLOR_HIGHLIGHT") << 13 << 0x006A240Au;
        QTest::newRow("COLOR_HIGHLIGHTTEXT") << 14 << 0x00FFFFFFu;
        QTest::newRow("COLOR_BTNFACE") << 15 << 0x00C8D0D4u;
        QTest::newRow("COLOR_BTNSHADOW") << 16 << 0x00808080u;
        QTest::newRow("COLOR_GRAYTEXT") << 17 << 0x00808080u;
        QTest::newRow("COLOR_BTNTEXT") << 18 << 0u;
        QTest::newRow("COLOR_BTNHIGHLIGHT") << 20 << 0x00FFFFFFu;
        QTest::newRow("COLOR_3DDKSHADOW") << 21 << 0x00404040u;
        QTest::newRow("COLOR_3DLIGHT") << 22 << 0x00C8D0D4u;
        QTest::newRow("COLOR_INFOTEXT") << 23 << 0u;
        QTest::newRow("COLOR_INFOBK") << 24 << 0x00E1FFFFu;
        QTest::newRow("COLOR_HOTLIGHT") << 26 << 0x00800000u;
        QTest::newRow("COLOR_MENUBAR") << 30 << 0x00C8D0D4u;
    }
    void classicDefaults()
    {
        QFETCH(int, index);
        QFETCH(uint, color);
        QCOMPARE(sysColor(index), ColorRef(color));
        QCOMPARE(SystemColors::defaultColor(index), ColorRef(color));
        QCOMPARE(oleToColorRef(0x80000000u | static_cast<uint>(index)), ColorRef(color));
    }

    void unknownIndicesGiveBlack()
    {
        for (int index : {-1, 31, 32, 255, 100000})
            QCOMPARE(sysColor(index), ColorRef(0));
        QCOMPARE(getSysColorBrush(31), Handle(0));
    }

    void oleColours_data()
    {
        QTest::addColumn<uint>("ole");
        QTest::addColumn<uint>("color");
        QTest::newRow("button face") << 0x8000000Fu << 0x00C8D0D4u;
        QTest::newRow("window background") << 0x80000005u << 0x00FFFFFFu;
        QTest::newRow("plain red") << 0x000000FFu << 0x000000FFu;
        QTest::newRow("plain light yellow") << 0x00CCFFFFu << 0x00CCFFFFu;
        QTest::newRow("black") << 0u << 0u;
        QTest::newRow("unknown system colour") << 0x800000FFu << 0u;
        QTest::newRow("index beyond the low byte") << 0x80000105u << 0u;
    }
    void oleColours()
    {
        QFETCH(uint, ole);
        QFETCH(uint, color);
        QCOMPARE(oleToColorRef(ole), ColorRef(color));
    }

    void overridingAndRestoring()
    {
        SystemColors::setColor(ColorBtnFace, rgb(1, 2, 3));
        QCOMPARE(sysColor(ColorBtnFace), rgb(1, 2, 3));
        QCOMPARE(oleToColorRef(0x8000000F), rgb(1, 2, 3));
        QCOMPARE(SystemColors::defaultColor(ColorBtnFace), rgb(212, 208, 200));
        SystemColors::setColor(99, rgb(1, 2, 3)); // ignored
        // A system-colour brush paints in the colour of the moment.
        QImage image = testsupport::canvas(2, 1, 0);
        DeviceContext dc(&image);
        dc.fillRect({0, 0, 1, 1}, getSysColorBrush(ColorBtnFace));
        SystemColors::restoreDefaults();
        dc.fillRect({1, 0, 2, 1}, getSysColorBrush(ColorBtnFace));
        QCOMPARE(testsupport::at(image, 0, 0), rgb(1, 2, 3));
        QCOMPARE(testsupport::at(image, 1, 0), rgb(212, 208, 200));
        QVERIFY(isStockObject(getSysColorBrush(ColorBtnFace)));
    }

    void takingColoursFromAPalette()
    {
        QPalette palette;
        palette.setColor(QPalette::Button, QColor(10, 20, 30));
        palette.setColor(QPalette::ButtonText, QColor(40, 50, 60));
        palette.setColor(QPalette::Base, QColor(70, 80, 90));
        palette.setColor(QPalette::Highlight, QColor(1, 1, 1));
        palette.setColor(QPalette::Shadow, QColor(2, 2, 2));
        SystemColors::adoptPalette(palette);
        QCOMPARE(sysColor(ColorBtnFace), rgb(10, 20, 30));
        QCOMPARE(sysColor(ColorBtnText), rgb(40, 50, 60));
        QCOMPARE(sysColor(ColorWindow), rgb(70, 80, 90));
        QCOMPARE(sysColor(ColorHighlight), rgb(1, 1, 1));
        QCOMPARE(sysColor(Color3DDkShadow), rgb(2, 2, 2));
        // Colours a palette has no word for keep their classic value.
        QCOMPARE(sysColor(ColorActiveCaption), rgb(10, 36, 106));
        SystemColors::restoreDefaults();
        QCOMPARE(sysColor(ColorBtnFace), rgb(212, 208, 200));
    }

    void colourHelpers()
    {
        QCOMPARE(rgb(0x12, 0x34, 0x56), ColorRef(0x00563412));
        QCOMPARE(redOf(0x00563412), 0x12);
        QCOMPARE(greenOf(0x00563412), 0x34);
        QCOMPARE(blueOf(0x00563412), 0x56);
        QCOMPARE(rgb(300, -1, 0), rgb(44, 255, 0)); // each channel is a byte
        QCOMPARE(redOf(0x80000005u), 5);
    }
};

KV_TEST_MAIN(TestSystemColors)
#include "tst_SystemColors.moc"
