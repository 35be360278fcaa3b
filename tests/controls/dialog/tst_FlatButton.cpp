#include "controls/dialog/AppKeyState.h"
#include "controls/dialog/EventCallback.h"
#include "controls/dialog/FlatButton.h"
#include "platform/com/AutomationError.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/runtime/SystemSources.h"
#include "tests/support/Canvas.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeCursorSource.h"

#include <QPointer>
#include <QStringList>

using namespace ostrevo;

namespace
{

constexpr int W = 82;
constexpr int H = 22;
constexpr gdi::ColorRef Face = 0xCCFFFF;

} // namespace

class TestFlatButton : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QWidget> m_host;
    rt::FakeCursorSource *m_cursor = nullptr;
    QStringList m_events;
    std::unique_ptr<EventCallback> m_sink;

    // A button at screen (110, 110) on a shown host, its events recorded.
    FlatButton *newButton(const QString &caption = QStringLiteral("OK"))
    {
        auto *button = new FlatButton(m_host.get());
        button->setGeometry(10, 10, W, H);
        button->letBackColor(static_cast<int32_t>(Face));
        button->letCaption(caption);
        button->setEventSink(m_sink.get());
        button->show();
        return button;
    }

    void pointAt(int x, int y) { m_cursor->setPosition(QPoint(x, y)); }

private slots:
    void init()
    {
        m_host = std::make_unique<QWidget>();
        m_host->setGeometry(100, 100, 200, 100);
        m_host->show();
        auto cursor = std::make_unique<rt::FakeCursorSource>(QPoint(0, 0));
        m_cursor = cursor.get();
        rt::SystemSources::setCursor(std::move(cursor));
        m_events.clear();
        m_sink = std::make_unique<EventCallback>([this](const QString &name, com::Args &args) {
            if (name == QLatin1String("KeyDown") || name == QLatin1String("KeyUp") ||
                name == QLatin1String("KeyPress"))
                m_events << QStringLiteral("%1 %2").arg(name).arg(args.at(0).toInteger());
            else if (name.startsWith(QLatin1String("Mouse")))
                m_events << QStringLiteral("%1 %2").arg(name).arg(args.at(0).toInteger());
            else
                m_events << name;
        });
    }

    void cleanup()
    {
        m_host.reset();
        rt::SystemSources::reset();
        AppKeyState::instance().releaseAll();
    }

    void captionAndAccessKey_data()
    {
        QTest::addColumn<QString>("assigned");
        QTest::addColumn<bool>("mnemonic");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("key");
        QTest::newRow("second pair") << "A&B&C" << true << "AB&C" << int('C');
        QTest::newRow("three in a row keep the second") << "&&&A" << true << "&A" << int('A');
        QTest::newRow("doubled") << "A&&B" << true << "A&B" << int('B');
        QTest::newRow("lower case key") << "&ja" << true << "&ja" << int('J');
        QTest::newRow("no ampersand") << "OK" << true << "OK" << 0;
        QTest::newRow("mnemonic off") << "A&B&C" << false << "A&B&C" << 0;
        // These raised error 5; now the "&" is text and there is no key.
        QTest::newRow("trailing") << "A&" << true << "A&" << 0;
        QTest::newRow("trailing after pair") << "A&&" << true << "A&" << 0;
        QTest::newRow("four") << "&&&&" << true << "&&" << 0;
    }

    void captionAndAccessKey()
    {
        QFETCH(QString, assigned);
        QFETCH(bool, mnemonic);
        QFETCH(QString, stored);
        QFETCH(int, key);
        FlatButton *button = newButton(QString());
        button->letUseMnemonic(mnemonic);
        button->letCaption(assigned);
        QCOMPARE(button->caption(), stored);
        QCOMPARE(button->accessKey(), key);
        QCOMPARE(button->get(QStringLiteral("Caption")).toString(), stored);
    }

    void captionIsCentredWithoutAmpersands()
    {
        FlatButton *plain = newButton(QStringLiteral("Ja"));
        FlatButton *marked = newButton(QString());
        marked->letUseMnemonic(false);
        marked->letCaption(QStringLiteral("&Ja"));
        QCOMPARE(marked->textPosition(), plain->textPosition());
        QVERIFY(plain->textPosition().x() > 0);
    }

    void looks_data()
    {
        QTest::addColumn<int>("state"); // 0 rest, 1 hover, 2 pressed
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<uint>("colour");
        const uint grey = gdi::rgb(0xC0, 0xC0, 0xC0);
        const uint light = 0xD6E7E7, dark = 0x868686, white = 0xFFFFFF;
        QTest::newRow("rest corner stays face") << 0 << 0 << 0 << uint(Face);
        QTest::newRow("rest top line") << 0 << 2 << 0 << grey;
        QTest::newRow("rest top line ends before the corner") << 0 << W - 2 << 0 << uint(Face);
        QTest::newRow("rest left line") << 0 << 0 << 2 << grey;
        QTest::newRow("rest rounded corner pixel") << 0 << 1 << 1 << grey;
        QTest::newRow("rest inner vertical is face") << 0 << 1 << 2 << uint(Face);
        QTest::newRow("rest bottom line") << 0 << 2 << H - 1 << grey;
        QTest::newRow("rest right line") << 0 << W - 1 << 2 << grey;
        QTest::newRow("hover outer top") << 1 << 2 << 0 << light;
        QTest::newRow("hover outer bottom") << 1 << 2 << H - 1 << dark;
        QTest::newRow("hover outer right") << 1 << W - 1 << 2 << dark;
        QTest::newRow("hover inner top") << 1 << 2 << 1 << white;
        QTest::newRow("hover inner left") << 1 << 1 << 2 << white;
        QTest::newRow("hover inner bottom") << 1 << 2 << H - 2 << uint(Face);
        QTest::newRow("pressed outer top") << 2 << 2 << 0 << dark;
        QTest::newRow("pressed outer bottom") << 2 << 2 << H - 1 << light;
        QTest::newRow("pressed inner top") << 2 << 2 << 1 << uint(Face);
        QTest::newRow("pressed inner bottom") << 2 << 2 << H - 2 << white;
    }

    void looks()
    {
        QFETCH(int, state);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(uint, colour);
        FlatButton *button = newButton(QString());
        if (state >= 1) {
            pointAt(130, 120);
            button->tmrEvents_Timer();
            QVERIFY(button->isHover());
        }
        if (state == 2)
            QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 10));
        QCOMPARE(testsupport::at(button->surface(), x, y), gdi::ColorRef(colour));
    }

    void pointerOnTheTopLeftEdgeIsOutside()
    {
        FlatButton *button = newButton();
        pointAt(110, 120); // the button's left edge
        button->tmrEvents_Timer();
        QVERIFY(!button->isHover());
        pointAt(111, 111);
        button->tmrEvents_Timer();
        QVERIFY(button->isHover());
        pointAt(110 + W, 120);
        button->tmrEvents_Timer();
        QVERIFY(!button->isHover());
    }

    void clickOrder()
    {
        FlatButton *button = newButton();
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, 10));
        QCOMPARE(m_events, QStringList({"MouseDown 1", "MouseUp 1", "Click"}));
    }

    void releaseOutsideGivesNoClick()
    {
        FlatButton *button = newButton();
        pointAt(130, 120);
        button->tmrEvents_Timer();
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 10));
        pointAt(10, 10);
        button->tmrEvents_Timer();
        QVERIFY(!button->isPressed());
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(20, 10));
        QCOMPARE(m_events, QStringList({"MouseDown 1", "MouseUp 1"}));
    }

    void enterOnTheFocusedButton()
    {
        FlatButton *button = newButton();
        QTest::keyPress(button, Qt::Key_Return);
        QTest::keyRelease(button, Qt::Key_Return);
        QCOMPARE(m_events,
                 QStringList({"MouseDown 1", "KeyDown 13", "KeyPress 13", "MouseUp 1", "Click", "KeyUp 13"}));
    }

    void enterUpWithoutItsDownDoesNotChoose()
    {
        FlatButton *button = newButton();
        QTest::keyRelease(button, Qt::Key_Return);
        QCOMPARE(m_events, QStringList({"KeyUp 13"}));
    }

    void defaultButtonActsOncePerPress()
    {
        FlatButton *button = newButton();
        button->letDefault(true);
        QTest::keyPress(m_host.get(), Qt::Key_Return);
        button->tmrEvents_Timer();
        QCOMPARE(m_events, QStringList({"MouseDown 1", "MouseUp 1", "Click"}));
        // Still held: no second activation.
        button->tmrEvents_Timer();
        button->tmrEvents_Timer();
        QCOMPARE(m_events.size(), 3);
        QTest::keyRelease(m_host.get(), Qt::Key_Return);
        QTest::keyPress(m_host.get(), Qt::Key_Return);
        button->tmrEvents_Timer();
        QCOMPARE(m_events.size(), 6);
        QTest::keyRelease(m_host.get(), Qt::Key_Return);
    }

    void keyHeldBeforeTheButtonCameIsNotAPress()
    {
        QTest::keyPress(m_host.get(), Qt::Key_Return);
        FlatButton *button = newButton();
        button->letDefault(true);
        button->tmrEvents_Timer();
        QVERIFY(m_events.isEmpty());
        QTest::keyRelease(m_host.get(), Qt::Key_Return);
    }

    void cancelAndAccessKeys_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("activates");
        QTest::newRow("escape on cancel") << true << int(Qt::Key_Escape) << 0 << true;
        QTest::newRow("escape without cancel") << false << int(Qt::Key_Escape) << 0 << false;
        QTest::newRow("alt with the access key") << false << int(Qt::Key_N) << int(Qt::AltModifier) << true;
        QTest::newRow("access key without alt") << false << int(Qt::Key_N) << 0 << false;
        QTest::newRow("alt with another key") << false << int(Qt::Key_J) << int(Qt::AltModifier) << false;
    }

    void cancelAndAccessKeys()
    {
        QFETCH(bool, cancel);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, activates);
        FlatButton *button = newButton(QStringLiteral("&Nein"));
        button->letCancel(cancel);
        QTest::keyPress(m_host.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        button->tmrEvents_Timer();
        button->tmrEvents_Timer();
        QCOMPARE(m_events.count(QStringLiteral("Click")), activates ? 1 : 0);
        QTest::keyRelease(m_host.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    }

    void focusRectangle()
    {
        FlatButton *button = newButton();
        const QImage plain = button->surface().copy();
        QVERIFY(!button->focusRect());
        button->call(QStringLiteral("sFocus"));
        QVERIFY(button->get(QStringLiteral("BackFocus")).toBool());
        QVERIFY(button->surface() != plain);
        QCOMPARE(button->surface().pixel(1, 1), plain.pixel(1, 1)); // drawn one pixel further in
        // Not-XOR: a second rectangle takes the first away.
        button->sFocus();
        QCOMPARE(button->surface(), plain);
    }

    void noFocusRectangleWhileTheMouseIsDown()
    {
        FlatButton *button = newButton();
        button->letFocusRect(true);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 10));
        const QImage pressed = button->surface().copy();
        button->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(button->surface(), pressed);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(20, 10));
    }

    void persistedDefaults()
    {
        FlatButton *button = newButton();
        QCOMPARE(button->get(QStringLiteral("TextColor")).toLong(), static_cast<int32_t>(0x80000012));
        QCOMPARE(button->get(QStringLiteral("UseMnemonic")).toBool(), true);
        QCOMPARE(FlatButton::staticTypeInfo().member(0x6803000B)->name, QStringLiteral("Caption"));
        QCOMPARE(FlatButton::staticTypeInfo().member(0x68030000)->name, QStringLiteral("BackFocus"));
    }
};

KV_TEST_MAIN(TestFlatButton)
#include "tst_FlatButton.moc"
