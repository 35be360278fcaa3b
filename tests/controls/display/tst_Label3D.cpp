#include "controls/display/Label3D.h"
#include "platform/com/AutomationError.h"
#include "platform/com/ControlHost.h"
#include "platform/com/PropertyBag.h"
#include "tests/support/Automation.h"
#include "tests/support/HostForm.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QKeyEvent>
#include <QProcess>

using namespace com;
using ostrevo::Label3D;

namespace
{

constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Blue = 0xFF0000FF;

// The bounding box of the pixels in one colour.
QRect boxOf(const QImage &image, QRgb colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestLabel3D : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;
    QStringList m_events;

    Label3D *newLabel(const PropertyBag *bag = nullptr, QSize size = QSize(120, 30))
    {
        return dynamic_cast<Label3D *>(testsupport::createRecorded(QStringLiteral("Quiv_Tools.Label3D"),
                                                                   m_form.get(), QStringLiteral("Label1"),
                                                                   m_events, size, bag));
    }

    void press(QWidget *target, Qt::Key key, const QString &text)
    {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &down);
        QApplication::sendEvent(target, &up);
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        m_form.open(QSize(300, 200));
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        m_events.clear();
    }

    void cleanup() { m_form.reset(); }

    void interfaceAndPages()
    {
        const TypeInfo &info = Label3D::staticTypeInfo();
        QCOMPARE(info.clsid, QStringLiteral("{1B5E9248-A195-493A-87B8-EE60018647E8}"));
        QCOMPARE(info.eventIid, QStringLiteral("{BC37D2AF-A5A2-4C5F-B3AA-0645C9DA6488}"));
        QCOMPARE(info.members.size(), size_t(23));
        QCOMPARE(info.members.front().name, QStringLiteral("ShowAboutBox"));
        QCOMPARE(info.member(0x60030025)->name, QStringLiteral("Refresh"));
        QCOMPARE(info.members.back().name, QStringLiteral("xDist"));
        QCOMPARE(info.member(QStringLiteral("TextMode"))->type, VarType::Integer);
        QCOMPARE(info.events.size(), size_t(8));
        QCOMPARE(info.enumeration(QStringLiteral("EnumBack"))->value(QStringLiteral("cTRANSPARENT")), 1);
        QCOMPARE(Label3D::propertyPages(),
                 (QStringList{"TextMode", "StandardFont", "StandardColor", "Info"}));
    }

    void newControlShowsTheDesignCaptionTwice()
    {
        Label3D *label = newLabel();
        QCOMPARE(label->get(QStringLiteral("Caption")).toString(), QStringLiteral("Quiv-Label"));
        QCOMPARE(label->shadowLabel().caption, QStringLiteral("Quiv-Label"));
        QCOMPARE(label->shadowLabel().left(), 15.0);
        QCOMPARE(label->shadowLabel().top(), 15.0);
        QCOMPARE(label->shadowLabel().width(), 1800.0);
        QCOMPARE(label->get(QStringLiteral("BackColorL")).toColor(), 0x8000000Fu);
        QCOMPARE(label->get(QStringLiteral("ToolTipText")).toString(), QStringLiteral("Quick-Info"));
    }

    void shadowOffsets_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPointF>("shadow"); // twips, with xDist 30
        QTest::newRow("0 down right") << 0 << QPointF(30, 30);
        QTest::newRow("1 down") << 1 << QPointF(0, 30);
        QTest::newRow("2 down left") << 2 << QPointF(-30, 30);
        QTest::newRow("3 left") << 3 << QPointF(-30, 0);
        QTest::newRow("4 up left") << 4 << QPointF(-30, -30);
        QTest::newRow("5 up") << 5 << QPointF(0, -30);
        QTest::newRow("6 up right") << 6 << QPointF(30, -30);
        QTest::newRow("7 right") << 7 << QPointF(30, 0);
        QTest::newRow("8 under the text") << 8 << QPointF(0, 0);
        QTest::newRow("9 leaves it") << 9 << QPointF(-30, 0);
        QTest::newRow("-1 leaves it") << -1 << QPointF(-30, 0);
    }

    void shadowOffsets()
    {
        QFETCH(int, mode);
        QFETCH(QPointF, shadow);
        Label3D *label = newLabel();
        label->let(QStringLiteral("xDist"), Variant::fromInteger(30));
        label->let(QStringLiteral("TextMode"), Variant::fromInteger(3));
        label->let(QStringLiteral("TextMode"), Variant::fromInteger(int16_t(mode)));
        QCOMPARE(QPointF(label->shadowLabel().left(), label->shadowLabel().top()), shadow);
        QCOMPARE(QPointF(label->textLabel().left(), label->textLabel().top()), QPointF(0, 0));
        QCOMPARE(label->get(QStringLiteral("TextMode")).toInteger(), int16_t(mode));
    }

    // The shadow alone (text label hidden) moves by one pixel per 15 twips.
    void shadowPixels_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPoint>("shift");
        QTest::newRow("0") << 0 << QPoint(1, 1);
        QTest::newRow("1") << 1 << QPoint(0, 1);
        QTest::newRow("7") << 7 << QPoint(1, 0);
    }

    void shadowPixels()
    {
        QFETCH(int, mode);
        QFETCH(QPoint, shift);
        Label3D *label = newLabel();
        label->let(QStringLiteral("ShadowColor"), Variant::fromColor(0xFF0000)); // blue
        label->let(QStringLiteral("TextColor"), Variant::fromColor(0x0000FF));   // red
        label->let(QStringLiteral("TextMode"), Variant::fromInteger(8));
        const QRect both = boxOf(label->composed(), Red);
        QVERIFY(!both.isEmpty());
        QVERIFY(boxOf(label->composed(), Blue).isEmpty()); // right under the text
        label->let(QStringLiteral("Shadow"), Variant::fromBool(false));
        const QRect under = boxOf(label->composed(), Blue);
        QCOMPARE(under, both);
        QVERIFY(boxOf(label->composed(), Red).isEmpty());
        label->let(QStringLiteral("TextMode"), Variant::fromInteger(int16_t(mode)));
        QCOMPARE(boxOf(label->composed(), Blue), under.translated(shift));
    }

    void backColourIgnoredWhileTransparent()
    {
        Label3D *label = newLabel();
        label->let(QStringLiteral("BackColorL"), Variant::fromColor(0x00FF00));
        QCOMPARE(label->composed().pixel(119, 0), 0xFF00FF00u);
        label->let(QStringLiteral("BackStyle"), Variant::fromLong(1));
        QCOMPARE(qAlpha(label->composed().pixel(119, 0)), 0);
        label->site()->clearChangedProperties();
        label->let(QStringLiteral("BackColorL"), Variant::fromColor(0xFFFFFF));
        QCOMPARE(label->get(QStringLiteral("BackColorL")).toColor(), 0x00FF00u);
        QVERIFY(label->site()->changedProperties().isEmpty());
        label->let(QStringLiteral("BackStyle"), Variant::fromLong(0));
        QCOMPARE(label->composed().pixel(119, 0), 0xFF00FF00u);
    }

    void keys_data()
    {
        QTest::addColumn<bool>("focusRect");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("enter with focus flag")
            << true << int(Qt::Key_Return) << "\r" << QStringList{"KeyPress(13)", "Click()"};
        QTest::newRow("letter with focus flag")
            << true << int(Qt::Key_A) << "a" << QStringList{"KeyDown(65, 0)", "KeyPress(97)", "KeyUp(65, 0)"};
        QTest::newRow("enter without") << false << int(Qt::Key_Return) << "\r" << QStringList{"KeyPress(13)"};
        QTest::newRow("letter without") << false << int(Qt::Key_A) << "a" << QStringList{"KeyPress(97)"};
    }

    void keys()
    {
        QFETCH(bool, focusRect);
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(QStringList, events);
        Label3D *label = newLabel();
        label->let(QStringLiteral("FocusRect"), Variant::fromBool(focusRect));
        press(label, Qt::Key(key), text);
        QCOMPARE(m_events, events);
    }

    void clickTakesTheFocusAndRecoloursTheShadow()
    {
        Label3D *label = newLabel();
        label->let(QStringLiteral("FocusRect"), Variant::fromBool(true));
        label->let(QStringLiteral("FocusColor"), Variant::fromColor(0x0000FF));
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(10, 4));
        QCOMPARE(m_events, (QStringList{"MouseDown(1, 0, 150, 60)", "MouseUp(1, 0, 150, 60)", "Click()"}));
        QVERIFY(label->hasFocus());
        QCOMPARE(label->get(QStringLiteral("ShadowColor")).toColor(), 0x0000FFu);
        const PropertyBag saved = ControlHost::saveControl(*label);
        QVERIFY(!saved.contains(QStringLiteral("ShadowColor"))); // still the default shadow colour
        label->clearFocus();
        QCOMPARE(label->get(QStringLiteral("ShadowColor")).toColor(), 0xFFFF00u);
    }

    void clickWithoutFocusFlagLeavesTheFocus()
    {
        Label3D *label = newLabel();
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(10, 4));
        QCOMPARE(m_events.last(), QStringLiteral("Click()"));
        QVERIFY(!label->hasFocus());
    }

    // Without the text label the shadow label takes the mouse, with its own position.
    void hiddenTextLabelPassesTheMouseToTheShadow()
    {
        Label3D *label = newLabel();
        label->let(QStringLiteral("Shadow"), Variant::fromBool(false));
        QTest::mousePress(label, Qt::LeftButton, {}, QPoint(10, 4));
        QCOMPARE(m_events, QStringList{QStringLiteral("MouseDown(1, 0, 135, 45)")});
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(10, 4));
        m_events.clear();
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(0, 5)); // left of the shadow
        QVERIFY(m_events.isEmpty());
    }

    void persistenceOfAFreshLabel()
    {
        Label3D *label = newLabel();
        const PropertyBag saved = ControlHost::saveControl(*label);
        QCOMPARE(saved.keys(), (std::vector<QString>{"Font", "FontBold", "FontName", "FontSize"}));
    }

    void propertyBagRoundTrip()
    {
        Label3D *first = newLabel();
        const std::vector<std::pair<QString, Variant>> values = {
            {"EnabledL", Variant::fromBool(false)},
            {"Shadow", Variant::fromBool(false)},
            {"TextColor", Variant::fromColor(0xFF)},
            {"BackColorL", Variant::fromColor(0xFFFFFF)},
            {"ShadowColor", Variant::fromColor(0x808080)},
            {"FocusColor", Variant::fromColor(0x123456)},
            {"FocusRect", Variant::fromBool(true)},
            {"TextMode", Variant::fromInteger(5)},
            {"FontBold", Variant::fromBool(false)},
            {"FontItalic", Variant::fromBool(true)},
            {"FontName", Variant("Tahoma")},
            {"FontSize", Variant::fromSingle(12)},
            {"FontStrikethru", Variant::fromBool(true)},
            {"Caption", Variant("Hallo")},
            {"ToolTipText", Variant("Tipp")},
            {"xDist", Variant::fromInteger(-45)},
            {"BackStyle", Variant::fromLong(1)}};
        for (const auto &[name, value] : values)
            first->let(name, value);
        const PropertyBag saved = ControlHost::saveControl(*first);
        Label3D *second = newLabel(&saved);
        for (const auto &[name, value] : values)
            QVERIFY2(second->get(name).equals(value), qPrintable(name));
        QCOMPARE(QPointF(second->shadowLabel().left(), second->shadowLabel().top()), QPointF(0, 45));
        QCOMPARE(second->shadowLabel().caption, QStringLiteral("Hallo"));
        QVERIFY(!second->shadowLabel().opaque);
    }

    void missingKeysReadTheirDefaults()
    {
        const PropertyBag bag = PropertyBag::fromText(QStringLiteral("Caption = \"Tagebuch\"\n"));
        Label3D *label = newLabel(&bag);
        QCOMPARE(label->get(QStringLiteral("TextColor")).toColor(), 0u);
        QCOMPARE(label->get(QStringLiteral("ShadowColor")).toColor(), 0xFFFF00u);
        QCOMPARE(label->get(QStringLiteral("xDist")).toInteger(), int16_t(15));
        QCOMPARE(label->shadowLabel().caption, QStringLiteral("Tagebuch"));
        QCOMPARE(label->get(QStringLiteral("FontBold")).toBool(), false);
        QVERIFY(label->shadowLabel().opaque);
    }

    void drivenThroughTheTestContainer()
    {
        QProcess automate;
        automate.start(testsupport::binaryPath(QStringLiteral("automate")), {});
        automate.write("create Quiv_Tools.Label3D\n"
                       "let BackStyle 1\n"
                       "let BackColorL &HFFFFFF\n"
                       "get BackColorL\n"
                       "let Caption \"Hallo\"\n"
                       "get #&H68030002\n"
                       "get xDist\n");
        automate.closeWriteChannel();
        QVERIFY(automate.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(automate.readAllStandardOutput()),
                 QStringLiteral("-2147483633\nHallo\n15\n"));
    }
};

KV_TEST_MAIN(TestLabel3D)
#include "tst_Label3D.moc"
