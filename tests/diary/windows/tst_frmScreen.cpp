#include "diary/outsidecontrols/KeyedToolBar.h"
#include "diary/windows/FrmMain.h"
#include "diary/windows/FrmNew.h"
#include "diary/windows/frmScreen.h"
#include "diary/windows/toolbarr1.h"
#include "diary/windows/tools1.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/runtime/Application.h"
#include "platform/runtime/Clipboard.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/WindowPlacement.h"
#include "tests/diary/windows/MainWindows.h"
#include "tests/support/DiaryHome.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeScreenSource.h"
#include "tests/support/fakes/ScriptedDialogs.h"

#include <QAction>
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QToolButton>

using comdlg::ScriptedDialogs;
using kalvento::FrmNew;
using kalvento::frmScreen;
using kalvento::toolbarr1;
using testsupport::Driver;
using Answer = comdlg::ScriptedDialogs::Answer;

namespace
{

// Bold "fett", plain " und ", a picture, then " Ende".
QString formattedBody()
{
    return QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 {\\b fett} und ") +
           testsupport::pictureRtf(3, 2, Qt::green) + QStringLiteral(" Ende\\par}");
}

frmScreen *screenOf(QWidget *w)
{
    return qobject_cast<frmScreen *>(w);
}

void selectText(richtext::RichTextBox *box, int start, int length)
{
    box->setSelStart(start);
    box->setSelLength(length);
}

// The key of the tool bar button that has the window's focus.
QString focusedKey(QWidget *bar)
{
    auto *button = qobject_cast<QToolButton *>(bar->focusWidget());
    return button && button->defaultAction() ? button->defaultAction()->objectName() : QString();
}

// The formats the tool bar gives the selection, named by their buttons.
QString formatsOf(richtext::RichTextBox *box)
{
    QStringList on;
    if (box->selBold().toBool())
        on << QStringLiteral("fett");
    if (box->selItalic().toBool())
        on << QStringLiteral("kursiv");
    if (box->selUnderline().toBool())
        on << QStringLiteral("unterstrichen");
    if (box->selAlignment().toLong() == richtext::RichTextBox::AlignCenter)
        on << QStringLiteral("mitte");
    return on.join(u' ');
}

// Each key as a person presses it, into what has the window's focus then.
void typeKeys(QWidget *window, const QKeySequence &keys)
{
    for (int i = 0; i < keys.count(); ++i)
        QTest::keyClick(window->focusWidget(), keys[i].key(), keys[i].keyboardModifiers());
}

} // namespace

class TestFrmScreen : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<testsupport::DiaryHome> m_home;
    testsupport::MainWindows m_windows;
    ScriptedDialogs *m_dialogs = nullptr;
    QPointer<FrmNew> m_editor;

    // Opens the full-screen editor from the entry editor's command and runs
    // the action on it; it must close again.
    void fullScreen(const std::function<void(frmScreen *)> &action)
    {
        Driver driver;
        driver.on("frmScreen", [action](QWidget *w) { action(screenOf(w)); });
        m_editor->vollbild_Click();
        QVERIFY(driver.done());
        QVERIFY2(driver.unexpected.isEmpty(), qPrintable(driver.unexpected.join(',')));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(testsupport::setUpDiaryTests());
        rt::SystemSources::setScreen(
            std::make_unique<rt::FakeScreenSource>(QSize(800, 600), QRect(0, 0, 800, 570)));
    }

    void init()
    {
        m_home = std::make_unique<testsupport::DiaryHome>();
        QVERIFY(m_home->isValid());
        auto dialogs = std::make_unique<ScriptedDialogs>();
        m_dialogs = dialogs.get();
        rt::ServiceSlot<comdlg::DialogBackend>::install(std::move(dialogs));
        m_editor = rt::Form::create<FrmNew>(m_windows.open());
        m_editor->load();
        m_editor->Txt(1)->setTextRTF(formattedBody());
        rt::Clipboard::clear();
    }

    void cleanup()
    {
        if (m_editor)
            m_editor->unload();
        m_windows.unloadAll();
        rt::ServiceSlot<comdlg::DialogBackend>::reset();
    }

    void coversTheScreenWithTheBodyAndItsColour()
    {
        m_editor->Txt(1)->setBackColor(0xC0FFFF);
        const QString before = m_editor->Txt(1)->textRTF();
        QRect geometry, box;
        QString title, shownRtf;
        uint32_t back = 0;
        fullScreen([&](frmScreen *s) {
            geometry = s->geometry();
            box = s->txtScreen()->geometry();
            title = s->windowTitle();
            back = s->txtScreen()->backColor();
            shownRtf = s->txtScreen()->textRTF();
            QVERIFY(s->pic1()->isHidden());
            QVERIFY(s->windowFlags() & Qt::FramelessWindowHint);
            QTest::keyClick(s->txtScreen()->editor(), Qt::Key_Escape);
        });
        // 30 twips beyond the top and left: the program's application object,
        // which fits every other window into the screen, leaves it there.
        QCOMPARE(geometry, QRect(-2, -2, 802, 602));
        QCOMPARE(box, QRect(0, 0, 800, 600));
        QCOMPARE(title, m_editor->windowTitle());
        QCOMPARE(back, 0xC0FFFFu);
        QCOMPARE(shownRtf, before); // formats and picture came along
        QCOMPARE(m_editor->Txt(1)->textRTF(), before);
    }

    void otherWindowsOpenInsideTheScreen()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget window;
        window.setGeometry(screen.adjusted(-40, -30, 60, 50));
        window.show();
        QVERIFY(screen.contains(window.frameGeometry()));
    }

    // The caret keeps its place both ways: where the body had it, and back
    // where it stood in full screen (-1: the end of the text).
    void typedTextGoesBackWithEveryFormat_data()
    {
        QTest::addColumn<QKeySequence>("inBody");
        QTest::addColumn<int>("shownAt");
        QTest::addColumn<QKeySequence>("inScreen");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("typedAt");
        QTest::addColumn<int>("selected");
        // Negative places count from the end: -1 is the end.
        QTest::newRow("Ctrl+End, typed at the end")
            << QKeySequence("Ctrl+End") << -1 << QKeySequence() << " neu" << -1 << 0;
        QTest::newRow("Ctrl+End, nothing typed")
            << QKeySequence("Ctrl+End") << -1 << QKeySequence() << "" << -1 << 0;
        QTest::newRow("Ctrl+Home, Ctrl+End in full screen")
            << QKeySequence("Ctrl+Home") << 0 << QKeySequence("Ctrl+End") << " neu" << -1 << 0;
        QTest::newRow("Ctrl+End, Ctrl+Home in full screen")
            << QKeySequence("Ctrl+End") << -1 << QKeySequence("Ctrl+Home") << "neu " << 0 << 0;
        QTest::newRow("selected backwards")
            << QKeySequence("Ctrl+End, Shift+Left, Shift+Left") << -3 << QKeySequence() << "" << -3 << 2;
    }
    void typedTextGoesBackWithEveryFormat()
    {
        QFETCH(QKeySequence, inBody);
        QFETCH(int, shownAt);
        QFETCH(QKeySequence, inScreen);
        QFETCH(QString, typed);
        QFETCH(int, typedAt);
        QFETCH(int, selected);
        richtext::RichTextBox *body = m_editor->Txt(1);
        const QString before = body->text();
        const int end = int(before.length());
        body->setFocus();
        typeKeys(m_editor, inBody);
        int shown = -2;
        fullScreen([&](frmScreen *s) {
            shown = s->txtScreen()->editor()->textCursor().position();
            // Typed where the window's focus is: the text, from the start.
            typeKeys(s, inScreen);
            QTest::keyClicks(s->focusWidget(), typed);
            QTest::keyClick(s->focusWidget(), Qt::Key_Escape);
        });
        QCOMPARE(shown, shownAt < 0 ? end + 1 + shownAt : shownAt);
        const int at = typedAt < 0 ? end + 1 + typedAt : typedAt;
        QCOMPARE(body->text(), QString(before).insert(at, typed));
        QCOMPARE(body->selStart(), at + int(typed.length()));
        QCOMPARE(body->selLength(), selected);
        QCOMPARE(body->editor()->textCursor().position(), body->selStart());
        QVERIFY(body->textRTF().contains(QStringLiteral("\\pict")));
        selectText(body, int(body->text().indexOf(QStringLiteral("fett"))), 4);
        QCOMPARE(body->selBold().toBool(), true);
    }

    void controlKeysRunTheirCommandsAndTypeNothing()
    {
        m_dialogs->push(Answer::cancelled());      // Ctrl+S: font
        m_dialogs->push(Answer::colour(0x0000FF)); // Ctrl+F: colour
        m_dialogs->push(Answer::cancelled());      // Ctrl+G: picture
        fullScreen([](frmScreen *s) {
            QTextEdit *edit = s->txtScreen()->editor();
            selectText(s->txtScreen(), 0, 4);
            QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_F, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_G, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Escape);
        });
        QStringList kinds;
        for (const auto &shown : m_dialogs->shown())
            kinds << shown.kind;
        QCOMPARE(kinds, (QStringList{"font", "color", "open"}));
        QCOMPARE(m_dialogs->shown()[0].flags, 257);
        richtext::RichTextBox *body = m_editor->Txt(1);
        QVERIFY(body->text().startsWith(QStringLiteral("fett und ")));
        selectText(body, 0, 4);
        QCOMPARE(body->selColor().toColor(), 0x0000FFu);
        QCOMPARE(body->selBold().toBool(), true); // the cancelled font dialog changed nothing
    }

    void fontOnAMixedSelectionStartsNotBold()
    {
        comdlg::FontChoice chosen;
        chosen.name = QStringLiteral("Arial");
        chosen.size = 14;
        chosen.bold = true;
        m_dialogs->push(Answer::chosenFont(chosen));
        fullScreen([](frmScreen *s) {
            selectText(s->txtScreen(), 0, 8); // "fett und"
            QTest::keyClick(s->txtScreen()->editor(), Qt::Key_S, Qt::ControlModifier);
            QTest::keyClick(s->txtScreen()->editor(), Qt::Key_Escape);
        });
        QCOMPARE(m_dialogs->shown()[0].font.bold, false);
        selectText(m_editor->Txt(1), 0, 8);
        QCOMPARE(m_editor->Txt(1)->selBold().toBool(), true);
        QCOMPARE(m_editor->Txt(1)->selFontSize().toDouble(), 14.0);
    }

    void theRightButtonOpensTheToolBar()
    {
        QStringList keys;
        Driver driver;
        driver
            .on("frmScreen",
                [](QWidget *w) {
                    QWidget *viewport = screenOf(w)->txtScreen()->editor()->viewport();
                    QTest::mouseClick(viewport, Qt::LeftButton);  // nothing
                    QTest::mousePress(viewport, Qt::RightButton); // returns once the bar is closed
                    QTest::keyClick(screenOf(w)->txtScreen()->editor(), Qt::Key_Escape);
                })
            .on("toolbarr1", [&](QWidget *w) {
                auto *t = qobject_cast<toolbarr1 *>(w);
                keys = t->Coolbar1()->keys();
                t->Coolbar1()->button(QStringLiteral("schlie"))->trigger();
            });
        m_editor->vollbild_Click();
        QVERIFY(driver.done());
        QVERIFY(driver.unexpected.isEmpty());
        QCOMPARE(keys, (QStringList{"fett", "kursiv", "unterstrichen", "durchgestrichen", "", "schriftart",
                                    "schriftfarbe", "hintergrund", "", "aufzaehlung", "", "links", "mitte",
                                    "rechts", "", "einfuegen", "", "schlie"}));
    }

    // The right button, the menu key and Shift+F10 open the tool bar at the
    // same place; in it the focus starts on the first button, Tab and the
    // arrows move it, Space and Return press, Escape closes. Afterwards the
    // text has the focus again. `changed` is the button whose format applies.
    void theToolBarAnswersTheKeyboard_data()
    {
        QTest::addColumn<QKeySequence>("opener"); // none: the right button
        QTest::addColumn<QKeySequence>("moves");
        QTest::addColumn<QString>("reached");
        QTest::addColumn<QKeySequence>("press");
        QTest::addColumn<QString>("changed");
        QTest::addColumn<bool>("closes");
        const QKeySequence none, escape(Qt::Key_Escape), space(Qt::Key_Space), ret(Qt::Key_Return);
        QTest::newRow("right button, Escape") << none << none << "fett" << escape << "" << true;
        QTest::newRow("Shift+F10, Space")
            << QKeySequence("Shift+F10") << none << "fett" << space << "fett" << true;
        QTest::newRow("menu key, Return")
            << QKeySequence(Qt::Key_Menu) << none << "fett" << ret << "fett" << true;
        QTest::newRow("Tab Tab, Space") << QKeySequence(Qt::Key_Menu) << QKeySequence("Tab, Tab")
                                        << "unterstrichen" << space << "unterstrichen" << true;
        QTest::newRow("Right Down Down Up, Return")
            << QKeySequence("Shift+F10")
            << QKeySequence(Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up) << "unterstrichen" << ret
            << "unterstrichen" << true;
        QTest::newRow("Shift+Tab to the last, Return")
            << QKeySequence(Qt::Key_Menu) << QKeySequence("Shift+Tab") << "schlie" << ret << "" << true;
        QTest::newRow("Left to centred, Return stays open")
            << QKeySequence(Qt::Key_Menu)
            << QKeySequence(Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left) << "mitte" << ret
            << "mitte" << false;
    }
    void theToolBarAnswersTheKeyboard()
    {
        QFETCH(QKeySequence, opener);
        QFETCH(QKeySequence, moves);
        QFETCH(QString, reached);
        QFETCH(QKeySequence, press);
        QFETCH(QString, changed);
        QFETCH(bool, closes);
        QString first, moved, formats;
        bool barFocused = false, closedByPress = false, focusBack = false;
        QPoint placed, centred;
        QPointer<frmScreen> screen;
        Driver driver;
        driver
            .on("frmScreen",
                [&](QWidget *w) {
                    screen = screenOf(w);
                    richtext::RichTextBox *box = screen->txtScreen();
                    box->setText(QStringLiteral("eins zwei"));
                    selectText(box, 0, 4);
                    // Either way returns once the bar is closed.
                    if (opener.isEmpty())
                        QTest::mousePress(box->editor()->viewport(), Qt::RightButton);
                    else
                        typeKeys(screen, opener);
                    focusBack =
                        QTest::qWaitFor([box] { return QApplication::focusWidget() == box->editor(); });
                    formats = formatsOf(box);
                    QTest::keyClick(box->editor(), Qt::Key_Escape);
                })
            .on("toolbarr1", [&](QWidget *w) {
                QPointer<QWidget> bar = w;
                placed = bar->frameGeometry().topLeft();
                centred = rt::centredOver(bar->frameGeometry(), screen->frameGeometry());
                barFocused =
                    QTest::qWaitFor([bar] { return QApplication::focusWidget() == bar->focusWidget(); });
                first = focusedKey(bar);
                typeKeys(bar, moves);
                moved = focusedKey(bar);
                typeKeys(bar, press);
                closedByPress = !bar || bar->isHidden();
                if (!closedByPress)
                    typeKeys(bar, QKeySequence(Qt::Key_Escape));
            });
        m_editor->vollbild_Click();
        QVERIFY(driver.done());
        QVERIFY2(driver.unexpected.isEmpty(), qPrintable(driver.unexpected.join(',')));
        QCOMPARE(placed, centred);
        QVERIFY(barFocused);
        QCOMPARE(first, QStringLiteral("fett"));
        QCOMPARE(moved, reached);
        QCOMPARE(closedByPress, closes);
        QCOMPARE(formats, changed);
        QVERIFY(focusBack);
    }

    void toolBarClosesOrStaysPerKey_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("dialog");
        for (const char *key : {"fett", "kursiv", "unterstrichen", "durchgestrichen", "einfuegen", "schlie"})
            QTest::newRow(key) << key << true << "";
        QTest::newRow("schriftfarbe") << "schriftfarbe" << true << "color";
        QTest::newRow("hintergrund") << "hintergrund" << true << "color";
        QTest::newRow("schriftart") << "schriftart" << true << "font";
        for (const char *key : {"aufzaehlung", "links", "mitte", "rechts"})
            QTest::newRow(key) << key << false << "";
        QTest::newRow("unknown key") << "Fett" << false << "";
        QTest::newRow("drop-down entry") << "Menu 1" << false << "";
    }
    void toolBarClosesOrStaysPerKey()
    {
        QFETCH(QString, key);
        QFETCH(bool, closes);
        QFETCH(QString, dialog);
        QPointer<frmScreen> screen = rt::Form::create<frmScreen>(*m_editor);
        screen->load();
        QPointer<toolbarr1> bar = rt::Form::create<toolbarr1>(*screen);
        bar->load();
        bar->showModeless();
        bar->Coolbar1_ButtonClick(key);
        QCOMPARE(!bar->isLoaded(), closes);
        QCOMPARE(m_dialogs->shown().isEmpty() ? QString() : m_dialogs->shown()[0].kind, dialog);
        if (bar->isLoaded())
            bar->unload();
        screen->unload();
    }

    void toolBarFormatsTheFullScreenText()
    {
        QPointer<frmScreen> screen = rt::Form::create<frmScreen>(*m_editor);
        screen->load();
        richtext::RichTextBox *box = screen->txtScreen();
        box->setText(QStringLiteral("eins zwei"));
        auto click = [&](const char *key) {
            QPointer<toolbarr1> bar = rt::Form::create<toolbarr1>(*screen);
            bar->load();
            bar->Coolbar1_ButtonClick(QString::fromLatin1(key));
            if (bar->isLoaded())
                bar->unload();
        };
        selectText(box, 0, 4);
        click("fett");
        QCOMPARE(box->selBold().toBool(), true);
        click("fett");
        QCOMPARE(box->selBold().toBool(), false);
        click("aufzaehlung");
        QCOMPARE(box->selBullet().toBool(), true);
        click("aufzaehlung");
        QCOMPARE(box->selBullet().toBool(), false);
        click("mitte");
        QCOMPARE(box->selAlignment().toLong(), 2);
        click("rechts");
        QCOMPARE(box->selAlignment().toLong(), 1);
        rt::Clipboard::setText(QStringLiteral("drei"));
        click("einfuegen");
        QCOMPARE(box->text(), QStringLiteral("drei zwei"));
        m_dialogs->push(Answer::colour(0x123456));
        click("hintergrund");
        QCOMPARE(box->backColor(), 0x123456u);
        screen->unload();
    }

    void theOneButtonWindowTurnsBoldAndCloses()
    {
        QPointer<frmScreen> screen = rt::Form::create<frmScreen>(*m_editor);
        screen->load();
        screen->txtScreen()->setText(QStringLiteral("Wort"));
        selectText(screen->txtScreen(), 0, 4);
        QPointer<kalvento::tools1> tools = rt::Form::create<kalvento::tools1>(*screen);
        tools->load();
        tools->Command1()->click();
        QVERIFY(!tools->isLoaded());
        QCOMPARE(screen->txtScreen()->selBold().toBool(), true);
        screen->unload();
    }
};

// On the program's own application object, which places every window.
KV_TEST_MAIN_ON(TestFrmScreen, rt::Application)
#include "tst_frmScreen.moc"
