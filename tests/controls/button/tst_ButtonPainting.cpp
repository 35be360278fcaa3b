#include "controls/button/Button.h"
#include "platform/com/ControlHost.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/Timer.h"
#include "tests/support/HostForm.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeCursorSource.h"

#include <QMouseEvent>

using namespace com;
using ostrevo::Button;

namespace
{

constexpr uint32_t Surround = 0x00FF00; // BackColorB: green round the face
constexpr uint32_t Face = 0x808080;

// Probe points of a 40 x 20 button: the corner, the first ring's top, left,
// bottom and right middles, the second ring's, the third's and the face centre.
const QList<QPoint> Probes = {{0, 0},  {20, 0},  {0, 10},  {20, 19}, {39, 10}, {20, 1},
                              {1, 10}, {20, 18}, {38, 10}, {20, 2},  {20, 10}};

QString colourText(QRgb pixel)
{
    return QStringLiteral("%1").arg(qRed(pixel) | qGreen(pixel) << 8 | qBlue(pixel) << 16, 6, 16,
                                    QLatin1Char('0'));
}

} // namespace

class TestButtonPainting : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;
    rt::FakeCursorSource *m_cursor = nullptr;

    Button *newButton(int style, bool gradient)
    {
        Control *control = ControlHost::createControl(QStringLiteral("Quiv_Tools.Button"), m_form.get(),
                                                      QStringLiteral("B"));
        auto *button = dynamic_cast<Button *>(control);
        button->pollTimer().setEnabled(false);
        button->move(10, 10);
        button->show();
        button->let(QStringLiteral("ButtonShow"), Variant::fromLong(51));
        button->let(QStringLiteral("TextAlignment"), Variant::fromLong(0));
        button->let(QStringLiteral("BackColorB"), Variant::fromColor(Surround));
        button->let(QStringLiteral("Gradient"), Variant::fromBool(gradient));
        button->let(QStringLiteral("ButtonColor"), Variant::fromColor(Face));
        button->let(QStringLiteral("BorderStyle"), Variant::fromLong(style));
        button->resize(40, 20);
        return button;
    }

    static void mouse(Button *button, QEvent::Type type)
    {
        const QPointF at(20, 10);
        QMouseEvent event(type, at, button->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    }

    static QString probe(const Button *button)
    {
        const QImage image = button->composed();
        QStringList colours;
        for (const QPoint &p : Probes)
            colours << colourText(image.pixel(p));
        return colours.join(QLatin1Char(' '));
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        auto cursor = std::make_unique<rt::FakeCursorSource>(QPoint(-500, -500));
        m_cursor = cursor.get();
        rt::SystemSources::setCursor(std::move(cursor));
        m_form.open(QSize(200, 100));
    }

    void cleanup()
    {
        m_form.reset();
        rt::SystemSources::reset();
    }

    // Button colour &H808080 gives dark &H1C1C1C, light and gradient top
    // &HA8A8A8, over &H8A8A8A, down &H717171, gradient bottom &H626262.
    // Each row: the probes in the up state, hovered (with the XP ring),
    // pressed, and after release with EnabledB False.
    void frameLooks_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("gradient");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("colours");
        QTest::newRow("style 0 up")
            << 0 << false << 0
            << QStringLiteral("808080 808080 808080 808080 808080 808080 808080 808080 808080 808080 808080");
        QTest::newRow("style 0 over")
            << 0 << false << 1
            << QStringLiteral("8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a");
        QTest::newRow("style 0 down")
            << 0 << false << 2
            << QStringLiteral("717171 717171 717171 717171 717171 717171 717171 717171 717171 717171 717171");
        QTest::newRow("style 0 disabled")
            << 0 << false << 3
            << QStringLiteral("808080 808080 808080 808080 808080 808080 808080 808080 808080 808080 808080");
        QTest::newRow("style 1 up")
            << 1 << false << 0
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 808080 808080 808080 808080 808080 808080");
        QTest::newRow("style 1 over")
            << 1 << false << 1
            << QStringLiteral("a8a8a8 a8a8a8 a8a8a8 1c1c1c 1c1c1c 8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a");
        QTest::newRow("style 1 down")
            << 1 << false << 2
            << QStringLiteral("1c1c1c 1c1c1c 1c1c1c a8a8a8 a8a8a8 717171 717171 717171 717171 717171 717171");
        QTest::newRow("style 1 disabled")
            << 1 << false << 3
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 808080 808080 808080 808080 808080 808080");
        QTest::newRow("style 2 up")
            << 2 << false << 0
            << QStringLiteral("a8a8a8 a8a8a8 a8a8a8 1c1c1c 1c1c1c 808080 808080 808080 808080 808080 808080");
        QTest::newRow("style 2 over")
            << 2 << false << 1
            << QStringLiteral("a8a8a8 a8a8a8 a8a8a8 1c1c1c 1c1c1c 8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a");
        QTest::newRow("style 2 down")
            << 2 << false << 2
            << QStringLiteral("1c1c1c 1c1c1c 1c1c1c a8a8a8 a8a8a8 717171 717171 717171 717171 717171 717171");
        QTest::newRow("style 2 disabled")
            << 2 << false << 3
            << QStringLiteral("a8a8a8 a8a8a8 a8a8a8 1c1c1c 1c1c1c 808080 808080 808080 808080 808080 808080");
        QTest::newRow("style 3 up")
            << 3 << false << 0
            << QStringLiteral("a8a8a8 a8a8a8 a8a8a8 000000 000000 e2eff1 e2eff1 1c1c1c 1c1c1c 808080 808080");
        QTest::newRow("style 3 over")
            << 3 << false << 1
            << QStringLiteral("a8a8a8 a8a8a8 a8a8a8 000000 000000 e2eff1 e2eff1 1c1c1c 1c1c1c 8a8a8a 8a8a8a");
        QTest::newRow("style 3 down")
            << 3 << false << 2
            << QStringLiteral("000000 000000 000000 a8a8a8 a8a8a8 1c1c1c 1c1c1c 717171 717171 717171 717171");
        QTest::newRow("style 3 disabled")
            << 3 << false << 3
            << QStringLiteral("a8a8a8 a8a8a8 a8a8a8 000000 000000 e2eff1 e2eff1 1c1c1c 1c1c1c 808080 808080");
        QTest::newRow("style 4 up")
            << 4 << false << 0
            << QStringLiteral("000000 000000 000000 000000 000000 a8a8a8 a8a8a8 1c1c1c 1c1c1c a8a8a8 808080");
        QTest::newRow("style 4 over")
            << 4 << false << 1
            << QStringLiteral("000000 000000 000000 000000 000000 a8a8a8 a8a8a8 1c1c1c 1c1c1c a8a8a8 8a8a8a");
        QTest::newRow("style 4 down")
            << 4 << false << 2
            << QStringLiteral("000000 000000 000000 000000 000000 1c1c1c 1c1c1c 717171 717171 717171 717171");
        QTest::newRow("style 4 disabled")
            << 4 << false << 3
            << QStringLiteral("000000 000000 000000 000000 000000 a8a8a8 a8a8a8 1c1c1c 1c1c1c a8a8a8 808080");
        QTest::newRow("style 5 up")
            << 5 << false << 0
            << QStringLiteral("00ff00 914b00 914b00 914b00 914b00 a8a8a8 a8a8a8 626262 a8a8a8 a8a8a8 8a8a8a");
        QTest::newRow("style 5 over")
            << 5 << false << 1
            << QStringLiteral("00ff00 914b00 914b00 914b00 914b00 89d8fd 30b2f8 30b2f8 30b2f8 30b2f8 8a8a8a");
        QTest::newRow("style 5 down")
            << 5 << false << 2
            << QStringLiteral("00ff00 914b00 914b00 914b00 914b00 626262 a8a8a8 a8a8a8 a8a8a8 626262 858585");
        QTest::newRow("style 5 disabled")
            << 5 << false << 3
            << QStringLiteral("00ff00 bfc3c4 bfc3c4 bfc3c4 bfc3c4 edf1f1 edf1f1 edf1f1 edf1f1 edf1f1 8a8a8a");
        QTest::newRow("style 6 up")
            << 6 << false << 0
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 808080");
        QTest::newRow("style 6 over")
            << 6 << false << 1
            << QStringLiteral("00ff00 9ba2a4 9ba2a4 9ba2a4 9ba2a4 a8a8a8 a8a8a8 626262 a8a8a8 a8a8a8 8a8a8a");
        QTest::newRow("style 6 down")
            << 6 << false << 2
            << QStringLiteral("00ff00 9ba2a4 9ba2a4 9ba2a4 9ba2a4 626262 a8a8a8 a8a8a8 a8a8a8 626262 858585");
        QTest::newRow("style 6 disabled")
            << 6 << false << 3
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 808080");
        QTest::newRow("style 7 up")
            << 7 << false << 0
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 f1fcfe f1fcfe f1fcfe f1fcfe f1fcfe f1fcfe");
        QTest::newRow("style 7 over")
            << 7 << false << 1
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a");
        QTest::newRow("style 7 down")
            << 7 << false << 2
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 717171 717171 717171 717171 717171 717171");
        QTest::newRow("style 7 disabled")
            << 7 << false << 3
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 f1fcfe f1fcfe f1fcfe f1fcfe f1fcfe f1fcfe");
        QTest::newRow("style 0 up gradient")
            << 0 << true << 0
            << QStringLiteral("a8a8a8 a8a8a8 888888 696969 888888 a8a8a8 888888 6c6c6c 888888 a4a4a4 888888");
        QTest::newRow("style 0 over gradient")
            << 0 << true << 1
            << QStringLiteral("a8a8a8 a8a8a8 888888 696969 888888 a8a8a8 888888 6c6c6c 888888 a4a4a4 888888");
        QTest::newRow("style 0 down gradient")
            << 0 << true << 2
            << QStringLiteral("a8a8a8 a8a8a8 888888 696969 888888 a8a8a8 888888 6c6c6c 888888 a4a4a4 888888");
        QTest::newRow("style 0 disabled gradient")
            << 0 << true << 3
            << QStringLiteral("a8a8a8 a8a8a8 888888 696969 888888 a8a8a8 888888 6c6c6c 888888 a4a4a4 888888");
        QTest::newRow("style 1 up gradient")
            << 1 << true << 0
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 808080 808080 808080 808080 808080 808080");
        QTest::newRow("style 1 over gradient")
            << 1 << true << 1
            << QStringLiteral("a8a8a8 a8a8a8 a8a8a8 1c1c1c 1c1c1c 808080 808080 808080 808080 808080 808080");
        QTest::newRow("style 1 down gradient")
            << 1 << true << 2
            << QStringLiteral("1c1c1c 1c1c1c 1c1c1c a8a8a8 a8a8a8 a8a8a8 898989 6a6a6a 898989 a8a8a8 898989");
        QTest::newRow("style 1 disabled gradient")
            << 1 << true << 3
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 808080 808080 808080 808080 808080 808080");
        QTest::newRow("style 2 up gradient")
            << 2 << true << 0
            << QStringLiteral("a8a8a8 a8a8a8 a8a8a8 1c1c1c 1c1c1c a8a8a8 898989 6a6a6a 898989 a8a8a8 898989");
        QTest::newRow("style 2 over gradient")
            << 2 << true << 1
            << QStringLiteral("a8a8a8 a8a8a8 a8a8a8 1c1c1c 1c1c1c a8a8a8 898989 6a6a6a 898989 a8a8a8 898989");
        QTest::newRow("style 2 down gradient")
            << 2 << true << 2
            << QStringLiteral("1c1c1c 1c1c1c 1c1c1c a8a8a8 a8a8a8 a8a8a8 898989 6a6a6a 898989 a8a8a8 898989");
        QTest::newRow("style 2 disabled gradient")
            << 2 << true << 3
            << QStringLiteral("a8a8a8 a8a8a8 a8a8a8 1c1c1c 1c1c1c a8a8a8 898989 6a6a6a 898989 a8a8a8 898989");
        QTest::newRow("style 3 up gradient")
            << 3 << true << 0
            << QStringLiteral("a8a8a8 a8a8a8 a8a8a8 000000 000000 a8a8a8 a8a8a8 1c1c1c 1c1c1c a8a8a8 898989");
        QTest::newRow("style 3 over gradient")
            << 3 << true << 1
            << QStringLiteral("a8a8a8 a8a8a8 a8a8a8 000000 000000 a8a8a8 a8a8a8 1c1c1c 1c1c1c a8a8a8 898989");
        QTest::newRow("style 3 down gradient")
            << 3 << true << 2
            << QStringLiteral("000000 000000 000000 a8a8a8 a8a8a8 1c1c1c 1c1c1c 626262 626262 a8a8a8 898989");
        QTest::newRow("style 3 disabled gradient")
            << 3 << true << 3
            << QStringLiteral("a8a8a8 a8a8a8 a8a8a8 000000 000000 a8a8a8 a8a8a8 1c1c1c 1c1c1c a8a8a8 898989");
        QTest::newRow("style 4 up gradient")
            << 4 << true << 0
            << QStringLiteral("000000 000000 000000 000000 000000 a8a8a8 a8a8a8 1c1c1c 1c1c1c a8a8a8 8a8a8a");
        QTest::newRow("style 4 over gradient")
            << 4 << true << 1
            << QStringLiteral("000000 000000 000000 000000 000000 a8a8a8 a8a8a8 1c1c1c 1c1c1c a8a8a8 8a8a8a");
        QTest::newRow("style 4 down gradient")
            << 4 << true << 2
            << QStringLiteral("000000 000000 000000 000000 000000 1c1c1c 1c1c1c 626262 626262 a8a8a8 8a8a8a");
        QTest::newRow("style 4 disabled gradient")
            << 4 << true << 3
            << QStringLiteral("000000 000000 000000 000000 000000 a8a8a8 a8a8a8 1c1c1c 1c1c1c a8a8a8 8a8a8a");
        QTest::newRow("style 5 up gradient")
            << 5 << true << 0
            << QStringLiteral("00ff00 914b00 914b00 914b00 914b00 a8a8a8 a8a8a8 626262 a8a8a8 a8a8a8 8a8a8a");
        QTest::newRow("style 5 over gradient")
            << 5 << true << 1
            << QStringLiteral("00ff00 914b00 914b00 914b00 914b00 89d8fd 30b2f8 30b2f8 30b2f8 30b2f8 8a8a8a");
        QTest::newRow("style 5 down gradient")
            << 5 << true << 2
            << QStringLiteral("00ff00 914b00 914b00 914b00 914b00 626262 a8a8a8 a8a8a8 a8a8a8 626262 858585");
        QTest::newRow("style 5 disabled gradient")
            << 5 << true << 3
            << QStringLiteral("00ff00 bfc3c4 bfc3c4 bfc3c4 bfc3c4 edf1f1 edf1f1 edf1f1 edf1f1 edf1f1 8a8a8a");
        QTest::newRow("style 6 up gradient")
            << 6 << true << 0
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 808080");
        QTest::newRow("style 6 over gradient")
            << 6 << true << 1
            << QStringLiteral("00ff00 9ba2a4 9ba2a4 9ba2a4 9ba2a4 a8a8a8 a8a8a8 626262 a8a8a8 a8a8a8 8a8a8a");
        QTest::newRow("style 6 down gradient")
            << 6 << true << 2
            << QStringLiteral("00ff00 9ba2a4 9ba2a4 9ba2a4 9ba2a4 626262 a8a8a8 a8a8a8 a8a8a8 626262 858585");
        QTest::newRow("style 6 disabled gradient")
            << 6 << true << 3
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 00ff00 808080");
        QTest::newRow("style 7 up gradient")
            << 7 << true << 0
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 f1fcfe f1fcfe f1fcfe f1fcfe f1fcfe f1fcfe");
        QTest::newRow("style 7 over gradient")
            << 7 << true << 1
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a 8a8a8a");
        QTest::newRow("style 7 down gradient")
            << 7 << true << 2
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 717171 717171 717171 717171 717171 717171");
        QTest::newRow("style 7 disabled gradient")
            << 7 << true << 3
            << QStringLiteral("00ff00 00ff00 00ff00 00ff00 00ff00 f1fcfe f1fcfe f1fcfe f1fcfe f1fcfe f1fcfe");
    }
    void frameLooks()
    {
        QFETCH(int, style);
        QFETCH(bool, gradient);
        QFETCH(int, state);
        QFETCH(QString, colours);
        Button *button = newButton(style, gradient);
        if (state >= 1) {
            m_cursor->setPosition(button->mapToGlobal(QPoint(5, 5)));
            button->timer_Timer();
        }
        if (state >= 2)
            mouse(button, QEvent::MouseButtonPress);
        if (state == 3) {
            mouse(button, QEvent::MouseButtonRelease);
            button->let(QStringLiteral("EnabledB"), Variant::fromBool(false));
        }
        QCOMPARE(probe(button), colours);
    }

    // After a click the XP frame is the normal one until the cursor enters again.
    void xpRingAfterClick()
    {
        Button *button = newButton(5, true);
        m_cursor->setPosition(button->mapToGlobal(QPoint(5, 5)));
        button->timer_Timer();
        QCOMPARE(probe(button).section(QLatin1Char(' '), 5, 5), QStringLiteral("89d8fd"));
        mouse(button, QEvent::MouseButtonPress);
        mouse(button, QEvent::MouseButtonRelease);
        QCOMPARE(button->frameState(), int16_t(2));
        QCOMPARE(probe(button).section(QLatin1Char(' '), 5, 8),
                 QStringLiteral("a8a8a8 a8a8a8 626262 a8a8a8"));
        m_cursor->setPosition(QPoint(-500, -500));
        button->timer_Timer();
        m_cursor->setPosition(button->mapToGlobal(QPoint(6, 6)));
        button->timer_Timer();
        QCOMPARE(probe(button).section(QLatin1Char(' '), 5, 5), QStringLiteral("89d8fd"));
    }

    // The focus rectangle is dotted and inverts the face one pixel inside it;
    // drawing it again restores the face.
    void focusRectangle()
    {
        Button *button = newButton(2, false);
        button->let(QStringLiteral("FocusRect"), Variant::fromBool(true));
        button->PicBild1_GotFocus();
        QVERIFY(button->focusTimer().fire());
        const QImage image = button->composed();
        QCOMPARE(colourText(image.pixel(2, 3)), QStringLiteral("7f7f7f"));
        QCOMPARE(colourText(image.pixel(5, 2)), QStringLiteral("7f7f7f"));
        QCOMPARE(colourText(image.pixel(3, 2)), QStringLiteral("808080"));
        QCOMPARE(colourText(image.pixel(20, 10)), QStringLiteral("808080"));
        button->PicBild1_LostFocus();
        QCOMPARE(colourText(button->composed().pixel(2, 3)), QStringLiteral("808080"));
    }

    // XPStyle shows the light-blue focus ring unless the hover ring shows.
    void xpFocusRing()
    {
        Button *button = newButton(5, true);
        button->let(QStringLiteral("FocusRect"), Variant::fromBool(true));
        button->PicBild1_GotFocus();
        QVERIFY(button->focusTimer().fire());
        QCOMPARE(probe(button).section(QLatin1Char(' '), 0, 8),
                 QStringLiteral("00ff00 914b00 914b00 914b00 914b00 f4b306 f4b306 f4b306 f4b306"));
        m_cursor->setPosition(button->mapToGlobal(QPoint(5, 5)));
        button->timer_Timer();
        QCOMPARE(probe(button).section(QLatin1Char(' '), 5, 5), QStringLiteral("89d8fd"));
        button->PicBild1_LostFocus();
        m_cursor->setPosition(QPoint(-500, -500));
        button->timer_Timer();
        QCOMPARE(probe(button).section(QLatin1Char(' '), 5, 8),
                 QStringLiteral("a8a8a8 a8a8a8 626262 a8a8a8"));
    }
};

KV_TEST_MAIN(TestButtonPainting)
#include "tst_ButtonPainting.moc"
