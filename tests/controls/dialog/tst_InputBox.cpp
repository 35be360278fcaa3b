#include "controls/dialog/AutoFrame.h"
#include "controls/dialog/Dialog.h"
#include "controls/dialog/FlatButton.h"
#include "controls/dialog/InputFrame.h"
#include "controls/dialog/MessageState.h"
#include "controls/dialog/msgFrm.h"
#include "platform/com/AutomationError.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/Timer.h"
#include "platform/runtime/Twips.h"
#include "tests/support/DialogDesk.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TestMain.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <optional>

using namespace ostrevo;
using com::Variant;

namespace
{

constexpr int32_t ShowInputId = 0x6003005D;

// Runs action on the modal balloon once it waits; closes it after five
// seconds should the action leave it open, so no test can hang.
void whenShown(std::function<void(msgFrm *)> action)
{
    testsupport::whenModalShown([action](rt::Form *form) { action(qobject_cast<msgFrm *>(form)); });
}

void release(FlatButton *button, Qt::MouseButton mouse = Qt::LeftButton)
{
    QTest::mouseClick(button, mouse, {}, QPoint(5, 5));
}

int px(double twips)
{
    return rt::Twips::toPixelsX(twips);
}

} // namespace

class TestInputBox : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<Dialog> m_dialog;

    Dialog &dialog(int32_t flags)
    {
        m_dialog = std::make_unique<Dialog>();
        m_dialog->let(QStringLiteral("DialogTitle"), Variant(QStringLiteral("Kennwort")));
        m_dialog->let(QStringLiteral("DialogPrompt"),
                      Variant(QStringLiteral("Bitte das Kennwort eingeben:")));
        m_dialog->let(QStringLiteral("Flags"), Variant::fromLong(flags));
        m_dialog->let(QStringLiteral("Intensity"), Variant::fromInteger(50));
        return *m_dialog;
    }

    QString showInput(bool byDispid = false)
    {
        if (!byDispid)
            return m_dialog->call(QStringLiteral("ShowInput")).toString();
        com::Args none;
        return m_dialog->invoke(ShowInputId, com::Method, none).toString();
    }

    std::optional<testsupport::DialogDesk> m_desk;

private slots:
    void init()
    {
        m_desk.emplace();
        resetMessageState();
    }

    void cleanup()
    {
        m_dialog.reset();
        // A failed check leaves its form behind; the next test starts clean.
        for (rt::Form *form : rt::Form::loadedForms())
            form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_desk.reset();
    }

    void answers_data()
    {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("checkbox"); // caption; empty for none
        QTest::addColumn<bool>("tick");
        QTest::addColumn<QString>("how"); // ok, cancel, close
        QTest::addColumn<bool>("byDispid");
        QTest::addColumn<QString>("expected");
        QTest::newRow("typed text on OK") << ""
                                          << "abc"
                                          << "" << false << "ok" << false << "abc";
        QTest::newRow("by dispid") << ""
                                   << "abc"
                                   << "" << false << "ok" << true << "abc";
        QTest::newRow("preset text on OK") << "Vorgabe"
                                           << ""
                                           << "" << false << "ok" << false << "Vorgabe";
        QTest::newRow("typed after preset") << "Vor"
                                            << "gabe"
                                            << "" << false << "ok" << false << "Vorgabe";
        QTest::newRow("ticked appends _") << ""
                                          << "abc"
                                          << "Merken" << true << "ok" << false << "abc_";
        QTest::newRow("unticked adds nothing") << ""
                                               << "abc"
                                               << "Merken" << false << "ok" << false << "abc";
        QTest::newRow("cancel") << "Vorgabe"
                                << "abc"
                                << "" << false << "cancel" << false << "";
        QTest::newRow("cancel ticked") << ""
                                       << "abc"
                                       << "Merken" << true << "cancel" << true << "";
        QTest::newRow("closed otherwise") << "Vorgabe"
                                          << "abc"
                                          << "Merken" << true << "close" << false << "";
    }

    void answers()
    {
        QFETCH(QString, preset);
        QFETCH(QString, typed);
        QFETCH(QString, checkbox);
        QFETCH(bool, tick);
        QFETCH(QString, how);
        QFETCH(bool, byDispid);
        QFETCH(QString, expected);
        Dialog &d = dialog(0);
        d.let(QStringLiteral("CheckboxCaption"), Variant(checkbox));
        d.let(QStringLiteral("InitMsg"), Variant(preset));
        QString shownText;
        bool checkShown = false;
        whenShown([&](msgFrm *form) {
            InputFrame *f = form->inputFrame();
            shownText = f->iTxt()->text();
            checkShown = f->Check2()->isVisible();
            f->iTxt()->end(false);
            QTest::keyClicks(f->iTxt(), typed);
            f->Check2()->setChecked(tick);
            if (how == QLatin1String("ok"))
                release(f->iCmd(1));
            else if (how == QLatin1String("cancel"))
                release(f->iCmd(0));
            else
                form->close();
        });
        QCOMPARE(showInput(byDispid), expected);
        QCOMPARE(shownText, preset);
        QCOMPARE(checkShown, !checkbox.isEmpty());
        QCOMPARE(messageState().InitMsg, expected);
        QCOMPARE(d.get(QStringLiteral("InitMsg")).toString(), expected);
    }

    void okWithEmptyTextKeepsTheBoxOpen()
    {
        dialog(0);
        bool stillOpen = false;
        int16_t buttonAfterEmptyOk = 0;
        whenShown([&](msgFrm *form) {
            InputFrame *f = form->inputFrame();
            release(f->iCmd(1), Qt::RightButton);
            QTest::qWait(20);
            stillOpen = rt::Form::activeModalForm() == form && form->isVisible();
            buttonAfterEmptyOk = messageState().sButton;
            QTest::keyClicks(f->iTxt(), QStringLiteral("x"));
            release(f->iCmd(1));
        });
        QCOMPARE(showInput(), QStringLiteral("x"));
        QVERIFY(stillOpen);
        QCOMPARE(buttonAfterEmptyOk, int16_t(2));
        QCOMPARE(messageState().sButton, int16_t(1));
    }

    void enterAndEscapeInTheTextDoNotAnswer()
    {
        dialog(0);
        bool stillOpen = false;
        whenShown([&](msgFrm *form) {
            InputFrame *f = form->inputFrame();
            QCOMPARE(form->focusWidget(), static_cast<QWidget *>(f->iTxt()));
            QTest::keyClicks(f->iTxt(), QStringLiteral("abc"));
            QTest::keyClick(f->iTxt(), Qt::Key_Return);
            QTest::keyClick(f->iTxt(), Qt::Key_Escape);
            QTest::qWait(20);
            stillOpen = rt::Form::activeModalForm() == form;
            release(f->iCmd(1));
        });
        QCOMPARE(showInput(), QStringLiteral("abc"));
        QVERIFY(stillOpen);
        // The last key pressed in the box, released again.
        QCOMPARE(messageState().sKey, int16_t(27));
        QCOMPARE(messageState().sKeyDown, false);
    }

    void clearsTheKeyStateButNotTheButton()
    {
        dialog(0);
        messageState().sKey = 65;
        messageState().sKeyShift = 1;
        messageState().sKeyDown = true;
        messageState().sButton = 4;
        MessageState seen;
        whenShown([&](msgFrm *form) {
            seen = messageState();
            QTest::keyPress(form->inputFrame()->iTxt(), Qt::Key_B, Qt::ShiftModifier);
            release(form->inputFrame()->iCmd(0));
        });
        QCOMPARE(showInput(), QString());
        QCOMPARE(seen.sKey, int16_t(0));
        QCOMPARE(seen.sKeyShift, int16_t(0));
        QCOMPARE(seen.sKeyDown, false);
        QCOMPARE(seen.sButton, int16_t(4));
        QCOMPARE(messageState().sKey, int16_t(66));
        QCOMPARE(messageState().sKeyShift, int16_t(1)); // still held when the box closed
    }

    void captions_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("btn1");
        QTest::addColumn<QString>("btn2");
        QTest::addColumn<QString>("cancel");
        QTest::addColumn<QString>("ok");
        QTest::newRow("plain") << 0 << ""
                               << ""
                               << "Cancel"
                               << "OK";
        QTest::newRow("custom captions ignored without 6") << (4 | 32) << "Nein"
                                                           << "Ja"
                                                           << "Cancel"
                                                           << "OK";
        QTest::newRow("custom") << 6 << "&Zurück"
                                << "&Weiter"
                                << "&Zurück"
                                << "&Weiter";
        QTest::newRow("custom, second only") << 6 << ""
                                             << "Weiter"
                                             << "Cancel"
                                             << "Weiter";
        QTest::newRow("custom, none") << (6 | 0x200) << ""
                                      << ""
                                      << "Cancel"
                                      << "OK";
    }

    void captions()
    {
        QFETCH(int, flags);
        QFETCH(QString, btn1);
        QFETCH(QString, btn2);
        QFETCH(QString, cancel);
        QFETCH(QString, ok);
        Dialog &d = dialog(flags);
        d.let(QStringLiteral("Btn1Caption"), Variant(btn1));
        d.let(QStringLiteral("Btn2Caption"), Variant(btn2));
        d.let(QStringLiteral("Btn3Caption"), Variant(QStringLiteral("Drei")));
        QStringList shown;
        int visibleMessageButtons = -1;
        whenShown([&](msgFrm *form) {
            InputFrame *f = form->inputFrame();
            shown << f->iCmd(0)->caption() << f->iCmd(1)->caption();
            visibleMessageButtons = 0;
            for (int i = 0; i < 3; ++i)
                visibleMessageButtons += form->Cmd1(i)->isVisible() ? 1 : 0;
            release(f->iCmd(0));
        });
        showInput();
        QCOMPARE(shown, (QStringList{cancel, ok}));
        QCOMPARE(visibleMessageButtons, 0);
    }

    void accessKeyOfACustomCaptionAnswers()
    {
        dialog(6).let(QStringLiteral("Btn2Caption"), Variant(QStringLiteral("&Weiter")));
        whenShown([](msgFrm *form) {
            InputFrame *f = form->inputFrame();
            QTest::keyClicks(f->iTxt(), QStringLiteral("abc"));
            QTest::keyPress(f->iTxt(), Qt::Key_W, Qt::AltModifier);
            for (int i = 0; i < 20 && form->isVisible(); ++i)
                QTest::qWait(5);
            QTest::keyRelease(f->iTxt(), Qt::Key_W, Qt::AltModifier);
        });
        QCOMPARE(showInput(), QStringLiteral("abc"));
    }

    void layoutInTwips_data()
    {
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("checkbox");
        QTest::newRow("one line") << "Name:"
                                  << "";
        QTest::newRow("three lines and a check box") << "Eins\r\nZwei\r\nDrei"
                                                     << "Merken";
    }

    void layoutInTwips()
    {
        QFETCH(QString, prompt);
        QFETCH(QString, checkbox);
        QPointer<msgFrm> form = rt::Form::create<msgFrm>();
        form->load();
        form->layOutInput(prompt, 64, QStringLiteral("Titel"), QStringLiteral("abc"), false, true, checkbox,
                          false, {}, {}, 0, 0, 0, 0);
        InputFrame *f = form->inputFrame();
        // The design width stays: 5355 twips; the frame 30 pixels narrower.
        QCOMPARE(form->width(), 357);
        QCOMPARE(f->geometry().topLeft(), QPoint(8, 30));
        QCOMPARE(f->width(), 327);
        QCOMPARE(f->iMsg()->geometry().topLeft(), QPoint(6, 42));
        QCOMPARE(f->iMsg()->width(), px(327 * 15 - 130));
        const double textTop = 630 + f->iMsg()->height() * 15 + 300;
        QCOMPARE(f->iTxt()->geometry(), QRect(6, px(textTop), px(4775), px(315)));
        const double buttonTop = textTop + 315 + 70;
        QCOMPARE(f->iCmd(1)->geometry(), QRect(px(90 + 4775 - 1005), px(buttonTop), px(1005), px(330)));
        QCOMPARE(f->iCmd(0)->geometry(),
                 QRect(px(90 + 4775 - 2 * 1005 - 70), px(buttonTop), px(1005), px(330)));
        QCOMPARE(f->iTxt()->text(), QStringLiteral("abc"));
        QCOMPARE(f->Check2()->isVisibleTo(form), !checkbox.isEmpty());
        if (!checkbox.isEmpty())
            QCOMPARE(f->Check2()->geometry(), QRect(6, px(buttonTop), px(2785 - 90 - 10), px(465)));
        const int frameHeight = int(std::nearbyint((buttonTop + 330 + 115) / 15));
        QCOMPARE(f->height(), frameHeight);
        QCOMPARE(form->height(), frameHeight + 65);
        QCOMPARE(f->iTitle()->geometry(), QRect(px(720), px(270), px(4215), px(225)));
        // Only the input frame shows.
        QVERIFY(form->F1()->isHidden());
        QVERIFY(form->autoFrame()->isHidden());
        form->unload();
    }

    void intensityOutOfRangeShowsNothing()
    {
        dialog(0).let(QStringLiteral("Intensity"), Variant::fromInteger(76));
        int error = 0;
        try {
            showInput();
        } catch (const com::AutomationError &e) {
            error = e.number();
        }
        QCOMPARE(error, 6);
        QVERIFY(rt::Form::loadedForms().isEmpty());
    }

    void nothingLeaksAcrossBoxes()
    {
        dialog(32).let(QStringLiteral("FocusRect"), Variant::fromBool(true));
        const int objects = gdi::liveObjectCount();
        const int forms = QApplication::topLevelWidgets().size();
        for (int round = 0; round < 2; ++round) {
            whenShown([](msgFrm *form) {
                QTest::keyClicks(form->inputFrame()->iTxt(), QStringLiteral("z"));
                release(form->inputFrame()->iCmd(1));
            });
            // The answer is the next box's default text.
            QCOMPARE(showInput(), round == 0 ? QStringLiteral("z") : QStringLiteral("zz"));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(gdi::liveObjectCount(), objects);
            QCOMPARE(QApplication::topLevelWidgets().size(), forms);
        }
    }
};

KV_TEST_MAIN(TestInputBox)
#include "tst_InputBox.moc"
