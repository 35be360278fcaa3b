#include "diary/forms/MessageRoutine.h"
#include "diary/outsidecontrols/CommandButton.h"
#include "diary/outsidecontrols/DayList.h"
#include "diary/outsidecontrols/OfficeMenu.h"
#include "diary/windows/EntryLimits.h"
#include "diary/windows/FrmMain.h"
#include "diary/windows/FrmNew.h"
#include "platform/com/AutomationError.h"
#include "platform/com/Control.h"
#include "platform/dao/Database.h"
#include "platform/dao/Recordset.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/runtime/App.h"
#include "platform/runtime/ScopedService.h"
#include "platform/runtime/Settings.h"
#include "platform/runtime/SystemSources.h"
#include "tests/diary/windows/MainWindows.h"
#include "tests/support/DiaryHome.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/StatementTrace.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeClock.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>

using com::Variant;
using kalvento::FrmMain;
using testsupport::rtfOf;

namespace
{

const QString Today = QStringLiteral("Dienstag, 8. Dezember 2026");

// Answers the modal balloons in turn by the position of the button to press.
using Answerer = testsupport::BalloonAnswerer;

constexpr int Yes = 0;
constexpr int No = 1;

QStringList listed(const FrmMain &form)
{
    QStringList days;
    for (int i = 0; i < form.List()->count(); ++i)
        days << form.List()->text(i);
    return days;
}

// One column of a statement's rows, read by the engine itself (Null as
// empty text).
QStringList sqlRows(const QString &file, const char *sql)
{
    const testsupport::SqliteCalls sqlite;
    QStringList rows;
    sqlite3 *db = nullptr;
    if (!sqlite.ok() || sqlite.open(file.toUtf8().constData(), &db) != 0)
        return rows;
    sqlite.exec(
        db, sql,
        [](void *out, int, char **values, char **) {
            static_cast<QStringList *>(out)->append(values[0] ? QString::fromUtf8(values[0]) : QString());
            return 0;
        },
        &rows, nullptr);
    sqlite.close(db);
    return rows;
}

QStringList tableDays(const QString &file)
{
    return sqlRows(file, "SELECT Tagdatum FROM Zorvelin ORDER BY ID");
}

QStringList indexes(const QString &file)
{
    return sqlRows(file, "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 'Zorvelin'");
}

} // namespace

class TestFrmMain : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<testsupport::DiaryHome> m_home;
    testsupport::MainWindows m_windows;

    QString databaseFile() const { return m_home->databaseFile(); }
    void seed(const QList<testsupport::Entry> &entries) { m_home->seed(entries); }
    QStringList storedDays() const { return m_home->storedDays(); }

    FrmMain &open() { return m_windows.open(); }
    // Shown and active, for the keyboard.
    FrmMain &showOpen()
    {
        FrmMain &form = open();
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowActive(&form))
            qWarning("the main window did not become active");
        return form;
    }

    // The frame shows its caption with a space on either side.
    static QString countCaption(FrmMain &form)
    {
        return form.xpFrame1()->get(QStringLiteral("Caption")).toString().trimmed();
    }

    void select(FrmMain &form, int row) { form.List()->setCurrentRow(row); }

private slots:
    void initTestCase() { QVERIFY(testsupport::setUpDiaryTests()); }

    void init()
    {
        m_home = std::make_unique<testsupport::DiaryHome>();
        QVERIFY(m_home->isValid());
        rt::Settings::deleteSetting(QStringLiteral("Kalvento"));
    }

    void cleanup() { m_windows.unloadAll(); }

    void loadingListsTheDaysInTableOrder()
    {
        seed({{QStringLiteral("Montag, 7. Dezember 2026"), rtfOf("eins")},
              {QStringLiteral("Freitag, 1. Mai 2026"), rtfOf("zwei")},
              {QStringLiteral("Sonntag, 6. Dezember 2026"), rtfOf("drei")}});
        testsupport::StatementTrace trace;
        FrmMain &form = open();
        QCOMPARE(listed(form), (QStringList{"Montag, 7. Dezember 2026", "Freitag, 1. Mai 2026",
                                            "Sonntag, 6. Dezember 2026"}));
        QCOMPARE(form.List()->currentRow(), -1);
        QCOMPARE(countCaption(form), QStringLiteral("3 eingetragene Tage"));
        QCOMPARE(form.Text3()->text(), Today);
        QCOMPARE(form.LblDbInfo(0)->text(), Today);
        QCOMPARE(form.LblDbInfo(0)->selAlignment().toLong(), 1);
        QCOMPARE(form.LblDbInfo(1)->text(), QString());
        QCOMPARE(form.Label1()->get(QStringLiteral("Caption")).toString(),
                 QStringLiteral("Zorvelin Professional V2.5.17"));
        QCOMPARE(form.Label1()->get(QStringLiteral("BackColorL")).toLong(), 0xFFFFFF);
        QCOMPARE(rt::App::helpFile(), m_home->path() + QStringLiteral("/zorvelin.chm"));
        QVERIFY(form.Command2()->Enabled());
        // Listing read the days only, never a body.
        QCOMPARE(trace.readsOf(QStringLiteral("Tagtext")), 0);
    }

    void emptyTable()
    {
        FrmMain &form = open();
        QCOMPARE(form.List()->count(), 0);
        QCOMPARE(countCaption(form), QStringLiteral("0 eingetragene Tage"));
        QVERIFY(form.Command2()->Enabled());
        Answerer answers({0});
        form.Command5_Click();
        QCOMPARE(answers.seen.size(), 1);
        QVERIFY(answers.seen[0].texts.contains(QStringLiteral("Kein Eintrag markiert")));
        QVERIFY(answers.seen[0].texts.contains(
            QStringLiteral("Bitte markieren Sie den zu entfernenden Eintrag!")));
        QCOMPARE(answers.seen[0].buttons, 1);
    }

    void clickPreviewsTheNthRecordEvenWithEqualDays()
    {
        seed({{QStringLiteral("Tag A"), rtfOf("erster")},
              {QStringLiteral("Tag B"), rtfOf("zweiter")},
              {QStringLiteral("Tag B"), rtfOf("dritter")}});
        testsupport::StatementTrace trace;
        FrmMain &form = open();
        select(form, 2);
        QCOMPARE(form.LblDbInfo(0)->text(), QStringLiteral("Tag B"));
        QCOMPARE(form.LblDbInfo(1)->text(), QStringLiteral("dritter"));
        QCOMPARE(form.LblDbInfo(0)->selAlignment().toLong(), 1);
        select(form, 1);
        QCOMPARE(form.LblDbInfo(1)->text(), QStringLiteral("zweiter"));
        select(form, 0);
        QCOMPARE(form.LblDbInfo(1)->text(), QStringLiteral("erster"));
        // Only the chosen record's body was read.
        QCOMPARE(trace.readsOf(QStringLiteral("Tagtext")), 3);
    }

    void addAndEditWriteThroughTheRecordset()
    {
        seed({{QStringLiteral("Tag A"), rtfOf("a")}, {QStringLiteral("Tag B"), rtfOf("b")}});
        FrmMain &form = open();
        form.AddUser(Today, rtfOf("neu"));
        QCOMPARE(form.List()->count(), 2); // AddUser leaves the refresh to its caller
        form.RefreshList();
        QCOMPARE(listed(form), (QStringList{"Tag A", "Tag B", Today}));
        QCOMPARE(countCaption(form), QStringLiteral("3 eingetragene Tage"));
        QVERIFY(!form.Command2()->Enabled());

        select(form, 0);
        form.EditUser(QStringLiteral("Tag A2"), rtfOf("geändert"));
        form.RefreshList();
        QCOMPARE(storedDays(), (QStringList{"Tag A2", "Tag B", Today}));
        select(form, 0);
        QCOMPARE(form.LblDbInfo(1)->text(), QStringLiteral("geändert"));
    }

    void anEntryTooLargeOrDamagedIsRefusedAndKept_data()
    {
        QTest::addColumn<bool>("formatted");
        QTest::addColumn<int>("damage");     // none, a page of the body, the record's row id
        QTest::addColumn<qint64>("largest"); // 0: as the diary has it
        QTest::addColumn<QString>("says");
        QTest::addColumn<qint64>("largestText"); // 0: as the diary has it
        QTest::addColumn<QString>("entry");      // or a formatted or plain text of "x"
        QTest::newRow("too large") << true << 0 << (qint64(1) << 17)
                                   << QStringLiteral(
                                          "Dieser Eintrag ist mit 0,3 MB zu groß, um angezeigt zu werden "
                                          "(höchstens 0,1 MB). Er bleibt unverändert gespeichert.")
                                   << qint64(0) << QString();
        QTest::newRow("too large without formatting")
            << false << 0 << qint64(0)
            << QStringLiteral(
                   "Dieser Eintrag ist mit 1,2 MB zu groß, um angezeigt zu werden (höchstens 1,0 MB "
                   "als Text ohne Formatierung). Er bleibt unverändert gespeichert.")
            << qint64(0) << QString();
        const QString damaged =
            QStringLiteral("Dieser Eintrag ist beschädigt und kann nicht angezeigt werden.");
        QTest::newRow("damaged page") << true << 1 << qint64(0) << damaged << qint64(0) << QString();
        QTest::newRow("damaged row id") << true << 2 << qint64(0) << damaged << qint64(0) << QString();
        QTest::newRow("day name outgrowing its index")
            << true << 3 << qint64(0) << damaged << qint64(0) << QString();
        // Measured, not read: the damaged page is never reached.
        QTest::newRow("too large, damaged page")
            << true << 1 << (qint64(1) << 17)
            << QStringLiteral(
                   "Dieser Eintrag ist mit 0,3 MB zu groß, um angezeigt zu werden (höchstens 0,1 MB). "
                   "Er bleibt unverändert gespeichert.")
            << qint64(0) << QString();
        // The diary's own bounds, each just passed.
        QTest::newRow("stored beyond the diary's bound")
            << true << 0 << qint64(0)
            << QStringLiteral("Dieser Eintrag ist mit 32,1 MB zu groß, um angezeigt zu werden (höchstens "
                              "32,0 MB). Er bleibt unverändert gespeichert.")
            << qint64(0) << rtfOf(QString(qint64(32) << 20, u'x'));
        QTest::newRow("text beyond the diary's bound")
            << true << 0 << qint64(0)
            << QStringLiteral("Dieser Eintrag ist mit 3.145.729 Zeichen Text zu groß, um angezeigt zu werden "
                              "(höchstens 3.145.728 Zeichen Text neben den Bildern). Er bleibt unverändert "
                              "gespeichert.")
            << qint64(0) << rtfOf(QString((qint64(3) << 20) + 1, u'x'));
        QTest::newRow("lines beyond the diary's bound")
            << true << 0 << qint64(0)
            << QStringLiteral(
                   "Dieser Eintrag ist mit 300.001 Zeilen zu groß, um angezeigt zu werden (höchstens "
                   "300.000 Zeilen). Er bleibt unverändert gespeichert.")
            << qint64(0) << rtfOf(QStringLiteral("x\\par ").repeated(300'000));
        // Text the reader lays out, however the RTF hides it from a count of
        // its own: raw bytes that swallow a picture's start, a picture past
        // the depth the reader follows.
        const QString lines = QStringLiteral("x\\par ").repeated(70'000) + QStringLiteral("}");
        const QString tooMuch =
            QStringLiteral("Dieser Eintrag ist mit 139.999 Zeichen Text zu groß, um angezeigt zu werden "
                           "(höchstens 131.072 Zeichen Text neben den Bildern). Er bleibt unverändert "
                           "gespeichert.");
        QTest::newRow("text after raw bytes") << true << 0 << qint64(0) << tooMuch << (qint64(1) << 17)
                                              << QStringLiteral("{\\rtf1\\ansi \\bin7 {\\pict ") + lines;
        QTest::newRow("text after a picture nested too deep")
            << true << 0 << qint64(0) << tooMuch << (qint64(1) << 17)
            << QStringLiteral("{\\rtf1\\ansi ") + QString(130, u'{') + QStringLiteral("{\\pict\\bin300 ") +
                   QString(300, u'}') + lines;
    }

    void anEntryTooLargeOrDamagedIsRefusedAndKept()
    {
        QFETCH(bool, formatted);
        QFETCH(int, damage);
        QFETCH(qint64, largest);
        QFETCH(QString, says);
        QFETCH(qint64, largestText);
        QFETCH(QString, entry);
        const bool damaged =
            says == QStringLiteral("Dieser Eintrag ist beschädigt und kann nicht angezeigt werden.");
        const QString text(formatted ? 300'000 : 1'200'000, QLatin1Char('x'));
        seed({{QStringLiteral("Tag A"), rtfOf("a")},
              {QStringLiteral("Tag B"), !entry.isEmpty() ? entry
                                        : formatted      ? rtfOf(text)
                                                         : text},
              {QStringLiteral("Tag C"), rtfOf("c")}});
        if (damage == 3)
            QVERIFY(testsupport::SqliteCalls().run(databaseFile(), "CREATE TABLE Lent (Tagdatum)"));
        QVERIFY(testsupport::SqliteCalls().run(databaseFile(),
                                               "CREATE INDEX Zorvelin_Tagdatum ON Zorvelin (Tagdatum)"));
        if (damage == 3) {
            // The table's name of the day grows past the bound while its
            // index, lent to another table meanwhile, keeps the short one.
            const auto lend = [this](const char *from, const char *to) {
                const QString sql = QStringLiteral("PRAGMA writable_schema = ON; UPDATE sqlite_master SET "
                                                   "tbl_name = '%2', sql = replace(sql, 'ON %1', 'ON %2') "
                                                   "WHERE name = 'Zorvelin_Tagdatum'")
                                        .arg(QLatin1String(from), QLatin1String(to));
                return testsupport::SqliteCalls().run(databaseFile(), sql.toUtf8().constData());
            };
            QVERIFY(lend("Zorvelin", "Lent"));
            QVERIFY(testsupport::SqliteCalls().run(
                databaseFile(), "UPDATE Zorvelin SET Tagdatum = 'Tag B' || zeroblob(2000) WHERE rowid = 2"));
            QVERIFY(lend("Lent", "Zorvelin"));
            QVERIFY(testsupport::SqliteCalls().run(databaseFile(), "DROP TABLE Lent"));
        }
        const int table =
            sqlRows(databaseFile(), "SELECT rootpage FROM sqlite_master WHERE name = 'Zorvelin'")
                .value(0)
                .toInt();
        QFile file(databaseFile());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        // The schema, the index of the days and the other records stay intact.
        constexpr int Page = 4096;
        if (damage == 1) {
            // One page of the long body overwritten.
            qsizetype at = Page;
            while (at + Page <= bytes.size() && bytes.mid(at + 4, Page - 4) != QByteArray(Page - 4, 'x'))
                at += Page;
            QVERIFY(at + Page <= bytes.size());
            bytes.replace(at, Page, QByteArray(Page, char(0xAB)));
        } else if (damage == 2) {
            // In the table's one page, the second record's row id reads 9:
            // the days' index still lists row 2, which the table no longer finds.
            const qsizetype page = qsizetype(table - 1) * Page;
            const auto at = [&](qsizetype i) { return static_cast<unsigned char>(bytes[page + i]); };
            QCOMPARE(at(0), 0x0D); // a leaf of a table
            qsizetype cell = at(10) * 256 + at(11);
            while (at(cell) & 0x80) // the payload's size
                ++cell;
            QCOMPARE(at(cell + 1), 2);
            bytes[page + cell + 1] = 9;
        }
        QVERIFY(file.seek(0) && file.write(bytes) == bytes.size());
        file.close();

        std::optional<rt::ScopedService<kalvento::EntryLimits>> limits;
        kalvento::EntryLimits given;
        given.largestShown = largest > 0 ? largest : given.largestShown;
        given.largestText = largestText > 0 ? largestText : given.largestText;
        if (largest > 0 || largestText > 0)
            limits.emplace(given);
        FrmMain &form = open();
        QVERIFY(file.open(QIODevice::ReadOnly));
        bytes = file.readAll(); // as opening left it
        file.close();
        Answerer answers({0, 0});
        QElapsedTimer clock;
        clock.start();
        select(form, 1);
        QVERIFY(clock.elapsed() < 1000);
        // The day as the list names it, also where the record cannot say it.
        QCOMPARE(form.LblDbInfo(0)->text(), QStringLiteral("Tag B"));
        QCOMPARE(form.LblDbInfo(1)->text(), says);
        QCOMPARE(answers.seen.size(), damaged ? 1 : 0);
        // Neither edited nor printed: the editor would save the notice.
        form.Command1_Click();
        form.xpButton1_Click();
        QCOMPARE(answers.seen.size(), damaged ? 3 : 2);
        QVERIFY(answers.seen.last().texts.simplified().contains(says)); // in lines of a balloon
        // Delete names that day; a damaged entry is not written to, and says so (the
        // question is answered "Nein").
        form.Command5_Click();
        QCOMPARE(answers.seen.size(), damaged ? 4 : 3);
        QVERIFY(answers.seen.last().texts.contains(QStringLiteral("Tag B")));
        QVERIFY(answers.seen.last().texts.contains(damaged ? QStringLiteral("wird nicht gelöscht")
                                                           : QStringLiteral("wirklich löschen?")));
        // The list goes on working, and the entry is stored as it was. (A
        // row id out of order hides the record after it from the engine too.)
        select(form, 2);
        QCOMPARE(form.LblDbInfo(1)->text(), damage == 2 ? says : QStringLiteral("c"));
        select(form, 0);
        QCOMPARE(form.LblDbInfo(1)->text(), QStringLiteral("a"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }

    void aFailingWriteIsShownRaisedAndLosesNothing()
    {
        seed({{QStringLiteral("Tag A"), rtfOf("a")}});
        FrmMain &form = open();
        select(form, 0); // read before the file is held: EditUser rewrites this record
        // Another program holds the file: the write cannot go through.
        testsupport::ForeignLock lock(databaseFile());
        QVERIFY(lock.isHeld());

        Answerer answers({0, 0});
        int error = 0;
        try {
            form.AddUser(Today, rtfOf("getippt"));
        } catch (const com::AutomationError &e) {
            error = e.number();
        }
        QCOMPARE(error, 3008);
        QCOMPARE(answers.seen.size(), 1);
        QVERIFY(answers.seen[0].texts.contains(QStringLiteral("Datenbankfehler")));
        QVERIFY(answers.seen[0].texts.contains(QStringLiteral("konnte nicht gespeichert werden")));
        QVERIFY(!form.recordset()->editing());

        error = 0;
        try {
            form.EditUser(QStringLiteral("Tag X"), rtfOf("x"));
        } catch (const com::AutomationError &e) {
            error = e.number();
        }
        QCOMPARE(error, 3008);
        QCOMPARE(answers.seen.size(), 2);

        lock.release();
        // The window goes on working: the caller may simply save again.
        form.AddUser(Today, rtfOf("getippt"));
        QCOMPARE(storedDays(), (QStringList{"Tag A", Today}));
        form.EditUser(QStringLiteral("Tag X"), rtfOf("x"));
        QCOMPARE(storedDays(), (QStringList{"Tag X", Today}));
    }

    // A keyboard user: Tab from the start passes the previews and today's
    // date without typing into them and reaches the day list; editing and
    // storing the chosen entry then keeps its day as it was.
    void tabPassesThePreviewsAndTheDayStaysUnchanged()
    {
        const QString day = QStringLiteral("Samstag, 5. Dezember 2026");
        seed({{day, rtfOf("eins")}});
        FrmMain &form = showOpen();
        QCOMPARE(QApplication::focusWidget(), form.List());
        bool listReached = false;
        QSet<QWidget *> stops;
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *stop = QApplication::focusWidget();
            QVERIFY(stop && stop->isVisible());
            stops << stop;
            listReached = listReached || stop == form.List();
            QTest::keyClick(stop, Qt::Key_End);
            QTest::keyClicks(stop, QStringLiteral("Q"));
        }
        QVERIFY(listReached);
        QCOMPARE(stops.size(), 8); // the heading and the frames are no stops: they show no focus
        QCOMPARE(form.List()->currentRow(), 0);
        QCOMPARE(form.Text3()->text(), Today);
        QCOMPARE(form.LblDbInfo(0)->text(), day);
        QCOMPARE(form.LblDbInfo(1)->text(), QStringLiteral("eins"));
        QString editorDay;
        testsupport::whenModalShown([&](rt::Form *editor) {
            editorDay = qobject_cast<kalvento::FrmNew *>(editor)->dateLine();
            QTest::keyClick(editor->focusWidget(), Qt::Key_E, Qt::AltModifier);
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::AltModifier);
        QTRY_COMPARE(editorDay, day);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(storedDays(), QStringList{day});
    }

    // With no day chosen, at the start and again after a save, a key chooses
    // as from before the first day; Alt+B then edits and stores that day.
    void aKeyWithNoDayChosenChoosesFromBeforeTheFirst_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("chosen"); // -1: the last day; -2: the last one the first page shows whole
        QTest::newRow("End of four") << int(Qt::Key_End) << 4 << -1;
        QTest::newRow("End of thirty") << int(Qt::Key_End) << 30 << -1;
        QTest::newRow("PageDown of thirty") << int(Qt::Key_PageDown) << 30 << -2;
        QTest::newRow("PageDown of four") << int(Qt::Key_PageDown) << 4 << 3;
        QTest::newRow("Home") << int(Qt::Key_Home) << 30 << 0;
        QTest::newRow("Down") << int(Qt::Key_Down) << 30 << 0;
        QTest::newRow("Up") << int(Qt::Key_Up) << 30 << 0;
    }

    void aKeyWithNoDayChosenChoosesFromBeforeTheFirst()
    {
        QFETCH(int, key);
        QFETCH(int, days);
        QFETCH(int, chosen);
        QList<testsupport::Entry> entries;
        for (int i = 1; i <= days; ++i)
            entries << testsupport::Entry{QStringLiteral("%1. November 2026").arg(i), rtfOf("alt")};
        seed(entries);
        FrmMain &form = showOpen();
        const int row = chosen == -1 ? days - 1 : std::max(chosen, 0);
        for (int round = 1; round <= 2; ++round) {
            form.activateWindow(); // back from the editor
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QTRY_COMPARE(QApplication::focusWidget(), form.List());
            QCOMPARE(form.List()->currentRow(), -1);
            QTest::keyClick(form.List(), Qt::Key(key));
            const int at = form.List()->currentRow();
            if (chosen == -2) {
                const QRect page = form.List()->viewport()->rect();
                QVERIFY(at > 0 && at < days - 1);
                QVERIFY(page.contains(form.List()->visualRect(form.List()->model()->index(at, 0))));
                QVERIFY(!page.contains(form.List()->visualRect(form.List()->model()->index(at + 1, 0))));
            } else {
                QCOMPARE(at, row);
            }
            QCOMPARE(form.LblDbInfo(0)->text(), entries[at].first);
            bool edited = false;
            testsupport::whenModalShown([&](rt::Form *form) {
                auto *editor = qobject_cast<kalvento::FrmNew *>(form);
                editor->Txt(1)->setText(QStringLiteral("Runde %1").arg(round));
                editor->Command3()->click(); // "Eintrag editieren"
                edited = true;
            });
            QTest::keyClick(form.List(), Qt::Key_B, Qt::AltModifier);
            QTRY_VERIFY(edited);
            const QList<testsupport::Entry> stored = m_home->stored();
            QCOMPARE(stored.size(), days);
            QCOMPARE(stored[at].first, entries[at].first);
            QVERIFY(stored[at].second.contains(QStringLiteral("Runde %1").arg(round)));
        }
    }

    // Alt+D opens the file menu; after Return closes a message, the control
    // that had the focus has it again.
    void altDOpensTheFileMenuAndMessagesGiveTheFocusBack()
    {
        // Days are listed and none is chosen: taking the focus chooses none.
        seed({{QStringLiteral("Tag A"), rtfOf("a")}, {QStringLiteral("Tag B"), rtfOf("b")}});
        FrmMain &form = showOpen();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::AltModifier);
        auto *dat = form.findChild<QMenu *>(QStringLiteral("dat"));
        QTRY_VERIFY(dat->isVisible());
        QTest::keyClick(dat, Qt::Key_Escape);
        QTest::keyClick(dat, Qt::Key_Escape);
        QTRY_VERIFY(!dat->isVisible());

        form.List()->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), form.List());
        // With no day chosen the box itself shows the focus, below its days too.
        const QImage list = form.List()->viewport()->grab().toImage();
        QVERIFY(list.pixelColor(list.width() / 2, list.height() - 4) !=
                form.List()->palette().color(QPalette::Base));
        QStringList messages;
        for (const Qt::Key key : {Qt::Key_B, Qt::Key_L}) { // edit, delete: nothing chosen, a message
            const qsizetype before = messages.size();
            testsupport::whenModalShown([&](rt::Form *balloon) {
                messages << form.Dialog1().get(QStringLiteral("DialogTitle")).toString();
                QTest::keyClick(balloon->focusWidget(), Qt::Key_Return);
            });
            QTest::keyClick(form.List(), key, Qt::AltModifier);
            QTRY_COMPARE(messages.size(), before + 1);
            QTRY_COMPARE(QApplication::focusWidget(), form.List());
        }
        QCOMPARE(messages, (QStringList{"Kein Eintrag markiert...", "Kein Eintrag markiert"}));
        QCOMPARE(form.List()->currentRow(), -1);
    }

    void deleteAsksTwice_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<bool>("locked"); // another program held the file as the day was chosen
        QTest::newRow("yes, yes") << QList<int>{Yes, Yes} << 2 << QStringList{"Tag A", "Tag C"} << false;
        QTest::newRow("yes, no") << QList<int>{Yes, No} << 2 << QStringList{"Tag A", "Tag B", "Tag C"}
                                 << false;
        QTest::newRow("no") << QList<int>{No} << 1 << QStringList{"Tag A", "Tag B", "Tag C"} << false;
        QTest::newRow("yes, yes after a locked read")
            << QList<int>{Yes, Yes} << 2 << QStringList{"Tag A", "Tag C"} << true;
    }

    void deleteAsksTwice()
    {
        QFETCH(QList<int>, answers);
        QFETCH(int, questions);
        QFETCH(QStringList, left);
        QFETCH(bool, locked);
        seed({{QStringLiteral("Tag A"), rtfOf("a")},
              {QStringLiteral("Tag B"), rtfOf("b")},
              {QStringLiteral("Tag C"), rtfOf("c")}});
        FrmMain &form = open();
        select(form, 0);
        const QString shown =
            locked ? QStringLiteral("Der Eintrag konnte nicht gelesen werden.") : QStringLiteral("b");
        if (locked) {
            testsupport::ForeignLock lock(databaseFile());
            Answerer told({0, 0});
            select(form, 1);
            lock.release();
            form.Command1_Click(); // nothing to edit was read
            QCOMPARE(told.seen.size(), 2);
            QVERIFY(told.seen[1].texts.contains(shown));
        } else {
            select(form, 1);
        }
        // No other day's entry stays in the previews.
        QCOMPARE(form.LblDbInfo(0)->text(), QStringLiteral("Tag B"));
        QCOMPARE(form.LblDbInfo(1)->text(), shown);
        Answerer answerer(answers);
        form.Command5_Click();
        QCOMPARE(answerer.seen.size(), questions);
        QVERIFY(answerer.seen[0].texts.contains(QStringLiteral("Eintrag löschen")));
        QVERIFY(answerer.seen[0].texts.contains(QStringLiteral("Tag B")));
        QCOMPARE(answerer.seen[0].buttons, 2);
        if (questions == 2) {
            QVERIFY(answerer.seen[1].texts.contains(QStringLiteral("VORSICHT !!!")));
            QCOMPARE(answerer.seen[1].buttons, 2);
        }
        QCOMPARE(listed(form), left);
        QCOMPARE(storedDays(), left);
        QCOMPARE(countCaption(form), QStringLiteral("%1 eingetragene Tage").arg(left.size()));
        // The previews keep what was on screen.
        QCOMPARE(form.LblDbInfo(1)->text(), shown);
    }

    // Another program adds and deletes days while the diary is open: a click
    // shows, and the commands act on, the day clicked; one gone meanwhile is
    // said to be gone and the list is read again.
    void anotherProgramChangesTheDiaryMeanwhile_data()
    {
        QTest::addColumn<QByteArray>("before"); // another program, before the click on "Tag B"
        QTest::addColumn<QByteArray>("after");  // ... and after it
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("gone"); // "Tag B" is said to be gone
        QTest::addColumn<QStringList>("stored");
        const QByteArray firstGone = "DELETE FROM Zorvelin WHERE Tagdatum = 'Tag A';";
        const QByteArray appended = "INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES ('Tag E', 'e');";
        const QByteArray beforeFirst =
            "INSERT INTO Zorvelin (ID, Tagdatum, Tagtext) VALUES (0, 'Tag 0', 'x');";
        const QByteArray clickedGone = "DELETE FROM Zorvelin WHERE Tagdatum = 'Tag B';";
        QTest::newRow("first deleted, click")
            << firstGone << QByteArray() << "" << false << QStringList{"Tag B", "Tag C", "Tag D"};
        QTest::newRow("first deleted, one added, edit")
            << firstGone + appended << QByteArray() << "edit" << false
            << QStringList{"Tag B2", "Tag C", "Tag D", "Tag E"};
        QTest::newRow("first deleted, one added, delete") << firstGone + appended << QByteArray() << "delete"
                                                          << false << QStringList{"Tag C", "Tag D", "Tag E"};
        QTest::newRow("one added before the first, edit")
            << beforeFirst << QByteArray() << "edit" << false
            << QStringList{"Tag 0", "Tag A", "Tag B2", "Tag C", "Tag D"};
        QTest::newRow("the clicked day deleted before the click")
            << clickedGone << QByteArray() << "" << true << QStringList{"Tag A", "Tag C", "Tag D"};
        QTest::newRow("the clicked day deleted before the delete")
            << QByteArray() << clickedGone << "delete" << true << QStringList{"Tag A", "Tag C", "Tag D"};
    }

    void anotherProgramChangesTheDiaryMeanwhile()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(QString, command);
        QFETCH(bool, gone);
        QFETCH(QStringList, stored);
        seed({{QStringLiteral("Tag A"), rtfOf("a")},
              {QStringLiteral("Tag B"), rtfOf("b")},
              {QStringLiteral("Tag C"), rtfOf("c")},
              {QStringLiteral("Tag D"), rtfOf("d")}});
        FrmMain &form = open();
        const testsupport::SqliteCalls sqlite;
        QVERIFY(before.isEmpty() || sqlite.run(databaseFile(), before.constData()));
        Answerer told({Yes, Yes});
        select(form, 1);
        if (!before.contains("'Tag B'")) {
            QCOMPARE(form.LblDbInfo(0)->text(), QStringLiteral("Tag B"));
            QCOMPARE(form.LblDbInfo(1)->text(), QStringLiteral("b"));
        }
        QVERIFY(after.isEmpty() || sqlite.run(databaseFile(), after.constData()));
        if (command == QLatin1String("edit")) {
            form.EditUser(QStringLiteral("Tag B2"), rtfOf("b2"));
            form.RefreshList();
        } else if (command == QLatin1String("delete")) {
            form.Command5_Click();
        }
        QString said;
        for (const testsupport::SeenBalloon &balloon : std::as_const(told.seen))
            said += balloon.texts;
        QCOMPARE(said.contains(QStringLiteral("Der Eintrag vom Tag B ist nicht mehr vorhanden.")), gone);
        QVERIFY(!said.contains(QStringLiteral("Datenbankfehler")));
        QCOMPARE(storedDays(), stored);
        if (gone || !command.isEmpty())
            QTRY_COMPARE(listed(form), stored);
    }

    void deletingTheLastEntryShowsZero()
    {
        seed({{QStringLiteral("Tag A"), rtfOf("a")}});
        FrmMain &form = open();
        select(form, 0);
        Answerer answerer({Yes, Yes});
        form.Command5_Click();
        QCOMPARE(form.List()->count(), 0);
        QCOMPARE(countCaption(form), QStringLiteral("0 eingetragene Tage"));
    }

    void newButtonFollowsTodaysEntry()
    {
        seed({{QStringLiteral("Tag A"), rtfOf("a")}, {Today, rtfOf("heute")}});
        FrmMain &form = open();
        QVERIFY(!form.Command2()->Enabled());
        {
            // Deleting another day's entry leaves New disabled.
            select(form, 0);
            Answerer answerer({Yes, Yes});
            form.Command5_Click();
            QCOMPARE(listed(form), QStringList{Today});
            QVERIFY(!form.Command2()->Enabled());
        }
        {
            // Answering no still re-evaluates, and today is still listed.
            select(form, 0);
            Answerer answerer({No});
            form.Command5_Click();
            QVERIFY(!form.Command2()->Enabled());
        }
        {
            select(form, 0);
            Answerer answerer({Yes, Yes});
            form.Command5_Click();
            QVERIFY(form.Command2()->Enabled());
        }
        // A refresh never enables New; it disables it once today is back.
        form.AddUser(Today, rtfOf("wieder"));
        form.RefreshList();
        QVERIFY(!form.Command2()->Enabled());
    }

    void menuLookIsStoredAndRestored()
    {
        {
            FrmMain &form = open();
            // Nothing stored: the XP look, checked and stored.
            QCOMPARE(form.OfficeMenu1()->Style(), 2);
            QVERIFY(form.menuEntry(QStringLiteral("xpdesign"))->isChecked());
            QCOMPARE(rt::Settings::getSetting("Kalvento", "Einstellungen", "Menue"), QStringLiteral("XP"));
            form.office2007er_Click();
            QCOMPARE(form.OfficeMenu1()->Style(), 4);
            const QStringList entries{"xpdesign", "office2003er", "office2007er", "vbstudio05"};
            QList<bool> checks;
            for (const QString &entry : entries)
                checks << form.menuEntry(entry)->isChecked();
            QCOMPARE(checks, (QList<bool>{false, false, true, false}));
            form.unload();
        }
        FrmMain &again = open();
        QCOMPARE(again.OfficeMenu1()->Style(), 4);
        QVERIFY(again.menuEntry(QStringLiteral("office2007er"))->isChecked());
        again.menuEntry(QStringLiteral("vbstudio05"))->trigger();
        QCOMPARE(rt::Settings::getSetting("Kalvento", "Einstellungen", "Menue"), QStringLiteral("VS2005"));
        QCOMPARE(again.OfficeMenu1()->Style(), 5);
    }

    void aForeignStoredLookKeepsTheDesignedOne()
    {
        rt::Settings::saveSetting("Kalvento", "Einstellungen", "Menue", QStringLiteral("Vista"));
        FrmMain &form = open();
        QCOMPARE(form.OfficeMenu1()->Style(), 2);
        for (const char *entry : {"xpdesign", "office2003er", "office2007er", "vbstudio05"})
            QVERIFY(!form.menuEntry(QString::fromLatin1(entry))->isChecked());
        QCOMPARE(rt::Settings::getSetting("Kalvento", "Einstellungen", "Menue"), QStringLiteral("Vista"));
    }

    void onlyTheCommandsThatExistAreInTheMenus()
    {
        FrmMain &form = open();
        QStringList names;
        for (QAction *action : form.findChildren<QAction *>())
            if (!action->objectName().isEmpty())
                names << action->objectName();
        names.sort();
        QCOMPARE(names,
                 (QStringList{"copyr", "datenbanksichern", "enden", "helpp", "office2003er", "office2007er",
                              "pwort", "reini", "updateee", "vbstudio05", "xpdesign"}));
    }

    void quitAsksFirst()
    {
        FrmMain &form = open();
        int ended = 0;
        form.setProgramEnd([&] { ++ended; });
        {
            Answerer answerer({No});
            form.enden_Click();
            QCOMPARE(answerer.seen.size(), 1);
            QVERIFY(answerer.seen[0].texts.contains(QStringLiteral("Programm beenden")));
            QCOMPARE(ended, 0);
            QVERIFY(form.recordset());
        }
        Answerer answerer({Yes});
        form.enden_Click();
        QCOMPARE(ended, 1);
        QVERIFY(!form.recordset());
    }

    void countsBeyondSixteenBits()
    {
        // Filled in one transaction: 33,000 commits would take minutes.
        QVERIFY(testsupport::SqliteCalls().run(
            databaseFile(),
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 33000) "
            "INSERT INTO Zorvelin (Tagdatum, Tagtext) SELECT 'Tag ' || i, 'Text ' || i FROM n"));
        FrmMain &form = open();
        QCOMPARE(form.List()->count(), 33000);
        QCOMPARE(countCaption(form), QStringLiteral("33000 eingetragene Tage"));
        select(form, 32999);
        QCOMPARE(form.LblDbInfo(0)->text(), QStringLiteral("Tag 33000"));
        QCOMPARE(form.LblDbInfo(1)->text(), QStringLiteral("Text 33000"));
    }

    void theListOfThirtyThreeThousandDaysIsTheTable()
    {
        // Days out of their alphabetical order, some twice, one never written
        // and today's among them.
        QVERIFY(testsupport::SqliteCalls().run(
            databaseFile(),
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 33000) "
            "INSERT INTO Zorvelin (Tagdatum, Tagtext) SELECT CASE WHEN i % 1000 = 0 THEN 'Doppelt' "
            "WHEN i = 777 THEN NULL WHEN i = 20001 THEN 'Dienstag, 8. Dezember 2026' "
            "ELSE 'Tag ' || ((i * 7919) % 33001) END, 'Text ' || i FROM n"));
        const QStringList days = tableDays(databaseFile());
        QCOMPARE(days.size(), 33000);
        QCOMPARE(days[776], QString());
        testsupport::StatementTrace trace;
        FrmMain &form = open();
        QCOMPARE(listed(form), days);
        QCOMPARE(form.List()->currentRow(), -1);
        QCOMPARE(countCaption(form), QStringLiteral("33000 eingetragene Tage"));
        QVERIFY(!form.Command2()->Enabled());
        QVERIFY(form.recordset()->EOF_());
        QCOMPARE(trace.readsOf(QStringLiteral("Tagtext")), 0);

        // Each position previews the record at that place in the table.
        for (const int row : {0, 776, 20000, 32999}) {
            select(form, row);
            QCOMPARE(form.List()->currentRow(), row);
            QCOMPARE(form.LblDbInfo(0)->text(), days[row]);
            QCOMPARE(form.LblDbInfo(1)->text(), QStringLiteral("Text %1").arg(row + 1));
        }

        // Another program changed the file: a refresh shows it as it is now.
        QVERIFY(testsupport::SqliteCalls().run(
            databaseFile(), "DELETE FROM Zorvelin WHERE ID % 3 = 0;"
                            "INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES ('Neu', 'Text neu')"));
        form.RefreshList();
        const QStringList now = tableDays(databaseFile());
        QCOMPARE(now.size(), 22001);
        QCOMPARE(listed(form), now);
        QCOMPARE(form.List()->currentRow(), -1);
        QCOMPARE(countCaption(form), QStringLiteral("22001 eingetragene Tage"));
        select(form, 22000);
        QCOMPARE(form.LblDbInfo(1)->text(), QStringLiteral("Text neu"));
        select(form, 1);
        QCOMPARE(form.LblDbInfo(1)->text(), QStringLiteral("Text 2"));
        QCOMPARE(trace.readsOf(QStringLiteral("Tagtext")), 6);
    }

    void aDiaryWithoutTheIndexOpensAndGetsIt()
    {
        seed({{QStringLiteral("Sonntag, 6. Dezember 2026"), rtfOf("eins")},
              {QStringLiteral("Freitag, 1. Mai 2026"), rtfOf("zwei")},
              {QStringLiteral("Montag, 7. Dezember 2026"), rtfOf("drei")}});
        const QStringList days{"Sonntag, 6. Dezember 2026", "Freitag, 1. Mai 2026",
                               "Montag, 7. Dezember 2026"};
        QCOMPARE(indexes(databaseFile()), QStringList());
        {
            FrmMain &form = open();
            QCOMPARE(listed(form), days);
            QCOMPARE(indexes(databaseFile()), QStringList{QStringLiteral("Zorvelin_Tagdatum")});
            m_windows.unloadAll();
        }
        // Opened again, the days come by the index: still in table order.
        FrmMain &form = open();
        QCOMPARE(listed(form), days);
        QCOMPARE(indexes(databaseFile()), QStringList{QStringLiteral("Zorvelin_Tagdatum")});
        select(form, 1);
        QCOMPARE(form.LblDbInfo(1)->text().trimmed(), QStringLiteral("zwei"));
        QCOMPARE(tableDays(databaseFile()), days);
    }

    void resizingKeepsProportionsAndReturnsExactly()
    {
        FrmMain &form = open();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QSize area = form.innerArea()->size();
        const QRect list = form.List()->geometry();
        QCOMPARE(list, QRect(16, 80, 224, 312)); // the design layout in pixels
        form.resize(form.width() + area.width(), form.height() + area.height());
        QCOMPARE(form.innerArea()->size(), area * 2);
        QCOMPARE(form.List()->geometry(), QRect(32, 160, 448, 624));
        QCOMPARE(form.LblDbInfo(1)->geometry().topLeft(), QPoint(528, 224));
        QCOMPARE(form.xpFrame1()->geometry().width(), 480);
        form.resize(form.width() - area.width() + 37, form.height() - area.height() - 53);
        form.resize(form.width() - 37, form.height() + 53);
        QCOMPARE(form.innerArea()->size(), area);
        QCOMPARE(form.List()->geometry(), list);
        QCOMPARE(form.Command5()->geometry(), QRect(512, 354, 112, 33));
    }

    void aLockedDatabaseEndsCleanly()
    {
        testsupport::ForeignLock lock(databaseFile());
        QVERIFY(lock.isHeld());
        Answerer answerer({0});
        QPointer<FrmMain> form = rt::Form::create<FrmMain>();
        form->load();
        lock.release();
        QVERIFY(!form || !form->isLoaded());
        QCOMPARE(answerer.seen.size(), 1);
        QVERIFY(answerer.seen[0].texts.contains(QStringLiteral("3008")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void aClosedStoreRaisesInsteadOfCrashing()
    {
        FrmMain &form = open();
        form.setProgramEnd([] {});
        {
            Answerer answerer({Yes});
            form.enden_Click();
        }
        Answerer answerer({0});
        int error = 0;
        try {
            form.AddUser(Today, rtfOf("x"));
        } catch (const com::AutomationError &e) {
            error = e.number();
        }
        QCOMPARE(error, 3420);
        QCOMPARE(answerer.seen.size(), 1);
    }

    void aMissingOrForeignDatabaseEndsCleanly_data()
    {
        QTest::addColumn<QByteArray>("content");    // empty: no file at all
        QTest::addColumn<QString>("programFolder"); // under the diary's home; empty: the home
        const QByteArray letter = QByteArray("Dies ist keine Datenbank, sondern ein Brief.\n").repeated(200);
        QTest::newRow("missing") << QByteArray() << QString();
        QTest::newRow("foreign") << letter << QString();
        // The path and the reason stand whole, the path once, in lines the balloon can hold.
        QTest::newRow("foreign, deep folder")
            << letter
            << QStringLiteral("Eigene Dateien/Programme und Werkzeuge/Tagebuch Kalvento Professional/"
                              "Ausgabe für den Schreibtisch");
        QTest::newRow("missing, folder name longer than a line")
            << QByteArray() << QStringLiteral("Programmordner").repeated(6);
        // The name is cut at the line's end, not between the two halves of the emoji there.
        QTest::newRow("missing, emoji where the line ends")
            << QByteArray() << QString(59, QLatin1Char('x')) + QStringLiteral("\U0001F600Ordner");
    }

    void aMissingOrForeignDatabaseEndsCleanly()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, programFolder);
        QFile::remove(databaseFile());
        const QString home = programFolder.isEmpty() ? m_home->path() : m_home->filePath(programFolder);
        QVERIFY(QDir().mkpath(home + QStringLiteral("/data")));
        qputenv("KALVENTO_HOME", QFile::encodeName(home));
        const QString databaseFile = home + QStringLiteral("/data/Database.mdb");
        if (!content.isEmpty()) {
            QFile file(databaseFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        Answerer answerer({0});
        QPointer<FrmMain> form = rt::Form::create<FrmMain>();
        form->load();
        QVERIFY(!form || !form->isLoaded());
        QCOMPARE(answerer.seen.size(), 1);
        const QString texts = answerer.seen[0].texts;
        QVERIFY(texts.contains(QStringLiteral("Datenbankfehler")));
        QCOMPARE(texts.count(QStringLiteral("Database.mdb")), 1);
        QVERIFY2(QString(texts).remove(QRegularExpression(QStringLiteral("\r?\n"))).contains(databaseFile),
                 qPrintable(texts));
        for (const QString &line : texts.split(QRegularExpression(QStringLiteral("[\r\n|]"))))
            QVERIFY2(line.size() <= kalvento::MessageLineChars && line.isValidUtf16(), qPrintable(line));
        // Nothing was created or changed.
        QCOMPARE(QFile::exists(databaseFile), !content.isEmpty());
        if (!content.isEmpty()) {
            QFile file(databaseFile);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), content);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form);
    }
    void aTableWithoutTheDiarysColumnsEndsCleanly_data()
    {
        QTest::addColumn<QByteArray>("schema"); // empty: no table at all
        QTest::addColumn<QString>("missing");
        QTest::newRow("no table") << QByteArray() << QStringLiteral("Zorvelin");
        QTest::newRow("no Tagdatum") << QByteArray(
                                            "CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY, Datum TEXT, "
                                            "Tagtext TEXT)")
                                     << QStringLiteral("Tagdatum");
        QTest::newRow("no Tagtext") << QByteArray(
                                           "CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY, Tagdatum TEXT, "
                                           "Text TEXT)")
                                    << QStringLiteral("Tagtext");
    }

    void aTableWithoutTheDiarysColumnsEndsCleanly()
    {
        QFETCH(QByteArray, schema);
        QFETCH(QString, missing);
        const testsupport::SqliteCalls sqlite;
        QVERIFY(sqlite.run(databaseFile(), "DROP TABLE Zorvelin"));
        if (!schema.isEmpty()) {
            QVERIFY(sqlite.run(databaseFile(), schema.constData()));
            // Rows the window could not show.
            QVERIFY(sqlite.run(databaseFile(), "INSERT INTO Zorvelin (ID) VALUES (1), (2), (3)"));
        }
        Answerer answerer({0});
        QPointer<FrmMain> form = rt::Form::create<FrmMain>();
        form->load();
        QVERIFY(!form || !form->isLoaded());
        QCOMPARE(answerer.seen.size(), 1);
        QVERIFY(answerer.seen[0].texts.contains(QStringLiteral("Datenbankfehler")));
        QVERIFY(answerer.seen[0].texts.contains(QStringLiteral("kann nicht geöffnet werden")));
        QVERIFY2(answerer.seen[0].texts.contains(QStringLiteral("'%1'").arg(missing)),
                 qPrintable(answerer.seen[0].texts));
        QVERIFY(answerer.seen[0].texts.contains(QStringLiteral("Das Programm wird beendet.")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form);
    }
};

KV_TEST_MAIN(TestFrmMain)
#include "tst_FrmMain.moc"
