#include "controls/button/Button.h"
#include "controls/button/ButtonShades.h"
#include "platform/com/ControlHost.h"
#include "platform/com/ControlSite.h"
#include "platform/com/EventHandlers.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/StdPicture.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/Timer.h"
#include "platform/sound/SoundFlags.h"
#include "tests/support/Automation.h"
#include "tests/support/Canvas.h"
#include "tests/support/HostForm.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeCursorSource.h"
#include "tests/support/fakes/RecordingSound.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace com;
using ostrevo::Button;
using ostrevo::ButtonShades;

namespace
{

constexpr int32_t ValueId = 0x68030004;

std::shared_ptr<StdPicture> pictureOf(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(qRgb(10, 20, 30));
    return std::make_shared<StdPicture>(gdi::Picture(image));
}

void sendMouse(QWidget *widget, QEvent::Type type, Qt::MouseButton button, QPoint at = QPoint(10, 10))
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button,
                      type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void click(QWidget *widget, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonPress, button);
    sendMouse(widget, QEvent::MouseButtonRelease, button);
}

void key(QWidget *widget, QEvent::Type type, int qtKey, bool autoRepeat = false)
{
    const QString text = qtKey == Qt::Key_Return ? QStringLiteral("\r") : QString();
    QKeyEvent event(type, qtKey, Qt::NoModifier, text, autoRepeat);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestButton : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;
    EventHandlers m_handlers;
    QStringList m_events;
    rt::FakeCursorSource *m_cursor = nullptr;
    sound::RecordingSound *m_sound = nullptr;

    // 120 x 40 pixels at (10, 10), its timers stopped: tests tick them.
    Button *newButton(const PropertyBag *bag = nullptr)
    {
        Control *control = testsupport::createRecorded(QStringLiteral("Quiv_Tools.Button"), m_form.get(),
                                                       QStringLiteral("xpCheck1"), m_events, QSize(), bag);
        auto *button = dynamic_cast<Button *>(control);
        button->pollTimer().setEnabled(false);
        button->setGeometry(10, 10, 120, 40);
        button->show();
        m_events.clear();
        return button;
    }

    void pointAt(Button *button, QPoint local) { m_cursor->setPosition(button->mapToGlobal(local)); }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        auto cursor = std::make_unique<rt::FakeCursorSource>(QPoint(-500, -500));
        m_cursor = cursor.get();
        rt::SystemSources::setCursor(std::move(cursor));
        auto recorder = std::make_unique<sound::RecordingSound>();
        m_sound = recorder.get();
        rt::ServiceSlot<sound::SoundOutput>::install(std::move(recorder));
        m_form.open(QSize(400, 300));
        m_events.clear();
    }

    void cleanup()
    {
        m_form.reset();
        rt::SystemSources::reset();
        rt::ServiceSlot<sound::SoundOutput>::reset();
    }

    // Each channel moved and clamped; the colour reads &H00BBGGRR.
    void calcShades_data()
    {
        QTest::addColumn<int>("face");
        QTest::addColumn<QList<int>>("shades"); // dark, light, top, over, down, bottom
        QTest::newRow("white") << 0xFFFFFF
                               << QList<int>{0x9B9B9B, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xF0F0F0, 0xE1E1E1};
        QTest::newRow("black") << 0x000000
                               << QList<int>{0x000000, 0x282828, 0x282828, 0x0A0A0A, 0x000000, 0x000000};
        QTest::newRow("mixed") << 0x10A0F0
                               << QList<int>{0x00003C8C, 0x38C8FF, 0x38C8FF, 0x1AAAFA, 0x0191E1, 0x0082D2};
    }
    void calcShades()
    {
        QFETCH(int, face);
        QFETCH(QList<int>, shades);
        const ButtonShades s = ButtonShades::from(face);
        QCOMPARE(s.faceRGB, face);
        QCOMPARE(
            (QList<int>{s.shadeDark, s.shadeLight, s.gradientTop, s.faceOver, s.faceDown, s.gradientBottom}),
            shades);
    }

    // The XP-flat face is fixed, the shades still come from ButtonColor.
    void xpFlatFace()
    {
        Button *button = newButton();
        button->let(QStringLiteral("BorderStyle"), Variant::fromLong(7));
        button->let(QStringLiteral("ButtonColor"), Variant::fromColor(0xFFFFFF));
        QCOMPARE(button->faceBackColor(), 0xF1FCFEu);
        QCOMPARE(button->shades().shadeDark, 0x9B9B9B);
        QCOMPARE(button->shades().faceDown, 0xF0F0F0);
    }

    void newlyPlaced()
    {
        Button *button = newButton();
        QCOMPARE(button->get(QStringLiteral("ButtonShow")).toLong(), 21);
        QCOMPARE(button->get(QStringLiteral("Caption")).toString(), QStringLiteral("Caption"));
        QCOMPARE(button->get(QStringLiteral("TextAlignment")).toLong(), 2);
        QCOMPARE(button->get(QStringLiteral("BorderStyle")).toLong(), 2);
        QCOMPARE(button->get(QStringLiteral("Gradient")).toBool(), true);
        QCOMPARE(button->get(QStringLiteral("ButtonColor")).toColor(), 0x8000000Fu);
        QCOMPARE(button->get(QStringLiteral("BackColorB")).toColor(), 0x8000000Fu);
        QCOMPARE(button->get(QStringLiteral("ToolTipText")).toString(), QStringLiteral("Quick-Info"));
        QCOMPARE(button->get(QStringLiteral("FontShadowColor")).toColor(), 0xFFFFFFu);
        QCOMPARE(button->get(QStringLiteral("EnabledB")).toBool(), true);
        QCOMPARE(button->iconGroup(), 21);
        QCOMPARE(button->iconPixels(), 16);
        Args none;
        QCOMPARE(button->invoke(ValueId, Get, none).toBool(), false);
    }

    // Clicks on one button: each step "L", "R" or "M" is a press and release.
    void eventOrder_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<bool>("value");
        QTest::addColumn<int>("switched");
        QTest::newRow("button") << 0 << QStringLiteral("L")
                                << QStringList{QStringLiteral("MouseDown"), QStringLiteral("Click"),
                                               QStringLiteral("MouseUp")}
                                << true << 1;
        QTest::newRow("switch left on")
            << 1 << QStringLiteral("L") << QStringList{QStringLiteral("MouseDown"), QStringLiteral("Click")}
            << true << 1;
        QTest::newRow("switch right on")
            << 1 << QStringLiteral("R") << QStringList{QStringLiteral("MouseDown"), QStringLiteral("Click")}
            << true << 2;
        QTest::newRow("switch middle on")
            << 1 << QStringLiteral("M") << QStringList{QStringLiteral("MouseDown"), QStringLiteral("Click")}
            << true << 0;
        QTest::newRow("switch right on and off")
            << 1 << QStringLiteral("RR")
            << QStringList{QStringLiteral("MouseDown"), QStringLiteral("Click"), QStringLiteral("MouseDown"),
                           QStringLiteral("Click"), QStringLiteral("MouseUp")}
            << false << 0;
        QTest::newRow("switch left then right keeps the latching button")
            << 1 << QStringLiteral("LRL")
            << QStringList{QStringLiteral("MouseDown"), QStringLiteral("Click"),
                           QStringLiteral("MouseDown"), QStringLiteral("Click"),
                           QStringLiteral("MouseUp"),   QStringLiteral("MouseDown"),
                           QStringLiteral("Click")}
            << true << 1;
        QTest::newRow("group twice") << 2 << QStringLiteral("LL")
                                     << QStringList{QStringLiteral("Group"), QStringLiteral("MouseDown"),
                                                    QStringLiteral("Click"), QStringLiteral("MouseDown")}
                                     << true << 1;
        QTest::newRow("group right") << 2 << QStringLiteral("R")
                                     << QStringList{QStringLiteral("Group"), QStringLiteral("MouseDown"),
                                                    QStringLiteral("Click")}
                                     << true << 2;
    }
    void eventOrder()
    {
        QFETCH(int, mode);
        QFETCH(QString, clicks);
        QFETCH(QStringList, events);
        QFETCH(bool, value);
        QFETCH(int, switched);
        Button *button = newButton();
        button->let(QStringLiteral("OptionMode"), Variant::fromLong(mode));
        m_events.clear();
        for (QChar c : clicks)
            click(button, c == QLatin1Char('L')   ? Qt::LeftButton
                          : c == QLatin1Char('R') ? Qt::RightButton
                                                  : Qt::MiddleButton);
        QStringList names;
        for (const QString &event : m_events)
            names << event.section(QLatin1Char('('), 0, 0);
        QCOMPARE(names, events);
        QCOMPARE(button->get(QStringLiteral("Value")).toBool(), value);
        QCOMPARE(button->get(QStringLiteral("Switched")).toLong(), switched);
    }

    // The mouse arguments are the face's own, passed on as they came.
    void mouseArguments()
    {
        Button *button = newButton();
        sendMouse(button, QEvent::MouseButtonPress, Qt::RightButton, QPoint(3, 4));
        QCOMPARE(m_events, QStringList{QStringLiteral("MouseDown(2, 0, 2, 3)")});
    }

    // A host that unlatches the other members on Group.
    void groupCoordinatedByHost()
    {
        Button *first = newButton();
        Button *second = newButton();
        first->let(QStringLiteral("OptionMode"), Variant::fromLong(2));
        second->let(QStringLiteral("OptionMode"), Variant::fromLong(2));
        first->let(QStringLiteral("Value"), Variant::fromBool(true));
        QVERIFY(first->isLatched());
        click(second);
        first->let(QStringLiteral("Value"), Variant::fromBool(false));
        QVERIFY(!first->isLatched());
        QVERIFY(second->isLatched());
        QCOMPARE(first->get(QStringLiteral("Switched")).toLong(), 0);
        QVERIFY(first->pollTimer().isEnabled());
        QVERIFY(!second->pollTimer().isEnabled());
    }

    void valueLet_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("lets"); // how many times Value = True
        QTest::addColumn<bool>("latched");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("button only stores") << 0 << true << 1 << false << QStringList{};
        QTest::newRow("disabled only stores") << 1 << false << 1 << false << QStringList{};
        QTest::newRow("switch latches once") << 1 << true << 2 << true << QStringList{};
        QTest::newRow("group raises Group once")
            << 2 << true << 2 << true << QStringList{QStringLiteral("Group()")};
    }
    void valueLet()
    {
        QFETCH(int, mode);
        QFETCH(bool, enabled);
        QFETCH(int, lets);
        QFETCH(bool, latched);
        QFETCH(QStringList, events);
        Button *button = newButton();
        button->let(QStringLiteral("OptionMode"), Variant::fromLong(mode));
        button->let(QStringLiteral("EnabledB"), Variant::fromBool(enabled));
        button->site()->clearChangedProperties();
        m_events.clear();
        for (int i = 0; i < lets; ++i)
            button->let(QStringLiteral("Value"), Variant::fromBool(true));
        QCOMPARE(button->get(QStringLiteral("Value")).toBool(), true);
        QCOMPARE(button->isLatched(), latched);
        QCOMPARE(m_events, events);
        QCOMPARE(button->site()->changedProperties().count(QStringLiteral("Value")), lets);
        // Enabling later does not latch a stored value.
        button->let(QStringLiteral("EnabledB"), Variant::fromBool(true));
        QCOMPARE(button->isLatched(), latched);
    }

    void valueFalseWhileNotLatchedOnlyStores()
    {
        Button *button = newButton();
        button->let(QStringLiteral("OptionMode"), Variant::fromLong(1));
        button->let(QStringLiteral("Value"), Variant::fromBool(false));
        QVERIFY(!button->isLatched());
        QCOMPARE(button->frameState(), int16_t(1));
    }

    // A host's MouseDown handler that sets Value: the press latches by itself.
    void valueFromMouseDownOnlyStores()
    {
        Button *button = newButton();
        button->let(QStringLiteral("OptionMode"), Variant::fromLong(2));
        int groups = 0;
        button->site()->setEventObserver([&groups, button](const EventInfo &event, Args &) {
            if (event.name == QLatin1String("Group"))
                ++groups;
            if (event.name == QLatin1String("MouseDown"))
                button->let(QStringLiteral("Value"), Variant::fromBool(true));
        });
        sendMouse(button, QEvent::MouseButtonPress, Qt::LeftButton);
        QCOMPARE(groups, 1);
        QVERIFY(button->isLatched());
    }

    void minimumSize_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QSize>("start");
        QTest::addColumn<bool>("large");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("icon only grows to icon + 2") << 0 << QSize(20, 10) << true << QSize(34, 34);
        QTest::newRow("exactly wide enough stays") << 0 << QSize(34, 10) << true << QSize(34, 34);
        QTest::newRow("arrow as icon only") << 1 << QSize(5, 5) << false << QSize(18, 18);
    }
    void minimumSize()
    {
        QFETCH(int, alignment);
        QFETCH(QSize, start);
        QFETCH(bool, large);
        QFETCH(QSize, expected);
        Button *button = newButton();
        button->let(QStringLiteral("ButtonShow"), Variant::fromLong(5));
        button->let(QStringLiteral("IconSize"), Variant::fromBool(large));
        button->let(QStringLiteral("TextAlignment"), Variant::fromLong(alignment));
        button->resize(start);
        QCOMPARE(button->size(), expected);
    }

    // Below the caption the height is tested against 3 and grown by 13.
    void minimumSizeBottomCaption()
    {
        Button *button = newButton();
        button->let(QStringLiteral("ButtonShow"), Variant::fromLong(5));
        button->let(QStringLiteral("IconSize"), Variant::fromBool(true));
        button->let(QStringLiteral("TextAlignment"), Variant::fromLong(3));
        const int lh = button->captionLabel().textSize().height();
        const int lw = button->captionLabel().textSize().width();
        button->resize(10, 32 + lh + 2);
        QCOMPARE(button->height(), 32 + lh + 13);
        QCOMPARE(button->width(), lw + 2);
        button->resize(lw + 2, 32 + lh + 3);
        QCOMPARE(button->height(), 32 + lh + 3);
    }

    void minimumSizeCaptionRight()
    {
        Button *button = newButton();
        const int lw = button->captionLabel().textSize().width();
        button->resize(10, 5);
        QCOMPARE(button->size(), QSize(lw + 16 + 3, 18));
        // Without a visible icon only the caption counts.
        button->let(QStringLiteral("ButtonShow"), Variant::fromLong(51));
        button->resize(5, 5);
        QCOMPARE(button->size(), QSize(lw + 2, button->captionLabel().textSize().height() + 2));
    }

    // "&" marks the access key: the caption shows it underlined, and the
    // button grows to the shown text only.
    void captionShowsItsAccessKey()
    {
        const QString shown = QStringLiteral("Datum zur Sicherung hinzufügen");
        Button *marked = newButton();
        Button *plain = newButton();
        for (Button *button : {marked, plain}) {
            button->let(QStringLiteral("ButtonShow"), Variant::fromLong(51));
            button->let(QStringLiteral("Font3D"), Variant::fromLong(4)); // the relief right under the caption
        }
        marked->let(QStringLiteral("Caption"), Variant(QLatin1Char('&') + shown));
        plain->let(QStringLiteral("Caption"), Variant(shown));
        marked->resize(5, 5);
        plain->resize(5, 5);
        QCOMPARE(marked->get(QStringLiteral("Caption")).toString(), QLatin1Char('&') + shown);
        QCOMPARE(marked->captionLabel().textSize(), plain->captionLabel().textSize());
        QCOMPARE(marked->size(), plain->size());
        QCOMPARE(marked->width(), plain->captionLabel().textSize().width() + 2);

        const QPoint origin = marked->faceRect().topLeft() + marked->captionLabel().pixelRect().topLeft();
        QImage expected = plain->composed();
        QPainter(&expected).fillRect(
            testsupport::accessKeyUnderline(marked->captionLabel().font->toQFont(), shown, 0, origin),
            Qt::black);
        QCOMPARE(marked->composed(), expected);
    }

    void layoutPlacesCaptionAndIcon()
    {
        Button *button = newButton();
        button->resize(120, 40);
        const QRect face = button->faceRect();
        QCOMPARE(face, QRect(1, 1, 118, 38));
        const QSize text = button->captionLabel().textSize();
        // The caption starts where the centred icon ends; the relief lies up left.
        QCOMPARE(button->iconRect().topLeft(),
                 QPoint(int(std::nearbyint(59 - (8 + text.width() / 2.0))), 11));
        QCOMPARE(button->captionLabel().left(), 59 + 8 - text.width() / 2.0);
        QCOMPARE(button->reliefLabel().left(), button->captionLabel().left() - 1);
        QCOMPARE(button->reliefLabel().top(), button->captionLabel().top() - 1);
        // BorderStyle 0: the icon at the face's left edge, the face the whole control.
        button->let(QStringLiteral("BorderStyle"), Variant::fromLong(0));
        QCOMPARE(button->faceRect(), QRect(0, 0, 120, 40));
        QCOMPARE(button->iconRect().left(), 0);
        button->let(QStringLiteral("BorderStyle"), Variant::fromLong(5));
        QCOMPARE(button->faceRect(), QRect(2, 3, 116, 34));
    }

    // The relief copy's offset: (at rest, hovered).
    void relief_data()
    {
        QTest::addColumn<int>("font3D");
        QTest::addColumn<int>("rest");
        QTest::addColumn<int>("hovered");
        QTest::newRow("pTop") << 0 << -1 << -1;
        QTest::newRow("pTopOver") << 1 << 0 << -1;
        QTest::newRow("pDown") << 2 << 1 << 1;
        QTest::newRow("pDownOver") << 3 << 0 << 1;
        QTest::newRow("pStandard") << 4 << 0 << 0;
        QTest::newRow("out of range") << 9 << 0 << 0;
    }
    void relief()
    {
        QFETCH(int, font3D);
        QFETCH(int, rest);
        QFETCH(int, hovered);
        Button *button = newButton();
        button->let(QStringLiteral("Font3D"), Variant::fromLong(font3D));
        auto offset = [button] {
            return QPointF(button->reliefLabel().left() - button->captionLabel().left(),
                           button->reliefLabel().top() - button->captionLabel().top());
        };
        QCOMPARE(offset(), QPointF(rest, rest));
        pointAt(button, QPoint(5, 5));
        button->timer_Timer();
        QCOMPARE(offset(), QPointF(hovered, hovered));
        // Disabled by its host: below right whatever the look.
        button->setEnabled(false);
        button->let(QStringLiteral("Font3D"), Variant::fromLong(font3D));
        QCOMPARE(offset(), QPointF(1, 1));
    }

    // Pressing moves the caption one pixel down right, except for some looks and state pictures.
    void pressedShift_data()
    {
        QTest::addColumn<int>("show");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("shift");
        QTest::newRow("ok flat") << 21 << 2 << 1;
        QTest::newRow("led red") << 43 << 2 << 0;
        QTest::newRow("led yellow") << 45 << 2 << 1;
        QTest::newRow("xp style") << 21 << 5 << 0;
        QTest::newRow("xp flat") << 21 << 7 << 0;
    }
    void pressedShift()
    {
        QFETCH(int, show);
        QFETCH(int, style);
        QFETCH(int, shift);
        Button *button = newButton();
        button->let(QStringLiteral("ButtonShow"), Variant::fromLong(show));
        button->let(QStringLiteral("BorderStyle"), Variant::fromLong(style));
        const double left = button->captionLabel().left();
        sendMouse(button, QEvent::MouseButtonPress, Qt::LeftButton);
        QCOMPARE(button->captionLabel().left(), left + shift);
    }

    // The stock icon per state: up by a value's own group, over + 100, down + 200.
    void iconIds_data()
    {
        QTest::addColumn<int>("show");
        QTest::addColumn<bool>("large");
        QTest::addColumn<Qt::MouseButton>("latchBy");
        QTest::addColumn<QList<int>>("groups"); // up, over, down
        QTest::addColumn<int>("pixels");
        QTest::newRow("ok") << 21 << false << Qt::LeftButton << QList<int>{21, 121, 221} << 16;
        QTest::newRow("ok large") << 21 << true << Qt::LeftButton << QList<int>{21, 121, 221} << 32;
        QTest::newRow("clock large") << 40 << true << Qt::LeftButton << QList<int>{40, 140, 240} << 32;
        QTest::newRow("x stays small") << 41 << true << Qt::LeftButton << QList<int>{41, 141, 241} << 16;
        QTest::newRow("report stays small") << 50 << true << Qt::LeftButton << QList<int>{50, 150, 250} << 16;
        QTest::newRow("check box left") << 42 << false << Qt::LeftButton << QList<int>{42, 42, 142} << 14;
        QTest::newRow("check box right") << 42 << true << Qt::RightButton << QList<int>{42, 42, 242} << 14;
        QTest::newRow("led") << 44 << false << Qt::LeftButton << QList<int>{44, 44, 244} << 11;
    }
    void iconIds()
    {
        QFETCH(int, show);
        QFETCH(bool, large);
        QFETCH(Qt::MouseButton, latchBy);
        QFETCH(QList<int>, groups);
        QFETCH(int, pixels);
        Button *button = newButton();
        button->let(QStringLiteral("OptionMode"), Variant::fromLong(1));
        button->let(QStringLiteral("ButtonShow"), Variant::fromLong(show));
        button->let(QStringLiteral("IconSize"), Variant::fromBool(large));
        QCOMPARE(button->iconGroup(), groups[0]);
        QCOMPARE(button->iconPixels(), pixels);
        pointAt(button, QPoint(5, 5));
        button->timer_Timer();
        QCOMPARE(button->iconGroup(), groups[1]);
        sendMouse(button, QEvent::MouseButtonPress, latchBy);
        QCOMPARE(button->iconGroup(), groups[2]);
        QCOMPARE(button->iconRect().size(), QSize(pixels, pixels));
    }

    // The looks without a frame at rest keep their icon when its size changes.
    void iconSizeOnFramelessLooks_data()
    {
        QTest::addColumn<int>("style");
        QTest::newRow("cool") << 1;
        QTest::newRow("xp cool") << 6;
    }
    void iconSizeOnFramelessLooks()
    {
        QFETCH(int, style);
        Button *button = newButton();
        button->let(QStringLiteral("BorderStyle"), Variant::fromLong(style));
        QCOMPARE(button->frameState(), int16_t(0));
        button->let(QStringLiteral("IconSize"), Variant::fromBool(true));
        QCOMPARE(button->iconGroup(), 21);
        QCOMPARE(button->iconRect().size(), QSize(32, 32));
        button->let(QStringLiteral("ButtonShow"), Variant::fromLong(0));
        button->set(QStringLiteral("PictureUp"), Variant::fromObject(pictureOf(20, 12)));
        QCOMPARE(button->iconRect().size(), QSize(20, 12));
    }

    void pOffHidesIcon()
    {
        Button *button = newButton();
        button->let(QStringLiteral("ButtonShow"), Variant::fromLong(51));
        QVERIFY(!button->iconVisible());
        sendMouse(button, QEvent::MouseButtonPress, Qt::LeftButton);
        QVERIFY(!button->iconVisible());
    }

    void ownPictures()
    {
        Button *button = newButton();
        button->let(QStringLiteral("ButtonShow"), Variant::fromLong(0));
        button->set(QStringLiteral("PictureUp"), Variant::fromObject(pictureOf(20, 12)));
        button->set(QStringLiteral("PictureDown"), Variant::fromObject(pictureOf(24, 24)));
        QCOMPARE(button->iconRect().size(), QSize(20, 12));
        sendMouse(button, QEvent::MouseButtonPress, Qt::LeftButton);
        QCOMPARE(button->iconRect().size(), QSize(24, 24));
        QVERIFY(!button->largePicture());
    }

    void largePictureFlag()
    {
        Button *button = newButton();
        button->set(QStringLiteral("PictureOver"), Variant::fromObject(pictureOf(33, 10)));
        QVERIFY(button->largePicture());
        button->set(QStringLiteral("PictureUp"), Variant::fromObject(pictureOf(16, 16)));
        QVERIFY(button->largePicture());
        button->let(QStringLiteral("ButtonShow"), Variant::fromLong(5));
        QVERIFY(!button->largePicture());
        button->set(QStringLiteral("PictureUp"), Variant::fromObject(pictureOf(32, 32)));
        QVERIFY(!button->largePicture());
        // A large own picture is the face and sizes the control.
        button->let(QStringLiteral("TextAlignment"), Variant::fromLong(0));
        button->let(QStringLiteral("ButtonShow"), Variant::fromLong(0));
        button->set(QStringLiteral("PictureUp"), Variant::fromObject(pictureOf(40, 36)));
        QVERIFY(button->largePicture());
        QCOMPARE(button->size(), QSize(42, 38));
        QVERIFY(!button->iconVisible());
    }

    // Disabled: no input, no poll, whatever the button shows.
    void disabledTakesNoInput_data()
    {
        QTest::addColumn<int>("show");
        QTest::newRow("stock icon") << 21;
        QTest::newRow("own pictures") << 0;
        QTest::newRow("no icon") << 51;
    }
    void disabledTakesNoInput()
    {
        QFETCH(int, show);
        Button *button = newButton();
        button->let(QStringLiteral("ButtonShow"), Variant::fromLong(show));
        button->pollTimer().setEnabled(true);
        button->let(QStringLiteral("EnabledB"), Variant::fromBool(false));
        QVERIFY(!button->takesInput());
        QVERIFY(!button->pollTimer().isEnabled());
        QVERIFY(!button->captionLabel().enabled);
        click(button);
        QCOMPARE(m_events, QStringList{});
        button->let(QStringLiteral("EnabledB"), Variant::fromBool(true));
        QVERIFY(button->takesInput());
        QVERIFY(button->pollTimer().isEnabled());
        click(button);
        QCOMPARE(m_events.size(), 3);
    }

    // The disabled icon: embossed on a plain face, none on a gradient face.
    void disabledIcon_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("gradient");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("pixels");
        QTest::newRow("flat gradient") << 2 << true << false << 16;
        QTest::newRow("flat plain") << 2 << false << true << 16;
        QTest::newRow("xp style") << 5 << true << true << 16;
    }
    void disabledIcon()
    {
        QFETCH(int, style);
        QFETCH(bool, gradient);
        QFETCH(bool, shown);
        QFETCH(int, pixels);
        Button *button = newButton();
        button->let(QStringLiteral("BorderStyle"), Variant::fromLong(style));
        button->let(QStringLiteral("Gradient"), Variant::fromBool(gradient));
        button->let(QStringLiteral("EnabledB"), Variant::fromBool(false));
        QCOMPARE(button->iconGroup(), 21);
        QCOMPARE(button->iconPixels(), pixels);
        QCOMPARE(button->iconRect().size().isEmpty(), !shown);
        if (style == 5)
            QCOMPARE(button->faceBackColor(), 0xEDF1F1u);
        QCOMPARE(button->captionLabel().foreColor, 0x808080u);
    }

    void iconSizeIgnoredWhileDisabled()
    {
        Button *button = newButton();
        button->let(QStringLiteral("EnabledB"), Variant::fromBool(false));
        button->site()->clearChangedProperties();
        button->let(QStringLiteral("IconSize"), Variant::fromBool(true));
        QCOMPARE(button->get(QStringLiteral("IconSize")).toBool(), false);
        QVERIFY(!button->site()->changedProperties().contains(QStringLiteral("IconSize")));
    }

    void bagRoundTrip()
    {
        Button *button = newButton();
        button->let(QStringLiteral("ButtonShow"), Variant::fromLong(7));
        button->let(QStringLiteral("IconSize"), Variant::fromBool(true));
        button->let(QStringLiteral("Caption"), Variant(QStringLiteral("&Datum zur Sicherung hinzufügen")));
        button->let(QStringLiteral("BorderStyle"), Variant::fromLong(5));
        button->let(QStringLiteral("Gradient"), Variant::fromBool(false));
        button->let(QStringLiteral("TextAlignment"), Variant::fromLong(3));
        button->let(QStringLiteral("FontColor"), Variant::fromColor(0x0000FF));
        button->let(QStringLiteral("ToolTip"), Variant::fromBool(false));
        button->let(QStringLiteral("ToolTipText"), Variant(QStringLiteral("Hilfe")));
        button->let(QStringLiteral("FocusRect"), Variant::fromBool(true));
        button->let(QStringLiteral("OptionMode"), Variant::fromLong(1));
        button->let(QStringLiteral("MousePointer"), Variant::fromLong(11));
        button->let(QStringLiteral("EnabledB"), Variant::fromBool(false));
        PropertyBag bag;
        button->writeProperties(bag);
        const std::vector<QString> names = bag.keys();
        const QStringList keys(names.begin(), names.end());
        QCOMPARE(keys, (QStringList{QStringLiteral("PictureUp"), QStringLiteral("PictureDown"),
                                    QStringLiteral("PictureOver"), QStringLiteral("EnabledB"),
                                    QStringLiteral("OptionMode"), QStringLiteral("IconSize"),
                                    QStringLiteral("BorderStyle"), QStringLiteral("Gradient"),
                                    QStringLiteral("ButtonShow"), QStringLiteral("TextAlignment"),
                                    QStringLiteral("Caption"), QStringLiteral("FontColor"),
                                    QStringLiteral("ToolTip"), QStringLiteral("ToolTipText"),
                                    QStringLiteral("FocusRect"), QStringLiteral("Font"),
                                    QStringLiteral("MouseIcon"), QStringLiteral("MousePointer")}));
        Button *loaded = newButton(&bag);
        for (const QString &name :
             {QStringLiteral("ButtonShow"), QStringLiteral("IconSize"), QStringLiteral("Caption"),
              QStringLiteral("BorderStyle"), QStringLiteral("Gradient"), QStringLiteral("TextAlignment"),
              QStringLiteral("FontColor"), QStringLiteral("ToolTip"), QStringLiteral("ToolTipText"),
              QStringLiteral("FocusRect"), QStringLiteral("OptionMode"), QStringLiteral("MousePointer"),
              QStringLiteral("EnabledB")})
            QCOMPARE(loaded->get(name).display(), button->get(name).display());
        QCOMPARE(loaded->iconPixels(), 32);
    }

    void newButtonWritesOnlyItsFont()
    {
        Button *button = newButton();
        PropertyBag bag;
        button->writeProperties(bag);
        QVERIFY(!bag.contains(QStringLiteral("ButtonShow")));
        QVERIFY(!bag.contains(QStringLiteral("Caption")));
        QVERIFY(!bag.contains(QStringLiteral("Value")));
    }

    // A switch saved latched loads latched and shows its down picture.
    void latchedLoad_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("switch") << 1 << QStringList{};
        QTest::newRow("group") << 2 << QStringList{QStringLiteral("Group()")};
    }
    void latchedLoad()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, events);
        PropertyBag bag;
        bag.writeProperty(QStringLiteral("OptionMode"), Variant::fromLong(mode), Variant::fromLong(0));
        bag.writeProperty(QStringLiteral("Value"), Variant::fromBool(true), Variant::fromBool(false));
        QStringList seen;
        m_handlers.on(QStringLiteral("B_Group"), [&seen](Args &) { seen << QStringLiteral("Group()"); });
        Control *control = ControlHost::createControl(QStringLiteral("Quiv_Tools.Button"), m_form.get(),
                                                      QStringLiteral("B"), &m_handlers, &bag);
        auto *button = dynamic_cast<Button *>(control);
        QCOMPARE(seen, events);
        QVERIFY(button->isLatched());
        QCOMPARE(button->iconGroup(), 221);
        QCOMPARE(button->frameState(), int16_t(3));
        m_form.reset(); // before the handler's captured list goes
    }

    // The diary reads the switch's Value late-bound through the registry.
    void hostReadsSwitchValue()
    {
        QWidget form;
        form.resize(300, 100);
        form.show();
        PropertyBag bag;
        bag.writeProperty(QStringLiteral("OptionMode"), Variant::fromLong(1), Variant::fromLong(0));
        bag.writeProperty(QStringLiteral("Caption"),
                          Variant(QStringLiteral("&Datum zur Sicherung hinzufügen")),
                          Variant(QStringLiteral("Caption")));
        Control *check = ControlHost::createControl(QStringLiteral("Quiv_Tools.Button"), &form,
                                                    QStringLiteral("xpCheck1"), nullptr, &bag);
        QVERIFY(check);
        check->setGeometry(10, 10, 200, 24);
        check->show();
        Args none;
        QCOMPARE(check->invoke(ValueId, Get, none).toBool(), false);
        click(check);
        QCOMPARE(check->invoke(ValueId, Get, none).type(), VarType::Boolean);
        QCOMPARE(check->invoke(ValueId, Get, none).toBool(), true);
        click(check);
        QCOMPARE(check->invoke(ValueId, Get, none).toBool(), false);
    }

    void hoverPoll()
    {
        Button *button = newButton();
        button->let(QStringLiteral("BorderStyle"), Variant::fromLong(1));
        pointAt(button, QPoint(119, 39)); // bounds included
        button->timer_Timer();
        QCOMPARE(button->frameState(), int16_t(2));
        QCOMPARE(button->reliefLabel().left(), button->captionLabel().left() - 1);
        pointAt(button, QPoint(121, 39));
        button->timer_Timer();
        QCOMPARE(button->frameState(), int16_t(0));
        QCOMPARE(button->iconGroup(), 21);
    }

    void hoverPollAtDesignTime()
    {
        Control *control = ControlHost::createControl(QStringLiteral("Quiv_Tools.Button"), m_form.get(),
                                                      QStringLiteral("D"), nullptr, nullptr, false);
        auto *button = dynamic_cast<Button *>(control);
        button->setGeometry(0, 0, 100, 30);
        button->show();
        pointAt(button, QPoint(5, 5));
        button->timer_Timer();
        QCOMPARE(button->iconGroup(), 21);
        QCOMPARE(button->frameState(), int16_t(1));
    }

    // While a push is held the poll looks away; the release outside still clicks.
    void pushHeldIgnoresHover()
    {
        Button *button = newButton();
        sendMouse(button, QEvent::MouseButtonPress, Qt::LeftButton);
        pointAt(button, QPoint(300, 300));
        button->timer_Timer();
        QCOMPARE(button->frameState(), int16_t(3));
        sendMouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(300, 300));
        QVERIFY(m_events.contains(QStringLiteral("Click()")));
    }

    void latchedStopsPoll()
    {
        Button *button = newButton();
        button->let(QStringLiteral("OptionMode"), Variant::fromLong(1));
        button->pollTimer().setEnabled(true);
        click(button);
        QVERIFY(!button->pollTimer().isEnabled());
        click(button);
        QVERIFY(button->pollTimer().isEnabled());
    }

    void enterKey_data()
    {
        QTest::addColumn<bool>("focusRect");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("without focus rectangle")
            << false
            << QStringList{QStringLiteral("KeyDown(13, 0)"), QStringLiteral("KeyPress(13)"),
                           QStringLiteral("KeyUp(13, 0)")};
        QTest::newRow("with focus rectangle")
            << true << QStringList{QStringLiteral("MouseDown(1, 0, 0, 0)"), QStringLiteral("KeyDown(13, 0)"),
                                   QStringLiteral("KeyPress(13)"),          QStringLiteral("Click()"),
                                   QStringLiteral("MouseUp(1, 0, 0, 0)"),   QStringLiteral("KeyUp(13, 0)")};
    }
    void enterKey()
    {
        QFETCH(bool, focusRect);
        QFETCH(QStringList, events);
        Button *button = newButton();
        button->let(QStringLiteral("FocusRect"), Variant::fromBool(focusRect));
        m_events.clear();
        key(button, QEvent::KeyPress, Qt::Key_Return);
        key(button, QEvent::KeyRelease, Qt::Key_Return);
        QCOMPARE(m_events, events);
    }

    // An Enter held down toggles a switch once.
    void enterAutoRepeatIgnored()
    {
        Button *button = newButton();
        button->let(QStringLiteral("FocusRect"), Variant::fromBool(true));
        button->let(QStringLiteral("OptionMode"), Variant::fromLong(1));
        key(button, QEvent::KeyPress, Qt::Key_Return);
        key(button, QEvent::KeyPress, Qt::Key_Return, true);
        key(button, QEvent::KeyPress, Qt::Key_Return, true);
        key(button, QEvent::KeyRelease, Qt::Key_Return);
        QVERIFY(button->isLatched());
        QCOMPARE(button->get(QStringLiteral("Value")).toBool(), true);
        QCOMPARE(m_events.count(QStringLiteral("MouseDown(1, 0, 0, 0)")), 1);
    }

    void spaceNeverClicks()
    {
        Button *button = newButton();
        button->let(QStringLiteral("FocusRect"), Variant::fromBool(true));
        m_events.clear();
        key(button, QEvent::KeyPress, Qt::Key_Space);
        key(button, QEvent::KeyRelease, Qt::Key_Space);
        QVERIFY(!m_events.contains(QStringLiteral("Click()")));
    }

    void focusTimer()
    {
        Button *button = newButton();
        button->let(QStringLiteral("FocusRect"), Variant::fromBool(true));
        button->PicBild1_GotFocus();
        QVERIFY(button->focusTimer().isEnabled());
        QVERIFY(button->focusTimer().fire());
        QVERIFY(!button->focusTimer().isEnabled());
        button->let(QStringLiteral("FocusRect"), Variant::fromBool(false));
        button->PicBild1_GotFocus();
        QVERIFY(!button->focusTimer().isEnabled());
    }

    void sounds_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("bytes");
        QTest::newRow("100") << 100 << 0;
        QTest::newRow("101") << 101 << 890;
        QTest::newRow("102") << 102 << 17132;
        QTest::newRow("106") << 106 << 1576;
        QTest::newRow("107") << 107 << 0;
    }
    void sounds()
    {
        QFETCH(int, id);
        QFETCH(int, bytes);
        Button *button = newButton();
        Args args{Variant::fromInteger(int16_t(id))};
        button->call(QStringLiteral("PlaySound"), args);
        if (bytes == 0) {
            QVERIFY(m_sound->calls.empty());
            return;
        }
        QCOMPARE(m_sound->calls.size(), size_t(1));
        QCOMPARE(m_sound->calls[0].kind, sound::RecordingSound::Call::Memory);
        QCOMPARE(m_sound->calls[0].flags, 7u);
        QCOMPARE(m_sound->calls[0].data.size(), bytes);
        QVERIFY(m_sound->calls[0].data.startsWith("RIFF"));
    }

    void endPlaySound()
    {
        Button *button = newButton();
        Args none;
        button->call(QStringLiteral("EndPlaySound"), none);
        QCOMPARE(m_sound->calls.size(), size_t(1));
        QVERIFY(m_sound->calls[0].sound.isEmpty());
        QCOMPARE(m_sound->calls[0].flags, 0u);
    }

    void toolTips()
    {
        Button *button = newButton();
        button->let(QStringLiteral("ToolTip"), Variant::fromBool(false));
        button->let(QStringLiteral("ToolTipText"), Variant(QStringLiteral("Sichern")));
        QVERIFY(button->captionLabel().toolTip.isEmpty());
        button->let(QStringLiteral("ToolTip"), Variant::fromBool(true));
        QCOMPARE(button->captionLabel().toolTip, QStringLiteral("Sichern"));
    }
};

KV_TEST_MAIN(TestButton)
#include "tst_Button.moc"
