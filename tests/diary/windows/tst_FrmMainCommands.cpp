#include "diary/outsidecontrols/CommandButton.h"
#include "diary/outsidecontrols/DayList.h"
#include "diary/outsidecontrols/OfficeMenu.h"
#include "diary/program/Time.h"
#include "diary/program/TopicHELP.h"
#include "diary/program/shellexe_1.h"
#include "diary/windows/EntryLimits.h"
#include "diary/windows/FrmMain.h"
#include "diary/windows/copyright.h"
#include "platform/com/Control.h"
#include "platform/comdlg/CommonDialog.h"
#include "platform/kernel/OsRelease.h"
#include "platform/kernel/PlatformVersion.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/runtime/App.h"
#include "platform/runtime/ScopedService.h"
#include "platform/runtime/Settings.h"
#include "platform/runtime/SystemSources.h"
#include "tests/diary/windows/MainWindows.h"
#include "tests/support/DiaryHome.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeClock.h"
#include "tests/support/fakes/FakeShell.h"
#include "tests/support/fakes/RecordingHelpViewer.h"
#include "tests/support/fakes/ScriptedDialogs.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <optional>

using kalvento::FrmMain;
using testsupport::rtfOf;

namespace
{

using Answerer = testsupport::BalloonAnswerer;

// A menu bar as text: each menu, entry and separator ("—") on a line of its
// own, entries indented by their depth, with name, caption and shortcut.
void describeMenu(const QList<QAction *> &entries, int depth, QStringList &out)
{
    for (QAction *entry : entries) {
        const QString indent(depth * 2, u' ');
        if (entry->isSeparator()) {
            out << indent + QStringLiteral("—");
            continue;
        }
        QString line = indent + (entry->menu() ? entry->menu()->objectName() : entry->objectName()) +
                       QStringLiteral(" \"") + entry->text() + QLatin1Char('"');
        if (!entry->shortcut().isEmpty())
            line += QLatin1Char(' ') + entry->shortcut().toString();
        out << line;
        if (entry->menu())
            describeMenu(entry->menu()->actions(), depth + 1, out);
    }
}

rt::FakeClock &fakeClock()
{
    return dynamic_cast<rt::FakeClock &>(rt::SystemSources::clock());
}

// Moves the fake clock on while a wait hands the event loop its turns.
class RunningClock
{
public:
    explicit RunningClock(int stepMs)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [stepMs] { fakeClock().advance(stepMs); });
        m_timer.start(0);
    }

private:
    QTimer m_timer;
};

// Notes when the program was started, so the wait after it can be measured.
class TimedShell : public shell::FakeShell
{
public:
    qint64 startedAt = -1;
    int execute(const QString &verb, const QString &file, const QString &parameters, const QString &directory,
                int showCommand) override
    {
        startedAt = fakeClock().tickCount();
        return FakeShell::execute(verb, file, parameters, directory, showCommand);
    }
};

QString pdfTool(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(30000))
        return QStringLiteral("<%1 did not finish>").arg(program);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

QString pdfText(const QString &file)
{
    return pdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
}

// The document's title, as a print queue shows the job.
QString pdfTitle(const QString &file)
{
    for (const QString &line : pdfTool(QStringLiteral("pdfinfo"), {file}).split(u'\n'))
        if (line.startsWith(QStringLiteral("Title:")))
            return line.mid(6).trimmed();
    return QString();
}

} // namespace

class TestFrmMainCommands : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<testsupport::DiaryHome> m_home;
    testsupport::MainWindows m_windows;

    FrmMain &open() { return m_windows.open(); }

    FrmMain &openWithEntry(const QString &rtf = rtfOf(QStringLiteral("Am Morgen Regen, am Abend Schnee")))
    {
        m_home->seed({{QStringLiteral("Montag, 7. Dezember 2026"), rtf}});
        FrmMain &form = open();
        form.List()->setCurrentRow(0);
        return form;
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::setUpDiaryTests()); }

    void init()
    {
        m_home = std::make_unique<testsupport::DiaryHome>();
        QVERIFY(m_home->isValid());
        rt::Settings::deleteSetting(QStringLiteral("Kalvento"));
    }

    void cleanup()
    {
        m_windows.unloadAll();
        kernel::resetPlatformVersion();
        kernel::setOsReleasePath(QString());
    }

    void menusUnderEveryLook_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("style");
        QTest::newRow("XP") << QStringLiteral("XP") << 2;
        QTest::newRow("Office 2003") << QStringLiteral("2003") << 3;
        QTest::newRow("Office 2007") << QStringLiteral("2007") << 4;
        QTest::newRow("Visual Studio 2005") << QStringLiteral("VS2005") << 5;
    }

    void menusUnderEveryLook()
    {
        QFETCH(QString, stored);
        QFETCH(int, style);
        rt::Settings::saveSetting("Kalvento", "Einstellungen", "Menue", stored);
        FrmMain &form = open();
        QCOMPARE(form.OfficeMenu1()->Style(), style);
        QCOMPARE(form.menuBar()->styleSheet(), kalvento::OfficeMenu::styleSheetFor(style));
        QStringList menus;
        describeMenu(form.menuBar()->actions(), 0, menus);
        QCOMPARE(menus, (QStringList{
                            "dat \"&Datei\"",
                            "  reini \"Datenbank bereinigen\"",
                            "  datenbanksichern \"Datensicherung\"",
                            "  —",
                            "  updateee \"&Online-Update...\"",
                            "  —",
                            "  enden \"Programm &beenden...\"",
                            "einst \"&Einstellungen\"",
                            "  pwort \"&Passwort eingeben/ändern...\"",
                            "  —",
                            "  men \"&Menü-Design\"",
                            "    xpdesign \"&XP-Design\"",
                            "    office2003er \"Office 200&3 Design\"",
                            "    office2007er \"Office 200&7 Design\"",
                            "    vbstudio05 \"Visual Studio 200&5 Design\"",
                            "fragezeichen \"&?\"",
                            "  helpp \"Hilfe\"",
                            "  —",
                            "  copyr \"&Copyright\"",
                        }));
        // The markup became the entry's face; no other entry has one.
        for (QAction *entry : form.findChildren<QAction *>()) {
            const bool copyr = entry->objectName() == QLatin1String("copyr");
            QCOMPARE(entry->font().bold(), copyr);
            QCOMPARE(entry->font().italic(), copyr);
        }
    }

    void markupCodes_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::newRow("bold italic") << "@B@I&Copyright"
                                     << "&Copyright" << true << true;
        QTest::newRow("italic bold") << "@I@BHilfe"
                                     << "Hilfe" << true << true;
        QTest::newRow("bold") << "@BHilfe"
                              << "Hilfe" << true << false;
        QTest::newRow("plain") << "Hilfe"
                               << "Hilfe" << false << false;
        QTest::newRow("an at sign inside") << "Mail @B"
                                           << "Mail @B" << false << false;
    }

    void markupCodes()
    {
        QFETCH(QString, caption);
        QAction entry(caption);
        kalvento::OfficeMenu::applyMarkup(entry);
        QTEST(entry.text(), "shown");
        QTEST(entry.font().bold(), "bold");
        QTEST(entry.font().italic(), "italic");
    }

    void printWithoutAChosenDayOnlyAsks()
    {
        FrmMain &form = open();
        rt::ScopedService<comdlg::DialogBackend, comdlg::ScriptedDialogs> dialogs;
        Answerer answerer({0});
        form.xpButton1()->click();
        QCOMPARE(answerer.seen.size(), 1);
        QVERIFY(answerer.seen[0].texts.contains(
            QStringLiteral("Bitte markieren Sie den Eintrag, welchen Sie drucken möchten.")));
        QVERIFY(answerer.seen[0].texts.contains(QStringLiteral("Kein Eintrag markiert...")));
        QVERIFY(dialogs->shown().isEmpty());
    }

    void printToPdf_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QStringList>("printed");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("the whole entry")
            << QString() << 268 << QStringList{"Am Morgen Regen, am Abend Schnee"} << QStringList{};
        QTest::newRow("the selection") << QStringLiteral("Abend Schnee") << 265 << QStringList{"Abend Schnee"}
                                       << QStringList{"Morgen", "Regen"};
    }

    void printToPdf()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QFAIL("pdftotext is missing: install poppler-utils (tools/install-packages)");
        QFETCH(QString, selected);
        QFETCH(int, flags);
        QFETCH(QStringList, printed);
        QFETCH(QStringList, left);
        FrmMain &form = openWithEntry();
        if (!selected.isEmpty())
            QVERIFY(form.LblDbInfo(1)->find(selected) >= 0);
        rt::ScopedService<comdlg::DialogBackend, comdlg::ScriptedDialogs> dialogs;
        const QString pdf = m_home->filePath(QStringLiteral("eintrag.pdf"));
        dialogs->push(comdlg::ScriptedDialogs::Answer::pdf(pdf));
        form.xpButton1()->click();
        QCOMPARE(dialogs->shown().size(), 1);
        QCOMPARE(dialogs->shown()[0].kind, QStringLiteral("print"));
        QCOMPARE(dialogs->shown()[0].title, QStringLiteral("Eintrag drucken..."));
        QCOMPARE(dialogs->shown()[0].flags, flags);
        QVERIFY(form.CommonDialog1().CancelError());
        const QString text = pdfText(pdf).simplified();
        for (const QString &part : printed)
            QVERIFY2(text.contains(part), qPrintable(text));
        for (const QString &part : left)
            QVERIFY2(!text.contains(part), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("Montag")));
        QCOMPARE(pdfTitle(pdf), QStringLiteral("Montag, 7. Dezember 2026"));
    }

    void aCancelledPrintPrintsNothingAndSaysNothing()
    {
        FrmMain &form = openWithEntry();
        rt::ScopedService<comdlg::DialogBackend, comdlg::ScriptedDialogs> dialogs;
        dialogs->push(comdlg::ScriptedDialogs::Answer::cancelled());
        Answerer answerer;
        form.xpButton1_Click();
        QCOMPARE(dialogs->shown().size(), 1);
        QVERIFY(answerer.seen.isEmpty());
        QVERIFY(!QFile::exists(m_home->filePath(QStringLiteral("eintrag.pdf"))));
    }

    void aFailingPrintPrintsNothing_data()
    {
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<int>("lines"); // of 24 pt text; 0 for the usual entry
        QTest::addColumn<QString>("said");
        // A PDF printer that cannot write its file fails like a printer that is gone.
        QTest::newRow("printer failing") << "nein/eintrag.pdf" << 0 << QString();
        // Taller than the layout's numbers reach: once the whole was printed
        // as one page and reported as done. The diary shows no entry of so
        // many lines; one shown under a wider bound must not print either.
        QTest::newRow("too tall to lay out")
            << "eintrag.pdf" << 1'000'000
            << "Der Eintrag vom Montag, 7. Dezember 2026 ist zu lang, um vollständig gedruckt zu werden.";
    }

    void aFailingPrintPrintsNothing()
    {
        QFETCH(QString, pdf);
        QFETCH(int, lines);
        QFETCH(QString, said);
        kalvento::EntryLimits wider;
        wider.largestLines = 2 * lines;
        std::optional<rt::ScopedService<kalvento::EntryLimits>> limits;
        if (lines > 0)
            limits.emplace(wider);
        FrmMain &form =
            lines > 0 ? openWithEntry(QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs48 ") +
                                      QStringLiteral("x\\par ").repeated(lines) + u'}')
                      : openWithEntry();
        rt::ScopedService<comdlg::DialogBackend, comdlg::ScriptedDialogs> dialogs;
        dialogs->push(comdlg::ScriptedDialogs::Answer::pdf(m_home->filePath(pdf)));
        Answerer answerer;
        form.xpButton1_Click();
        QCOMPARE(dialogs->shown().size(), 1);
        QCOMPARE(answerer.seen.size(), said.isEmpty() ? 0 : 1);
        if (!said.isEmpty()) {
            QVERIFY2(answerer.seen[0].texts.simplified().contains(said), qPrintable(answerer.seen[0].texts));
            QVERIFY(answerer.seen[0].texts.contains(QStringLiteral("Eintrag nicht gedruckt")));
        }
        QVERIFY(!QFile::exists(m_home->filePath(pdf)));
        QVERIFY(form.recordset());
    }

    void helpOpensTheDiarysHelp()
    {
        FrmMain &form = open();
        rt::ScopedService<help::HelpViewer, help::RecordingHelpViewer> viewer;
        form.menuEntry(QStringLiteral("helpp"))->trigger();
        QCOMPARE(viewer->calls.size(), size_t(1));
        QVERIFY(!viewer->calls[0].owner);
        QCOMPARE(viewer->calls[0].file, m_home->path() + QStringLiteral("/zorvelin.chm"));
        QCOMPARE(viewer->calls[0].command, int(help::HelpViewer::Contents));
        QCOMPARE(viewer->calls[0].data, 0);
        QCOMPARE(kalvento::TopicHELP::HelpFilePath(1), m_home->path() + QStringLiteral("/zorvelin.chm"));
        QCOMPARE(kalvento::TopicHELP::HelpFilePath(2), QString());
    }

    void cleanUp_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("shellResult");
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("ended");
        QTest::addColumn<bool>("helped");
        QTest::addColumn<bool>("failureShown");
        QTest::newRow("1 Okay") << 0 << 42 << true << true << false << false;
        QTest::newRow("2 Abbrechen") << 1 << 42 << false << false << false << false;
        QTest::newRow("3 Hilfe") << 2 << 42 << false << false << true << false;
        QTest::newRow("1 Okay, the tool cannot start") << 0 << 2 << true << false << false << true;
    }

    void cleanUp()
    {
        QFETCH(int, button);
        QFETCH(int, shellResult);
        QFETCH(bool, started);
        QFETCH(bool, ended);
        QFETCH(bool, helped);
        QFETCH(bool, failureShown);
        m_home->seed({{QStringLiteral("Montag, 7. Dezember 2026"), rtfOf(QStringLiteral("eins"))}});
        FrmMain &form = open();
        rt::ScopedService<shell::Shell, TimedShell> shell;
        shell->result = shellResult;
        rt::ScopedService<help::HelpViewer, help::RecordingHelpViewer> viewer;
        qint64 endTicks = -1;
        bool openAtEnd = true;
        form.setProgramEnd([&] {
            endTicks = fakeClock().tickCount();
            openAtEnd = form.recordset() != nullptr;
        });
        RunningClock running(50);
        Answerer answerer({button, 0});
        form.menuEntry(QStringLiteral("reini"))->trigger();

        QVERIFY(answerer.seen.size() >= 1);
        const QString question = answerer.seen[0].texts;
        QVERIFY(question.contains(QStringLiteral("Datenbankbereinigung")));
        QVERIFY(question.contains(
            QStringLiteral("Wenn Sie jetzt auf >OK< klicken, dann wird das Programm beendet "
                           "und das Datenbankbereinigungs-")));
        QCOMPARE(answerer.seen[0].buttons, 3);
        QCOMPARE(shell->calls.size(), size_t(started ? 1 : 0));
        if (started) {
            QCOMPARE(shell->calls[0].file, m_home->path() + QStringLiteral("/datenbanktool"));
            QCOMPARE(shell->calls[0].verb, QStringLiteral("open"));
            QCOMPARE(shell->calls[0].showCommand, 1);
            QCOMPARE(shell->calls[0].parameters, QString());
        }
        QCOMPARE(endTicks >= 0, ended);
        if (ended) {
            // The database was closed before the tool started, and a second passed.
            QVERIFY(!openAtEnd);
            const qint64 waited = endTicks - shell->startedAt;
            QVERIFY2(waited > 500 && waited <= 600, qPrintable(QString::number(waited)));
        }
        QCOMPARE(answerer.seen.size(), failureShown ? 2 : 1);
        if (failureShown) {
            QVERIFY(answerer.seen[1].texts.contains(QStringLiteral("datenbanktool")));
            QVERIFY(answerer.seen[1].texts.contains(QStringLiteral("konnte nicht gestartet werden")));
            // Reopened and listed again: the diary goes on.
            QVERIFY(form.recordset());
            QCOMPARE(form.List()->count(), 1);
        }
        QCOMPARE(viewer->calls.size(), size_t(helped ? 1 : 0));
        if (helped) {
            QCOMPARE(viewer->calls[0].file, m_home->path() + QStringLiteral("/zorvelin.chm"));
            QCOMPARE(viewer->calls[0].command, int(help::HelpViewer::Context));
            QCOMPARE(viewer->calls[0].data, 310);
        }
        if (!ended)
            QVERIFY(form.recordset());
    }

    // Escape answers the clean-up question as "Abbrechen" does.
    void escapeCancelsTheCleanUp()
    {
        FrmMain &form = open();
        rt::ScopedService<shell::Shell, TimedShell> shell;
        rt::ScopedService<help::HelpViewer, help::RecordingHelpViewer> viewer;
        bool ended = false;
        form.setProgramEnd([&] { ended = true; });
        QString title;
        testsupport::whenModalShown([&](rt::Form *balloon) {
            title = form.Dialog1().get(QStringLiteral("DialogTitle")).toString();
            QTest::keyPress(balloon, Qt::Key_Escape);
            QTest::qWait(50);
            QTest::keyRelease(balloon, Qt::Key_Escape);
        });
        form.menuEntry(QStringLiteral("reini"))->trigger();
        QCOMPARE(title, QStringLiteral("Datenbankbereinigung"));
        QCOMPARE(form.Dialog1().get(QStringLiteral("InitMsg")).toString(), QStringLiteral("2"));
        QVERIFY(shell->calls.empty());
        QVERIFY(viewer->calls.empty());
        QVERIFY(!ended);
        QVERIFY(form.recordset());
    }

    void update_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("shellResult");
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("ended");
        QTest::newRow("yes") << 0 << 42 << true << true;
        QTest::newRow("no") << 1 << 42 << false << false;
        QTest::newRow("yes, the update cannot start") << 0 << 31 << true << false;
    }

    void update()
    {
        QFETCH(int, button);
        QFETCH(int, shellResult);
        QFETCH(bool, started);
        QFETCH(bool, ended);
        FrmMain &form = open();
        rt::ScopedService<shell::Shell, shell::FakeShell> shell;
        shell->result = shellResult;
        int endings = 0;
        form.setProgramEnd([&] { ++endings; });
        Answerer answerer({button, 0});
        form.menuEntry(QStringLiteral("updateee"))->trigger();
        QVERIFY(answerer.seen.size() >= 1);
        QVERIFY(answerer.seen[0].texts.contains(QStringLiteral("Online-Update")));
        QVERIFY(
            answerer.seen[0].texts.contains(QStringLiteral("Soll das Update-Modul nun aufgerufen werden?")));
        QCOMPARE(answerer.seen[0].buttons, 2);
        QCOMPARE(shell->calls.size(), size_t(started ? 1 : 0));
        if (started) {
            QCOMPARE(shell->calls[0].file, m_home->path() + QStringLiteral("/update"));
            QCOMPARE(shell->calls[0].verb, QStringLiteral("open"));
            QCOMPARE(shell->calls[0].showCommand, 1);
        }
        QCOMPARE(endings, ended ? 1 : 0);
        const bool failed = started && !ended;
        QCOMPARE(answerer.seen.size(), failed ? 2 : 1);
        if (failed) {
            QVERIFY(answerer.seen[1].texts.contains(QStringLiteral("\"update\"")));
            QVERIFY(form.recordset());
        }
    }

    void shellOpenResult_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("ok");
        QTest::newRow("33") << 33 << true;
        QTest::newRow("32") << 32 << false;
        QTest::newRow("file not found") << 2 << false;
        QTest::newRow("negative") << -5 << false;
    }

    void shellOpenResult()
    {
        QFETCH(int, result);
        rt::ScopedService<shell::Shell, shell::FakeShell> shell;
        shell->result = result;
        QTEST(kalvento::shellexe_1::ShellOpen(QStringLiteral("/x/datenbanktool"), 1, QStringLiteral("open")),
              "ok");
        QCOMPARE(shell->calls.size(), size_t(1));
        QCOMPARE(shell->calls[0].directory, QString());
    }

    void pauseWaitsTheRoundedSecondsAcrossMidnight()
    {
        // The day's clock restarts at midnight; the wait goes by the tick count.
        fakeClock().setNow(QDateTime(QDate(2026, 12, 8), QTime(23, 59, 59, 800)));
        const qint64 start = fakeClock().tickCount();
        {
            RunningClock running(100);
            kalvento::Time::Pause(2);
        }
        const qint64 waited = fakeClock().tickCount() - start;
        // Rounded to the even second: 1.5 s already counts as 2.
        QVERIFY2(waited >= 1500 && waited <= 1700, qPrintable(QString::number(waited)));
        fakeClock().setNow(QDateTime(QDate(2026, 12, 8), QTime(12, 0)));
    }

    // From where its focus starts, each of these keys closes the box.
    void aboutBoxClosesByKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void aboutBoxClosesByKey()
    {
        QFETCH(int, key);
        bool closed = false;
        testsupport::whenModalShown([&](rt::Form *shown) {
            QTest::keyClick(shown->focusWidget(), Qt::Key(key),
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            closed = !shown->isLoaded();
        });
        rt::Form::create<kalvento::copyright>()->showModal();
        QVERIFY(closed);
    }

    // The system line names the running system unless a version record was
    // installed; the links explain themselves in German and stay readable
    // under the cursor.
    void aboutBox_data()
    {
        QTest::addColumn<bool>("byPicture");
        QTest::addColumn<bool>("record");
        QTest::addColumn<QString>("system");
        QTest::newRow("menu, version record")
            << false << true << "Windows NT5.1 (WinXP) ( Version 5.1, Service Pack 3 )";
        QTest::newRow("picture, running system") << true << false << "Debian GNU/Linux 12 (bookworm)";
    }

    void aboutBox()
    {
        QFETCH(bool, byPicture);
        QFETCH(bool, record);
        QFETCH(QString, system);
        if (record) {
            kernel::VersionRecord version;
            version.majorVersion = 5;
            version.minorVersion = 1;
            version.servicePack = QStringLiteral("Service Pack 3") + QString(114, QChar(u'\0'));
            kernel::setPlatformVersion(version);
        }
        QTemporaryDir etc;
        QFile release(etc.filePath(QStringLiteral("os-release")));
        QVERIFY(release.open(QIODevice::WriteOnly));
        release.write("NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n");
        release.close();
        kernel::setOsReleasePath(release.fileName());
        FrmMain &form = open();
        QStringList seen;
        bool closed = false;
        testsupport::whenModalShown([&](rt::Form *shown) {
            auto *box = qobject_cast<kalvento::copyright *>(shown);
            if (!box)
                return;
            seen << box->windowTitle() << box->Label3D1()->get(QStringLiteral("Caption")).toString()
                 << QString::number(box->Label3D1()->get(QStringLiteral("BackColorL")).toLong(), 16)
                 << box->Label1()->text() << box->windowsversion()->text();
            for (com::Control *link : box->links())
                seen << link->get(QStringLiteral("Caption")).toString() + QStringLiteral(" -> ") +
                            link->get(QStringLiteral("Url")).toString() + QStringLiteral(" | ") +
                            link->get(QStringLiteral("ToolTipTxt")).toString() + QStringLiteral(" | ") +
                            QString::number(link->get(QStringLiteral("HoverColor")).toColor(), 16);
            seen << testsupport::labelTexts(box);
            // "Okay" is the one stop: the heading and the links show no focus.
            QTest::keyClick(box->focusWidget(), Qt::Key_Tab);
            QCOMPARE(box->focusWidget(), box->Command1());
            box->Command1()->click();
            closed = !box->isLoaded();
        });
        if (byPicture) {
            form.show();
            QTest::mouseClick(form.Image1(), Qt::LeftButton);
        } else {
            form.menuEntry(QStringLiteral("copyr"))->trigger();
        }
        QVERIFY(closed);
        QCOMPARE(seen.size(), 9);
        QCOMPARE(seen.mid(0, 8),
                 (QStringList{"Copyright", "Zorvelin Professional", "ffffff", "Version 2.5.17", system,
                              "Kalvento-Team -> https://www.zorvelin.example/team | "
                              "Die Seite des Kalvento-Teams im Browser öffnen | 80",
                              "support@zorvelin.example -> mailto:support@zorvelin.example | "
                              "Eine E-Mail an den Support schreiben | 80",
                              "www.zorvelin.example -> https://www.zorvelin.example | "
                              "Unsere Internetseite im Browser öffnen | 80"}));
        for (const char *text : {"Folgendes Betriebssystem wurde erkannt:", "Design und Entwicklung:",
                                 "Support (eMail):", "Sie erreichen uns im Internet:"})
            QVERIFY2(seen[8].contains(QString::fromUtf8(text)), qPrintable(seen[8]));
    }

    void systemText_data()
    {
        QTest::addColumn<uint>("platform");
        QTest::addColumn<uint>("major");
        QTest::addColumn<uint>("minor");
        QTest::addColumn<QString>("servicePack");
        QTest::addColumn<QString>("text");
        const QString none;
        QTest::newRow("16 bit") << 0u << 3u << 10u << none
                                << "Windows 16bit mit 32bit-Erweiterung ( Version 3.10, )";
        QTest::newRow("95") << 1u << 4u << 0u << none << "Windows 95 ( Version 4.0, )";
        QTest::newRow("98") << 1u << 4u << 10u << QStringLiteral(" A ") << "Windows 98 ( Version 4.10,  A  )";
        QTest::newRow("ME") << 1u << 4u << 90u << none << "Windows ME ( Version 4.90, )";
        QTest::newRow("9x unknown") << 1u << 4u << 3u << none << "Windows (unbekannt) ( Version 4.3, )";
        QTest::newRow("2000") << 2u << 5u << 0u << QStringLiteral("Service Pack 4")
                              << "Windows NT5.0 (Win2000) ( Version 5.0, Service Pack 4 )";
        QTest::newRow("XP") << 2u << 5u << 1u << QStringLiteral("Service Pack 2")
                            << "Windows NT5.1 (WinXP) ( Version 5.1, Service Pack 2 )";
        QTest::newRow("Vista") << 2u << 6u << 0u << QStringLiteral("Service Pack 1")
                               << "Windows NT( Windows Vista ) ( Version 6.0, Service Pack 1 )";
        QTest::newRow("7") << 2u << 6u << 1u << none << "Windows NT6.1 ( Windows 7 ) ( Version 6.1, )";
        QTest::newRow("6.2 appends nothing") << 2u << 6u << 2u << none << "Windows NT ( Version 6.2, )";
        QTest::newRow("NT 4") << 2u << 4u << 0u << QStringLiteral("Service Pack 6")
                              << "Windows NT ( Version 4.0, Service Pack 6 )";
        QTest::newRow("pieces between NULs") << 2u << 5u << 1u << QString::fromUtf8("SP3\0\0Beta\0", 11)
                                             << "Windows NT5.1 (WinXP) ( Version 5.1, SP3 Beta )";
        QTest::newRow("other platform")
            << 3u << 1u << 0u << none << "Betriebssystem unbekannt ( Version 1.0, )";
    }

    void systemText()
    {
        QFETCH(uint, platform);
        QFETCH(uint, major);
        QFETCH(uint, minor);
        QFETCH(QString, servicePack);
        kernel::VersionRecord record;
        record.platformId = platform;
        record.majorVersion = major;
        record.minorVersion = minor;
        record.servicePack = servicePack + QString(128 - servicePack.size(), QChar(u'\0'));
        QTEST(kalvento::copyright::systemText(record), "text");
    }
};

KV_TEST_MAIN(TestFrmMainCommands)
#include "tst_FrmMainCommands.moc"
