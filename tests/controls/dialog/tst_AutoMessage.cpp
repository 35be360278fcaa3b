#include "controls/dialog/AutoFrame.h"
#include "controls/dialog/Dialog.h"
#include "controls/dialog/FlatButton.h"
#include "controls/dialog/InputFrame.h"
#include "controls/dialog/MessageState.h"
#include "controls/dialog/msgFrm.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/Timer.h"
#include "platform/runtime/Twips.h"
#include "tests/support/DialogDesk.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeClock.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <optional>

using namespace ostrevo;
using com::Variant;

namespace
{

constexpr int32_t ShowAutoMsgId = 0x6003005E;

// The self-closing balloon still up, if any.
QPointer<msgFrm> autoBalloon()
{
    for (rt::Form *form : rt::Form::loadedForms()) {
        auto *balloon = qobject_cast<msgFrm *>(form);
        if (balloon && balloon->isVisible() && !balloon->autoFrame()->isHidden())
            return balloon;
    }
    return nullptr;
}

int visibleButtons(msgFrm *form)
{
    int count = 0;
    for (FlatButton *button : form->findChildren<FlatButton *>())
        count += button->isVisible() ? 1 : 0;
    return count;
}

} // namespace

class TestAutoMessage : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<Dialog> m_dialog;
    rt::FakeClock *m_clock = nullptr;

    Dialog &dialog(int32_t flags, int16_t mTime)
    {
        m_dialog = std::make_unique<Dialog>();
        m_dialog->let(QStringLiteral("DialogTitle"), Variant(QStringLiteral("Gespeichert")));
        m_dialog->let(QStringLiteral("DialogPrompt"),
                      Variant(QStringLiteral("Der Eintrag wurde gespeichert.")));
        m_dialog->let(QStringLiteral("Flags"), Variant::fromLong(flags));
        m_dialog->let(QStringLiteral("mTime"), Variant::fromInteger(mTime));
        m_dialog->let(QStringLiteral("Intensity"), Variant::fromInteger(50));
        return *m_dialog;
    }

    int16_t showAutoMsg() { return m_dialog->call(QStringLiteral("ShowAutoMsg")).toInteger(); }

    void useFakeClock()
    {
        auto clock = std::make_unique<rt::FakeClock>();
        m_clock = clock.get();
        rt::SystemSources::setClock(std::move(clock));
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
        for (rt::Form *form : rt::Form::loadedForms())
            form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_clock = nullptr;
        m_desk.reset();
    }

    void returnsAtOnceAndClosesAfterItsTime()
    {
        dialog(64, 1);
        QElapsedTimer watch;
        watch.start();
        QCOMPARE(showAutoMsg(), int16_t(0));
        // Returned without waiting: the balloon is still up. (No bound on the
        // time taken, which a busy machine may stretch.)
        QPointer<msgFrm> balloon = autoBalloon();
        QVERIFY(balloon);
        QVERIFY(balloon->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!rt::Form::activeModalForm());
        QTRY_VERIFY_WITH_TIMEOUT(!autoBalloon(), 5000);
        QVERIFY(watch.elapsed() >= 950);
    }

    void closesAfterMTimeSeconds_data()
    {
        QTest::addColumn<int>("mTime");
        QTest::addColumn<int>("firstInterval");
        QTest::newRow("1 second") << 1 << 1000;
        QTest::newRow("32 seconds") << 32 << 32000;
        // Beyond 16 bits of milliseconds and beyond one timer interval.
        QTest::newRow("33 seconds") << 33 << 33000;
        QTest::newRow("66 seconds") << 66 << 65535;
        QTest::newRow("largest") << 32767 << 65535;
    }

    void closesAfterMTimeSeconds()
    {
        QFETCH(int, mTime);
        QFETCH(int, firstInterval);
        useFakeClock();
        dialog(0, static_cast<int16_t>(mTime));
        QCOMPARE(showAutoMsg(), int16_t(0));
        QPointer<msgFrm> balloon = autoBalloon();
        QVERIFY(balloon);
        rt::Timer *timer1 = balloon->autoFrame()->Timer1();
        QVERIFY(timer1->isRunning());
        QCOMPARE(timer1->interval(), firstInterval);
        // A millisecond early it stays, whenever the timer ticks.
        const qint64 span = qint64{mTime} * 1000;
        m_clock->setTickCount(span - 1);
        QVERIFY(timer1->fire());
        QVERIFY(balloon && balloon->isVisible());
        QCOMPARE(timer1->interval(), 1);
        m_clock->setTickCount(span);
        QVERIFY(timer1->fire());
        QVERIFY(!autoBalloon());
    }

    void noTimeStaysUntilClosed_data()
    {
        QTest::addColumn<int>("mTime");
        QTest::newRow("0") << 0;
        QTest::newRow("-1") << -1;
        QTest::newRow("most negative") << -32768;
    }

    void noTimeStaysUntilClosed()
    {
        QFETCH(int, mTime);
        useFakeClock();
        dialog(48, static_cast<int16_t>(mTime));
        QCOMPARE(showAutoMsg(), int16_t(0));
        QPointer<msgFrm> balloon = autoBalloon();
        QVERIFY(balloon);
        QVERIFY(!balloon->autoFrame()->Timer1()->isRunning());
        m_clock->advance(qint64{24} * 3600 * 1000);
        QVERIFY(!balloon->autoFrame()->Timer1()->fire());
        QVERIFY(autoBalloon());
        QLabel *close = balloon->autoFrame()->command1();
        QTest::mouseClick(close, Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(!autoBalloon());
    }

    void noButtonsForAnyFlags_data()
    {
        QTest::addColumn<int>("flags");
        for (int buttons = 0; buttons <= 7; ++buttons)
            QTest::newRow(qPrintable(QStringLiteral("buttons %1").arg(buttons))) << (buttons | 0x200 | 16);
    }

    void noButtonsForAnyFlags()
    {
        QFETCH(int, flags);
        Dialog &d = dialog(flags, 0);
        d.let(QStringLiteral("Btn1Caption"), Variant(QStringLiteral("Eins")));
        d.let(QStringLiteral("CheckboxCaption"), Variant(QStringLiteral("Haken")));
        QCOMPARE(showAutoMsg(), int16_t(0));
        QPointer<msgFrm> balloon = autoBalloon();
        QVERIFY(balloon);
        QCOMPARE(visibleButtons(balloon), 0);
        QVERIFY(balloon->F1()->isHidden());
        QVERIFY(balloon->inputFrame()->isHidden());
        QVERIFY(!balloon->Check1()->isVisible());
        QVERIFY(balloon->autoFrame()->aPic()->isVisible());
    }

    void keyStateLeftAlone()
    {
        dialog(0, 0);
        messageState().sKey = 65;
        messageState().sKeyShift = 2;
        messageState().sKeyDown = true;
        showAutoMsg();
        QCOMPARE(messageState().sKey, int16_t(65));
        QCOMPARE(messageState().sKeyShift, int16_t(2));
        QCOMPARE(messageState().sKeyDown, true);
    }

    void closeImageLooks()
    {
        dialog(0, 0);
        showAutoMsg();
        QPointer<msgFrm> balloon = autoBalloon();
        AutoFrame *f = balloon->autoFrame();
        QLabel *close = f->command1();
        QCOMPARE(close->geometry(),
                 QRect(rt::Twips::toPixelsX(f->width() * 15 - 16 * 15 - 50), f->aPic()->y(), 16, 16));
        QTest::mouseMove(close, QPoint(8, 8));
        QCOMPARE(f->closeLook(), AutoFrame::Hover);
        QCOMPARE(f->command1Tag(), QStringLiteral("1"));
        QTest::mouseMove(f, QPoint(20, 60));
        QCOMPARE(f->closeLook(), AutoFrame::Normal);
        QCOMPARE(f->command1Tag(), QString());
        QTest::mousePress(close, Qt::LeftButton, {}, QPoint(8, 8));
        QCOMPARE(f->closeLook(), AutoFrame::Pressed);
        QVERIFY(autoBalloon());
        // Released off the image: no click, the balloon stays.
        QTest::mouseRelease(close, Qt::LeftButton, {}, QPoint(40, 8));
        QCOMPARE(f->closeLook(), AutoFrame::Normal);
        QVERIFY(autoBalloon());
        QTest::mouseClick(close, Qt::RightButton, {}, QPoint(8, 8));
        QVERIFY(autoBalloon());
        QTest::mouseClick(close, Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(!autoBalloon());
    }

    void cannotBeDragged()
    {
        dialog(0, 0);
        showAutoMsg();
        QPointer<msgFrm> balloon = autoBalloon();
        const QPoint before = balloon->pos();
        const QImage surface = balloon->surface();
        QWidget *frame = balloon->autoFrame();
        QTest::mousePress(frame, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseMove(frame, QPoint(80, 60));
        QTest::mouseRelease(frame, Qt::LeftButton, {}, QPoint(80, 60));
        QCOMPARE(balloon->pos(), before);
        QCOMPARE(balloon->surface(), surface); // no outline lines of a drag
    }

    void longMessageWrapsTallerNeverWider()
    {
        QPointer<msgFrm> brief = rt::Form::create<msgFrm>();
        QPointer<msgFrm> wordy = rt::Form::create<msgFrm>();
        brief->load();
        wordy->load();
        brief->layOutAuto(QStringLiteral("Kurz."), 64, QStringLiteral("T"), false, true, 0, 0, 0, 0);
        wordy->layOutAuto(QStringLiteral("Ein langer Satz ").repeated(20), 64, QStringLiteral("T"), false,
                          true, 0, 0, 0, 0);
        QCOMPARE(brief->width(), 357);
        QCOMPARE(wordy->width(), 357);
        AutoFrame *f = wordy->autoFrame();
        QCOMPARE(f->geometry().topLeft(), QPoint(8, 30));
        QCOMPARE(f->width(), 327);
        QCOMPARE(f->aMsg()->width(), rt::Twips::toPixelsX(327 * 15 - 130));
        QCOMPARE(f->aTitle()->geometry(), rt::Twips::toPixels(QRect(720, 315, 3855, 225)));
        const int frameHeight = int(std::nearbyint((630 + f->aMsg()->height() * 15 + 300) / 15.0));
        QCOMPARE(f->height(), frameHeight);
        QCOMPARE(wordy->height(), 30 + frameHeight + 40);
        QVERIFY(wordy->height() > brief->height());
        brief->unload();
        wordy->unload();
    }

    void aModalBoxGetsAWindowOfItsOwn()
    {
        dialog(64, 0);
        showAutoMsg();
        QPointer<msgFrm> balloon = autoBalloon();
        m_dialog->let(QStringLiteral("Flags"), Variant::fromLong(4));
        msgFrm *modal = nullptr;
        testsupport::ModalWatcher watcher([&](rt::Form *form) {
            modal = qobject_cast<msgFrm *>(form);
            if (modal)
                QTest::mouseClick(modal->Cmd1(1), Qt::LeftButton, {}, QPoint(5, 5));
            return true;
        });
        QCOMPARE(m_dialog->call(QStringLiteral("ShowMsg")).toLong(), 7);
        QVERIFY(modal);
        QVERIFY(modal != balloon);
        QVERIFY(balloon && balloon->isVisible());
        QCOMPARE(visibleButtons(balloon), 0);
    }

    void byDispidAndNothingLeaks()
    {
        dialog(16, 0);
        const int objects = gdi::liveObjectCount();
        const int forms = QApplication::topLevelWidgets().size();
        com::Args none;
        QCOMPARE(m_dialog->invoke(ShowAutoMsgId, com::Method, none).toInteger(), int16_t(0));
        QTest::mouseClick(autoBalloon()->autoFrame()->command1(), Qt::LeftButton, {}, QPoint(8, 8));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(gdi::liveObjectCount(), objects);
        QCOMPARE(QApplication::topLevelWidgets().size(), forms);
    }
};

KV_TEST_MAIN(TestAutoMessage)
#include "tst_AutoMessage.moc"
