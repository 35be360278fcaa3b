#include "controls/dialog/Dialog.h"
#include "controls/dialog/FlatButton.h"
#include "controls/dialog/MessageState.h"
#include "controls/dialog/msgFrm.h"
#include "platform/com/AutomationError.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/runtime/SystemSources.h"
#include "tests/support/Automation.h"
#include "tests/support/DialogDesk.h"
#include "tests/support/LaggingDesktop.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/RecordingSound.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <optional>

using namespace ostrevo;
using com::Variant;

using testsupport::errorOf;

namespace
{

// Runs action on the modal balloon once it waits; closes it after five
// seconds should the action leave it open, so no test can hang.
void whenShown(std::function<void(msgFrm *)> action)
{
    testsupport::whenModalShown([action](rt::Form *form) { action(qobject_cast<msgFrm *>(form)); });
}

QStringList visibleCaptions(msgFrm *form)
{
    QStringList captions;
    for (int i = 0; i < 3; ++i)
        captions << (form->Cmd1(i)->isVisible() ? form->Cmd1(i)->caption() : QString());
    return captions;
}

} // namespace

class TestMessageBox : public QObject
{
    Q_OBJECT
private:
    std::optional<testsupport::DialogDesk> m_desk;
    sound::RecordingSound *m_sound = nullptr;
    std::unique_ptr<Dialog> m_dialog;

    Dialog &dialog(int32_t flags)
    {
        m_dialog = std::make_unique<Dialog>();
        m_dialog->let(QStringLiteral("DialogTitle"), Variant(QStringLiteral("Frage")));
        m_dialog->let(QStringLiteral("DialogPrompt"), Variant(QStringLiteral("Eintrag löschen?")));
        m_dialog->let(QStringLiteral("Flags"), Variant::fromLong(flags));
        m_dialog->let(QStringLiteral("Intensity"), Variant::fromInteger(50));
        return *m_dialog;
    }

    int32_t showMsg() { return m_dialog->call(QStringLiteral("ShowMsg")).toLong(); }

private slots:
    void init()
    {
        m_desk.emplace();
        m_sound = &m_desk->sound();
        resetMessageState();
    }

    void cleanup()
    {
        m_dialog.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_desk.reset();
    }

    void buttonsPerFlags_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<int>>("results");
        const QString none;
        QTest::newRow("0 OK") << 0 << QStringList{"OK", none, none} << QList<int>{1, 0, 0};
        QTest::newRow("1 OK Cancel") << 1 << QStringList{"OK", "Abbrechen", none} << QList<int>{1, 2, 0};
        QTest::newRow("2 Abort Retry Ignore")
            << 2 << QStringList{"Abbrechen", "Wiederholen", "Ignorieren"} << QList<int>{3, 4, 5};
        QTest::newRow("3 Yes No Cancel")
            << 3 << QStringList{"Ja", "Nein", "Abbrechen"} << QList<int>{6, 7, 2};
        QTest::newRow("4 Yes No") << 4 << QStringList{"Ja", "Nein", none} << QList<int>{6, 7, 0};
        QTest::newRow("5 Retry Cancel")
            << 5 << QStringList{"Wiederholen", "Abbrechen", none} << QList<int>{4, 2, 0};
        QTest::newRow("6 custom") << 6 << QStringList{"Eins", "Zwei", "Drei"} << QList<int>{1, 2, 3};
        QTest::newRow("7 as OK") << 7 << QStringList{"OK", none, none} << QList<int>{1, 0, 0};
        QTest::newRow("custom, second caption alone")
            << 6 << QStringList{none, "Zwei", none} << QList<int>{0, 2, 0};
        // No caption at all would leave no way to close the box.
        QTest::newRow("custom, no caption") << 6 << QStringList{"OK", none, none} << QList<int>{1, 0, 0};
        QTest::newRow("icon and default bits ignored")
            << (4 | 48 | 0x200) << QStringList{"Ja", "Nein", none} << QList<int>{6, 7, 0};
    }

    void buttonsPerFlags()
    {
        QFETCH(int, flags);
        QFETCH(QStringList, captions);
        QFETCH(QList<int>, results);
        for (int chosen = 0; chosen < 3; ++chosen) {
            if (results[chosen] == 0)
                continue;
            Dialog &d = dialog(flags);
            if (QTest::currentDataTag() != QLatin1String("custom, no caption") && (flags & 7) == 6) {
                for (int i = 0; i < 3; ++i)
                    d.let(QStringLiteral("Btn%1Caption").arg(i + 1), Variant(captions[i]));
            }
            QStringList shown;
            whenShown([&](msgFrm *form) {
                shown = visibleCaptions(form);
                QTest::mouseClick(form->Cmd1(chosen), Qt::LeftButton, {}, QPoint(5, 5));
            });
            QCOMPARE(showMsg(), results[chosen]);
            QCOMPARE(shown, captions);
            QCOMPARE(messageState().InitMsg, QString::number(results[chosen]));
            QCOMPARE(messageState().sButton, int16_t(1));
        }
    }

    void checkBoxAddsHundred()
    {
        Dialog &d = dialog(3);
        d.let(QStringLiteral("CheckboxCaption"), Variant(QStringLiteral("Nicht mehr fragen")));
        whenShown([](msgFrm *form) {
            QVERIFY(form->Check1()->isVisible());
            QCOMPARE(form->Check1()->text(), QStringLiteral("Nicht mehr fragen"));
            form->Check1()->setChecked(true);
            QTest::mouseClick(form->Cmd1(0), Qt::LeftButton, {}, QPoint(5, 5));
        });
        QCOMPARE(showMsg(), 106);
        QCOMPARE(messageState().InitMsg, QStringLiteral("106"));
    }

    void rightButtonChoosesToo()
    {
        dialog(4);
        whenShown([](msgFrm *form) { QTest::mouseClick(form->Cmd1(1), Qt::RightButton, {}, QPoint(5, 5)); });
        QCOMPARE(showMsg(), 7);
        QCOMPARE(messageState().sButton, int16_t(2));
    }

    void escapeDoesNotClose()
    {
        dialog(1);
        bool stillOpen = false;
        whenShown([&](msgFrm *form) {
            QTest::keyClick(form, Qt::Key_Escape);
            QTest::keyClick(form->Cmd1(0), Qt::Key_Escape);
            for (int i = 0; i < 20; ++i)
                QTest::qWait(2);
            stillOpen = rt::Form::activeModalForm() == form;
            QTest::mouseClick(form->Cmd1(1), Qt::LeftButton, {}, QPoint(5, 5));
        });
        QCOMPARE(showMsg(), 2);
        QVERIFY(stillOpen);
        QCOMPARE(messageState().sKey, int16_t(27));
        QCOMPARE(messageState().sKeyDown, false);
    }

    void closingOtherwiseAnswersNothing()
    {
        dialog(4);
        whenShown([](msgFrm *form) { QTest::mouseClick(form->Cmd1(0), Qt::LeftButton, {}, QPoint(5, 5)); });
        QCOMPARE(showMsg(), 6);
        // A later box closed without a button does not repeat that answer.
        whenShown([](msgFrm *form) {
            form->Check1()->setChecked(true);
            form->close();
        });
        QCOMPARE(showMsg(), 0);
        QCOMPARE(messageState().InitMsg, QStringLiteral("0"));
    }

    void theEnterThatOpenedTheBoxDoesNotAnswerIt()
    {
        dialog(4);
        QWidget opener;
        opener.show();
        QTest::keyPress(&opener, Qt::Key_Return);
        bool stillOpen = false;
        whenShown([&](msgFrm *form) {
            QWidget *focused = form->focusWidget();
            QVERIFY(focused);
            QTest::keyRelease(focused, Qt::Key_Return);
            QTest::qWait(20);
            stillOpen = rt::Form::activeModalForm() == form;
            QTest::mouseClick(form->Cmd1(1), Qt::LeftButton, {}, QPoint(5, 5));
        });
        QCOMPARE(showMsg(), 7);
        QVERIFY(stillOpen);
    }

    void enterOnTheDefaultButtonAnswers()
    {
        dialog(4 | 0x100);
        whenShown([](msgFrm *form) {
            QCOMPARE(form->focusWidget(), form->Cmd1(1));
            QTest::keyClick(form->Cmd1(1), Qt::Key_Return);
        });
        QCOMPARE(showMsg(), 7);
    }

    void showMsgClearsTheKeyState()
    {
        dialog(0);
        messageState().sKey = 65;
        messageState().sKeyShift = 1;
        messageState().sKeyDown = true;
        messageState().sButton = 4;
        MessageState seen;
        whenShown([&](msgFrm *form) {
            seen = messageState();
            QTest::keyPress(form->Cmd1(0), Qt::Key_B, Qt::ShiftModifier);
            QCOMPARE(messageState().sKey, int16_t(66));
            QCOMPARE(messageState().sKeyDown, true);
            QTest::keyRelease(form->Cmd1(0), Qt::Key_B, Qt::ShiftModifier);
            QTest::mouseClick(form->Cmd1(0), Qt::LeftButton, {}, QPoint(5, 5));
        });
        showMsg();
        QCOMPARE(seen.sKey, int16_t(0));
        QCOMPARE(seen.sKeyShift, int16_t(0));
        QCOMPARE(seen.sKeyDown, false);
        QCOMPARE(seen.sButton, int16_t(4)); // left alone
        QCOMPARE(messageState().sKey, int16_t(66));
        QCOMPARE(messageState().sKeyShift, int16_t(0));
        QCOMPARE(messageState().sKeyDown, false);
    }

    void defaultButtonBits_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("number");
        QTest::newRow("first") << (3 | 0x000) << 1;
        QTest::newRow("second") << (3 | 0x100) << 2;
        QTest::newRow("third") << (3 | 0x200) << 3;
        QTest::newRow("both bits keep the number") << (3 | 0x300) << 1;
    }

    void defaultButtonBits()
    {
        QFETCH(int, flags);
        QFETCH(int, number);
        dialog(flags);
        int seen = 0;
        QWidget *focused = nullptr;
        FlatButton *expected = nullptr;
        whenShown([&](msgFrm *form) {
            seen = form->defaultButton();
            focused = form->focusWidget();
            expected = form->Cmd1(number - 1);
            QTest::mouseClick(form->Cmd1(2), Qt::LeftButton, {}, QPoint(5, 5));
        });
        QCOMPARE(showMsg(), 2);
        QCOMPARE(seen, number);
        QCOMPARE(focused, expected);
    }

    void soundPerIcon_data()
    {
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("soundOn");
        QTest::addColumn<QString>("event");
        QTest::newRow("critical") << 16 << true << "SystemHand";
        QTest::newRow("question") << 32 << true << "SystemQuestion";
        QTest::newRow("exclamation") << 48 << true << "SystemExclamation";
        QTest::newRow("find") << 112 << true << "SystemExclamation";
        QTest::newRow("no icon") << 0 << true << QString();
        QTest::newRow("sound off") << 16 << false << QString();
    }

    void soundPerIcon()
    {
        QFETCH(int, icon);
        QFETCH(bool, soundOn);
        QFETCH(QString, event);
        Dialog &d = dialog(icon);
        d.let(QStringLiteral("Sound"), Variant::fromBool(soundOn));
        bool iconShown = false;
        whenShown([&](msgFrm *form) {
            iconShown = form->P1()->isVisible();
            QTest::mouseClick(form->Cmd1(0), Qt::LeftButton, {}, QPoint(5, 5));
        });
        showMsg();
        QCOMPARE(iconShown, icon != 0);
        if (event.isEmpty()) {
            QVERIFY(m_sound->calls.empty());
        } else {
            QCOMPARE(m_sound->calls.size(), size_t(1));
            QCOMPARE(m_sound->calls[0].sound, event);
            QCOMPARE(m_sound->calls[0].flags, 0x83u);
        }
    }

    void nothingLeaksAcrossMessages()
    {
        dialog(3 | 16);
        m_dialog->let(QStringLiteral("FocusRect"), Variant::fromBool(true));
        const int objects = gdi::liveObjectCount();
        const int automation = com::AutomationObject::liveCount();
        const int forms = QApplication::topLevelWidgets().size();
        for (int round = 0; round < 2; ++round) {
            whenShown(
                [](msgFrm *form) { QTest::mouseClick(form->Cmd1(1), Qt::LeftButton, {}, QPoint(5, 5)); });
            QCOMPARE(showMsg(), 7);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(gdi::liveObjectCount(), objects);
            QCOMPARE(com::AutomationObject::liveCount(), automation);
            QCOMPARE(QApplication::topLevelWidgets().size(), forms);
        }
    }

    void intensityOutOfRangeShowsNothing_data()
    {
        QTest::addColumn<int>("intensity");
        QTest::newRow("above") << 76;
        QTest::newRow("below") << -21;
    }

    void intensityOutOfRangeShowsNothing()
    {
        QFETCH(int, intensity);
        Dialog &d = dialog(0);
        d.let(QStringLiteral("Intensity"), Variant::fromInteger(static_cast<int16_t>(intensity)));
        const int forms = QApplication::topLevelWidgets().size();
        QCOMPARE(errorOf([&] { showMsg(); }), 6);
        QCOMPARE(QApplication::topLevelWidgets().size(), forms);
        QVERIFY(rt::Form::loadedForms().isEmpty());
        QVERIFY(m_sound->calls.empty());
    }

    void layout()
    {
        QPointer<msgFrm> plain = rt::Form::create<msgFrm>();
        QPointer<msgFrm> checked = rt::Form::create<msgFrm>();
        plain->load();
        checked->load();
        const QString text =
            QStringLiteral("Eine recht lange Zeile, die den Ballon breiter macht als jede Knopfreihe");
        plain->layOutMessage(text, 0, QStringLiteral("T"), false, false, QString(), false, {}, {}, {}, 0, 100,
                             100, 50);
        checked->layOutMessage(text, 0, QStringLiteral("T"), false, false, QStringLiteral("Haken"), false, {},
                               {}, {}, 0, 100, 100, 50);
        QCOMPARE(plain->formWidthTwips(), plain->lblmsg()->width() * 15 + 700);
        QCOMPARE(plain->width(), plain->lblmsg()->width() + 47);
        QCOMPARE(checked->height() - plain->height(), 20); // 300 twips
        QCOMPARE(checked->Check1()->y(), checked->lblmsg()->y() + checked->lblmsg()->height() + 5);
        QCOMPARE(checked->Check1()->x(), checked->lblmsg()->x());
        QCOMPARE(plain->F1()->geometry(), QRect(8, 30, plain->width() - 30, plain->F1()->height()));
        // Without an icon the title moves to the message's left edge.
        QCOMPARE(plain->LblTitle()->x(), plain->lblmsg()->x());
        QCOMPARE(plain->balloonColour(), 0xCCFFFF);
        // The button sits 100 twips above the frame's bottom, centred.
        FlatButton *ok = plain->Cmd1(0);
        QCOMPARE(ok->y() + ok->height(), plain->F1()->height() - 7);
        QVERIFY(qAbs(ok->x() - (plain->F1()->width() - ok->width()) / 2) <= 1);
        plain->unload();
        checked->unload();
    }

    void minimumWidths_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("width");
        QTest::newRow("one button") << 0 << 3500;
        QTest::newRow("two buttons") << 4 << 3500;
        QTest::newRow("three buttons") << 3 << 4500;
    }

    void minimumWidths()
    {
        QFETCH(int, flags);
        QFETCH(int, width);
        QPointer<msgFrm> form = rt::Form::create<msgFrm>();
        form->load();
        form->layOutMessage(QStringLiteral("Kurz"), flags | 64, QStringLiteral("T"), false, true, QString(),
                            false, {}, {}, {}, 0xFF, 0, 0, 0);
        QCOMPARE(form->formWidthTwips(), width);
        QCOMPARE(form->balloonColour(), 0xFF);
        // The icon cell lies on the balloon colour where the strip is green.
        const QImage icon = form->iconPicture()->picture().image();
        QCOMPARE(icon.size(), QSize(32, 32));
        QCOMPARE(icon.pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
        QVERIFY((icon.pixel(16, 16) & 0xFFFFFF) != 0x00FF00u);
        QVERIFY(form->LblTitle()->x() > form->lblmsg()->x());
        form->unload();
    }

    void focusTimerOnlyWithFocusRect()
    {
        QPointer<msgFrm> form = rt::Form::create<msgFrm>();
        form->load();
        form->layOutMessage(QStringLiteral("a"), 0, QStringLiteral("b"), false, true, {}, false, {}, {}, {},
                            0, 0, 0, 0);
        QVERIFY(!form->tmrFocus()->isEnabled());
        QPointer<msgFrm> withLook = rt::Form::create<msgFrm>();
        withLook->load();
        withLook->layOutMessage(QStringLiteral("a"), 0, QStringLiteral("b"), false, true, {}, true, {}, {},
                                {}, 0, 0, 0, 0);
        QVERIFY(withLook->tmrFocus()->isEnabled());
        QVERIFY(withLook->Cmd1(0)->focusRect());
        form->unload();
        withLook->unload();
    }

    void aSecondBalloonShadowsNoGhostOfTheFirst()
    {
        // The second of two questions opens where the first one just closed.
        auto desk = std::make_unique<testsupport::LaggingDesktop>(QSize(1024, 768), Qt::white);
        testsupport::LaggingDesktop *screen = desk.get();
        rt::ServiceSlot<desktop::DesktopSource>::install(std::move(desk));
        const uint32_t red = 0x0000FF;
        for (const uint32_t colour : {red, uint32_t(0x00FF00)}) {
            Dialog &d = dialog(4);
            d.let(QStringLiteral("color"), Variant::fromColor(colour));
            whenShown(
                [](msgFrm *form) { QTest::mouseClick(form->Cmd1(0), Qt::LeftButton, {}, QPoint(5, 5)); });
            QCOMPARE(showMsg(), 6);
        }
        const QImage behind = screen->lastCapture();
        QVERIFY(!behind.isNull());
        int ghostPixels = 0;
        for (int y = 0; y < behind.height(); ++y)
            for (int x = 0; x < behind.width(); ++x)
                ghostPixels += (behind.pixel(x, y) & 0xFFFFFF) == 0xFF0000u;
        QCOMPARE(ghostPixels, 0);
    }
};

KV_TEST_MAIN(TestMessageBox)
#include "tst_MessageBox.moc"
