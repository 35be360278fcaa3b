#include "controls/gauges/ProgressBar.h"
#include "platform/com/AutomationError.h"
#include "platform/com/ControlHost.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/StdFont.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/SystemColors.h"
#include "tests/support/Automation.h"
#include "tests/support/HostForm.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QMouseEvent>

using namespace com;
using ostrevo::ProgressBar;

using testsupport::errorOf;

class TestProgressBar : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;
    QStringList m_events;

    ProgressBar *newBar(QSize size = {}, const PropertyBag *bag = nullptr)
    {
        return dynamic_cast<ProgressBar *>(
            testsupport::createRecorded(QStringLiteral("Quiv_Tools.ProgressBar"), m_form.get(),
                                        QStringLiteral("ProgressBar1"), m_events, size, bag));
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        m_form.open(QSize(600, 200));
        m_events.clear();
        gdi::SystemColors::restoreDefaults();
    }

    void cleanup() { m_form.reset(); }

    // Hosts and the settings page bind by these numbers and names.
    void typeLibrary()
    {
        QStringList members;
        for (const MemberInfo &m : ProgressBar::staticTypeInfo().members)
            members << QStringLiteral("%1=%2").arg(m.name).arg(uint32_t(m.dispid), 0, 16);
        QCOMPARE(members.join(QLatin1Char(' ')),
                 QStringLiteral("ShowAboutBox=60030010 BarXPcolor=6803000f AutoRedraw=6803000e Max=6803000d "
                                "ShowText=6803000c Appearance=6803000b BorderStyle=6803000a Value=68030009 "
                                "Style=68030008 TextColor=68030007 BarColor2=68030006 BarColor1=68030005 "
                                "BackColorP=68030004 PictureLandscape=68030003 PictureStretch=68030002 "
                                "PictureTile=68030001"));
        const TypeInfo &info = ProgressBar::staticTypeInfo();
        QCOMPARE(info.progId, QStringLiteral("Quiv_Tools.ProgressBar"));
        QCOMPARE(info.member(QStringLiteral("PictureTile"))->accessors, unsigned(Get | Set | Let));
        const EnumInfo *styles = info.enumeration(QStringLiteral("StyleConstants"));
        QVERIFY(styles);
        QCOMPARE(styles->constants.size(), size_t(10));
        QCOMPARE(styles->value(QStringLiteral("CustomPictureStrech")), 8);
        QCOMPARE(info.enumeration(QStringLiteral("bXPcolor"))->value(QStringLiteral("bBlue")), 1);
        QCOMPARE(info.enumeration(QStringLiteral("BorderStyleConstantsH"))->constants.size(), size_t(2));
        QCOMPARE(info.enumeration(QStringLiteral("AppearanceConstants"))->value(QStringLiteral("vb3D")), 1);
        QStringList events;
        for (const EventInfo &e : info.events)
            events << QStringLiteral("%1=%2").arg(e.name).arg(e.dispid);
        QCOMPARE(events, (QStringList{"KeyDown=1", "KeyPress=2", "KeyUp=3", "MouseMove=4", "MouseUp=5",
                                      "MouseDown=6"}));
    }

    void newControl()
    {
        ProgressBar *bar = newBar(QSize(200, 20));
        QCOMPARE(bar->get(QStringLiteral("Style")).toLong(), 1);
        QCOMPARE(bar->get(QStringLiteral("Value")).toLong(), 100);
        QCOMPARE(bar->get(QStringLiteral("Max")).toLong(), 500000);
        QCOMPARE(bar->get(QStringLiteral("BarColor1")).toColor(), 0u);
        QCOMPARE(bar->get(QStringLiteral("BackColorP")).toColor(), 0x8000000Fu);
        QCOMPARE(bar->get(QStringLiteral("ShowText")).toBool(), false);
        QCOMPARE(bar->percentText(), QStringLiteral("0%"));
        // Only the picture objects are always written.
        QCOMPARE(ControlHost::saveControl(*bar).keys(),
                 (std::vector<QString>{"PictureLandscape", "PictureStretch", "PictureTile"}));
    }

    void valueAndMaximum_data()
    {
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("newMax");
        QTest::addColumn<int>("stored");
        QTest::newRow("below") << 200 << 50 << 200 << 50;
        QTest::newRow("equal") << 200 << 200 << 200 << 200;
        QTest::newRow("above is cut to Max") << 200 << 300 << 200 << 200;
        QTest::newRow("no lower bound") << 200 << -40 << 200 << -40;
        QTest::newRow("Max lowered later keeps Value") << 200 << 150 << 100 << 150;
        QTest::newRow("Max 0 accepted") << 200 << 0 << 0 << 0;
    }

    void valueAndMaximum()
    {
        QFETCH(int, max);
        QFETCH(int, value);
        QFETCH(int, newMax);
        QFETCH(int, stored);
        ProgressBar *bar = newBar(QSize(200, 20));
        bar->let(QStringLiteral("Max"), Variant::fromLong(max));
        bar->let(QStringLiteral("Value"), Variant::fromLong(value));
        bar->let(QStringLiteral("Max"), Variant::fromLong(newMax));
        QCOMPARE(bar->get(QStringLiteral("Value")).toLong(), stored);
        QCOMPARE(bar->get(QStringLiteral("Max")).toLong(), newMax);
    }

    void propertyBagRoundTrip()
    {
        ProgressBar *bar = newBar(QSize(200, 20));
        auto picture = std::make_shared<StdPicture>(gdi::Picture(QImage(8, 8, QImage::Format_RGB32)));
        const std::vector<std::pair<QString, Variant>> values = {
            {"AutoRedraw", Variant::fromBool(true)},
            {"ShowText", Variant::fromBool(true)},
            {"Appearance", Variant::fromLong(0)},
            {"BorderStyle", Variant::fromLong(0)},
            {"Max", Variant::fromLong(1000)},
            {"Value", Variant::fromLong(250)},
            {"Style", Variant::fromLong(4)},
            {"TextColor", Variant::fromColor(0xFF)},
            {"BarColor2", Variant::fromColor(0xFF0000)},
            {"BarColor1", Variant::fromColor(0x123456)},
            {"BarXPcolor", Variant::fromLong(1)},
            {"BackColorP", Variant::fromColor(0x80000005)},
        };
        for (const auto &[name, value] : values)
            bar->let(name, value);
        bar->set(QStringLiteral("PictureTile"), Variant::fromObject(picture));
        const PropertyBag saved = ControlHost::saveControl(*bar);
        std::vector<QString> keys;
        for (const auto &[name, value] : values)
            keys.push_back(name);
        keys.insert(keys.end(), {"PictureLandscape", "PictureStretch", "PictureTile"});
        QCOMPARE(saved.keys(), keys);

        ProgressBar *loaded = newBar(QSize(200, 20), &saved);
        for (const auto &[name, value] : values)
            QVERIFY2(loaded->get(name) == value, qPrintable(name));
        QCOMPARE(loaded->get(QStringLiteral("PictureTile")).toObject(), picture.get());
        QVERIFY(loaded->get(QStringLiteral("PictureLandscape")).isNothing());
    }

    // Black is written against 0 but read against &H8000000E.
    void defaultsThatDifferBetweenReadAndWrite()
    {
        ProgressBar *bar = newBar(QSize(200, 20));
        bar->let(QStringLiteral("BarColor2"), Variant::fromColor(0xFF00));
        const PropertyBag saved = ControlHost::saveControl(*bar);
        QVERIFY(!saved.contains(QStringLiteral("BarColor1")));
        QVERIFY(!saved.contains(QStringLiteral("BarColor2")));
        ProgressBar *loaded = newBar(QSize(200, 20), &saved);
        QCOMPARE(loaded->get(QStringLiteral("BarColor1")).toColor(), 0x8000000Eu);
        QCOMPARE(loaded->get(QStringLiteral("BarColor2")).toColor(), 0xFF00u);
    }

    void loadingNeitherClampsNorValidates()
    {
        PropertyBag bag;
        bag.writeProperty(QStringLiteral("Max"), Variant::fromLong(10));
        bag.writeProperty(QStringLiteral("Value"), Variant::fromLong(50));
        bag.writeProperty(QStringLiteral("Style"), Variant::fromLong(5)); // no border or height handling
        bag.writeProperty(QStringLiteral("BorderStyle"), Variant::fromInteger(1));
        ProgressBar *bar = newBar(QSize(), &bag);
        QCOMPARE(bar->get(QStringLiteral("Value")).toLong(), 50);
        QCOMPARE(bar->get(QStringLiteral("BorderStyle")).toLong(), 1);
        // Only the pictures go through their set, which records the change.
        QCOMPARE(bar->site()->changedProperties(),
                 (QStringList{"PictureLandscape", "PictureStretch", "PictureTile"}));
    }

    void barColoursAreTranslated()
    {
        ProgressBar *bar = newBar(QSize(200, 20));
        bar->let(QStringLiteral("BarColor1"), Variant::fromColor(0x8000000D));
        bar->let(QStringLiteral("BackColorP"), Variant::fromColor(0x8000000D));
        QCOMPARE(bar->get(QStringLiteral("BarColor1")).toColor(), gdi::sysColor(gdi::ColorHighlight));
        QCOMPARE(bar->get(QStringLiteral("BackColorP")).toColor(), 0x8000000Du);
    }

    void translateSysColor_data()
    {
        QTest::addColumn<uint>("colour");
        QTest::addColumn<uint>("translated");
        QTest::newRow("button face") << 0x8000000Fu << gdi::sysColor(gdi::ColorBtnFace);
        QTest::newRow("plain") << 0xFF00u << 0xFF00u;
        QTest::newRow("high byte other than &H80") << 0x81000000u << 0x81000000u;
        QTest::newRow("only the low byte is the index") << 0x80000105u << gdi::sysColor(gdi::ColorWindow);
    }

    void translateSysColor()
    {
        QFETCH(uint, colour);
        QFETCH(uint, translated);
        QCOMPARE(ProgressBar::TranslateSysColor(colour), translated);
        QCOMPARE(uint(ProgressBar::ColorGreen(colour)), (translated >> 8) & 0xFF);
    }

    void xpStylesFixHeightAndBorder()
    {
        ProgressBar *bar = newBar(QSize(231, 40));
        bar->site()->clearChangedProperties();
        bar->let(QStringLiteral("Style"), Variant::fromLong(5));
        QCOMPARE(bar->height(), 19); // 285 twips
        QCOMPARE(bar->get(QStringLiteral("BorderStyle")).toLong(), 0);
        QCOMPARE(bar->site()->changedProperties(), (QStringList{"BorderStyle", "Style"}));
        bar->let(QStringLiteral("Style"), Variant::fromLong(2)); // plain styles keep what they find
        QCOMPARE(bar->height(), 19);
        QCOMPARE(bar->get(QStringLiteral("BorderStyle")).toLong(), 0);
        bar->let(QStringLiteral("Style"), Variant::fromLong(8));
        QCOMPARE(bar->get(QStringLiteral("BorderStyle")).toLong(), 1);
        bar->let(QStringLiteral("Style"), Variant::fromLong(6));
        QCOMPARE(bar->height(), 13); // 195 twips
        bar->resize(231, 60);
        QCOMPARE(bar->height(), 13);
        QCOMPARE(bar->surface().size(), QSize(231, 13));
    }

    void constituentRangesAndTypes()
    {
        ProgressBar *bar = newBar(QSize(200, 20));
        QCOMPARE(errorOf([&] { bar->let(QStringLiteral("BorderStyle"), Variant::fromLong(2)); }), 380);
        QCOMPARE(errorOf([&] { bar->let(QStringLiteral("Appearance"), Variant::fromLong(-1)); }), 380);
        QCOMPARE(errorOf([&] {
                     bar->set(QStringLiteral("PictureStretch"),
                              Variant::fromObject(std::make_shared<StdFont>()));
                 }),
                 13);
        bar->let(QStringLiteral("Appearance"), Variant::fromLong(0));
        QCOMPARE(bar->borderWidth(), 1);
        QCOMPARE(bar->surface().size(), QSize(198, 18));
    }

    // The smooth bar's end is a 16-bit number: the let that overflows it
    // reports error 6, a resize swallows it.
    void smoothBarEndOverflows()
    {
        ProgressBar *bar = newBar(QSize(400, 20));
        bar->let(QStringLiteral("Value"), Variant::fromLong(100));
        QCOMPARE(errorOf([&] { bar->let(QStringLiteral("Max"), Variant::fromLong(1)); }), 6);
        bar->resize(500, 20);
        QCOMPARE(bar->surface().width(), 496);
    }

    // Value far above Max (from a bag, or by lowering Max) must not make a
    // paint run for ever: every style finishes at once.
    void overrunningBarFinishes_data()
    {
        QTest::addColumn<int>("style");
        for (int style : {0, 2, 3, 4, 5, 6, 9})
            QTest::newRow(qPrintable(QStringLiteral("style %1").arg(style))) << style;
    }

    void overrunningBarFinishes()
    {
        QFETCH(int, style);
        auto tile = std::make_shared<StdPicture>(gdi::Picture(QImage(1, 4, QImage::Format_RGB32)));
        PropertyBag bag;
        bag.writeProperty(QStringLiteral("Max"), Variant::fromLong(1));
        bag.writeProperty(QStringLiteral("Value"), Variant::fromLong(2000000000));
        bag.writeProperty(QStringLiteral("Style"), Variant::fromLong(style));
        bag.writeProperty(QStringLiteral("PictureTile"), Variant::fromObject(tile));
        // A loop that did not stop at the surface's edge would not return.
        ProgressBar *bar = newBar(QSize(), &bag);
        bar->resize(200, 20);
        bar->show();
        QCOMPARE(bar->get(QStringLiteral("Style")).toLong(), style);
        QCOMPARE(bar->percentText(), QStringLiteral("200000000000%"));
    }

    // Positions come in PB's pixels; PB lies at (0, 0) inside its border.
    void mouseAndKeys()
    {
        ProgressBar *bar = newBar(QSize(200, 20));
        QTest::mousePress(bar, Qt::LeftButton, Qt::ShiftModifier, QPoint(12, 7));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(12, 7));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(bar, &press);
        QApplication::sendEvent(bar, &release);
        QCOMPARE(m_events, (QStringList{"MouseDown(1, 1, 10, 5)", "MouseUp(1, 0, 10, 5)", "KeyDown(65, 0)",
                                        "KeyPress(97)", "KeyUp(65, 0)"}));
    }

    // Every move over the bar is reported, with the buttons held at the time.
    void mouseMovesWithAndWithoutAButton()
    {
        ProgressBar *bar = newBar(QSize(200, 20));
        QTest::mouseMove(bar, QPoint(12, 7));
        QTest::mousePress(bar, Qt::RightButton, {}, QPoint(12, 7));
        QTest::mouseMove(bar, QPoint(30, 9));
        QTest::mouseRelease(bar, Qt::RightButton, {}, QPoint(30, 9));
        QTest::mouseMove(bar, QPoint(40, 9));
        QCOMPARE(m_events.filter(QStringLiteral("MouseMove")),
                 (QStringList{"MouseMove(0, 0, 10, 5)", "MouseMove(2, 0, 28, 7)", "MouseMove(0, 0, 38, 7)"}));
    }
};

KV_TEST_MAIN(TestProgressBar)
#include "tst_ProgressBar.moc"
