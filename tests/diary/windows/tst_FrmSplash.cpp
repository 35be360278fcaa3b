#include "diary/outsidecontrols/CommandButton.h"
#include "diary/program/ProgramEnd.h"
#include "diary/windows/FrmMain.h"
#include "diary/windows/FrmSplash.h"
#include "diary/windows/passwort2.h"
#include "platform/com/Control.h"
#include "platform/runtime/App.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/Timer.h"
#include "tests/support/DiaryHome.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeClock.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

using kalvento::FrmSplash;
using kalvento::passwort2;

namespace
{

const QString Cancel = QStringLiteral("<Abbrechen>");
const QString CloseBox = QStringLiteral("<Schließfeld>");

// Plays the user at start-up: types each answer into the prompt and presses
// OK (or cancels / closes), and presses the only button of every balloon.
// Clicks are queued so a balloon opened by a click gets its own turn.
class User
{
public:
    explicit User(QStringList answers)
        : m_answers(std::move(answers)), m_watcher([this](rt::Form *form) { return answer(form); }, 0)
    {
    }
    QStringList balloons;    // every balloon's visible texts
    QStringList fieldBefore; // the prompt's field each time before typing

private:
    bool answer(rt::Form *form)
    {
        if (auto *prompt = qobject_cast<passwort2 *>(form)) {
            // With every answer given, the prompt is on its way out; a busy
            // machine may still show it for a moment.
            if (m_answers.isEmpty())
                return false;
            // The prompt comes back into view while its balloon is still
            // closing, before it clears the field; give it a moment, but
            // record what is there if it never clears.
            if (!prompt->pw()->text().isEmpty() && ++m_waits < 200)
                return false;
            m_waits = 0;
            fieldBefore << prompt->pw()->text();
            const QString answer = m_answers.takeFirst();
            QTimer::singleShot(0, prompt, [prompt, answer] {
                if (answer == Cancel) {
                    prompt->xpButton2()->click();
                } else if (answer == CloseBox) {
                    prompt->close();
                } else {
                    prompt->pw()->setText(answer);
                    prompt->xpButton1()->click();
                }
            });
            return true;
        }
        if (testsupport::visibleButtons(form).isEmpty())
            return false; // not laid out yet
        balloons << testsupport::labelTexts(form);
        testsupport::pressButtonAtLater(form, 0);
        return true;
    }
    QStringList m_answers;
    int m_waits = 0;
    testsupport::ModalWatcher m_watcher;
};

template <class F> F *loaded()
{
    for (rt::Form *form : rt::Form::loadedForms())
        if (auto *f = qobject_cast<F *>(form))
            return f;
    return nullptr;
}

} // namespace

class TestFrmSplash : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<testsupport::DiaryHome> m_home;
    int m_ends = 0;

    QString passwordFile() const { return m_home->filePath(QStringLiteral("zorvelin.cod")); }
    QByteArray fileBytes() const
    {
        QFile file(passwordFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<fehlt>");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(testsupport::registerLibrary(QStringLiteral("libostrevo.so")));
        rt::SystemSources::setClock(std::make_unique<rt::FakeClock>());
        rt::App::setVersion(3, 1, 42);
        QApplication::setQuitOnLastWindowClosed(false);
        kalvento::ProgramEnd::setHook([this] { ++m_ends; });
    }

    void init()
    {
        m_ends = 0;
        m_home = std::make_unique<testsupport::DiaryHome>();
        QVERIFY(m_home->isValid());
    }

    void cleanup()
    {
        for (rt::Form *form : rt::Form::loadedForms())
            form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void loadingShowsTitleAndVersionAndArmsTheTimer()
    {
        QPointer<FrmSplash> splash = rt::Form::create<FrmSplash>();
        splash->load();
        QCOMPARE(splash->Label1()->get(QStringLiteral("Caption")).toString(),
                 QStringLiteral("Zorvelin Professional"));
        QCOMPARE(splash->Label6()->get(QStringLiteral("Caption")).toString(), QStringLiteral("V3.1.42"));
        QCOMPARE(splash->Label1()->get(QStringLiteral("BackColorL")).toLong(), 0xFFFFFF);
        QCOMPARE(splash->Label6()->get(QStringLiteral("BackColorL")).toLong(), 0xFFFFFF);
        QCOMPARE(splash->Label4()->text(), QStringLiteral("Datenbestand wird eingelesen..."));
        QCOMPARE(splash->Timer1()->interval(), 2900);
        QVERIFY(splash->Timer1()->isRunning());
        // A missing file is made with exactly one empty line.
        QCOMPARE(fileBytes(), QByteArray("\r\n"));
    }

    void timerHandsOverOnItsOwn()
    {
        QPointer<FrmSplash> splash = rt::Form::create<FrmSplash>();
        splash->load();
        splash->showModeless();
        QTRY_VERIFY_WITH_TIMEOUT(loaded<kalvento::FrmMain>() != nullptr, 5000);
        QTRY_VERIFY(!splash);
        QVERIFY(loaded<kalvento::FrmMain>()->isVisible());
    }

    void startUp_data()
    {
        QTest::addColumn<QByteArray>("file"); // "<fehlt>": no file
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("prompted");
        QTest::addColumn<int>("wrong");    // "Falsches Passwort" balloons
        QTest::addColumn<bool>("damaged"); // one "damaged file" balloon
        QTest::addColumn<bool>("mainOpens");

        // "Test" scrambles to 180C101C, "ä€" to A8E9.
        QTest::newRow("no file") << QByteArray("<fehlt>") << QStringList() << false << 0 << false << true;
        QTest::newRow("empty line") << QByteArray("\r\n") << QStringList() << false << 0 << false << true;
        QTest::newRow("empty file") << QByteArray() << QStringList() << false << 0 << false << true;
        QTest::newRow("right") << QByteArray("180C101C\r\n") << QStringList{"Test"} << true << 0 << false
                               << true;
        QTest::newRow("wrong, other case, empty, then right")
            << QByteArray("180C101C\r\n") << QStringList{"Tast", "test", "", "TEST", "Test"} << true << 4
            << false << true;
        QTest::newRow("wrong then cancel")
            << QByteArray("180C101C\r\n") << QStringList{"x", Cancel} << true << 1 << false << false;
        QTest::newRow("close box") << QByteArray("180C101C\r\n") << QStringList{CloseBox} << true << 0
                                   << false << false;
        QTest::newRow("split over two lines")
            << QByteArray("180C\r\n101C\r\n") << QStringList{"Test"} << true << 0 << false << true;
        QTest::newRow("lower-case digits")
            << QByteArray("180c101c\r\n") << QStringList{"Test"} << true << 0 << false << true;
        QTest::newRow("umlaut and euro")
            << QByteArray("A8E9\r\n") << QStringList{"ä€"} << true << 0 << false << true;
        QTest::newRow("damaged line")
            << QByteArray("18ZZ\r\n") << QStringList{"Test"} << true << 0 << true << false;
    }
    void startUp()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, answers);
        QFETCH(bool, prompted);
        QFETCH(int, wrong);
        QFETCH(bool, damaged);
        QFETCH(bool, mainOpens);
        if (file != "<fehlt>") {
            QFile out(passwordFile());
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(file);
        }
        QPointer<FrmSplash> splash = rt::Form::create<FrmSplash>();
        splash->load();
        splash->showModeless();
        User user(answers);
        QVERIFY(splash->Timer1()->fire()); // returns once the prompt is done
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!splash);
        QVERIFY(!loaded<passwort2>());

        QCOMPARE(!user.fieldBefore.isEmpty(), prompted);
        for (const QString &field : std::as_const(user.fieldBefore))
            QCOMPARE(field, QString()); // cleared after every wrong answer
        QCOMPARE(user.balloons.size(), wrong + (damaged ? 1 : 0));
        for (int i = 0; i < wrong; ++i) {
            QVERIFY(user.balloons[i].contains(QStringLiteral("Falsches Passwort")));
            QVERIFY(user.balloons[i].contains(QStringLiteral("Bitte wiederholen Sie die Eingabe.")));
        }
        if (damaged)
            QVERIFY(user.balloons.last().contains(QStringLiteral("beschädigt")));
        kalvento::FrmMain *main = loaded<kalvento::FrmMain>();
        QCOMPARE(main != nullptr, mainOpens);
        if (main)
            QVERIFY(main->isVisible());
        QCOMPARE(m_ends, mainOpens ? 0 : 1);
        // Start-up only reads a file that is there.
        QCOMPARE(fileBytes(), file == "<fehlt>" ? QByteArray("\r\n") : file);
    }

    // Typed as a person does, into whatever has the prompt's focus; key 0 is
    // a click on "Okay" instead, which must not keep the focus.
    void promptAnswersTheKeyboard_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<bool>("mainOpens");
        QTest::newRow("Return") << QStringList{"Test"} << QList<int>{Qt::Key_Return} << 0 << true;
        QTest::newRow("keypad Enter") << QStringList{"Test"} << QList<int>{Qt::Key_Enter} << 0 << true;
        QTest::newRow("clicked wrong, then Return")
            << QStringList{"Tast", "Test"} << QList<int>{0, Qt::Key_Return} << 1 << true;
        QTest::newRow("Escape") << QStringList{"Test"} << QList<int>{Qt::Key_Escape} << 0 << false;
        QTest::newRow("wrong, then Escape")
            << QStringList{"x", ""} << QList<int>{Qt::Key_Return, Qt::Key_Escape} << 1 << false;
    }
    void promptAnswersTheKeyboard()
    {
        QFETCH(QStringList, typed);
        QFETCH(QList<int>, keys);
        QFETCH(int, wrong);
        QFETCH(bool, mainOpens);
        QFile out(passwordFile());
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("180C101C\r\n"); // "Test"
        out.close();
        QStringList focusAtEachTry, balloons;
        testsupport::ModalWatcher watcher([&](rt::Form *form) {
            auto *prompt = qobject_cast<passwort2 *>(form);
            if (!prompt) {
                if (testsupport::visibleButtons(form).isEmpty())
                    return false; // not laid out yet
                balloons << testsupport::labelTexts(form);
                testsupport::pressButtonAtLater(form, 0);
                return true;
            }
            // A closing balloon is hidden before its loop ends: until the
            // prompt has taken the wrong try back, it is not yet answering.
            if (typed.isEmpty() || (!focusAtEachTry.isEmpty() && !prompt->pw()->text().isEmpty()))
                return false;
            QWidget *focus = prompt->focusWidget();
            focusAtEachTry << (focus ? focus->objectName() : QStringLiteral("<keiner>")) + QLatin1Char('|') +
                                  prompt->pw()->text();
            const QString text = typed.takeFirst();
            const int key = keys.takeFirst();
            QTimer::singleShot(0, prompt, [prompt, focus, text, key] {
                QTest::keyClicks(focus, text);
                if (key == 0)
                    QTest::mouseClick(prompt->xpButton1(), Qt::LeftButton);
                else
                    QTest::keyClick(prompt->focusWidget(), Qt::Key(key),
                                    key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            });
            return true;
        });
        QPointer<passwort2> prompt = rt::Form::create<passwort2>();
        prompt->showModal();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!prompt);
        QVERIFY(typed.isEmpty());
        // The field has the focus, empty, at the first try and after each wrong one.
        QCOMPARE(focusAtEachTry, QStringList(wrong + 1, QStringLiteral("pw|")));
        QCOMPARE(balloons.size(), wrong);
        QCOMPARE(loaded<kalvento::FrmMain>() != nullptr, mainOpens);
        QCOMPARE(m_ends, mainOpens ? 0 : 1);
    }

    void promptTexts()
    {
        QPointer<passwort2> prompt = rt::Form::create<passwort2>();
        prompt->load();
        QCOMPARE(prompt->windowTitle(), QStringLiteral("Passwortabfrage"));
        QCOMPARE(prompt->pw()->echoMode(), QLineEdit::Password);
        QCOMPARE(prompt->xpButton1()->text(), QStringLiteral("&Okay"));
        QCOMPARE(prompt->xpButton2()->text(), QStringLiteral("&Abbrechen"));
        QVERIFY(prompt->xpButton2()->toolTip().contains(QStringLiteral("Vorsicht!!!")));
        QVERIFY(prompt->xpButton2()->toolTip().contains(QStringLiteral("Programm wird beendet.")));
        QCOMPARE(prompt->Text3()->text(), QStringLiteral("LichtungRAXE"));
        QVERIFY(prompt->Text1()->isHidden() && prompt->Text2()->isHidden() && prompt->Text3()->isHidden());
    }
};

KV_TEST_MAIN(TestFrmSplash)
#include "tst_FrmSplash.moc"
