#include "diary/program/ProgramEnd.h"
#include "diary/update/clsDownload.h"
#include "diary/update/nuvreldate1.h"
#include "platform/com/Control.h"
#include "platform/net/CurlEasy.h"
#include "platform/runtime/App.h"
#include "platform/runtime/SystemSources.h"
#include "tests/diary/windows/MainWindows.h"
#include "tests/support/DiaryHome.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeClock.h"
#include "tests/support/fakes/FakeShell.h"
#include "tests/support/fakes/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

using comdlg::ScriptedDialogs;
using kalvento::nuvreldate1;
using testsupport::LocalHttpServer;
using Delivery = LocalHttpServer::Delivery;

namespace
{

const QByteArray DescriptionPath = "/update/kalvento/nuvrel.inf";
const QByteArray ProgramPath = "/files/kalvento.exe";
const QString NoUpdate = QStringLiteral("Es ist kein neues Update verfügbar!");
const QString OfferPrompt =
    QStringLiteral("Das Update wurde runtergeladen.\rMöchten Sie dieses jetzt starten?\r\r"
                   "Wenn ja, dann wird das Programm\rbeendet und das Update geöffnet.");

QByteArray pattern(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 13 + i / 97) % 256);
    return bytes;
}

// One balloon as the window set it up.
struct Balloon {
    QString prompt;
    int flags = -1;
    QString title;
};

// What the window showed at one Update of its download.
struct Progress {
    QString size, received, speed, status;
    int bar;
};

} // namespace

class TestNuvreldate1 : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<testsupport::DiaryHome> m_home;
    std::unique_ptr<LocalHttpServer> m_server;
    std::unique_ptr<QTemporaryDir> m_folder;
    shell::FakeShell *m_shell = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;
    QPointer<nuvreldate1> m_window;
    QList<Balloon> m_balloons;
    // Buttons to press in the coming balloons, by position from the left; then the last one.
    QList<int> m_answers;
    std::unique_ptr<testsupport::ModalWatcher> m_watcher;
    int m_ends = 0;

    nuvreldate1 &open()
    {
        m_window = rt::Form::create<nuvreldate1>(m_server->url(QString()));
        m_window->load();
        m_window->showModeless();
        return *m_window;
    }

    QByteArray description(const QString &version, const QByteArray &program = ProgramPath) const
    {
        return "xxxxHead\r\nKalvento\r\n" + version.toLatin1() + "\r\n1,2 MB\r\n" +
               m_server->url(QString::fromLatin1(program)).toLatin1() + "\r\n";
    }

    QString folder() const { return m_folder->path() + QLatin1Char('/'); }
    bool enabled(com::Control *button) const { return button->get(QStringLiteral("EnabledB")).toBool(); }

    using Reply = LocalHttpServer::Reply;

    // The window with a newer version found and the test folder as its target.
    nuvreldate1 &readyToDownload(const Reply &program)
    {
        rt::App::setVersion(2, 9, 0);
        m_server->serve(DescriptionPath, {.body = description(QStringLiteral("2.10.0"))});
        m_server->serve(ProgramPath, program);
        nuvreldate1 &w = open();
        w.Command1_Click();
        w.txtFolder()->setText(folder());
        return w;
    }

    QStringList filesInFolder() const { return QDir(m_folder->path()).entryList(QDir::Files); }

private slots:
    void initTestCase()
    {
        QVERIFY(testsupport::setUpDiaryTests());
        LocalHttpServer::bypassProxies();
        kalvento::ProgramEnd::setHook([this] { ++m_ends; });
    }
    void cleanupTestCase() { kalvento::ProgramEnd::setHook({}); }

    void init()
    {
        m_home = std::make_unique<testsupport::DiaryHome>();
        QVERIFY(m_home->isValid());
        m_server = std::make_unique<LocalHttpServer>(LocalHttpServer::Transport::Tls);
        QVERIFY(m_server->isListening());
        net::CurlEasy::setTrustedCertificates(m_server->caFile());
        m_folder = std::make_unique<QTemporaryDir>();
        auto fakeShell = std::make_unique<shell::FakeShell>();
        m_shell = fakeShell.get();
        rt::ServiceSlot<shell::Shell>::install(std::move(fakeShell));
        auto dialogs = std::make_unique<ScriptedDialogs>();
        m_dialogs = dialogs.get();
        rt::ServiceSlot<comdlg::DialogBackend>::install(std::move(dialogs));
        rt::SystemSources::setClock(std::make_unique<rt::FakeClock>());
        m_balloons.clear();
        m_answers.clear();
        m_ends = 0;
        m_watcher = std::make_unique<testsupport::ModalWatcher>([this](rt::Form *form) {
            if (form->objectName() != QLatin1String("msgFrm") || testsupport::visibleButtons(form).isEmpty())
                return false;
            m_balloons << Balloon{m_window->Dialog1().get(QStringLiteral("DialogPrompt")).toString(),
                                  int(m_window->Dialog1().get(QStringLiteral("Flags")).toLong()),
                                  m_window->Dialog1().get(QStringLiteral("DialogTitle")).toString()};
            testsupport::pressButtonAt(form, m_answers.isEmpty() ? 99 : m_answers.takeFirst());
            return true;
        });
    }

    void cleanup()
    {
        if (m_window)
            m_window->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m_window);
        m_watcher.reset();
        rt::ServiceSlot<shell::Shell>::reset();
        rt::ServiceSlot<comdlg::DialogBackend>::reset();
        m_shell = nullptr;
        m_dialogs = nullptr;
        m_server.reset();
        m_folder.reset();
        m_home.reset();
        rt::App::setVersion(2, 5, 17);
    }

    void windowAtLoad()
    {
        rt::App::setVersion(2, 5, 0);
        nuvreldate1 &w = open();
        QCOMPARE(w.windowTitle(), QStringLiteral("Nuvrel"));
        QCOMPARE(w.runningVersion(), QStringLiteral("2.5.0"));
        const QList<std::tuple<com::Control *, QString, QString>> buttons{
            {w.Command1(), QStringLiteral(" Über&prüfen"),
             QStringLiteral("Prüfen ob bereits ein Update vorhanden ist.")},
            {w.Command2(), QStringLiteral("..."), QStringLiteral("Verzeichnis wählen")},
            {w.Command4(), QStringLiteral(" &Update"), QStringLiteral("Online-Update starten")},
            {w.Command5(), QStringLiteral(" &Abbrechen"), QString()}};
        for (const auto &[button, caption, tip] : buttons) {
            QCOMPARE(button->get(QStringLiteral("Caption")).toString(), caption);
            QVERIFY(button->get(QStringLiteral("ButtonShow")).toLong() != 21); // no OK tick on every job
            QCOMPARE(button->get(QStringLiteral("ToolTip")).toBool(), !tip.isEmpty());
            if (!tip.isEmpty())
                QCOMPARE(button->get(QStringLiteral("ToolTipText")).toString(), tip);
        }
        QVERIFY(enabled(w.Command1()));
        QVERIFY(enabled(w.Command2()));
        QVERIFY(!enabled(w.Command4()));
        QVERIFY(enabled(w.Command5()));
        QCOMPARE(w.txtFolder()->text(), m_home->path() + QStringLiteral("/temp/"));
        for (int line = 1; line <= 5; ++line)
            QCOMPARE(w.Text(line)->text(), QString());
        QVERIFY(!w.PRB()->isVisible());
        // Its values are percentages.
        QCOMPARE(w.PRB()->get(QStringLiteral("Max")).toLong(), 100);
        const QStringList infos{QStringLiteral("Größe in Bytes:"), QStringLiteral("Empfangen:"),
                                QStringLiteral("Geschwindigkeit:")};
        const QList<int> indices{0, 1, 5};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(w.lblInfo(indices[i])->text(), infos[i]);
            QVERIFY(!w.lblInfo(indices[i])->isVisible());
        }
        QCOMPARE(w.lblStatus(6)->text(), QString());
        QVERIFY(!w.controlNamed(QStringLiteral("Dialog1"))->isVisible());
        for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label8",
                                 "Label9", "Frame2", "Picture1", "txturl", "PRB"})
            QVERIFY2(w.controlNamed(QString::fromLatin1(name)), name);
        QCOMPARE(qobject_cast<QLabel *>(w.controlNamed(QStringLiteral("Label2")))->text(),
                 QStringLiteral("Herzlich willkommen bei Nuvrel."));
        QCOMPARE(qobject_cast<QLabel *>(w.controlNamed(QStringLiteral("Label8")))->text(),
                 QStringLiteral("Nuvrel V2.5"));
    }

    void check_data()
    {
        QTest::addColumn<QList<int>>("running");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<int>("order"); // 1 newer, 0 equal, -1 older
        QTest::newRow("newer revision") << QList<int>{2, 5, 0} << QStringLiteral("2.5.1") << 1;
        QTest::newRow("2.10.0 is newer than 2.9.0") << QList<int>{2, 9, 0} << QStringLiteral("2.10.0") << 1;
        QTest::newRow("equal") << QList<int>{2, 9, 0} << QStringLiteral("2.9.0") << 0;
        QTest::newRow("2.9.0 is older than 2.10.0") << QList<int>{2, 10, 0} << QStringLiteral("2.9.0") << -1;
        QTest::newRow("older major") << QList<int>{3, 0, 0} << QStringLiteral("2.99.99") << -1;
    }
    void check()
    {
        QFETCH(QList<int>, running);
        QFETCH(QString, offered);
        QFETCH(int, order);
        rt::App::setVersion(running[0], running[1], running[2]);
        m_server->serve(DescriptionPath, {.body = description(offered)});
        const QStringList besideProgram = QDir(m_home->path()).entryList(QDir::AllEntries | QDir::Hidden);
        nuvreldate1 &w = open();
        w.Command1_Click();

        QCOMPARE(m_server->requests().size(), 1);
        QCOMPARE(m_server->requests().first().target, DescriptionPath);
        QCOMPARE(w.Text(2)->text(), QStringLiteral("Kalvento"));
        QCOMPARE(w.Text(3)->text(), offered);
        QCOMPARE(w.Text(4)->text(), QStringLiteral("1,2 MB"));
        QCOMPARE(w.Text(5)->text(), m_server->url(QString::fromLatin1(ProgramPath)));
        QCOMPARE(w.lblStatus(6)->text(), order > 0    ? QStringLiteral("Es ist eine neue Version vorhanden!")
                                         : order == 0 ? NoUpdate
                                                      : QString());
        QCOMPARE(enabled(w.Command4()), order > 0);
        QCOMPARE(enabled(w.Command1()), order <= 0);
        QCOMPARE(m_balloons.size(), order == 0 ? 1 : 0);
        if (order == 0) {
            QCOMPARE(m_balloons[0].prompt, NoUpdate);
            QCOMPARE(m_balloons[0].flags, 112);
            QCOMPARE(m_balloons[0].title, QStringLiteral("Online-Update"));
        }
        // The text was split where it arrived: nothing lies beside the program.
        QCOMPARE(QDir(m_home->path()).entryList(QDir::AllEntries | QDir::Hidden), besideProgram);
    }

    void failedCheckSaysWhy_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body"); // empty: a description offering version
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("shown");
        QTest::newRow("HTTP 500")
            << 500 << QByteArray() << QStringLiteral("2.10.0")
            << QStringLiteral("Status: Der Update-Server ist nicht erreichbar oder meldet einen Fehler.");
        QTest::newRow("garbage")
            << 200 << QByteArray("\x01\xff<html>kaputt</html>\n\n\n\n\n") << QString()
            << QStringLiteral("Status: Die Antwort des Update-Servers ist keine Updatebeschreibung.");
        QTest::newRow("unreadable version")
            << 200 << QByteArray() << QStringLiteral("2.x")
            << QStringLiteral("Status: Die Version des Updates ist nicht lesbar.");
    }
    void failedCheckSaysWhy()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, version);
        QFETCH(QString, shown);
        rt::App::setVersion(2, 9, 0);
        m_server->serve(DescriptionPath,
                        {.status = status, .body = body.isEmpty() ? description(version) : body});
        nuvreldate1 &w = open();
        w.Command1_Click();
        QCOMPARE(w.lblStatus(6)->text(), shown);
        QVERIFY(!enabled(w.Command4()));
        QVERIFY(m_balloons.isEmpty());
    }

    void serverTextShownAsText()
    {
        rt::App::setVersion(2, 9, 0);
        m_server->serve(DescriptionPath,
                        {.body = "xxxxHead\r\n<b>Kalvento</b><img src=x>\r\n2.10.0\r\n"
                                 "<h1>1 MB</h1>\r\n" +
                                 m_server->url(QString::fromLatin1(ProgramPath)).toLatin1() + "\r\n"});
        nuvreldate1 &w = open();
        w.Command1_Click();
        QCOMPARE(w.Text(2)->text(), QStringLiteral("<b>Kalvento</b><img src=x>"));
        for (int line = 1; line <= 5; ++line)
            QCOMPARE(w.Text(line)->textFormat(), Qt::PlainText);
        QCOMPARE(w.lblStatus(6)->textFormat(), Qt::PlainText);
    }

    void secondCheckReplacesTheFields()
    {
        rt::App::setVersion(2, 9, 0);
        m_server->serve(DescriptionPath, {.body = description(QStringLiteral("2.8.0"))});
        nuvreldate1 &w = open();
        w.Command1_Click();
        QCOMPARE(w.Text(3)->text(), QStringLiteral("2.8.0"));
        m_server->serve(DescriptionPath, {.body = description(QStringLiteral("2.10.0"))});
        w.Command1_Click();
        QCOMPARE(w.Text(3)->text(), QStringLiteral("2.10.0"));
        QCOMPARE(w.lblStatus(6)->text(), QStringLiteral("Es ist eine neue Version vorhanden!"));
        // A server that no longer answers leaves nothing of the last answer, and offers nothing new.
        m_server->serve(DescriptionPath, {.status = 404, .body = "nicht da"});
        w.Command1_Click();
        for (int line = 1; line <= 5; ++line)
            QCOMPARE(w.Text(line)->text(), QString());
        QVERIFY(m_balloons.isEmpty());
    }

    void chooseFolder()
    {
        nuvreldate1 &w = open();
        const QString before = w.txtFolder()->text();
        m_dialogs->push(ScriptedDialogs::Answer::cancelled());
        w.Command2_Click();
        QCOMPARE(w.txtFolder()->text(), before);
        m_dialogs->push(ScriptedDialogs::Answer::file(QStringLiteral("/home/anna/Downloads")));
        w.Command2_Click();
        QCOMPARE(w.txtFolder()->text(), QStringLiteral("/home/anna/Downloads/"));
        QCOMPARE(m_dialogs->shown().last().title, QStringLiteral("Bitte wählen Sie einen Ordner:"));
    }

    void webSiteLabel()
    {
        nuvreldate1 &w = open();
        QTest::mouseClick(w.Label9(), Qt::LeftButton);
        QCOMPARE(m_shell->calls.size(), std::size_t(1));
        QCOMPARE(m_shell->calls[0].file, nuvreldate1::WebSite);
        QCOMPARE(m_shell->calls[0].showCommand, 3);
    }

    void downloadShowsItsProgress()
    {
        nuvreldate1 &w = readyToDownload({.body = pattern(20000)});
        QList<Progress> seen;
        connect(w.dl(), &kalvento::clsDownload::Update, this, [&] {
            seen << Progress{w.lblStatus(0)->text(), w.lblStatus(1)->text(), w.lblStatus(5)->text(),
                             w.lblStatus(6)->text(), int(w.PRB()->get(QStringLiteral("Value")).toLong())};
        });
        m_answers = {1}; // no
        w.Command4_Click();

        QCOMPARE(w.txturl()->text(), m_server->url(QString::fromLatin1(ProgramPath)));
        QVERIFY(w.PRB()->isVisible());
        QVERIFY(w.lblInfo(5)->isVisible());
        QCOMPARE(seen.size(), 3);
        // The clock stands still: one millisecond of reading so far, so a thousand times the bytes a second.
        const QList<Progress> expected{
            {QStringLiteral("20000 Bytes"), QStringLiteral("8192 Bytes"), QStringLiteral("8.000,00 KB/s"),
             QStringLiteral("Status: Download läuft 41,0% empfangen"), 41},
            {QStringLiteral("20000 Bytes"), QStringLiteral("16384 Bytes"), QStringLiteral("16.000,00 KB/s"),
             QStringLiteral("Status: Download läuft 81,9% empfangen"), 82},
            {QStringLiteral("20000 Bytes"), QStringLiteral("20000 Bytes"), QStringLiteral("19.531,25 KB/s"),
             QStringLiteral("Status: Download läuft 100,0% empfangen"), 100}};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(seen[i].size, expected[i].size);
            QCOMPARE(seen[i].received, expected[i].received);
            QCOMPARE(seen[i].speed, expected[i].speed);
            QCOMPARE(seen[i].status, expected[i].status);
            QCOMPARE(seen[i].bar, expected[i].bar);
        }
        QCOMPARE(w.lblStatus(6)->text(), QStringLiteral("Status: Update ist runtergeladen!"));
        // Named after the running version, whatever the server offered.
        QCOMPARE(filesInFolder(), QStringList{QStringLiteral("zorvelin_update_2_9_0.exe")});
        QFile file(m_folder->filePath(QStringLiteral("zorvelin_update_2_9_0.exe")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), pattern(20000));
        QCOMPARE(m_balloons.size(), 1);
        QCOMPARE(m_balloons[0].prompt, OfferPrompt);
        QCOMPARE(m_balloons[0].flags, 36);
        QCOMPARE(m_balloons[0].title, QStringLiteral("Update"));
    }

    void offerToStart_data()
    {
        QTest::addColumn<int>("button"); // 0 yes, 1 no
        QTest::addColumn<int>("shellResult");
        QTest::addColumn<bool>("started");
        QTest::newRow("yes") << 0 << 42 << true;
        QTest::newRow("no") << 1 << 42 << false;
        QTest::newRow("yes, but the start fails") << 0 << 2 << false;
    }
    void offerToStart()
    {
        QFETCH(int, button);
        QFETCH(int, shellResult);
        QFETCH(bool, started);
        m_shell->result = shellResult;
        nuvreldate1 &w = readyToDownload({.body = pattern(3000)});
        m_answers = {button};
        w.Command4_Click();

        const QString program = m_folder->filePath(QStringLiteral("zorvelin_update_2_9_0.exe"));
        QCOMPARE(m_ends, started ? 1 : 0);
        QCOMPARE(m_shell->calls.size(), std::size_t(button == 0 ? 1 : 0));
        if (button == 0) {
            QCOMPARE(m_shell->calls[0].file, program);
            QCOMPARE(m_shell->calls[0].verb, QStringLiteral("open"));
            QCOMPARE(m_shell->calls[0].showCommand, 1);
        }
        // Runnable only once the user agreed to run it.
        QCOMPARE(QFileInfo(program).isExecutable(), button == 0);
        QCOMPARE(m_balloons.size(), button == 0 && !started ? 2 : 1);
        if (m_balloons.size() == 2) {
            QCOMPARE(m_balloons[1].prompt, QStringLiteral("Das Update konnte nicht gestartet werden:\r\r") +
                                               program + QStringLiteral("\r\rBitte starten Sie es selbst."));
            QCOMPARE(m_balloons[1].flags, 16);
        }
        if (!started) {
            QVERIFY(!enabled(w.Command1()));
            QVERIFY(!enabled(w.Command2()));
            QVERIFY(!enabled(w.Command4()));
            QVERIFY(w.isLoaded());
        }
    }

    void failedDownloadOffersNothing_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("delivery");
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<QString>("shown");
        QTest::newRow("404") << 404 << int(Delivery::Whole) << QByteArray("/files/fehlt.exe")
                             << QStringLiteral("Status: Fehler 404, Datei nicht gefunden");
        QTest::newRow("cut off") << 200 << int(Delivery::CutOff) << ProgramPath
                                 << QStringLiteral("Status: Fehler 4, Download unvollständig");
        QTest::newRow("no length") << 200 << int(Delivery::NoLength) << ProgramPath
                                   << QStringLiteral("Status: Fehler 3, Downloadgröße 0 Byte");
        // The description names the program over plain http: nothing is fetched.
        QTest::newRow("plain http") << 200 << int(Delivery::Whole) << QByteArray("http")
                                    << QStringLiteral(
                                           "Status: Fehler 6, nur sichere Downloads (https) sind erlaubt");
    }
    void failedDownloadOffersNothing()
    {
        QFETCH(int, status);
        QFETCH(int, delivery);
        QFETCH(QByteArray, program);
        QFETCH(QString, shown);
        rt::App::setVersion(2, 9, 0);
        QByteArray text = description(QStringLiteral("2.10.0"), program);
        if (program == "http") {
            program = ProgramPath;
            text = description(QStringLiteral("2.10.0"), program).replace("https://", "http://");
        }
        m_server->serve(DescriptionPath, {.body = text});
        m_server->serve(
            program,
            {.status = status, .body = pattern(30000), .delivery = Delivery(delivery), .sentBytes = 12000});
        nuvreldate1 &w = open();
        w.Command1_Click();
        w.txtFolder()->setText(folder());
        w.Command4_Click();

        QCOMPARE(w.lblStatus(6)->text(), shown);
        QVERIFY(m_balloons.isEmpty());
        QVERIFY(m_shell->calls.empty());
        QCOMPARE(m_ends, 0);
        QVERIFY(filesInFolder().filter(QStringLiteral("zorvelin_update")).isEmpty());
        QVERIFY(!QFile::exists(m_folder->filePath(QStringLiteral("kalvento.exe"))));
        if (shown.contains(QLatin1String("https")))
            QCOMPARE(m_server->requests().size(), 1); // the description only
        // The user may try again, in another folder if need be.
        QVERIFY(enabled(w.Command4()));
        QVERIFY(enabled(w.Command2()));
    }

    // Whatever the URL's last part names, only the update's own name is written.
    void downloadLeavesOtherFilesAlone_data()
    {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<QString>("existing");
        QTest::newRow("dot file") << QByteArray("/files/.bashrc") << QStringLiteral(".bashrc");
        QTest::newRow("escaped slash") << QByteArray("/files/x%2F.profile") << QStringLiteral("x%2F.profile");
        QTest::newRow("no name") << QByteArray("/") << QStringLiteral("kalvento.exe");
    }
    void downloadLeavesOtherFilesAlone()
    {
        QFETCH(QByteArray, program);
        QFETCH(QString, existing);
        QFile keep(m_folder->filePath(existing));
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.write("export KEEP=1\n");
        keep.close();
        rt::App::setVersion(2, 9, 0);
        m_server->serve(DescriptionPath, {.body = description(QStringLiteral("2.10.0"), program)});
        m_server->serve(program.split('?').constFirst(), {.body = pattern(20000)});
        nuvreldate1 &w = open();
        w.Command1_Click();
        w.txtFolder()->setText(folder());
        m_answers = {1}; // no
        w.Command4_Click();

        QCOMPARE(w.lblStatus(6)->text(), QStringLiteral("Status: Update ist runtergeladen!"));
        QDir dir(m_folder->path());
        QCOMPARE(dir.entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({existing, QStringLiteral("zorvelin_update_2_9_0.exe")}));
        QVERIFY(keep.open(QIODevice::ReadOnly));
        QCOMPARE(keep.readAll(), QByteArray("export KEEP=1\n"));
        QCOMPARE(QFileInfo(m_folder->filePath(QStringLiteral("zorvelin_update_2_9_0.exe"))).size(), 20000);
    }

    void missingFolderStartsNothing()
    {
        nuvreldate1 &w = readyToDownload({.body = pattern(3000)});
        w.txtFolder()->setText(m_folder->filePath(QStringLiteral("gibtsnicht/")));
        QString text;
        testsupport::Driver driver;
        driver.on(QStringLiteral("MsgBox"), [&](QWidget *box) {
            text = qobject_cast<QMessageBox *>(box)->text();
            testsupport::press(box, QMessageBox::Ok);
        });
        const int requests = int(m_server->requests().size());
        w.Command4_Click();
        QVERIFY(driver.done());
        QCOMPARE(text, QStringLiteral("Bitte ein gültiges, vorhandenes Verzeichnis angeben."));
        QCOMPARE(m_server->requests().size(), requests);
        QVERIFY(enabled(w.Command4()));
        QVERIFY(driver.unexpected.isEmpty());
    }

    // Cancel while the transfer runs: the window waits for it to end, then goes.
    void cancelDuringDownload()
    {
        nuvreldate1 &w = readyToDownload(
            {.body = pattern(400000), .delivery = Delivery::Slow, .pieceBytes = 2000, .pauseMs = 10});
        QPointer<kalvento::clsDownload> download = w.dl();
        int updates = 0;
        bool pressed = false;
        connect(download, &kalvento::clsDownload::Update, this, [&] {
            if (++updates == 2 && !pressed) {
                pressed = true;
                QTest::mouseClick(w.Command5(), Qt::LeftButton, {}, QPoint(5, 5));
                // Still there: Download is on the stack beneath this handler.
                QVERIFY(w.isLoaded());
                QVERIFY(w.dl());
            }
        });
        w.Command4_Click();
        QVERIFY(pressed);
        QVERIFY(!w.isLoaded());
        QVERIFY(updates < 20);
        QVERIFY(m_balloons.isEmpty());
        QVERIFY(filesInFolder().filter(QStringLiteral("zorvelin_update")).isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m_window);
        QVERIFY(!download);
    }
};

KV_TEST_MAIN(TestNuvreldate1)
#include "tst_nuvreldate1.moc"
