#include "diary/outsidecontrols/CommandButton.h"
#include "diary/windows/FrmMain.h"
#include "diary/windows/passwort1.h"
#include "platform/com/Control.h"
#include "platform/runtime/App.h"
#include "platform/runtime/SystemSources.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeClock.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

using kalvento::passwort1;

namespace
{

// Presses the only button of every balloon and keeps its texts; a
// password window shown modally is recorded and closed with "Zurück".
class Answerer
{
public:
    Answerer()
        : m_balloons({}, [this](rt::Form *form) {
              auto *window = qobject_cast<passwort1 *>(form);
              if (!window)
                  return false;
              windows << window->windowTitle();
              QTimer::singleShot(0, window->xpButton2(), &QPushButton::click);
              return true;
          })
    {
    }
    QStringList balloons() const
    {
        QStringList texts;
        for (const testsupport::SeenBalloon &balloon : m_balloons.seen)
            texts << balloon.texts;
        return texts;
    }
    QStringList windows;

private:
    testsupport::BalloonAnswerer m_balloons;
};

} // namespace

class TestPasswort1 : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_home;
    QList<QPointer<rt::Form>> m_forms;

    QString passwordFile() const { return m_home->filePath(QStringLiteral("zorvelin.cod")); }
    QByteArray fileBytes() const
    {
        QFile file(passwordFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<fehlt>");
    }
    void writeFile(const QByteArray &bytes)
    {
        QFile out(passwordFile());
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    passwort1 &open()
    {
        QPointer<passwort1> form = rt::Form::create<passwort1>();
        m_forms << QPointer<rt::Form>(form.data());
        form->load();
        return *form;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(testsupport::registerLibrary(QStringLiteral("libostrevo.so")));
        rt::SystemSources::setClock(std::make_unique<rt::FakeClock>());
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        setenv("KALVENTO_HOME", qPrintable(m_home->path()), 1);
    }

    void cleanup()
    {
        for (const QPointer<rt::Form> &form : std::as_const(m_forms))
            if (form)
                form->unload();
        m_forms.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void loadingShowsTheStoredPassword_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no file") << QByteArray("<fehlt>") << QString() << QByteArray("\r\n");
        QTest::newRow("no password") << QByteArray("\r\n") << QString() << QByteArray("\r\n");
        QTest::newRow("stored") << QByteArray("180C101C\r\n") << QStringLiteral("Test")
                                << QByteArray("180C101C\r\n");
        QTest::newRow("split") << QByteArray("180C\r\n101C\r\n") << QStringLiteral("Test")
                               << QByteArray("180C\r\n101C\r\n");
    }
    void loadingShowsTheStoredPassword()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, shown);
        QFETCH(QByteArray, after);
        if (file != "<fehlt>")
            writeFile(file);
        passwort1 &form = open();
        QCOMPARE(form.windowTitle(), QStringLiteral("Passwort eingeben / ändern"));
        QCOMPARE(form.Text1()->text(), shown);
        QCOMPARE(form.Text2()->text(), QString());
        QCOMPARE(form.Label4()->text(), QString());
        QVERIFY(form.Text3()->isHidden());
        QCOMPARE(fileBytes(), after);
    }

    void damagedFileIsReportedAndLeftToBeReplaced()
    {
        writeFile("18ZZ\r\n");
        Answerer answers;
        passwort1 &form = open();
        QCOMPARE(answers.balloons().size(), 1);
        QVERIFY(answers.balloons()[0].contains(QStringLiteral("beschädigt")));
        QCOMPARE(form.Text1()->text(), QString());
        form.Command3_Click();
        QCOMPARE(fileBytes(), QByteArray("\r\n"));
    }

    void save_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QByteArray>("stored"); // file after saving
        QTest::addColumn<QString>("fields");    // both fields after saving
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("status");
        QTest::newRow("matching") << "Test"
                                  << "Test" << QByteArray("180C101C\r\n") << "180C101C"
                                  << "Passwortabgleich korrekt"
                                  << "Passwort wurde verschlüsselt.";
        QTest::newRow("umlaut and euro") << "ä€"
                                         << "ä€" << QByteArray("A8E9\r\n") << "A8E9"
                                         << "Passwortabgleich korrekt"
                                         << "Passwort wurde verschlüsselt.";
        QTest::newRow("both empty") << ""
                                    << "" << QByteArray("\r\n") << ""
                                    << "Passwortabgleich korrekt"
                                    << "Passwort wurde verschlüsselt.";
        QTest::newRow("mismatch") << "Test"
                                  << "test" << QByteArray("2D0B\r\n") << "<unverändert>"
                                  << "Passwortabgleich fehlerhaft"
                                  << "";
        QTest::newRow("not in the code page") << "aΩ"
                                              << "aΩ" << QByteArray("2D0B\r\n") << "<unverändert>"
                                              << "Ungültiges Zeichen"
                                              << "";
    }
    void save()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QByteArray, stored);
        QFETCH(QString, fields);
        QFETCH(QString, title);
        QFETCH(QString, status);
        writeFile("2D0B\r\n"); // "ab" was set before
        passwort1 &form = open();
        form.Text1()->setText(first);
        form.Text2()->setText(second);
        Answerer answers;
        form.Command2_Click();
        QCOMPARE(fileBytes(), stored);
        QCOMPARE(answers.balloons().size(), 1);
        QVERIFY2(answers.balloons()[0].contains(title), qPrintable(answers.balloons()[0]));
        if (fields == "<unverändert>") {
            QCOMPARE(form.Text1()->text(), first);
            QCOMPARE(form.Text2()->text(), second);
        } else {
            QCOMPARE(form.Text1()->text(), fields);
            QCOMPARE(form.Text2()->text(), fields);
        }
        QCOMPARE(form.Label4()->text(), status);
    }

    void savingTwiceScramblesTheShownText()
    {
        passwort1 &form = open();
        form.Text1()->setText(QStringLiteral("ab"));
        form.Text2()->setText(QStringLiteral("ab"));
        Answerer answers;
        form.Command2_Click();
        form.Command2_Click();
        // "2D0B" scrambled once more: 2^L=7E, D^i=2D, 0^c=53, B^h=2A.
        QCOMPARE(fileBytes(), QByteArray("7E2D532A\r\n"));
        QCOMPARE(answers.balloons().size(), 2);
    }

    void deleteAlwaysWritesAnEmptyLine_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("stored") << QByteArray("180C101C\r\n");
        QTest::newRow("none") << QByteArray("\r\n");
    }
    void deleteAlwaysWritesAnEmptyLine()
    {
        QFETCH(QByteArray, file);
        writeFile(file);
        passwort1 &form = open();
        form.Text2()->setText(QStringLiteral("x"));
        Answerer answers;
        form.Command3_Click();
        QCOMPARE(fileBytes(), QByteArray("\r\n"));
        QCOMPARE(form.Text1()->text(), QString());
        QCOMPARE(form.Text2()->text(), QString());
        QCOMPARE(form.Label4()->text(), QStringLiteral("Passwort wurde gelöscht."));
        QCOMPARE(answers.balloons().size(), 1);
        QVERIFY(answers.balloons()[0].contains(QStringLiteral("Passwort gelöscht")));
    }

    // Typed into the window's focus: both fields, then Return saves as
    // "PW speichern" does; Escape goes back as "Zurück" does.
    void returnSavesAndEscapeGoesBack_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("balloons");
        QTest::addColumn<bool>("open");
        QTest::newRow("Return") << int(Qt::Key_Return) << QByteArray("2D0B\r\n") << 1 << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << QByteArray("2D0B\r\n") << 1 << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << QByteArray("180C101C\r\n") << 0 << false;
    }
    void returnSavesAndEscapeGoesBack()
    {
        QFETCH(int, key);
        writeFile("180C101C\r\n");
        passwort1 &form = open();
        form.Text1()->clear();
        form.showModeless();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QPointer<passwort1> window(&form);
        // The default button is drawn as a focused one: the focus shows inside it too.
        const QImage unfocused = form.Command2()->grab().toImage();
        form.Command2()->setFocus();
        QVERIFY(form.Command2()->grab().toImage() != unfocused);
        form.Text1()->setFocus();
        Answerer answers;
        QCOMPARE(form.focusWidget(), form.Text1());
        QTest::keyClicks(form.focusWidget(), QStringLiteral("ab"));
        QTest::keyClick(form.focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(form.focusWidget(), QStringLiteral("ab"));
        QTest::keyClick(form.focusWidget(), Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QTEST(fileBytes(), "stored");
        QTEST(int(answers.balloons().size()), "balloons");
        QTEST(window && window->isVisible(), "open");
    }

    void mainWindowMenuOpensTheWindow()
    {
        QVERIFY(QDir(m_home->path()).mkdir(QStringLiteral("data")));
        const QString db = m_home->filePath(QStringLiteral("data/Database.mdb"));
        QVERIFY(QFile::copy(testsupport::emptyDatabase(), db));
        QFile(db).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QPointer<kalvento::FrmMain> main = rt::Form::create<kalvento::FrmMain>();
        m_forms << QPointer<rt::Form>(main.data());
        main->load();
        QAction *entry = main->menuEntry(QStringLiteral("pwort"));
        QVERIFY(entry);
        QCOMPARE(entry->text(), QStringLiteral("&Passwort eingeben/ändern..."));
        Answerer answers;
        entry->trigger(); // returns once the window is closed
        QCOMPARE(answers.windows, QStringList{QStringLiteral("Passwort eingeben / ändern")});
        QCOMPARE(fileBytes(), QByteArray("\r\n"));
    }
};

KV_TEST_MAIN(TestPasswort1)
#include "tst_passwort1.moc"
