#include "controls/gauges/Ruler.h"
#include "platform/com/ControlHost.h"
#include "platform/com/PropertyBag.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SystemColors.h"
#include "tests/support/Automation.h"
#include "tests/support/Canvas.h"
#include "tests/support/HostForm.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>

using namespace com;
using ostrevo::Ruler;

namespace
{

gdi::ColorRef back()
{
    return gdi::sysColor(gdi::ColorInfoBk);
}
gdi::ColorRef fore()
{
    return gdi::sysColor(gdi::ColorBtnText);
}

// Per position along the scale, the run of `ink` pixels in from the far edge
// (bottom or right), where the ticks stand: "10:4 50:15 100:30". Labels hang
// from the other edge and do not reach it.
QString profile(const QImage &surface, bool vertical, gdi::ColorRef ink = fore())
{
    QStringList out;
    const int along = vertical ? surface.height() : surface.width();
    const int across = vertical ? surface.width() : surface.height();
    for (int p = 0; p < along; ++p) {
        int run = 0;
        while (run < across && testsupport::at(surface, vertical ? across - 1 - run : p,
                                               vertical ? p : across - 1 - run) == ink)
            ++run;
        if (run)
            out << QStringLiteral("%1:%2").arg(p).arg(run);
    }
    return out.join(QLatin1Char(' '));
}

// The pixels where two images differ, as "x,y" row by row.
QString differences(const QImage &a, const QImage &b)
{
    std::vector<QPoint> points;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                points.emplace_back(x, y);
    return testsupport::describe(points);
}

QString line(bool vertical, int at, QSize size)
{
    std::vector<QPoint> points;
    for (int i = 0; at >= 0 && i < (vertical ? size.width() : size.height()); ++i)
        points.emplace_back(vertical ? i : at, vertical ? at : i);
    return testsupport::describe(points);
}

} // namespace

class TestRuler : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;
    QStringList m_events;

    // A ruler as a form loads it; a valid size places it, which resizes it.
    Ruler *newRuler(QSize size = {}, const PropertyBag *bag = nullptr)
    {
        return dynamic_cast<Ruler *>(testsupport::createRecorded(
            QStringLiteral("Quiv_Tools.Ruler"), m_form.get(), QStringLiteral("Ruler1"), m_events, size, bag));
    }

    // Placed, in pixel units: 100 pixels a unit at 15 twips a pixel.
    Ruler *pixelRuler(QSize size, int zoom = 1)
    {
        Ruler *ruler = newRuler(size);
        ruler->let(QStringLiteral("Mode"), Variant::fromLong(3));
        ruler->let(QStringLiteral("SmallZoom"), Variant::fromInteger(int16_t(zoom)));
        return ruler;
    }

    static QString entries(Ruler *ruler, bool (QAction::*state)() const)
    {
        QString s;
        for (QAction *entry : ruler->findChild<QMenu *>(QStringLiteral("mnuMenu"))->actions())
            s += QLatin1Char((entry->*state)() ? '1' : '0');
        return s;
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        m_form.open(QSize(900, 900));
        m_events.clear();
    }

    void cleanup() { m_form.reset(); }

    // The diary binds by these numbers.
    void dispatchIdentifiers()
    {
        QStringList members;
        for (const MemberInfo &m : Ruler::staticTypeInfo().members)
            members << QStringLiteral("%1=%2").arg(m.name).arg(uint32_t(m.dispid), 0, 16);
        QCOMPARE(members.join(QLatin1Char(' ')),
                 QStringLiteral("ShowAboutBox=fffffdd8 Mode2=6803000d Mode3=6803000c Mode4=6803000b "
                                "Mode3Check=6803000a Mode4Check=68030009 Mode=68030008 AdjCm=68030007 "
                                "AdjTwip=68030006 AdjInch=68030005 AdjPixel=68030004 Adjust=60030012 "
                                "Orientation=68030003 BackColorR=68030002 ForeColor=68030001 "
                                "SmallZoom=68030000 MouseMoved=60030014"));
    }

    void propertyBagRoundTrip()
    {
        Ruler *fresh = newRuler();
        QCOMPARE(fresh->get(QStringLiteral("AdjPixel")).toString(), QStringLiteral("1500"));
        QVERIFY(ControlHost::saveControl(*fresh).isEmpty()); // read and write defaults agree

        const std::vector<std::pair<QString, Variant>> values = {{"AdjCm", "500"},
                                                                 {"AdjTwip", "2000"},
                                                                 {"AdjInch", "1000"},
                                                                 {"AdjPixel", "750"},
                                                                 {"SmallZoom", Variant::fromInteger(2)},
                                                                 {"Orientation", Variant::fromLong(1)},
                                                                 {"Mode", Variant::fromLong(2)},
                                                                 {"Mode2", Variant::fromBool(true)},
                                                                 {"Mode3", Variant::fromBool(true)},
                                                                 {"Mode3Check", Variant::fromBool(true)},
                                                                 {"Mode4", Variant::fromBool(true)},
                                                                 {"Mode4Check", Variant::fromBool(true)},
                                                                 {"BackColorR", Variant::fromColor(0xFF)},
                                                                 {"ForeColor", Variant::fromColor(0xFF00)}};
        std::vector<QString> keys;
        for (auto it = values.rbegin(); it != values.rend(); ++it) // the bag keeps its own order
            fresh->let(it->first, it->second);
        for (const auto &[name, value] : values)
            keys.push_back(name);
        const PropertyBag saved = ControlHost::saveControl(*fresh);
        QCOMPARE(saved.keys(), keys);

        const PropertyBag reread = PropertyBag::fromText(saved.toText());
        Ruler *loaded = newRuler(QSize(), &reread);
        for (const auto &[name, value] : values)
            QVERIFY2(loaded->get(name) == value, qPrintable(name));
        QCOMPARE(loaded->adjustValue(), 1000); // Mode 2 took AdjInch
        QCOMPARE(entries(loaded, &QAction::isVisible), QStringLiteral("11111111"));
    }

    void automaticOrientationIsResolvedOnce_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("orientation");
        QTest::newRow("wide") << QSize(120, 30) << 0;
        QTest::newRow("tall") << QSize(30, 120) << 1;
        QTest::newRow("square") << QSize(40, 40) << 1;
    }

    void automaticOrientationIsResolvedOnce()
    {
        QFETCH(QSize, size);
        QFETCH(int, orientation);
        Ruler *ruler = newRuler(size);
        QCOMPARE(ControlHost::saveControl(*ruler).readProperty(QStringLiteral("Orientation")).toLong(),
                 orientation);
        QVERIFY(ruler->site()->changedProperties().contains(QStringLiteral("Orientation")));
        ruler->resize(size.transposed());
        QCOMPARE(ruler->get(QStringLiteral("Orientation")).toLong(), orientation);
    }

    void scale_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("ticks");
        QTest::addColumn<QPoint>("labelAt");
        QTest::addColumn<QString>("label");
        // 30 pixels deep: short ticks 4, the fifth 15, numbered ones 30.
        QTest::newRow("pixel 1") << 3 << 1 << false << 120
                                 << "10:4 20:4 30:4 40:4 50:15 60:4 70:4 80:4 90:4 100:30 110:4"
                                 << QPoint(100, 0) << "1";
        QTest::newRow("pixel 2") << 3 << 2 << false << 220
                                 << "21:4 41:4 61:4 81:4 101:15 121:4 141:4 161:4 181:4 201:30"
                                 << QPoint(201, 0) << "2";
        QTest::newRow("pixel 4") << 3 << 4 << false << 420
                                 << "40:4 80:4 120:4 160:4 200:15 240:4 280:4 320:4 360:4 400:30"
                                 << QPoint(400, 0) << "4";
        QTest::newRow("pixel 8") << 3 << 8 << false << 820
                                 << "81:4 161:4 241:4 321:4 401:15 481:4 561:4 641:4 721:4 801:30"
                                 << QPoint(801, 0) << "8";
        QTest::newRow("zoom 3: blank") << 3 << 3 << false << 820 << "" << QPoint() << "";
        QTest::newRow("twips 8: shorter than the first tick")
            << 1 << 8 << false << 53 << "" << QPoint() << "";
        QTest::newRow("twips 1") << 1 << 1 << false << 100
                                 << "7:4 13:4 20:4 27:4 33:15 40:4 47:4 53:4 60:4 67:30 73:4 80:4 87:4 93:4"
                                 << QPoint(67, 0) << "1";
        // 667.5 twips are 44.5 pixels: half to even gives 44.
        QTest::newRow("centimetre vertical")
            << 0 << 1 << true << 50
            << "3:4 6:4 9:4 12:4 15:15 18:4 21:4 24:4 27:4 30:30 33:4 36:4 39:4 42:4 44:15 47:4"
            << QPoint(0, 30) << "1";
        QTest::newRow("pixel 2 vertical")
            << 3 << 2 << true << 220 << "21:4 41:4 61:4 81:4 101:15 121:4 141:4 161:4 181:4 201:30"
            << QPoint(0, 201) << "2";
    }

    void scale()
    {
        QFETCH(int, mode);
        QFETCH(int, zoom);
        QFETCH(bool, vertical);
        QFETCH(int, length);
        QFETCH(QString, ticks);
        QFETCH(QPoint, labelAt);
        QFETCH(QString, label);
        Ruler *ruler = newRuler(vertical ? QSize(30, length) : QSize(length, 30));
        ruler->let(QStringLiteral("Mode"), Variant::fromLong(mode));
        ruler->let(QStringLiteral("SmallZoom"), Variant::fromInteger(int16_t(zoom)));
        const QImage &surface = ruler->surface();
        QCOMPARE(profile(surface, vertical), ticks);
        if (ticks.isEmpty())
            QCOMPARE(testsupport::pixelsOf(surface, back()).size(), size_t(30 * length));
        if (label.isEmpty())
            return;
        // The label's glyphs, compared with the same text drawn alone.
        QImage alone = testsupport::canvas(surface.width(), surface.height(), back());
        gdi::DeviceContext dc(&alone);
        gdi::GdiObject font(gdi::createFont(ruler->font()));
        const gdi::Handle old = dc.selectObject(font);
        dc.setBkMode(gdi::Transparent);
        dc.setTextColor(fore());
        dc.textOut(labelAt.x(), labelAt.y(), label);
        const QRect box(labelAt, dc.textExtent(label));
        dc.selectObject(old);
        QVERIFY(!testsupport::pixelsOf(alone.copy(box), fore()).empty());
        // Leave out the numbered tick the label stands beside.
        const QRect glyphs = vertical ? box.adjusted(0, 1, 0, 0) : box.adjusted(1, 0, 0, 0);
        QCOMPARE(testsupport::picture(surface, glyphs, {{fore(), '#'}, {back(), '.'}}),
                 testsupport::picture(alone, glyphs, {{fore(), '#'}, {back(), '.'}}));
    }

    void adjustTextTakesEffectOnModeOrAdjust_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("adjust");
        QTest::newRow("whole") << "1500" << 1500;
        QTest::newRow("decimal comma, half to even") << "1500,5" << 1500;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("negative") << "-1500" << -1500;
        QTest::newRow("no number") << "abc" << 0;
        QTest::newRow("beyond a Long") << "3000000000" << 0;
    }

    void adjustTextTakesEffectOnModeOrAdjust()
    {
        QFETCH(QString, text);
        QFETCH(int, adjust);
        Ruler *ruler = newRuler(QSize(120, 30));
        const QImage before = ruler->surface();
        ruler->let(QStringLiteral("AdjCm"), Variant(text));
        QCOMPARE(ruler->surface(), before);
        ruler->call(QStringLiteral("Adjust"));
        QCOMPARE(ruler->adjustValue(), adjust);
        // Without a positive adjust value the scale stays blank (and ends).
        QCOMPARE(profile(ruler->surface(), false).startsWith(QStringLiteral("10:4 20:4")), adjust > 0);
        if (adjust <= 0)
            QCOMPARE(testsupport::pixelsOf(ruler->surface(), back()).size(), size_t(120 * 30));
    }

    void modeOutsideTheUnitsIsIgnored()
    {
        Ruler *ruler = pixelRuler(QSize(120, 30));
        ruler->site()->clearChangedProperties();
        const QImage before = ruler->surface();
        for (int mode : {-1, 4, 8}) {
            ruler->let(QStringLiteral("Mode"), Variant::fromLong(mode));
            QCOMPARE(ruler->get(QStringLiteral("Mode")).toLong(), 3);
            PropertyBag bag;
            bag.writeProperty(QStringLiteral("Mode"), Variant::fromLong(mode));
            QCOMPARE(newRuler(QSize(), &bag)->get(QStringLiteral("Mode")).toLong(), 0);
        }
        QCOMPARE(ruler->surface(), before);
        QVERIFY(ruler->site()->changedProperties().isEmpty());
    }

    void menuChecksAndEntries_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("hostEntries"); // Mode2, Mode3, Mode4, Mode3Check, Mode4Check
        QTest::addColumn<QString>("visible");
        QTest::addColumn<QString>("checked");
        QTest::newRow("plain") << 0 << "00000"
                               << "11110000"
                               << "10000000";
        QTest::newRow("Ausblenden") << 1 << "10000"
                                    << "11111100"
                                    << "01000000";
        QTest::newRow("Fixieren checked") << 2 << "01010"
                                          << "11111010"
                                          << "00100010";
        QTest::newRow("Hilfslinien checked") << 3 << "00101"
                                             << "11111001"
                                             << "00010001";
        QTest::newRow("all") << 0 << "11111"
                             << "11111111"
                             << "10000011";
    }

    void menuChecksAndEntries()
    {
        QFETCH(int, mode);
        QFETCH(QString, hostEntries);
        QFETCH(QString, visible);
        QFETCH(QString, checked);
        Ruler *ruler = newRuler(QSize(120, 30));
        const char *names[] = {"Mode2", "Mode3", "Mode4", "Mode3Check", "Mode4Check"};
        for (int i = 0; i < 3; ++i) // on and off again first: the separator must follow
            ruler->let(QString::fromLatin1(names[i]), Variant::fromBool(true));
        for (int i = 4; i >= 0; --i) // Mode2 last: switching one off must leave the separator to the others
            ruler->let(QString::fromLatin1(names[i]), Variant::fromBool(hostEntries[i] == QLatin1Char('1')));
        ruler->let(QStringLiteral("Mode"), Variant::fromLong(mode));
        QTest::mouseClick(ruler, Qt::RightButton, {}, QPoint(5, 5));
        auto *menu = ruler->findChild<QMenu *>(QStringLiteral("mnuMenu"));
        QVERIFY(menu->isVisible());
        menu->hide();
        QCOMPARE(m_events, QStringList{"RightClick()"});
        QCOMPARE(entries(ruler, &QAction::isVisible), visible);
        QCOMPARE(entries(ruler, &QAction::isChecked), checked);
        QCOMPARE(menu->actions()[6]->text(), QStringLiteral("Fixieren"));
    }

    void menuEntryClicks_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("adjust");
        QTest::newRow("Centimeter") << 0 << 0 << 445;
        QTest::newRow("Inch") << 2 << 2 << 1440;
        QTest::newRow("Ausblenden") << 5 << 3 << 1500;
        QTest::newRow("Fixieren") << 6 << 3 << 1500;
    }

    void menuEntryClicks()
    {
        QFETCH(int, index);
        QFETCH(int, mode);
        QFETCH(int, adjust);
        Ruler *ruler = pixelRuler(QSize(120, 30));
        for (const char *name : {"Mode2", "Mode3", "Mode4"})
            ruler->let(QString::fromLatin1(name), Variant::fromBool(true));
        ruler->findChild<QMenu *>(QStringLiteral("mnuMenu"))->actions()[index]->trigger();
        QCOMPARE(m_events, QStringList{QStringLiteral("MenuClick(%1)").arg(index)});
        QCOMPARE(ruler->get(QStringLiteral("Mode")).toLong(), mode);
        QCOMPARE(ruler->adjustValue(), adjust);
        QCOMPARE(ruler->get(QStringLiteral("Mode3Check")).toBool(), false); // the host keeps its marks
    }

    void mouseAndKeysArePassedOn()
    {
        Ruler *ruler = newRuler(QSize(120, 30));
        QTest::mouseClick(ruler, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(ruler, Qt::MiddleButton, {}, QPoint(5, 5));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"));
        QKeyEvent held(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), true);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        for (QKeyEvent *event : {&press, &held, &release})
            QApplication::sendEvent(ruler, event);
        QCOMPARE(m_events, (QStringList{"Click()", "KeyDown(65, 1)", "KeyPress(65)", "KeyUp(65, 0)"}));
    }

    void markerLineIsInvertedAndErased_data()
    {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<float>("first");
        QTest::addColumn<float>("second");
        QTest::addColumn<int>("firstAt"); // pixel of the first line, -1 off the surface
        QTest::addColumn<int>("secondAt");
        QTest::newRow("horizontal") << false << 300.f << 600.f << 20 << 40;
        QTest::newRow("vertical") << true << 300.f << 600.f << 20 << 40;
        QTest::newRow("same place") << false << 300.f << 300.f << 20 << 20;
        QTest::newRow("rounds half to even") << false << 37.5f << 52.5f << 2 << 4;
        // A line at the edge must not stay behind when the marker moves on.
        QTest::newRow("at the edge") << false << 0.f << 300.f << 0 << 20;
        QTest::newRow("outside") << false << -150.f << 300.f << -1 << 20;
    }

    void markerLineIsInvertedAndErased()
    {
        QFETCH(bool, vertical);
        QFETCH(float, first);
        QFETCH(float, second);
        QFETCH(int, firstAt);
        QFETCH(int, secondAt);
        Ruler *ruler = pixelRuler(vertical ? QSize(30, 120) : QSize(120, 30));
        const QImage scale = ruler->surface();
        const int objects = gdi::liveObjectCount();
        Args args{Variant::fromSingle(first)};
        ruler->callByRef(QStringLiteral("MouseMoved"), args);
        QCOMPARE(differences(scale, ruler->surface()), line(vertical, firstAt, scale.size()));
        if (firstAt >= 0) { // inverted, on a tick as well
            const QPoint edge = vertical ? QPoint(29, firstAt) : QPoint(firstAt, 29);
            QCOMPARE(testsupport::at(ruler->surface(), edge.x(), edge.y()),
                     ~testsupport::at(scale, edge.x(), edge.y()) & 0xFFFFFF);
        }
        ruler->call(QStringLiteral("MouseMoved"), {Variant::fromSingle(second)});
        QCOMPARE(differences(scale, ruler->surface()), line(vertical, secondAt, scale.size()));
        QCOMPARE(gdi::liveObjectCount(), objects);
    }

    void clearingForgetsTheMarker()
    {
        Ruler *ruler = pixelRuler(QSize(120, 30));
        const QImage scale = ruler->surface();
        ruler->call(QStringLiteral("MouseMoved"), {Variant::fromSingle(300)});
        ruler->let(QStringLiteral("SmallZoom"), Variant::fromInteger(1));
        QCOMPARE(ruler->surface(), scale);
        ruler->call(QStringLiteral("MouseMoved"), {Variant::fromSingle(600)});
        QCOMPARE(differences(scale, ruler->surface()), line(false, 40, scale.size()));
    }

    void coloursOfTheSurface()
    {
        Ruler *ruler = pixelRuler(QSize(120, 30));
        const QString ticks = profile(ruler->surface(), false);
        // A new back colour wipes the surface; the scale comes back on it.
        ruler->let(QStringLiteral("BackColorR"), Variant::fromColor(0x0000FF));
        QCOMPARE(testsupport::at(ruler->surface(), 5, 5), gdi::rgb(255, 0, 0));
        QCOMPARE(profile(ruler->surface(), false), ticks);
        // The fore colour is for what is drawn next.
        ruler->let(QStringLiteral("ForeColor"), Variant::fromColor(0x00FF00));
        QCOMPARE(profile(ruler->surface(), false), ticks);
        ruler->call(QStringLiteral("Adjust"));
        QCOMPARE(profile(ruler->surface(), false, gdi::rgb(0, 255, 0)), ticks);
    }

    // The test container links only the platform and finds the ruler
    // through the registry.
    void drivenThroughTheTestContainer()
    {
        QTemporaryDir dir;
        const QString bag = dir.filePath(QStringLiteral("ruler.bag"));
        QProcess automate;
        automate.start(testsupport::binaryPath(QStringLiteral("automate")), {});
        automate.write(
            QStringLiteral("create Quiv_Tools.Ruler\nget Orientation\nlet Mode 9\nget #&H68030008\n"
                           "let SmallZoom 70000\nlet AdjInch \"2000\"\nlet Mode 2\ncall Adjust\n"
                           "let Mode3 True\ncall MouseMoved 150\nsave %1\nload Quiv_Tools.Ruler %1\n"
                           "get Mode\nget AdjInch\nget Mode3\nget SmallZoom\n")
                .arg(bag)
                .toUtf8());
        automate.closeWriteChannel();
        QVERIFY(automate.waitForFinished(30000));
        QStringList out = QString::fromUtf8(automate.readAllStandardOutput()).split(QLatin1Char('\n'));
        QVERIFY2(out.size() == 8 && out[2].startsWith(QStringLiteral("error 6:")),
                 qPrintable(out.join(QLatin1Char('|'))));
        out.removeAt(2);
        QCOMPARE(out, (QStringList{"2", "0", "2", "2000", "True", "1", ""}));
        QCOMPARE(PropertyBag::load(bag).keys(), (std::vector<QString>{"AdjInch", "Mode", "Mode3"}));
    }
};

KV_TEST_MAIN(TestRuler)
#include "tst_Ruler.moc"
