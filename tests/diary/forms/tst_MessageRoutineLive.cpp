#include "diary/forms/MessageRoutine.h"
#include "platform/com/Control.h"
#include "platform/com/ControlHost.h"
#include "platform/desktop/DesktopSource.h"
#include "platform/runtime/Form.h"
#include "platform/runtime/SystemSources.h"
#include "platform/sound/SoundOutput.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeCursorSource.h"
#include "tests/support/fakes/FakeScreenSource.h"
#include "tests/support/fakes/RecordingSound.h"
#include "tests/support/fakes/SyntheticDesktop.h"

#include <QCheckBox>
#include <QTimer>

using com::Variant;

namespace
{

// What the balloon showed while it waited for its answer.
struct Shown {
    QStringList captions; // the visible buttons, left to right
    QPoint position;
    bool answered = false;
};

// Answers the modal balloon once it waits: ticks its check box if asked and
// releases the button with the given caption. Closes it after five seconds
// should that caption not be there, so no test can hang.
void answerWith(const QString &caption, bool tick, Shown &shown)
{
    testsupport::whenModalShown([caption, tick, &shown](rt::Form *form) {
        for (com::Control *button : testsupport::visibleButtons(form))
            shown.captions << button->get(QStringLiteral("Caption")).toString();
        shown.position = form->pos();
        if (tick)
            testsupport::tickCheckBoxes(form);
        shown.answered = testsupport::pressButtonCaptioned(form, caption);
    });
}

} // namespace

class TestMessageRoutineLive : public QObject
{
    Q_OBJECT
private:
    QWidget m_window; // the diary window that holds Dialog1
    com::Control *m_dialog1 = nullptr;

private slots:
    void initTestCase()
    {
        QVERIFY(testsupport::registerLibrary(QStringLiteral("libostrevo.so")));
        m_dialog1 = com::ControlHost::createControl(QStringLiteral("Quiv_Tools.Dialog"), &m_window,
                                                    QStringLiteral("Dialog1"));
        QVERIFY(m_dialog1);
        rt::SystemSources::setScreen(std::make_unique<rt::FakeScreenSource>());
        rt::SystemSources::setCursor(std::make_unique<rt::FakeCursorSource>(QPoint(40, 40)));
        rt::ServiceSlot<desktop::DesktopSource>::install(std::make_unique<desktop::SyntheticDesktop>());
        rt::ServiceSlot<sound::SoundOutput>::install(std::make_unique<sound::RecordingSound>());
    }

    void cleanupTestCase()
    {
        rt::ServiceSlot<sound::SoundOutput>::reset();
        rt::ServiceSlot<desktop::DesktopSource>::reset();
        rt::SystemSources::reset();
    }

    // One window's Dialog1 answers several messages in a row, each with the
    // buttons of its own flags.
    void answers_data()
    {
        QTest::addColumn<bool>("second"); // ShowMessage2
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("checkbox");
        QTest::addColumn<QString>("click");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("expected");
        const QStringList yesNo{"Ja", "Nein"};
        const QStringList custom2{"Okay", "Abbrechen", "Hilfe"};
        QTest::newRow("yes") << false << "36"
                             << ""
                             << "Ja" << yesNo << "6";
        QTest::newRow("no") << false << "36"
                            << ""
                            << "Nein" << yesNo << "7";
        QTest::newRow("OK") << false << "64"
                            << ""
                            << "OK" << QStringList{"OK"} << "1";
        QTest::newRow("second: no, default second") << true << "324"
                                                    << ""
                                                    << "Nein" << yesNo << "7";
        QTest::newRow("second: custom 1") << true << "70"
                                          << ""
                                          << "Okay" << custom2 << "1";
        QTest::newRow("second: custom 2") << true << "70"
                                          << ""
                                          << "Abbrechen" << custom2 << "2";
        QTest::newRow("second: custom 3") << true << "70"
                                          << ""
                                          << "Hilfe" << custom2 << "3";
        QTest::newRow("ticked yes") << true << "68"
                                    << "Nicht mehr fragen"
                                    << "Ja" << yesNo << "106";
        QTest::newRow("critical OK") << false << "16"
                                     << ""
                                     << "OK" << QStringList{"OK"} << "1";
    }

    void answers()
    {
        QFETCH(bool, second);
        QFETCH(QString, flags);
        QFETCH(QString, checkbox);
        QFETCH(QString, click);
        QFETCH(QStringList, captions);
        QFETCH(QString, expected);
        // The routine leaves the check box to the window.
        m_dialog1->let(QStringLiteral("CheckboxCaption"), Variant(checkbox));
        Shown shown;
        answerWith(click, !checkbox.isEmpty(), shown);
        const QString prompt = QStringLiteral("Wirklich?");
        const QString title = QStringLiteral("Kalvento");
        const QString answer = second ? kalvento::ShowMessage2(*m_dialog1, prompt, flags, title)
                                      : kalvento::ShowMessage(*m_dialog1, prompt, flags, title);
        QVERIFY(shown.answered);
        QCOMPARE(answer, expected);
        QCOMPARE(shown.captions, captions);
        QCOMPARE(m_dialog1->get(QStringLiteral("InitMsg")).toString(), expected);
        // The members the routine set, as the control keeps them.
        QCOMPARE(m_dialog1->get(QStringLiteral("DialogTitle")).toString(), title);
        QCOMPARE(m_dialog1->get(QStringLiteral("DialogPrompt")).toString(), prompt);
        QCOMPARE(m_dialog1->get(QStringLiteral("Flags")).toLong(), flags.toInt());
        QCOMPARE(m_dialog1->get(QStringLiteral("Pointer")).toBool(), !second);
        QCOMPARE(m_dialog1->get(QStringLiteral("color")).toLong(), 0xCCFFFF);
        QCOMPARE(m_dialog1->get(QStringLiteral("Intensity")).toInteger(), int16_t(50));
        QCOMPARE(m_dialog1->get(QStringLiteral("Btn1Caption")).toString(), second ? "Okay" : "OK");
        QCOMPARE(m_dialog1->get(QStringLiteral("Btn2Caption")).toString(), second ? "Abbrechen" : "JA");
    }

    void withoutPointerTheBalloonIsCentred()
    {
        m_dialog1->let(QStringLiteral("CheckboxCaption"), Variant(QString()));
        Shown pointing;
        answerWith(QStringLiteral("OK"), false, pointing);
        QCOMPARE(
            kalvento::ShowMessage(*m_dialog1, QStringLiteral("a"), QStringLiteral("64"), QStringLiteral("t")),
            QStringLiteral("1"));
        Shown centred;
        answerWith(QStringLiteral("OK"), false, centred);
        QCOMPARE(kalvento::ShowMessage2(*m_dialog1, QStringLiteral("a"), QStringLiteral("64"),
                                        QStringLiteral("t")),
                 QStringLiteral("1"));
        const QSize screen = rt::SystemSources::screen().size();
        // Near the cursor at (40, 40) with the pointer; in the middle without.
        QVERIFY(pointing.position.x() < screen.width() / 4);
        QVERIFY(centred.position.x() > screen.width() / 4);
        QVERIFY(centred.position.y() > screen.height() / 4);
    }
};

KV_TEST_MAIN(TestMessageRoutineLive)
#include "tst_MessageRoutineLive.moc"
