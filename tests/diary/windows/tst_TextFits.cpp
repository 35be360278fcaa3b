#include "diary/forms/InputBox.h"
#include "diary/forms/MessageRoutine.h"
#include "diary/outsidecontrols/DayList.h"
#include "diary/program/ProgramEnd.h"
#include "diary/windows/FrmMain.h"
#include "diary/windows/FrmNew.h"
#include "diary/windows/FrmSplash.h"
#include "diary/windows/copyright.h"
#include "diary/windows/frmScreen.h"
#include "diary/windows/passwort1.h"
#include "diary/windows/passwort2.h"
#include "platform/desktop/DesktopSource.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/runtime/FontSubstitutes.h"
#include "platform/runtime/SystemSources.h"
#include "platform/sound/SoundOutput.h"
#include "tests/diary/windows/MainWindows.h"
#include "tests/support/DiaryHome.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TestMain.h"
#include "tests/support/VisibleTexts.h"
#include "tests/support/fakes/FakeClock.h"
#include "tests/support/fakes/FakeCursorSource.h"
#include "tests/support/fakes/FakeScreenSource.h"
#include "tests/support/fakes/RecordingSound.h"
#include "tests/support/fakes/SyntheticDesktop.h"

#include <QLineEdit>
#include <QLocale>
#include <QTextEdit>

using testsupport::Driver;
using testsupport::VisibleText;

namespace
{

// The longest German long date of the next years, for every date field.
const QDate LongestDay(2027, 9, 30);

QString longDate(const QDate &day)
{
    return QLocale().toString(day, QLocale::LongFormat);
}

// What a window showed: every measured text and the ones that did not fit.
struct Seen {
    QStringList texts;
    QStringList clipped;
    void look(QWidget *window)
    {
        window->show();
        QCoreApplication::processEvents();
        for (const VisibleText &text : testsupport::visibleTexts(window)) {
            texts << text.text;
            if (!text.fits())
                clipped << text.describe();
        }
    }
};

} // namespace

// Every window of the diary at its designed size, in the forms' fonts as the
// program sets them at start: no caption, label, button or field text may be
// wider or taller than the room its widget gives it.
class TestTextFits : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<testsupport::DiaryHome> m_home;
    testsupport::MainWindows m_windows;

    // Runs the driver's steps while the action opens the modal windows.
    static void drive(Driver &driver, const std::function<void()> &action)
    {
        action();
        QVERIFY(driver.done());
        QVERIFY2(driver.unexpected.isEmpty(), qPrintable(driver.unexpected.join(',')));
    }

    Seen openEditor(bool edit)
    {
        kalvento::FrmMain &main = m_windows.open();
        Seen seen;
        Driver driver;
        driver.on("FrmNew", [&seen](QWidget *w) {
            seen.look(w);
            qobject_cast<rt::Form *>(w)->unload();
        });
        if (edit) {
            main.List()->setCurrentRow(main.List()->count() - 1);
            drive(driver, [&main] { main.Command1_Click(); });
        } else {
            drive(driver, [&main] { main.Command2_Click(); });
        }
        return seen;
    }

    // The full-screen editor, or the floating tool bar opened from it.
    Seen openFullScreen(bool toolBar)
    {
        kalvento::FrmMain &main = m_windows.open();
        QPointer<kalvento::FrmNew> editor = rt::Form::create<kalvento::FrmNew>(main);
        editor->load();
        Seen seen;
        Driver driver;
        driver.on("frmScreen", [&seen, toolBar](QWidget *w) {
            auto *screen = qobject_cast<kalvento::frmScreen *>(w);
            if (toolBar)
                QTest::mousePress(screen->txtScreen()->editor()->viewport(), Qt::RightButton);
            else
                seen.look(w);
            QTest::keyClick(screen->txtScreen()->editor(), Qt::Key_Escape);
        });
        if (toolBar)
            driver.on("toolbarr1", [&seen](QWidget *w) {
                seen.look(w);
                qobject_cast<rt::Form *>(w)->unload();
            });
        drive(driver, [&editor] { editor->vollbild_Click(); });
        editor->unload();
        return seen;
    }

    template <class F> Seen openForm()
    {
        QPointer<F> form = rt::Form::create<F>();
        form->load();
        Seen seen;
        seen.look(form);
        form->unload();
        return seen;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(testsupport::setUpDiaryTests());
        rt::SystemSources::setClock(std::make_unique<rt::FakeClock>(QDateTime(LongestDay, QTime(12, 0))));
        rt::SystemSources::setScreen(
            std::make_unique<rt::FakeScreenSource>(QSize(1280, 1024), QRect(0, 0, 1280, 994)));
        rt::SystemSources::setCursor(std::make_unique<rt::FakeCursorSource>(QPoint(40, 40)));
        rt::ServiceSlot<desktop::DesktopSource>::install(std::make_unique<desktop::SyntheticDesktop>());
        rt::ServiceSlot<sound::SoundOutput>::install(std::make_unique<sound::RecordingSound>());
        kalvento::ProgramEnd::setHook([] {}); // closing the prompt would end the program
        // What the program does at start.
        rt::FontSubstitutes::installForForms();
    }

    void cleanupTestCase()
    {
        kalvento::ProgramEnd::setHook({});
        rt::ServiceSlot<sound::SoundOutput>::reset();
        rt::ServiceSlot<desktop::DesktopSource>::reset();
        rt::SystemSources::reset();
    }

    void init()
    {
        m_home = std::make_unique<testsupport::DiaryHome>();
        QVERIFY(m_home->isValid());
        m_home->seed({{longDate(QDate(2027, 9, 29)), testsupport::rtfOf(QStringLiteral("Gestern"))}});
    }

    void cleanup()
    {
        m_windows.unloadAll();
        m_home.reset();
    }

    void windowTextsFit_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("shows"); // one text the window must have been measured with
        QTest::newRow("splash") << "splash"
                                << "Datenbestand wird eingelesen...";
        QTest::newRow("main window") << "main"
                                     << "Neuen &Tag eintragen";
        QTest::newRow("editor, new day") << "new"
                                         << "Neuen Tag eingeben...";
        QTest::newRow("editor, edited day") << "edit"
                                            << "Bestehenden Eintrag bearbeiten";
        QTest::newRow("full-screen editor") << "screen"
                                            << "";
        QTest::newRow("floating tool bar") << "toolbar"
                                           << "";
        QTest::newRow("password prompt") << "passwort2"
                                         << "Ihr Passwort:";
        QTest::newRow("password window") << "passwort1"
                                         << " Eingabe ";
        QTest::newRow("balloon question") << "balloon"
                                          << "Eintrag löschen";
        QTest::newRow("input box") << "input"
                                   << "Geben Sie hier den Suchbegriff ein:";
        QTest::newRow("about box") << "copyright"
                                   << "Folgendes Betriebssystem wurde erkannt:";
        QTest::newRow("clean-up question") << "reini"
                                           << "Datenbankbereinigung";
    }

    void windowTextsFit()
    {
        QFETCH(QString, window);
        QFETCH(QString, shows);
        Seen seen;
        if (window == "splash") {
            seen = openForm<kalvento::FrmSplash>();
        } else if (window == "main") {
            kalvento::FrmMain &main = m_windows.open();
            QCOMPARE(main.Text3()->text(), QStringLiteral("Donnerstag, 30. September 2027"));
            seen.look(&main);
        } else if (window == "new") {
            seen = openEditor(false);
        } else if (window == "edit") {
            // Today listed: the editor opens on the edited day.
            m_home->seed({{longDate(LongestDay), testsupport::rtfOf(QStringLiteral("Heute"))}});
            seen = openEditor(true);
        } else if (window == "screen" || window == "toolbar") {
            seen = openFullScreen(window == "toolbar");
        } else if (window == "passwort2") {
            seen = openForm<kalvento::passwort2>();
        } else if (window == "passwort1") {
            seen = openForm<kalvento::passwort1>();
        } else if (window == "balloon") {
            kalvento::FrmMain &main = m_windows.open();
            Driver driver;
            driver.on("balloon", [&seen](QWidget *w) {
                seen.look(w);
                testsupport::closeBalloon(w);
            });
            drive(driver, [&main] {
                kalvento::ShowMessage(
                    main.Dialog1(),
                    QStringLiteral("Wollen Sie den Eintrag vom: \r\n\r\n%1\r\n\r\nwirklich löschen?")
                        .arg(longDate(LongestDay)),
                    QStringLiteral("36"), QStringLiteral("Eintrag löschen"));
            });
        } else if (window == "copyright") {
            seen = openForm<kalvento::copyright>();
        } else if (window == "reini") {
            kalvento::FrmMain &main = m_windows.open();
            Driver driver;
            driver.on("balloon", [&seen](QWidget *w) {
                seen.look(w);
                testsupport::pressBalloon(w, 1); // Abbrechen
            });
            drive(driver, [&main] { main.reini_Click(); });
        } else if (window == "input") {
            kalvento::FrmMain &main = m_windows.open();
            main.show();
            main.activateWindow();
            Driver driver;
            driver.on("InputBox", [&seen](QWidget *w) {
                seen.look(w);
                testsupport::answer(w, QString());
            });
            drive(driver, [] {
                kalvento::InputBox(QStringLiteral("Geben Sie hier den Suchbegriff ein:"),
                                   QStringLiteral("Zorvelin Professional"));
            });
        }
        if (!shows.isEmpty())
            QVERIFY2(seen.texts.contains(shows), qPrintable(seen.texts.join(QLatin1Char('|'))));
        QVERIFY2(seen.clipped.isEmpty(), qPrintable(seen.clipped.join(QStringLiteral("\n"))));
    }
};

KV_TEST_MAIN(TestTextFits)
#include "tst_TextFits.moc"
