#include "controls/display/Hyperlink.h"
#include "controls/foundation/ResData.h"
#include "platform/com/AutomationError.h"
#include "platform/com/ControlHost.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/StdPicture.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/Timer.h"
#include "platform/runtime/Twips.h"
#include "tests/support/Automation.h"
#include "tests/support/HostForm.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeCursorSource.h"
#include "tests/support/fakes/FakeShell.h"
#include "tests/support/fakes/RecordingSound.h"

#include <QMessageBox>
#include <QMouseEvent>

using namespace com;
using ostrevo::Hyperlink;

using testsupport::errorOf;

namespace
{

constexpr uint32_t Link = 0xFF0000, Hover = 0xFFFF80, Active = 255, Visited = 0x800080;

int pixelsIn(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == (colour | 0xFF000000u);
    return count;
}

} // namespace

class TestHyperlink : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;
    QStringList m_events;
    rt::FakeCursorSource *m_cursor = nullptr;
    shell::FakeShell *m_shell = nullptr;
    sound::RecordingSound *m_sound = nullptr;
    size_t m_shellCallsAtClick = 0;

    // Placed at (20, 30) on the form, 150 x 40 pixels, with its poll stopped:
    // the tests run each tick themselves.
    Hyperlink *newLink(const PropertyBag *bag = nullptr, bool userMode = true)
    {
        Control *control = ControlHost::createControl(QStringLiteral("Quiv_Tools.Hyperlink"), m_form.get(),
                                                      QStringLiteral("Link1"), nullptr, bag, userMode);
        testsupport::recordEvents(control, m_events, [this] {
            if (m_events.last() == QStringLiteral("Click()"))
                m_shellCallsAtClick = m_shell->calls.size();
        });
        auto *link = dynamic_cast<Hyperlink *>(control);
        link->pollTimer().setEnabled(false);
        link->setGeometry(20, 30, 150, 40);
        link->show();
        return link;
    }

    void pointAt(Hyperlink *link, QPoint local) { m_cursor->setPosition(link->mapToGlobal(local)); }
    // Straight to the control: the window system drops a move to where the pointer already is.
    static void moveTo(Hyperlink *link, QPoint local)
    {
        QMouseEvent move(QEvent::MouseMove, local, link->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(link, &move);
    }
    static uint32_t colour(Hyperlink *link) { return link->linkLabel().foreColor; }
    static QPoint onLabel(Hyperlink *link) { return link->linkLabel().pixelRect(15, 15).center(); }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        auto cursor = std::make_unique<rt::FakeCursorSource>(QPoint(0, 0));
        m_cursor = cursor.get();
        rt::SystemSources::setCursor(std::move(cursor));
        auto fakeShell = std::make_unique<shell::FakeShell>();
        m_shell = fakeShell.get();
        rt::ServiceSlot<shell::Shell>::install(std::move(fakeShell));
        auto recorder = std::make_unique<sound::RecordingSound>();
        m_sound = recorder.get();
        rt::ServiceSlot<sound::SoundOutput>::install(std::move(recorder));
        m_form.open(QSize(300, 200));
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        m_events.clear();
    }

    void cleanup()
    {
        m_form.reset();
        rt::SystemSources::reset();
        rt::ServiceSlot<shell::Shell>::reset();
        rt::ServiceSlot<sound::SoundOutput>::reset();
    }

    void interface()
    {
        const TypeInfo &info = Hyperlink::staticTypeInfo();
        QCOMPARE(info.members.size(), size_t(23));
        QCOMPARE(info.member(-552)->name, QStringLiteral("ShowAboutBox"));
        QCOMPARE(info.member(-512)->name, QStringLiteral("Font"));
        QCOMPARE(info.member(0x6003001D)->name, QStringLiteral("Refresh"));
        QCOMPARE(info.members.back().name, QStringLiteral("EndPlaySound"));
        QCOMPARE(info.events.size(), size_t(2));
        QCOMPARE(info.events[0].name, QStringLiteral("Hover"));
        QCOMPARE(info.events[1].dispid, 2);
        QCOMPARE(info.enumeration(QStringLiteral("MouSymbol"))->value(QStringLiteral("lHand_NC")), 2);
        QCOMPARE(info.enumeration(QStringLiteral("hMousePointerConst"))->constants.size(), size_t(17));
        QCOMPARE(info.enumeration(QStringLiteral("hMousePointerConst"))->value(QStringLiteral("hMouseIcon")),
                 99);
    }

    void freshLinkPollsEvery50msCentredAndUnchanged()
    {
        Hyperlink *link = newLink();
        link->pollTimer().setEnabled(true);
        QVERIFY(link->pollTimer().isRunning());
        QCOMPARE(link->pollTimer().interval(), 50);
        const double labelHeight = link->linkLabel().height() * 15;
        QCOMPARE(link->linkLabel().top(), 600 / 2 - labelHeight / 2);
        QCOMPARE(link->linkLabel().left(), 10.0);
        QCOMPARE(link->get(QStringLiteral("HoverColor")).toColor(), Hover);
        QCOMPARE(link->get(QStringLiteral("Clicked")).toBool(), false);
    }

    // The window rectangle includes its right and bottom bounds.
    void hoverColourUnderTheCursorAndBack()
    {
        Hyperlink *link = newLink();
        pointAt(link, QPoint(150, 40));
        link->timer_Timer();
        QCOMPARE(colour(link), Hover);
        QCOMPARE(link->linkLabel().toolTip, QStringLiteral("ToolTipText"));
        QVERIFY(pixelsIn(link->composed(), qRgb(0x80, 0xFF, 0xFF)) > 0);
        pointAt(link, QPoint(151, 20));
        link->timer_Timer();
        QCOMPARE(colour(link), Link);
        QCOMPARE(pixelsIn(link->composed(), qRgb(0x80, 0xFF, 0xFF)), 0);
        QVERIFY(pixelsIn(link->composed(), qRgb(0, 0, 0xFF)) > 0);
    }

    void restingCursorChangesNothing()
    {
        Hyperlink *link = newLink();
        pointAt(link, QPoint(5, 5));
        link->timer_Timer();
        link->let(QStringLiteral("HoverColor"), Variant::fromColor(0x00FF00));
        link->timer_Timer();
        QCOMPARE(colour(link), Hover);
        pointAt(link, QPoint(-5, 5));
        link->timer_Timer();
        link->let(QStringLiteral("LinkColor"), Variant::fromColor(0x0000FF));
        link->timer_Timer();
        QCOMPARE(colour(link), Link);
        link->call(QStringLiteral("Refresh"));
        QCOMPARE(colour(link), 0x0000FFu);
    }

    void clickOpensTheAddressAndKeepsTheActiveColour()
    {
        Hyperlink *link = newLink();
        link->let(QStringLiteral("Url"), Variant("https://kalvento.example/hilfe"));
        link->site()->clearChangedProperties();
        QTest::mouseClick(link, Qt::LeftButton, {}, onLabel(link));
        QCOMPARE(m_events, QStringList{QStringLiteral("Click()")});
        QCOMPARE(m_shellCallsAtClick, size_t(0)); // raised before the link opens
        QCOMPARE(m_shell->calls.size(), size_t(1));
        const shell::FakeShell::Call &call = m_shell->calls[0];
        QVERIFY(call.verb.isEmpty());
        QCOMPARE(call.file, QStringLiteral("https://kalvento.example/hilfe"));
        QVERIFY(call.parameters.isEmpty());
        QCOMPARE(call.directory, QStringLiteral("/"));
        QCOMPARE(call.showCommand, 1);
        QCOMPARE(link->get(QStringLiteral("Clicked")).toBool(), true);
        QCOMPARE(link->site()->changedProperties(), QStringList{QStringLiteral("Clicked")});
        QCOMPARE(colour(link), Active);

        pointAt(link, QPoint(3, 3)); // hovering leaves a clicked link alone
        link->timer_Timer();
        QCOMPARE(colour(link), Active);
        link->setFocus();
        link->clearFocus();
        QCOMPARE(colour(link), Visited);
        link->setFocus();
        QCOMPARE(colour(link), Active);

        link->call(QStringLiteral("Refresh"));
        QCOMPARE(colour(link), Link);
        QCOMPARE(link->get(QStringLiteral("Clicked")).toBool(), false);
        pointAt(link, QPoint(4, 4));
        link->timer_Timer();
        QCOMPARE(colour(link), Hover);
    }

    // An address nothing on the machine opens is said in German; an opened
    // one says nothing. Either way the link counts as clicked.
    void addressNothingOpensIsSaid_data()
    {
        QTest::addColumn<int>("shellResult");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("opened") << 42 << QStringList();
        QTest::newRow("no browser") << 2 << QStringList{QStringLiteral("Adresse öffnen")};
    }
    void addressNothingOpensIsSaid()
    {
        QFETCH(int, shellResult);
        QFETCH(QStringList, boxes);
        m_shell->result = shellResult;
        Hyperlink *link = newLink();
        link->let(QStringLiteral("Url"), Variant("https://kalvento.example/hilfe"));
        QStringList seen;
        QString text;
        testsupport::Driver driver;
        driver.on(QStringLiteral("MsgBox"), [&](QWidget *box) {
            seen << box->windowTitle();
            text = qobject_cast<QMessageBox *>(box)->text();
            testsupport::press(box, QMessageBox::Ok);
        });
        QTest::mouseClick(link, Qt::LeftButton, {}, onLabel(link));
        QTest::qWait(50); // a box would have been answered by now
        QCOMPARE(seen, boxes);
        QCOMPARE(driver.unexpected, QStringList());
        if (!boxes.isEmpty())
            QVERIFY2(
                text.startsWith(QStringLiteral("Die Adresse „https://kalvento.example/hilfe“ konnte nicht "
                                               "geöffnet werden.")),
                qPrintable(text));
        QCOMPARE(m_shell->calls.size(), size_t(1));
        QCOMPARE(link->get(QStringLiteral("Clicked")).toBool(), true);
    }

    void mouseOnTheSurfaceAndOverTheLabel()
    {
        Hyperlink *link = newLink();
        const QPoint at = onLabel(link);
        moveTo(link, at);
        const double top = link->linkLabel().top();
        QCOMPARE(
            m_events,
            QStringList{QStringLiteral("Hover(0, 0, %1, %2)").arg(at.x() * 15 - 10).arg(at.y() * 15 - top)});
        m_events.clear();
        // A release on the surface shows the visited colour, clicked or not.
        QTest::mouseClick(link, Qt::RightButton, {}, QPoint(148, 38));
        QCOMPARE(colour(link), Visited);
        QVERIFY(m_events.isEmpty());
        QVERIFY(m_shell->calls.empty());
        // Pressed on the label, released beside it: no click.
        QTest::mousePress(link, Qt::LeftButton, {}, at);
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(148, 38));
        QVERIFY(m_shell->calls.empty());
    }

    void designTimeRefusesClicked()
    {
        Hyperlink *link = newLink(nullptr, false);
        QCOMPARE(errorOf([&] { link->let(QStringLiteral("Clicked"), Variant::fromBool(true)); }), 387);
        QCOMPARE(link->get(QStringLiteral("Clicked")).toBool(), false);
        link->let(QStringLiteral("LinkColor"), Variant::fromColor(0x00FF00));
        QCOMPARE(errorOf([&] { link->call(QStringLiteral("Refresh")); }), 387);
        QCOMPARE(colour(link), 0x00FF00u);
        // A click in the designer must not throw out of the mouse handler.
        QTest::mouseClick(link, Qt::LeftButton, {}, onLabel(link));
        QCOMPARE(link->get(QStringLiteral("Clicked")).toBool(), false);
        // Loading bypasses the let.
        const PropertyBag bag = PropertyBag::fromText(QStringLiteral("Clicked = True\n"));
        QCOMPARE(newLink(&bag, false)->get(QStringLiteral("Clicked")).toBool(), true);
    }

    void mouseSymbols_data()
    {
        QTest::addColumn<int>("symbol");
        QTest::addColumn<int>("pointer");
        QTest::addColumn<int>("icon"); // 0 none, 1 or 2 the hand
        QTest::newRow("first hand") << 1 << 99 << 1;
        QTest::newRow("second hand") << 2 << 99 << 2;
        QTest::newRow("off") << 0 << 1 << 0;
        QTest::newRow("unknown keeps the pointer") << 3 << 5 << 0;
    }

    void mouseSymbols()
    {
        QFETCH(int, symbol);
        QFETCH(int, pointer);
        QFETCH(int, icon);
        Hyperlink *link = newLink();
        link->let(QStringLiteral("MousePointer"), Variant::fromLong(5));
        link->let(QStringLiteral("MouseSymbol"), Variant::fromLong(symbol));
        QCOMPARE(link->get(QStringLiteral("MouseSymbol")).toLong(), symbol);
        QCOMPARE(link->get(QStringLiteral("MousePointer")).toLong(), pointer);
        const auto shown = StdPicture::from(link->get(QStringLiteral("MouseIcon")));
        QCOMPARE(shown, icon ? link->handCursor(icon) : nullptr);
        moveTo(link, onLabel(link));
        QCOMPARE(link->cursor().shape(), icon           ? Qt::BitmapCursor
                                         : pointer == 1 ? Qt::ArrowCursor
                                                        : Qt::SizeAllCursor);
        moveTo(link, QPoint(148, 2));
        QVERIFY(!link->testAttribute(Qt::WA_SetCursor));
    }

    void mousePointerRange()
    {
        Hyperlink *link = newLink();
        QCOMPARE(errorOf([&] { link->let(QStringLiteral("MousePointer"), Variant::fromLong(40000)); }), 6);
        QCOMPARE(errorOf([&] { link->let(QStringLiteral("MousePointer"), Variant::fromLong(50)); }), 380);
        QCOMPARE(link->get(QStringLiteral("MousePointer")).toLong(), 0);
    }

    void captionResizesOnlyWithAutoSize()
    {
        Hyperlink *link = newLink();
        link->let(QStringLiteral("Caption"), Variant("Ein längerer Verweis"));
        const QSize text = link->linkLabel().textSize();
        QCOMPARE(link->size(), QSize(rt::Twips::toPixelsX(text.width() * 15 + 20),
                                     rt::Twips::toPixelsY(text.height() * 15 + 20)));
        link->let(QStringLiteral("AutoSizeH"), Variant::fromBool(false));
        const QSize before = link->size();
        link->let(QStringLiteral("Caption"), Variant("Kurz"));
        QCOMPARE(link->size(), before);
    }

    void sounds()
    {
        Hyperlink *link = newLink();
        link->call(QStringLiteral("PlaySound"), {Variant::fromInteger(999)});
        QVERIFY(m_sound->calls.empty());
        link->call(QStringLiteral("PlaySound"), {Variant::fromInteger(101)});
        QCOMPARE(m_sound->calls.size(), size_t(1));
        QCOMPARE(m_sound->calls[0].kind, sound::RecordingSound::Call::Memory);
        QCOMPARE(m_sound->calls[0].flags, 7u);
        QCOMPARE(m_sound->calls[0].data, ostrevo::LoadResData(Variant::fromInteger(101), Variant("WAVE")));
        link->call(QStringLiteral("EndPlaySound"));
        QCOMPARE(m_sound->calls.size(), size_t(2));
        QVERIFY(m_sound->calls[1].sound.isEmpty());
        QCOMPARE(m_sound->calls[1].flags, 0u);
    }

    // Objects are always written; of the rest only the size, whose write default is 0.
    void freshLinkSavesOnlyObjectsAndSize()
    {
        const PropertyBag saved = ControlHost::saveControl(*newLink());
        QCOMPARE(saved.keys(), (std::vector<QString>{"Font", "FontSize", "Picture", "MouseIcon"}));
    }

    void propertyBagRoundTrip()
    {
        Hyperlink *first = newLink();
        const std::vector<std::pair<QString, Variant>> values = {
            {"FontUnderline", Variant::fromBool(true)},
            {"FontSize", Variant::fromSingle(12)},
            {"Style", Variant::fromInteger(0)},
            {"Url", Variant("mailto:autor@kalvento.example")},
            {"BackColorH", Variant::fromColor(0xFFFFFF)},
            {"LinkColor", Variant::fromColor(0x123456)},
            {"HoverColor", Variant::fromColor(0x00FF00)},
            {"ActiveColor", Variant::fromColor(0x0000FF)},
            {"VisitedColor", Variant::fromColor(0x808080)},
            {"BorderStyle", Variant::fromInteger(1)},
            {"Alignment", Variant::fromInteger(2)},
            {"AutoSizeH", Variant::fromBool(false)},
            {"ToolTipTxt", Variant("Zur Webseite")},
            {"MouseSymbol", Variant::fromLong(2)},
            {"Caption", Variant("Kontakt")}};
        for (const auto &[name, value] : values)
            first->let(name, value);
        const QSize size = first->size();
        pointAt(first, QPoint(2, 2));
        first->timer_Timer();
        const PropertyBag saved = ControlHost::saveControl(*first);
        // The label's colour of the moment is written but never read back.
        QCOMPARE(saved.readProperty(QStringLiteral("ForeColor"), Variant()).toColor(), 0x00FF00u);
        Hyperlink *second = newLink(&saved);
        for (const auto &[name, value] : values)
            QVERIFY2(second->get(name).equals(value), qPrintable(name));
        QCOMPARE(colour(second), 0x123456u); // the link colour at once
        QCOMPARE(second->get(QStringLiteral("MousePointer")).toLong(), 99);
        QVERIFY(second->get(QStringLiteral("MouseIcon")).objectRef());
        QCOMPARE(second->size(), size);
    }

    void loadingNeitherResizesNorLacksASize()
    {
        const PropertyBag bag =
            PropertyBag::fromText(QStringLiteral("Caption = \"Ein sehr langer Verweistext\"\n"));
        Hyperlink *link = newLink(&bag);
        QCOMPARE(link->get(QStringLiteral("FontSize")).toSingle(), 8.25f);
        QCOMPARE(link->get(QStringLiteral("AutoSizeH")).toBool(), true);
        QCOMPARE(link->size(), QSize(150, 40));
        QCOMPARE(link->get(QStringLiteral("HoverColor")).toColor(), Hover);
        QVERIFY(link->linkLabel().toolTip.isEmpty()); // until the first hover
    }
};

KV_TEST_MAIN(TestHyperlink)
#include "tst_Hyperlink.moc"
