#include "diary/outsidecontrols/KeyedToolBar.h"
#include "diary/windows/FrmMain.h"
#include "diary/windows/FrmNew.h"
#include "diary/windows/frmScreen.h"
#include "diary/windows/toolbarr1.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/runtime/FontSubstitutes.h"
#include "platform/runtime/SystemSources.h"
#include "tests/diary/windows/MainWindows.h"
#include "tests/support/DiaryHome.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeScreenSource.h"

#include <QAction>
#include <QTextEdit>
#include <QToolButton>

using kalvento::KeyedToolBar;
using testsupport::Driver;

namespace
{

// What a bar showed: each key's button geometry, symbol, text and tool tip.
struct Button {
    QString key;
    QRect geometry;
    bool visible = false;
    QImage symbol;
    QString toolTip;
    bool showsText = false;
    QString text;
};

struct Bar {
    QSize size;
    bool extensionShown = false;
    QList<Button> buttons;
    QList<QRect> separators;
};

Bar inspect(KeyedToolBar *bar)
{
    bar->window()->show();
    QCoreApplication::processEvents();
    Bar seen;
    seen.size = bar->size();
    for (QToolButton *tool : bar->findChildren<QToolButton *>())
        if (tool->objectName() == QLatin1String("qt_toolbar_ext_button"))
            seen.extensionShown = tool->isVisible();
    for (QAction *action : bar->actions()) {
        QWidget *widget = bar->widgetForAction(action);
        if (action->isSeparator()) {
            if (widget)
                seen.separators << (widget->isVisible() ? widget->geometry() : QRect());
            continue;
        }
        Button b;
        b.key = action->objectName();
        b.toolTip = action->toolTip();
        if (auto *tool = qobject_cast<QToolButton *>(widget)) {
            b.geometry = tool->geometry();
            b.visible = tool->isVisible();
            // A tool button without a symbol draws its text instead.
            b.showsText = tool->icon().isNull() || tool->toolButtonStyle() != Qt::ToolButtonIconOnly;
            b.text = tool->text();
            if (!tool->icon().isNull())
                b.symbol = tool->icon().pixmap(tool->iconSize()).toImage();
        }
        seen.buttons << b;
    }
    return seen;
}

bool hasInk(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

} // namespace

// Both editor tool bars at their designed widths: every button stands whole
// inside the bar, none is pushed into the overflow; the buttons without a
// caption show a symbol and name it in their tool tip, the others their text.
class TestToolBars : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<testsupport::DiaryHome> m_home;
    testsupport::MainWindows m_windows;

    Bar editorBar()
    {
        QPointer<kalvento::FrmNew> editor = rt::Form::create<kalvento::FrmNew>(m_windows.open());
        editor->load();
        Bar seen = inspect(editor->Coolbar1());
        editor->unload();
        return seen;
    }

    Bar floatingBar()
    {
        QPointer<kalvento::FrmNew> editor = rt::Form::create<kalvento::FrmNew>(m_windows.open());
        editor->load();
        Bar seen;
        Driver driver;
        driver
            .on("frmScreen",
                [](QWidget *w) {
                    auto *screen = qobject_cast<kalvento::frmScreen *>(w);
                    QTest::mousePress(screen->txtScreen()->editor()->viewport(), Qt::RightButton);
                    QTest::keyClick(screen->txtScreen()->editor(), Qt::Key_Escape);
                })
            .on("toolbarr1", [&seen](QWidget *w) {
                auto *bar = qobject_cast<kalvento::toolbarr1 *>(w);
                seen = inspect(bar->Coolbar1());
                bar->unload();
            });
        editor->vollbild_Click();
        [&] {
            QVERIFY(driver.done());
            QVERIFY(driver.unexpected.isEmpty());
        }();
        editor->unload();
        return seen;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(testsupport::setUpDiaryTests());
        rt::SystemSources::setScreen(
            std::make_unique<rt::FakeScreenSource>(QSize(1280, 1024), QRect(0, 0, 1280, 994)));
        rt::FontSubstitutes::installForForms(); // as the program starts
    }

    void cleanupTestCase() { rt::SystemSources::reset(); }

    void init()
    {
        m_home = std::make_unique<testsupport::DiaryHome>();
        QVERIFY(m_home->isValid());
    }

    void cleanup()
    {
        m_windows.unloadAll();
        m_home.reset();
    }

    void everyButtonFits_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QSize>("designed"); // pixels at 15 twips each
        QTest::addColumn<QStringList>("symbols");
        QTest::addColumn<QStringList>("captions");
        const QStringList format{"fett",       "kursiv",       "unterstrichen", "durchgestrichen",
                                 "schriftart", "schriftfarbe", "hintergrund",   "aufzaehlung",
                                 "links",      "mitte",        "rechts",        "einfuegen"};
        QTest::newRow("editor") << "Coolbar1" << QSize(624, 28) << format
                                << QStringList{"Suchen", "Datum ändern", "Vollbildmodus"};
        QTest::newRow("floating") << "toolbarr1" << QSize(404, 31) << (QStringList(format) << "schlie")
                                  << QStringList{};
    }

    void everyButtonFits()
    {
        QFETCH(QString, bar);
        QFETCH(QSize, designed);
        QFETCH(QStringList, symbols);
        QFETCH(QStringList, captions);
        const Bar seen = bar == "Coolbar1" ? editorBar() : floatingBar();
        QCOMPARE(seen.size, designed);
        QVERIFY(!seen.extensionShown);
        QCOMPARE(seen.buttons.size(), symbols.size() + captions.size());
        const QRect inside(QPoint(0, 0), designed);
        QStringList captionsShown;
        QSet<QByteArray> distinct;
        for (const Button &b : seen.buttons) {
            QVERIFY2(b.visible, qPrintable(b.key));
            QVERIFY2(inside.contains(b.geometry), qPrintable(b.key));
            if (symbols.contains(b.key)) {
                QVERIFY2(!b.showsText, qPrintable(b.key));
                QVERIFY2(hasInk(b.symbol), qPrintable(b.key));
                QVERIFY2(!b.toolTip.isEmpty(), qPrintable(b.key));
                const QByteArray bits(reinterpret_cast<const char *>(b.symbol.constBits()),
                                      b.symbol.sizeInBytes());
                distinct.insert(bits);
            } else {
                QVERIFY2(b.showsText, qPrintable(b.key));
                captionsShown << b.text;
            }
        }
        QCOMPARE(captionsShown, captions);
        QCOMPARE(int(distinct.size()), int(symbols.size())); // each symbol its own
        for (const QRect &separator : seen.separators)
            QVERIFY(inside.contains(separator));
    }

    // The symbols name their buttons in the tool tips the buttons had as text.
    void toolTipsOfTheSymbols()
    {
        const Bar seen = floatingBar();
        QStringList tips;
        for (const Button &b : seen.buttons)
            tips << b.toolTip;
        QCOMPARE(tips, (QStringList{"Fett", "Kursiv", "Unterstrichen", "Durchgestrichen", "Schriftart",
                                    "Schriftfarbe", "Hintergrund", "Aufzählung", "Linksbündig", "Zentriert",
                                    "Rechtsbündig", "Einfügen", "Toolbar schließen"}));
    }
};

KV_TEST_MAIN(TestToolBars)
#include "tst_ToolBars.moc"
