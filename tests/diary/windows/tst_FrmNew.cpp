#include "diary/outsidecontrols/CommandButton.h"
#include "diary/outsidecontrols/DayList.h"
#include "diary/outsidecontrols/KeyedToolBar.h"
#include "diary/outsidecontrols/MonthView.h"
#include "diary/windows/EntryLimits.h"
#include "diary/windows/FrmMain.h"
#include "diary/windows/FrmNew.h"
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
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeClock.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <functional>
#include <memory>
#include <optional>

using com::Variant;
using kalvento::FrmMain;
using kalvento::FrmNew;
using testsupport::rtfOf;

using testsupport::answer;
using testsupport::closeBalloon;
using testsupport::Driver;
using testsupport::ModalWatcher;
using testsupport::press;

namespace
{

const QString Today = QStringLiteral("Dienstag, 8. Dezember 2026");

FrmNew *editorOf(QWidget *w)
{
    return qobject_cast<FrmNew *>(w);
}

// Acts on the editor once it is the modal window again, after the box or
// balloon it raised; whatever else is on top is left to the driver.
ModalWatcher::Act whenEditorBack(std::function<void(FrmNew *)> act)
{
    return [act = std::move(act)](rt::Form *form) {
        auto *editor = qobject_cast<FrmNew *>(form);
        if (editor)
            act(editor);
        return editor != nullptr;
    };
}

} // namespace

class TestFrmNew : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<testsupport::DiaryHome> m_home;
    testsupport::MainWindows m_windows;

    void seed(const QList<testsupport::Entry> &entries) { m_home->seed(entries); }
    QList<testsupport::Entry> stored() const { return m_home->stored(); }

    FrmMain &open() { return m_windows.open(); }

    static QString heading(FrmNew *e) { return e->Label1()->get(QStringLiteral("Caption")).toString(); }

private slots:
    void initTestCase() { QVERIFY(testsupport::setUpDiaryTests()); }

    void init()
    {
        m_home = std::make_unique<testsupport::DiaryHome>();
        QVERIFY(m_home->isValid());
        rt::Settings::deleteSetting(QStringLiteral("Kalvento"));
    }

    void cleanup() { m_windows.unloadAll(); }

    void newSavesTodayWithItsTextsAndModes()
    {
        seed({{QStringLiteral("Tag A"), rtfOf("a")}});
        FrmMain &main = open();
        Driver driver;
        QString caption, help, title;
        bool cmdOk = false, command3 = true, neusp = false, editierter = true, calendar = true, ruler = false;
        QString date;
        driver.on("FrmNew", [&](QWidget *w) {
            FrmNew *e = editorOf(w);
            caption = heading(e);
            help = e->Label2()->text();
            title = e->windowTitle();
            cmdOk = e->CmdOk()->isEnabled();
            command3 = e->Command3()->isEnabled();
            neusp = e->menuEntry("neusp")->isEnabled();
            editierter = e->menuEntry("editierter")->isEnabled();
            calendar = e->sevMonthView1()->isVisible();
            ruler = e->Ruler1() && e->Ruler1()->isVisible();
            date = e->Txt(0)->text();
            QCOMPARE(e->Label1()->get(QStringLiteral("BackColorL")).toLong(), 0xFFFFFF);
            QCOMPARE(e->Txt(0)->selAlignment().toLong(), 1);
            QCOMPARE(e->Txt(1)->fontName(), QStringLiteral("Arial"));
            e->Txt(1)->setText(QStringLiteral("Heute war schön."));
            e->CmdOk()->click();
        });
        main.Command2()->click();
        QVERIFY(driver.done());
        QVERIFY(driver.unexpected.isEmpty());
        QCOMPARE(caption, QStringLiteral("Neuen Tag eingeben..."));
        QVERIFY(
            help.startsWith(QStringLiteral("Sie können jetzt damit beginnen einen neuen Tag anzulegen.")));
        QVERIFY(help.endsWith(
            QStringLiteral("klicken Sie auf den Button >Neuen Tag eintragen< um diesen zu speichern.")));
        QCOMPARE(title, QStringLiteral("Eingabe für ") + Today);
        QVERIFY(cmdOk);
        QVERIFY(!command3); // New disables saving an edit
        QVERIFY(neusp);
        QVERIFY(!editierter);
        QVERIFY(!calendar);
        QVERIFY(ruler);
        QCOMPARE(date, Today);
        const auto rows = stored();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].first, Today); // exactly the day's text, no trailing break
        QVERIFY(rows[1].second.startsWith(QStringLiteral("{\\rtf")));
        QCOMPARE(main.List()->count(), 2);
        QCOMPARE(main.List()->text(1), Today);
        QVERIFY(!main.Command2()->Enabled());
        QCOMPARE(main.LblDbInfo(0)->selAlignment().toLong(), 1);
    }

    void emptyFieldsAreRefusedAndCancelSavesNothing()
    {
        FrmMain &main = open();
        Driver driver;
        QString prompt, boxTitle;
        bool stillOpen = false;
        std::optional<ModalWatcher> back;
        driver.on("FrmNew", [&](QWidget *w) { editorOf(w)->CmdOk()->click(); }).on("MsgBox", [&](QWidget *w) {
            prompt = qobject_cast<QMessageBox *>(w)->text();
            boxTitle = w->windowTitle();
            press(w, QMessageBox::Ok);
            back.emplace(whenEditorBack([&](FrmNew *e) {
                stillOpen = e->isVisible();
                e->CmdCancel()->click();
            }));
        });
        main.Command2()->click();
        QVERIFY(driver.done());
        QCOMPARE(prompt, QStringLiteral("Please fill in all textfields..."));
        QCOMPARE(boxTitle, QStringLiteral("Incomplete..."));
        QVERIFY(stillOpen);
        QVERIFY(stored().isEmpty());
        QVERIFY(main.isVisible());
    }

    void editWithoutSelectionOnlyTells()
    {
        seed({{QStringLiteral("Tag A"), rtfOf("a")}});
        FrmMain &main = open();
        Driver driver;
        QString texts;
        driver.on("balloon", [&](QWidget *w) { texts = closeBalloon(w); });
        main.Command1()->click();
        QVERIFY(driver.done());
        QVERIFY(driver.unexpected.isEmpty());
        QVERIFY(texts.contains(QStringLiteral("Kein Eintrag markiert...")));
        QVERIFY(texts.contains(
            QStringLiteral("Bitte markieren Sie den Eintrag, welchen Sie editieren möchten.")));
    }

    void newThenEditChangesOneRecord()
    {
        seed({{QStringLiteral("Tag A"), rtfOf("a")}});
        FrmMain &main = open();
        {
            Driver driver;
            driver.on("FrmNew", [](QWidget *w) {
                editorOf(w)->Txt(1)->setTextRTF(QStringLiteral("{\\rtf1\\ansi\\f0 {\\b fett} und Bild ") +
                                                testsupport::pictureRtf(4, 4, Qt::red) +
                                                QStringLiteral("\\par}"));
                editorOf(w)->CmdOk()->click();
            });
            main.Command2()->click();
            QVERIFY(driver.done());
        }
        main.List()->setCurrentRow(0);
        QString caption, help, title;
        bool cmdOk = true, neusp = true, editierter = false;
        {
            Driver driver;
            driver.on("FrmNew", [&](QWidget *w) {
                FrmNew *e = editorOf(w);
                caption = heading(e);
                help = e->Label2()->text();
                title = e->windowTitle();
                cmdOk = e->CmdOk()->isEnabled();
                neusp = e->menuEntry("neusp")->isEnabled();
                editierter = e->menuEntry("editierter")->isEnabled();
                QCOMPARE(e->Txt(1)->text(), QStringLiteral("a"));
                e->Txt(1)->setText(QStringLiteral("a und mehr"));
                e->menuEntry("editierter")->trigger();
            });
            main.Command1()->click();
            QVERIFY(driver.done());
        }
        QCOMPARE(caption, QStringLiteral("Bestehenden Eintrag bearbeiten"));
        QCOMPARE(help, QStringLiteral(
                           "Sie können jetzt Änderungen an Ihrem Eintrag vornehmen oder einen bestehenden "
                           "Eintrag fortsetzen. Wenn Sie mit Ihrer Eingabe fertig sind, dann klicken Sie "
                           "bitte auf den Button \"Eintrag editieren\"."));
        QCOMPARE(title, QStringLiteral("Eingabe für Tag A"));
        QVERIFY(!cmdOk);
        QVERIFY(!neusp); // today has an entry, yet the edit must not append
        QVERIFY(editierter);
        const auto rows = stored();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].first, QStringLiteral("Tag A"));
        QCOMPARE(main.List()->count(), 2);

        // The bold text and the picture come back in the preview.
        main.List()->setCurrentRow(1);
        richtext::RichTextBox *preview = main.LblDbInfo(1);
        QCOMPARE(preview->text().left(4), QStringLiteral("fett"));
        preview->setSelStart(0);
        preview->setSelLength(4);
        QVERIFY(preview->selBold().toBool());
        QVERIFY(preview->textRTF().contains(QStringLiteral("\\pict")));
        main.List()->setCurrentRow(0);
        QCOMPARE(main.LblDbInfo(1)->text().trimmed(), QStringLiteral("a und mehr"));
    }

    void editOpenedWhileTodayUnlistedStillEdits()
    {
        seed({{QStringLiteral("Tag A"), rtfOf("a")}, {QStringLiteral("Tag B"), rtfOf("b")}});
        FrmMain &main = open();
        main.List()->setCurrentRow(1);
        Driver driver;
        bool neusp = true;
        driver.on("FrmNew", [&](QWidget *w) {
            FrmNew *e = editorOf(w);
            neusp = e->menuEntry("neusp")->isEnabled();
            e->menuEntry("neusp")->trigger(); // disabled: does nothing
            e->Txt(1)->setText(QStringLiteral("neu"));
            e->Command3()->click();
        });
        main.Command1()->click();
        QVERIFY(driver.done());
        QVERIFY(!neusp);
        const auto rows = stored();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].first, QStringLiteral("Tag B"));
        QVERIFY(rows[1].second.contains(QStringLiteral("neu")));
    }

    void modeFollowsTodaysExactText_data()
    {
        QTest::addColumn<QString>("listed");
        QTest::addColumn<bool>("edit");
        QTest::newRow("today listed") << Today << true;
        QTest::newRow("differs in case") << Today.toUpper() << false;
    }
    void modeFollowsTodaysExactText()
    {
        QFETCH(QString, listed);
        QFETCH(bool, edit);
        seed({{listed, rtfOf("x")}});
        FrmMain &main = open();
        QPointer<FrmNew> e = rt::Form::create<FrmNew>(main);
        e->load();
        QCOMPARE(!e->CmdOk()->isEnabled(), edit);
        QCOMPARE(heading(e), edit ? QStringLiteral("Vorhandenen Eintrag editieren...")
                                  : QStringLiteral("Neuen Tag eingeben..."));
        QCOMPARE(e->menuEntry("editierter")->isEnabled(), edit);
        e->unload();
    }

    void aFailingSaveKeepsTheEditorAndItsText_data()
    {
        QTest::addColumn<bool>("tooLarge");
        QTest::addColumn<QString>("says");
        QTest::newRow("file held by another program")
            << false << QStringLiteral("konnte nicht gespeichert werden");
        // More characters than the preview takes (each "ä", written as four
        // bytes, counts once).
        QTest::newRow("too large to show again")
            << true
            << QStringLiteral(
                   "wurde nicht gespeichert: Er wäre mit 140.000 Zeichen Text zu groß, um wieder angezeigt "
                   "zu werden (höchstens 131.072 Zeichen Text neben den Bildern). Bitte kürzen Sie ihn; "
                   "Ihr Text bleibt im Editor.");
    }

    // From the keyboard: the message closed with Return, the next key goes
    // on into the entry, not into the main window below.
    void aFailingSaveKeepsTheEditorAndItsText()
    {
        QFETCH(bool, tooLarge);
        QFETCH(QString, says);
        const QString typed = tooLarge ? QString(140'000, QChar(0xE4)) : QStringLiteral("getippt");
        std::optional<rt::ScopedService<kalvento::EntryLimits>> limits;
        if (tooLarge)
            limits.emplace(kalvento::EntryLimits{.largestText = qint64(1) << 17});
        FrmMain &main = open();
        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        std::optional<testsupport::ForeignLock> lock;
        if (!tooLarge) {
            lock.emplace(m_home->databaseFile());
            QVERIFY(lock->isHeld());
        }

        Driver driver;
        QString balloon, kept;
        bool open = false;
        std::optional<ModalWatcher> back;
        driver
            .on("FrmNew",
                [&](QWidget *w) {
                    editorOf(w)->Txt(1)->setText(typed);
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
                })
            .on("balloon", [&](QWidget *w) {
                balloon = testsupport::labelTexts(w);
                QTest::keyClick(w->focusWidget(), Qt::Key_Return);
                back.emplace(whenEditorBack([&](FrmNew *e) {
                    open = e->isVisible();
                    QTRY_COMPARE(QApplication::focusWidget(), e->Txt(1)->editor());
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
                    kept = e->Txt(1)->text();
                    e->CmdCancel()->click();
                }));
            });
        main.Command2()->click();
        lock.reset();
        QVERIFY(driver.done());
        QVERIFY2(driver.unexpected.isEmpty(), qPrintable(driver.unexpected.join(','))); // no second message
        QVERIFY2(balloon.simplified().contains(says), qPrintable(balloon)); // in lines of a balloon
        QVERIFY(open);
        QCOMPARE(kept, typed + QLatin1Char('x'));
        QVERIFY(stored().isEmpty());
    }

    // Opened with "Eintrag editieren": saved unchanged, it keeps its bytes
    // whatever the reader left out; with a day's typing it is saved and shown
    // again, or the editor says as it opens that there is no room for it.
    void anOpenedEntryKeepsItsBytesOrTakesADaysTyping_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<qint64>("largestShown"); // 0: as the diary has them
        QTest::addColumn<qint64>("largestText");
        QTest::addColumn<int>("typed"); // characters typed at the end
        QTest::addColumn<QString>("warns");
        const QString head = QStringLiteral("{\\rtf1\\ansi ");
        QTest::newRow("text nested deeper than read")
            << head + "Sichtbar. " + QString(200, u'{') + "Tief verschachtelter Text." + QString(200, u'}') +
                   " Ende.}"
            << qint64(0) << qint64(0) << 0 << QString();
        QTest::newRow("shape and object groups")
            << head + "Vorher {\\shp{\\*\\shpinst{\\sp{\\sn x}{\\sv y}}{\\shptxt Im Rahmen}}}"
                      "{\\object\\objemb{\\*\\objdata 0102}{\\result Ergebnis}} Nachher\\par}"
            << qint64(0) << qint64(0) << 0 << QString();
        QTest::newRow("raw bytes running past the end")
            << head + "Vorher\\par \\bin2147483647 " + QString(3000, u'r') << qint64(0) << qint64(0) << 0
            << QString();
        // Each "ä" is written back as four bytes and counts as one character.
        const QString umlauts = rtfOf(QString(140'000, QChar(0xE4)));
        QTest::newRow("text with room for a day")
            << umlauts << qint64(0) << qint64(150'000) << 5000 << QString();
        QTest::newRow("text at its bound, unchanged")
            << umlauts << qint64(0) << qint64(140'001) << 0 << QStringLiteral("140.001 Zeichen");
        const auto photo = [&](int bytes) {
            return head + "Bild {\\pict\\wmetafile8\\picw100\\pich100 " +
                   QString::fromLatin1(QByteArray(bytes, '\x5A').toHex()) + "}\\par}";
        };
        QTest::newRow("pictures with room for a day")
            << photo(400'000) << (qint64(1) << 20) << qint64(0) << 5000 << QString();
        QTest::newRow("pictures at the stored bound, unchanged")
            << photo(520'000) << (qint64(1) << 20) << qint64(0) << 0 << QStringLiteral("1,0 MB");
        // A million bytes, 550,000 characters, written as \u escapes.
        QTest::newRow("plain text at its bound")
            << QStringLiteral("Привет мир ").repeated(50'000) << qint64(0) << qint64(0) << 5000 << QString();
        QTest::newRow("plain text, unchanged")
            << QStringLiteral("Привет мир\r\n").repeated(49'000) << qint64(0) << qint64(0) << 0 << QString();
        QTest::newRow("lines at their bound, unchanged")
            << QStringLiteral("a\n").repeated(295'000) << qint64(0) << qint64(0) << 0
            << QStringLiteral("295.001 Zeilen");
    }

    void anOpenedEntryKeepsItsBytesOrTakesADaysTyping()
    {
        QFETCH(QString, entry);
        QFETCH(qint64, largestShown);
        QFETCH(qint64, largestText);
        QFETCH(int, typed);
        QFETCH(QString, warns);
        kalvento::EntryLimits given;
        if (largestShown > 0)
            given.largestShown = largestShown;
        if (largestText > 0)
            given.largestText = largestText;
        const rt::ScopedService<kalvento::EntryLimits> limits(given);
        seed({{QStringLiteral("Tag A"), entry}});
        FrmMain &main = open();
        main.List()->setCurrentRow(0);
        QVERIFY(!main.LblDbInfo(1)->isTextEmpty());
        const QString more(typed, u'y');
        Driver driver;
        QString said;
        if (!warns.isEmpty())
            driver.on("balloon", [&](QWidget *w) { said = closeBalloon(w); });
        driver.on("FrmNew", [&](QWidget *w) {
            FrmNew *e = editorOf(w);
            if (typed > 0)
                e->Txt(1)->setSelText(more);
            e->Command3()->click();
        });
        main.Command1()->click();
        QVERIFY(driver.done());
        QVERIFY2(driver.unexpected.isEmpty(), qPrintable(driver.unexpected.join(',')));
        QVERIFY2(warns.isEmpty() ? said.isEmpty() : said.simplified().contains(warns), qPrintable(said));
        const QString kept = stored().value(0).second;
        if (typed == 0)
            QCOMPARE(kept, entry);
        QVERIFY(kept.contains(QStringLiteral("yyy")) == (typed > 0));
        // Shown again, as stored.
        main.List()->setCurrentRow(0);
        QCOMPARE(main.LblDbInfo(1)->textRTF(), kept);
    }

    void anEntryDeletedElsewhereIsOfferedAsNew_data()
    {
        QTest::addColumn<bool>("saveAsNew");
        QTest::newRow("saved as new") << true;
        QTest::newRow("kept open") << false;
    }

    void anEntryDeletedElsewhereIsOfferedAsNew()
    {
        QFETCH(bool, saveAsNew);
        seed({{QStringLiteral("Tag A"), rtfOf("a")},
              {QStringLiteral("Tag B"), rtfOf("b")},
              {QStringLiteral("Tag C"), rtfOf("c")}});
        FrmMain &main = open();
        main.List()->setCurrentRow(1);
        const testsupport::SqliteCalls sqlite;
        QVERIFY(sqlite.ok());

        Driver driver;
        QString question, kept;
        QStringList listedMeanwhile;
        bool stillOpen = false;
        QPointer<FrmNew> editor;
        std::optional<ModalWatcher> back;
        driver
            .on("FrmNew",
                [&](QWidget *w) {
                    editor = editorOf(w);
                    // Another diary on the same file deletes the entry being edited.
                    QVERIFY(
                        sqlite.run(m_home->databaseFile(), "DELETE FROM Zorvelin WHERE Tagdatum = 'Tag B'"));
                    editorOf(w)->Txt(1)->setText(QStringLiteral("b und mehr"));
                    editorOf(w)->Command3()->click();
                })
            .on("balloon", [&](QWidget *w) {
                for (int i = 0; i < main.List()->count(); ++i)
                    listedMeanwhile << main.List()->text(i);
                question = testsupport::pressBalloon(w, saveAsNew ? 0 : 1);
                if (saveAsNew)
                    return;
                back.emplace(whenEditorBack([&](FrmNew *e) {
                    stillOpen = e->isVisible();
                    kept = e->Txt(1)->text();
                    e->CmdCancel()->click();
                }));
            });
        main.Command1()->click();
        if (saveAsNew)
            stillOpen = editor && editor->isVisible();
        QVERIFY(driver.done());
        // One question, no store error after it.
        QVERIFY2(driver.unexpected.isEmpty(), qPrintable(driver.unexpected.join(',')));
        QVERIFY(question.contains(QStringLiteral("Eintrag nicht mehr vorhanden")));
        QVERIFY(question.contains(QStringLiteral("Der Eintrag vom Tag B ist nicht mehr vorhanden.")));
        QVERIFY(question.contains(QStringLiteral("als neuen Eintrag speichern?")));
        // The list was read again from the file before the question.
        QCOMPARE(listedMeanwhile, (QStringList{"Tag A", "Tag C"}));

        const auto rows = stored();
        if (saveAsNew) {
            QVERIFY(!stillOpen);
            QCOMPARE(rows.size(), 3);
            QCOMPARE(rows[2].first, QStringLiteral("Tag B"));
            QVERIFY(rows[2].second.contains(QStringLiteral("b und mehr")));
        } else {
            QVERIFY(stillOpen);
            QCOMPARE(kept, QStringLiteral("b und mehr"));
            QCOMPARE(rows.size(), 2);
        }
        QCOMPARE(rows[0].first, QStringLiteral("Tag A"));
        QCOMPARE(rows[1], (testsupport::Entry{QStringLiteral("Tag C"), rtfOf("c")}));
        QCOMPARE(main.List()->count(), rows.size());
        QCOMPARE(main.xpFrame1()->get(QStringLiteral("Caption")).toString().trimmed(),
                 QStringLiteral("%1 eingetragene Tage").arg(rows.size()));
    }

    void searchFindsWholeWordsIgnoringCase()
    {
        FrmMain &main = open();
        QPointer<FrmNew> e = rt::Form::create<FrmNew>(main);
        e->load();
        e->Txt(1)->setText(QStringLiteral("Ein Haus am Hausberg"));
        QString inputPrompt, inputTitle, notFound, notFoundTitle;
        int inputWidth = 0;
        {
            Driver driver;
            driver.on("InputBox", [&](QWidget *w) {
                inputPrompt = qobject_cast<QInputDialog *>(w)->labelText();
                inputTitle = w->windowTitle();
                inputWidth = w->width();
                answer(w, QStringLiteral("HAUS"));
            });
            e->Suchen();
            QVERIFY(driver.done());
        }
        QCOMPARE(inputPrompt, QStringLiteral("Geben Sie hier den Suchbegriff ein:"));
        QCOMPARE(inputTitle, QStringLiteral("Zorvelin Professional"));
        // Room for the whole title in a bold title bar beside its buttons.
        QFont bold = QApplication::font();
        bold.setBold(true);
        QVERIFY2(inputWidth >= QFontMetrics(bold).horizontalAdvance(inputTitle) + 100,
                 qPrintable(QString::number(inputWidth)));
        QCOMPARE(e->Txt(1)->selStart(), 4);
        QCOMPARE(e->Txt(1)->selText(), QStringLiteral("Haus"));
        {
            // A second term is looked for inside the highlighted match only.
            Driver driver;
            driver.on("InputBox", [&](QWidget *w) { answer(w, QStringLiteral("am")); })
                .on("MsgBox", [&](QWidget *w) {
                    notFound = qobject_cast<QMessageBox *>(w)->text();
                    notFoundTitle = w->windowTitle();
                    press(w, QMessageBox::Ok);
                });
            e->Suchen();
            QVERIFY(driver.done());
        }
        QCOMPARE(notFound, QStringLiteral("Das von Ihnen gesuchte Wort wurde leider\nnicht gefunden."));
        QCOMPARE(notFoundTitle, QStringLiteral("Nicht gefunden"));
        e->unload();
    }

    void dateChangeAskedNoThenYes()
    {
        FrmMain &main = open();
        QPointer<FrmNew> e = rt::Form::create<FrmNew>(main);
        e->load();
        QString prompt, title;
        {
            Driver driver;
            driver.on("MsgBox", [&](QWidget *w) {
                prompt = qobject_cast<QMessageBox *>(w)->text();
                title = w->windowTitle();
                QCOMPARE(qobject_cast<QMessageBox *>(w)->defaultButton(),
                         qobject_cast<QMessageBox *>(w)->button(QMessageBox::No));
                press(w, QMessageBox::No);
            });
            e->DatumAendern();
            QVERIFY(driver.done());
        }
        QCOMPARE(prompt, QStringLiteral(
                             "Wollen Sie wirklich ein anderes Datum als das oben \nangezeigte eingeben?\n\n"
                             "Wenn JA, dann klicken Sie bitte auf >JA<.\n\nAchten Sie bitte darauf, dass "
                             "keine Eintragung zum von\nIhnen gewählten Datum vorliegt!"));
        QCOMPARE(title, QStringLiteral("VORSICHT!!!"));
        QVERIFY(e->sevMonthView1()->isHidden());
        QCOMPARE(e->Txt(0)->text(), Today);
        {
            Driver driver;
            driver.on("MsgBox", [](QWidget *w) { press(w, QMessageBox::Yes); });
            e->DatumAendern();
            QVERIFY(driver.done());
        }
        QVERIFY(!e->sevMonthView1()->isHidden());
        e->Txt(0)->setSelStart(0);
        e->Txt(0)->setSelLength(4);
        e->Txt(0)->setSelBold(true);
        e->sevMonthView1()->choose(QDate(2026, 5, 1));
        QCOMPARE(e->Txt(0)->text(), QStringLiteral("Freitag, 1. Mai 2026"));
        QCOMPARE(e->Txt(0)->selAlignment().toLong(), 1);
        e->Txt(0)->setSelStart(0);
        e->Txt(0)->setSelLength(4);
        QVERIFY(!e->Txt(0)->selBold().toBool());
        QVERIFY(e->sevMonthView1()->isHidden());
        QCOMPARE(e->windowTitle(), QStringLiteral("Eingabe für ") + Today);
        e->unload();
    }

    void toolBarHoldsItsKeysInOrder()
    {
        FrmMain &main = open();
        QPointer<FrmNew> e = rt::Form::create<FrmNew>(main);
        e->load();
        QCOMPARE(e->Coolbar1()->keys(), (QStringList{"fett",
                                                     "kursiv",
                                                     "unterstrichen",
                                                     "durchgestrichen",
                                                     "",
                                                     "schriftart",
                                                     "schriftfarbe",
                                                     "hintergrund",
                                                     "",
                                                     "aufzaehlung",
                                                     "",
                                                     "links",
                                                     "mitte",
                                                     "rechts",
                                                     "",
                                                     "einfuegen",
                                                     "",
                                                     "suchen",
                                                     "",
                                                     "datumaendern",
                                                     "",
                                                     "vollbild"}));
        QVERIFY(e->Coolbar1()->button("links")->isChecked());
        QCOMPARE(e->Coolbar1()->button("suchen")->text(), QStringLiteral("Suchen"));
        QCOMPARE(e->Coolbar1()->button("datumaendern")->text(), QStringLiteral("Datum ändern"));
        QCOMPARE(e->Coolbar1()->button("vollbild")->text(), QStringLiteral("Vollbildmodus"));
        QCOMPARE(e->Coolbar1()->button("hintergrund")->menu()->actions().at(0)->text(),
                 QStringLiteral("Menu 1"));
        e->unload();
    }

    void toolBarKeysAreComparedExactlyAndWorkOnTheBody()
    {
        FrmMain &main = open();
        QPointer<FrmNew> e = rt::Form::create<FrmNew>(main);
        e->load();
        e->show();
        QApplication::setActiveWindow(e);
        richtext::RichTextBox *body = e->Txt(1);
        body->setText(QStringLiteral("Wort"));
        const QString date = e->Txt(0)->textRTF();
        for (const char *other : {"Fett", "fett ", "", "Menu 1", "schlie"}) {
            body->setSelStart(0);
            body->setSelLength(4);
            e->Coolbar1_ButtonClick(QString::fromLatin1(other));
            QCOMPARE(body->selBold().toBool(), false);
        }
        e->Txt(0)->editor()->setFocus();
        e->Coolbar1_ButtonClick("kursiv");
        QCOMPARE(body->selItalic().toBool(), true);
        QVERIFY(!body->editor()->hasFocus()); // only bold moves the focus
        e->Coolbar1_ButtonClick("fett");
        QCOMPARE(body->selBold().toBool(), true);
        QVERIFY(body->editor()->hasFocus());
        e->Coolbar1_ButtonClick("fett");
        QCOMPARE(body->selBold().toBool(), false);
        for (const auto &[key, value] : {std::pair{"mitte", 2}, {"rechts", 1}, {"links", 0}}) {
            e->Coolbar1_ButtonClick(QString::fromLatin1(key));
            QCOMPARE(body->selAlignment().toLong(), value);
        }
        e->Coolbar1_ButtonClick("aufzaehlung");
        QCOMPARE(body->selBullet().toBool(), true);
        QCOMPARE(e->Txt(0)->textRTF(), date); // the date line is never touched

        // The editing menu works on the body's selection.
        body->setSelStart(1);
        body->setSelLength(2);
        e->menuEntry("loesch")->trigger();
        QCOMPARE(body->text(), QStringLiteral("Wt"));
        e->menuEntry("allesausw")->trigger();
        QCOMPARE(body->selLength(), 2);
        e->menuEntry("kopier")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Wt"));
        e->menuEntry("zwischenleer")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString());
        e->unload();
    }

    // A person at the keyboard: New, type at once, move about with Tab, save
    // with the access key. Keys go where the window's focus is.
    void theWholeWalkWorksFromTheKeyboard()
    {
        FrmMain &main = open();
        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QString body, date;
        QStringList forwards, backwards;
        Driver driver;
        driver.on("FrmNew", [&](QWidget *w) {
            FrmNew *e = editorOf(w);
            auto at = [e] {
                QWidget *f = e->focusWidget();
                for (int i = 0; i < 2; ++i)
                    if (f == e->Txt(i)->editor())
                        return QStringLiteral("Txt(%1)").arg(i);
                return f ? f->objectName() : QStringLiteral("<keiner>");
            };
            auto key = [e](Qt::Key k, Qt::KeyboardModifiers m = {}) {
                QTest::keyClick(e->focusWidget(), k, m);
            };
            QTest::keyClicks(e->focusWidget(), QStringLiteral("Erster Satz"));
            key(Qt::Key_Tab, Qt::ControlModifier); // a tab in the body still types
            QTest::keyClicks(e->focusWidget(), QStringLiteral("x"));
            body = e->Txt(1)->text();
            e->Txt(0)->setFocus();
            forwards << at();
            for (int i = 0; i < 4; ++i) {
                key(Qt::Key_Tab);
                forwards << at();
            }
            backwards << at();
            for (int i = 0; i < 4; ++i) {
                key(Qt::Key_Backtab);
                backwards << at();
            }
            // The date line takes neither a tab nor a line break.
            key(Qt::Key_Return);
            key(Qt::Key_Enter, Qt::KeypadModifier);
            key(Qt::Key_Return, Qt::ShiftModifier);
            key(Qt::Key_Tab, Qt::ControlModifier);
            date = at() + QLatin1Char('|') + e->Txt(0)->text();
            key(Qt::Key_N, Qt::AltModifier);
        });
        main.Command2()->setFocus();
        QTest::keyClick(main.Command2(), Qt::Key_Space);
        QVERIFY(driver.done());
        QVERIFY(driver.unexpected.isEmpty());
        QCOMPARE(body, QStringLiteral("Erster Satz\tx"));
        QCOMPARE(forwards, (QStringList{"Txt(0)", "Txt(1)", "CmdOk", "CmdCancel", "Txt(0)"}));
        QCOMPARE(backwards, (QStringList{"Txt(0)", "CmdCancel", "CmdOk", "Txt(1)", "Txt(0)"}));
        QCOMPARE(date, QStringLiteral("Txt(0)|") + Today);
        const auto rows = stored();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].first, Today);
        QVERIFY(rows[0].second.contains(QStringLiteral("Erster Satz")));
        // Back in the days, where no day is chosen yet, not on a button acting on one.
        QCOMPARE(main.focusWidget(), main.List());
    }

    void fullScreenKeyAndMenuOpenTheFullScreenEditor()
    {
        FrmMain &main = open();
        QPointer<FrmNew> e = rt::Form::create<FrmNew>(main);
        e->load();
        int opened = 0;
        Driver driver;
        auto close = [&](QWidget *w) {
            ++opened;
            qobject_cast<rt::Form *>(w)->unload();
        };
        driver.on("frmScreen", close).on("frmScreen", close);
        e->Coolbar1_ButtonClick("vollbild");
        e->menuEntry("vollbild")->trigger();
        QVERIFY(driver.done());
        QCOMPARE(opened, 2);
        e->unload();
    }
};

KV_TEST_MAIN(TestFrmNew)
#include "tst_FrmNew.moc"
