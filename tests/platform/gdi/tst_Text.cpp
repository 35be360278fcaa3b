// Text: extents, placement, background and clipping. Glyph shapes depend on
// the fonts installed, so the checks hold for any font: they measure with the
// same font and look at where pixels may and may not be.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ObjectTable.h"
#include "tests/support/Canvas.h"
#include "tests/support/TestMain.h"

#include <QFontMetrics>
#include <set>

using namespace gdi;

namespace
{

using namespace testsupport::colours;
constexpr ColorRef Yellow = rgb(255, 255, 0);

std::set<ColorRef> coloursIn(const QImage &image, const QRect &area)
{
    std::set<ColorRef> colours;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            colours.insert(testsupport::at(image, x, y));
    return colours;
}

// The opaque background of a line of text covers exactly its cell.
void checkCell(const QImage &image, const QRect &cell)
{
    QCOMPARE(testsupport::at(image, cell.left() - 1, cell.top()), Blue);
    QCOMPARE(testsupport::at(image, cell.left(), cell.top() - 1), Blue);
    QVERIFY(testsupport::at(image, cell.left(), cell.top()) != Blue);
    QVERIFY(testsupport::at(image, cell.right(), cell.bottom()) != Blue);
    QCOMPARE(testsupport::at(image, cell.right() + 1, cell.top()), Blue);
    QCOMPARE(testsupport::at(image, cell.left(), cell.bottom() + 1), Blue);
}

QFont testFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    return font;
}

} // namespace

class TestText : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(liveObjectCount(), 0); }

    void extentMeasuresWithTheSelectedFont()
    {
        QImage image = testsupport::canvas(10, 10, Blue);
        DeviceContext dc(&image);
        GdiObject font(createFont(testFont()));
        dc.selectObject(font);
        QFont expected = testFont();
        expected.setStyleStrategy(QFont::NoAntialias);
        const QFontMetrics fm(expected, &image);
        const QString text = QStringLiteral("Eingetragene Tage");
        QCOMPARE(dc.textExtent(text), QSize(fm.horizontalAdvance(text), fm.height()));
        QVERIFY(dc.textExtent(text).width() > dc.textExtent(QStringLiteral("Tage")).width());
        QCOMPARE(dc.textExtent(QString()).width(), 0);
        QCOMPARE(dc.textHeight(), fm.height());
        QCOMPARE(dc.textAscent(), fm.ascent());
        QCOMPARE(fontInfo(font)->styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
        dc.selectObject(getStockObject(SystemFont));
    }

    void textOutPaintsOnlyTextAndBackgroundColours_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("background");
        QTest::newRow("opaque") << int(Opaque) << true;
        QTest::newRow("transparent") << int(Transparent) << false;
    }
    void textOutPaintsOnlyTextAndBackgroundColours()
    {
        QFETCH(int, mode);
        QFETCH(bool, background);
        QImage image = testsupport::canvas(120, 30, Blue);
        DeviceContext dc(&image);
        GdiObject font(createFont(testFont()));
        dc.selectObject(font);
        dc.setBkMode(mode);
        dc.setBkColor(Yellow);
        dc.setTextColor(Red);
        const QString text = QStringLiteral("Hallo Welt");
        QVERIFY(dc.textOut(5, 4, text));
        const QSize extent = dc.textExtent(text);
        const QRect cell(5, 4, extent.width(), extent.height());
        // No antialiasing: no blended colours anywhere.
        const std::set<ColorRef> inside = coloursIn(image, cell);
        QVERIFY(inside.count(Red));
        for (ColorRef c : inside)
            QVERIFY(c == Red || c == (background ? Yellow : Blue));
        QCOMPARE(testsupport::at(image, cell.left(), cell.top()) == Yellow, background);
        QCOMPARE(testsupport::at(image, cell.right(), cell.bottom()) == Yellow, background);
        // The background covers the cell exactly.
        QCOMPARE(testsupport::at(image, cell.left() - 1, cell.top()), Blue);
        QCOMPARE(testsupport::at(image, cell.right() + 1, cell.top()), Blue);
        QCOMPARE(testsupport::at(image, cell.left(), cell.bottom() + 1), Blue);
        dc.selectObject(getStockObject(SystemFont));
    }

    void textAlignment_data()
    {
        QTest::addColumn<uint>("align");
        QTest::addColumn<int>("dx"); // left of the cell relative to x, in extents
        QTest::addColumn<int>("dy"); // 0 top, 1 baseline, 2 bottom
        QTest::newRow("left top") << uint(TaLeft | TaTop) << 0 << 0;
        QTest::newRow("right") << uint(TaRight) << 2 << 0;
        QTest::newRow("center") << uint(TaCenter) << 1 << 0;
        QTest::newRow("bottom") << uint(TaBottom) << 0 << 2;
        QTest::newRow("baseline") << uint(TaBaseline) << 0 << 1;
    }
    void textAlignment()
    {
        QFETCH(uint, align);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QImage image = testsupport::canvas(200, 80, Blue);
        DeviceContext dc(&image);
        GdiObject font(createFont(testFont()));
        dc.selectObject(font);
        dc.setBkColor(Yellow);
        QCOMPARE(dc.setTextAlign(align), unsigned(TaLeft | TaTop));
        const QString text = QStringLiteral("Tag");
        const QSize extent = dc.textExtent(text);
        dc.textOut(100, 40, text);
        const int left = 100 - (dx == 2 ? extent.width() : dx == 1 ? extent.width() / 2 : 0);
        const int top = 40 - (dy == 2 ? extent.height() : dy == 1 ? dc.textAscent() : 0);
        checkCell(image, QRect(QPoint(left, top), extent));
        dc.selectObject(getStockObject(SystemFont));
    }

    void drawTextPlacesInTheRectangle_data()
    {
        QTest::addColumn<uint>("format");
        QTest::addColumn<int>("horizontal"); // 0 left, 1 centre, 2 right
        QTest::addColumn<int>("vertical");   // 0 top, 1 centre, 2 bottom
        QTest::newRow("left top") << uint(DtLeft | DtTop | DtSingleLine) << 0 << 0;
        QTest::newRow("centre") << uint(DtCenter | DtVCenter | DtSingleLine) << 1 << 1;
        QTest::newRow("right bottom") << uint(DtRight | DtBottom | DtSingleLine) << 2 << 2;
        QTest::newRow("vertical centre needs one line") << uint(DtCenter | DtVCenter) << 1 << 0;
    }
    void drawTextPlacesInTheRectangle()
    {
        QFETCH(uint, format);
        QFETCH(int, horizontal);
        QFETCH(int, vertical);
        QImage image = testsupport::canvas(200, 80, Blue);
        DeviceContext dc(&image);
        GdiObject font(createFont(testFont()));
        dc.selectObject(font);
        dc.setBkColor(Yellow);
        const QString text = QStringLiteral("Neuer Eintrag");
        const QSize extent = dc.textExtent(text);
        Rect rect{11, 7, 181, 70};
        const int height = dc.drawText(rect, text, format);
        // The platform's integer arithmetic, truncating toward zero.
        const int left = horizontal == 0   ? rect.left
                         : horizontal == 1 ? (rect.left + rect.right - extent.width()) / 2
                                           : rect.right - extent.width();
        const int top = vertical == 0   ? rect.top
                        : vertical == 1 ? rect.top + (rect.height() - extent.height()) / 2
                                        : rect.bottom - extent.height();
        QCOMPARE(height, top - rect.top + extent.height());
        checkCell(image, QRect(QPoint(left, top), extent));
        dc.selectObject(getStockObject(SystemFont));
    }

    void calcRectMeasures()
    {
        QImage image = testsupport::canvas(50, 50, Blue);
        const QImage untouched = image.copy();
        DeviceContext dc(&image);
        GdiObject font(createFont(testFont()));
        dc.selectObject(font);
        const QSize one = dc.textExtent(QStringLiteral("Datei"));
        Rect rect{3, 4, 3, 4};
        QCOMPARE(dc.drawText(rect, QStringLiteral("&Datei"), DtCalcRect | DtSingleLine), one.height());
        QCOMPARE(rect, (Rect{3, 4, 3 + one.width(), 4 + one.height()}));
        // Without prefix handling the '&' is text.
        rect = {0, 0, 0, 0};
        dc.drawText(rect, QStringLiteral("&Datei"), DtCalcRect | DtSingleLine | DtNoPrefix);
        QCOMPARE(rect.right, dc.textExtent(QStringLiteral("&Datei")).width());
        rect = {0, 0, 0, 0};
        dc.drawText(rect, QStringLiteral("A && B"), DtCalcRect | DtSingleLine);
        QCOMPARE(rect.right, dc.textExtent(QStringLiteral("A & B")).width());
        // Lines and word breaks.
        rect = {0, 0, 0, 0};
        QCOMPARE(dc.drawText(rect, QStringLiteral("eins\r\nzwei\ndrei"), DtCalcRect), 3 * one.height());
        const int wordWidth = dc.textExtent(QStringLiteral("Tagebuch")).width();
        rect = {0, 0, wordWidth + 2, 0};
        dc.drawText(rect, QStringLiteral("Tagebuch Tagebuch Tagebuch"), DtCalcRect | DtWordBreak);
        QCOMPARE(rect.bottom, 3 * one.height());
        QCOMPARE(rect.right, wordWidth);
        QVERIFY(image == untouched);
        dc.selectObject(getStockObject(SystemFont));
    }

    void drawTextClipsToItsRectangle()
    {
        QImage image = testsupport::canvas(100, 30, Blue);
        DeviceContext dc(&image);
        GdiObject font(createFont(testFont()));
        dc.selectObject(font);
        dc.setBkColor(Yellow);
        const QString text = QStringLiteral("Ein sehr langer Text");
        Rect rect{10, 5, 30, 25};
        dc.drawText(rect, text, DtSingleLine);
        QCOMPARE(coloursIn(image, QRect(30, 0, 70, 30)), std::set<ColorRef>{Blue});
        dc.drawText(rect, text, DtSingleLine | DtNoClip);
        QVERIFY(coloursIn(image, QRect(30, 0, 70, 30)).count(Yellow));
        dc.selectObject(getStockObject(SystemFont));
    }

    void updateCurrentPosition()
    {
        QImage image = testsupport::canvas(100, 30, Blue);
        DeviceContext dc(&image);
        dc.setTextAlign(TaUpdateCp);
        dc.moveTo(7, 3);
        dc.textOut(0, 0, QStringLiteral("ab"));
        QCOMPARE(dc.currentPosition(), QPoint(7 + dc.textExtent(QStringLiteral("ab")).width(), 3));
        QVERIFY(testsupport::at(image, 7, 3) != Blue);
        QCOMPARE(testsupport::at(image, 0, 0), Blue);
    }
};

KV_TEST_MAIN(TestText)
#include "tst_Text.moc"
