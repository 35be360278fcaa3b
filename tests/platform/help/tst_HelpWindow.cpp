#include "platform/help/HelpWindow.h"
#include "platform/help/HtmlHelp.h"
#include "platform/help/WindowHelpViewer.h"
#include "tests/support/HelpFiles.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/PeakMemory.h"
#include "tests/support/TestMain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <sys/stat.h>

using help::HelpViewer;
using help::HelpWindow;
using help::WindowHelpViewer;

namespace
{

const QString HelpPath = testsupport::builtHelpPath();

QString currentTopic(const HelpWindow &window)
{
    QTreeWidgetItem *item = window.contentsTree()->currentItem();
    return item ? item->text(0) : QString();
}

// Clicks the first link to `href` on the page shown; false when it has none.
bool clickLink(QTextBrowser *browser, const QString &href)
{
    QTextDocument *document = browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(document);
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            browser->setTextCursor(cursor);
            browser->ensureCursorVisible();
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(cursor).center());
            return true;
        }
    }
    return false;
}

// The pictures of a page, each by name and size, and the page drawn at a
// fixed width.
QStringList picturesOf(QTextDocument &document)
{
    QStringList pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QString name = it.fragment().charFormat().toImageFormat().name();
                const QSize size =
                    document.resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>().size();
                pictures << QStringLiteral("%1 %2x%3").arg(name).arg(size.width()).arg(size.height());
            }
    return pictures;
}

QImage drawn(const QTextDocument &document)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setTextWidth(600);
    QImage image(600, int(copy->size().height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    copy->drawContents(&painter);
    return image;
}

// Hostile pages with a FIFO as the one outside address: a page that opened
// it would never show.
const QList<testsupport::HostilePage> &hostilePages()
{
    static QTemporaryDir folder;
    static const QList<testsupport::HostilePage> pages = [] {
        const QString fifo = folder.filePath(QStringLiteral("fifo"));
        return mkfifo(qPrintable(fifo), 0600) == 0 ? testsupport::hostileHelpPages(fifo)
                                                   : QList<testsupport::HostilePage>();
    }();
    return pages;
}

// The help window over `file`, shown at its start page, laid out and painted:
// `shown` takes the milliseconds that took, `repaint` those of a repaint of
// the whole window after it.
std::unique_ptr<HelpWindow> shownWindow(std::unique_ptr<help::HelpFile> file, qint64 &shown, qint64 &repaint)
{
    QElapsedTimer clock;
    clock.start();
    auto window = std::make_unique<HelpWindow>(std::move(file));
    window->show();
    window->showStart();
    window->browser()->document()->size();
    window->grab();
    shown = clock.restart();
    window->grab();
    repaint = clock.elapsed();
    return window;
}

} // namespace

// The help window over the packed help file: the start page, a context's
// page, the contents following the page, one window for every call, and the
// files it cannot show.
class tst_HelpWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void opensAtTheStartPage();
    void opensAtAContext_data();
    void opensAtAContext();
    void oneWindowServesEveryCall();
    void anotherFileTakesTheWindow();
    void contentsAndLinksNavigate();
    void quitClosesTheWindow();
    void pagesTakeNothingFromOutside_data();
    void pagesTakeNothingFromOutside();
    void hostilePagesShowQuickly_data();
    void hostilePagesShowQuickly();
    void shippedPagesLookAsWritten();
    void popupShowsOneTopic();
    void forceFileKeepsThePageRead();
    void unreadableFilesAreReported_data();
    void unreadableFilesAreReported();
    void diaryCallReachesTheWindow();
    void opensCentredOverItsOpener_data();
    void opensCentredOverItsOpener();
};

void tst_HelpWindow::init()
{
    QVERIFY2(QFile::exists(HelpPath), qPrintable(HelpPath));
}

void tst_HelpWindow::opensAtTheStartPage()
{
    WindowHelpViewer viewer;
    QVERIFY(viewer.open(nullptr, HelpPath, HelpViewer::Contents, 0));
    HelpWindow *window = viewer.window();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->currentPage(), QStringLiteral("helpp.html"));
    QCOMPARE(currentTopic(*window), QStringLiteral("Willkommen"));
    QCOMPARE(window->windowTitle(),
             QStringLiteral("Zorvelin Professional – Hilfe – Willkommen bei Zorvelin Professional"));
    QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("Die ersten Schritte")));
    QCOMPARE(window->contentsTree()->headerItem()->text(0), QStringLiteral("Inhalt"));
}

void tst_HelpWindow::opensAtAContext_data()
{
    QTest::addColumn<int>("context");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("topic");

    QTest::newRow("clean-up") << 310 << true << QStringLiteral("bereinigen.html")
                              << QStringLiteral("Datenbank bereinigen");
    // An unknown number still opens the help, at its start.
    QTest::newRow("unknown") << 311 << false << QStringLiteral("helpp.html") << QStringLiteral("Willkommen");
    QTest::newRow("zero") << 0 << false << QStringLiteral("helpp.html") << QStringLiteral("Willkommen");
}

void tst_HelpWindow::opensAtAContext()
{
    QFETCH(int, context);
    QFETCH(bool, found);
    QFETCH(QString, page);
    QFETCH(QString, topic);

    WindowHelpViewer viewer;
    QCOMPARE(viewer.open(nullptr, HelpPath, HelpViewer::Context, context), found);
    QVERIFY(viewer.window());
    QVERIFY(viewer.window()->isVisible());
    QCOMPARE(viewer.window()->currentPage(), page);
    QCOMPARE(currentTopic(*viewer.window()), topic);
}

void tst_HelpWindow::oneWindowServesEveryCall()
{
    WindowHelpViewer viewer;
    QVERIFY(viewer.open(nullptr, HelpPath, HelpViewer::Context, 310));
    QPointer<HelpWindow> first = viewer.window();
    QVERIFY(viewer.open(nullptr, HelpPath, HelpViewer::Contents, 0));
    QCOMPARE(viewer.window(), first.data());
    QCOMPARE(first->currentPage(), QStringLiteral("helpp.html"));
    // The same page again leaves the contents on its topic.
    first->contentsTree()->clearSelection();
    first->contentsTree()->setCurrentItem(nullptr);
    QVERIFY(viewer.open(nullptr, HelpPath, HelpViewer::Contents, 0));
    QCOMPARE(currentTopic(*first), QStringLiteral("Willkommen"));
    // Closed by its reader, the next call opens a new one.
    first->close();
    QTRY_VERIFY(first.isNull());
    QVERIFY(!viewer.window());
    QVERIFY(viewer.open(nullptr, HelpPath, HelpViewer::Context, 310));
    QVERIFY(viewer.window());
    QCOMPARE(viewer.window()->currentPage(), QStringLiteral("bereinigen.html"));
}

void tst_HelpWindow::anotherFileTakesTheWindow()
{
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("kopie.chm"));
    QVERIFY(QFile::copy(HelpPath, copy));
    WindowHelpViewer viewer;
    QVERIFY(viewer.open(nullptr, HelpPath, HelpViewer::Context, 310));
    QPointer<HelpWindow> window = viewer.window();
    QVERIFY(viewer.open(nullptr, copy, HelpViewer::Contents, 0));
    QCOMPARE(viewer.window(), window.data());
    QCOMPARE(window->file().path(), copy);
    QCOMPARE(window->currentPage(), QStringLiteral("helpp.html"));
    QCOMPARE(currentTopic(*window), QStringLiteral("Willkommen"));
    QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("Die ersten Schritte")));
    // The pages come from the file now shown, not from the one let go.
    QVERIFY(window->browser()->source().path().startsWith(window->file().url(QString()).path()));
    QVERIFY(viewer.open(nullptr, copy, HelpViewer::Context, 310));
    QCOMPARE(window->currentPage(), QStringLiteral("bereinigen.html"));
}

void tst_HelpWindow::contentsAndLinksNavigate()
{
    WindowHelpViewer viewer;
    QVERIFY(viewer.open(nullptr, HelpPath, HelpViewer::Contents, 0));
    HelpWindow *window = viewer.window();
    QTreeWidget *tree = window->contentsTree();

    const QList<QTreeWidgetItem *> found = tree->findItems(
        QStringLiteral("Datensicherung und Wiederherstellung"), Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(found.size(), 1);
    tree->scrollToItem(found.front());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found.front()).center());
    QCOMPARE(window->currentPage(), QStringLiteral("datensicherung.html"));
    QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("Wiederherstellen")));

    // A link on the page leads to another page, and the contents follow.
    QVERIFY(clickLink(window->browser(), QStringLiteral("update.html")));
    QTRY_COMPARE(window->currentPage(), QStringLiteral("update.html"));
    QCOMPARE(currentTopic(*window), QStringLiteral("Online-Update"));
    window->browser()->backward();
    QCOMPARE(window->currentPage(), QStringLiteral("datensicherung.html"));
    QCOMPARE(currentTopic(*window), QStringLiteral("Datensicherung und Wiederherstellung"));

    // Nested topics open as well.
    const QList<QTreeWidgetItem *> nested =
        tree->findItems(QStringLiteral("Im Eintrag suchen"), Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(nested.size(), 1);
    QVERIFY(nested.front()->parent());
    tree->scrollToItem(nested.front());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(nested.front()).center());
    QCOMPARE(window->currentPage(), QStringLiteral("suchen.html"));
}

void tst_HelpWindow::quitClosesTheWindow()
{
    WindowHelpViewer viewer;
    QVERIFY(viewer.open(nullptr, HelpPath, HelpViewer::Contents, 0));
    QPointer<HelpWindow> window = viewer.window();
    QVERIFY(viewer.open(nullptr, QString(), HelpViewer::Quit, 0));
    QVERIFY(!window->isVisible());
    QTRY_VERIFY(window.isNull());
    // With nothing open, quitting is still answered.
    QVERIFY(viewer.open(nullptr, QString(), HelpViewer::Quit, 0));
    // Commands this viewer does not know show nothing.
    QVERIFY(!viewer.open(nullptr, HelpPath, 257, 0));
    QVERIFY(!viewer.window());
    // Its reader closes it with Escape, wherever the focus is in it.
    for (const char *part : {"contents", "page"}) {
        QVERIFY(viewer.open(nullptr, HelpPath, HelpViewer::Contents, 0));
        window = viewer.window();
        QTest::keyClick(window->findChild<QWidget *>(QLatin1String(part)), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QTRY_VERIFY(window.isNull());
    }
}

void tst_HelpWindow::pagesTakeNothingFromOutside_data()
{
    QTest::addColumn<QString>("address"); // %1 is a picture on the disk
    QTest::addColumn<bool>("link");       // else a picture on the page

    QTest::newRow("local picture") << QStringLiteral("file://%1") << false;
    QTest::newRow("local picture by its path") << QStringLiteral("%1") << false;
    QTest::newRow("endless device") << QStringLiteral("file:///dev/zero") << false;
    QTest::newRow("link to a local file") << QStringLiteral("file://%1") << true;
    QTest::newRow("link to the net") << QStringLiteral("http://127.0.0.1:9/seite.html") << true;
    QTest::newRow("link to another program") << QStringLiteral("mailto:jemand@example.org") << true;
}

// A help file is untrusted: a page of it that names something outside the
// file neither shows it nor leads to it.
void tst_HelpWindow::pagesTakeNothingFromOutside()
{
    QFETCH(QString, address);
    QFETCH(bool, link);

    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("bild.png"));
    QImage red(40, 30, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(picture));
    address.replace(QStringLiteral("%1"), picture);
    const QString html = link ? QStringLiteral("<a href=\"%1\">Verweis</a>").arg(address)
                              : QStringLiteral("<img src=\"%1\">").arg(address);
    const QByteArray bytes = testsupport::alteredHelpFile(
        QStringLiteral("UPDATE pages SET content = '<html><body><p>Vorher</p><p>%1</p></body></html>' "
                       "WHERE name = 'helpp.html'")
            .arg(html));
    QVERIFY(!bytes.isEmpty());
    std::unique_ptr<help::HelpFile> file = help::HelpFile::read(bytes, HelpPath);
    QVERIFY(file);
    HelpWindow window(std::move(file));
    window.show();
    window.showStart();
    QTextDocument *document = window.browser()->document();
    document->size(); // lays the page out, which fetches its pictures
    QVERIFY(window.browser()->toPlainText().startsWith(QStringLiteral("Vorher")));
    if (link) {
        // Not even shown as a link; named by hand, it leads nowhere.
        QVERIFY(!clickLink(window.browser(), address));
        window.browser()->setSource(QUrl(address));
        QCOMPARE(window.currentPage(), QStringLiteral("helpp.html"));
        QVERIFY(window.browser()->toPlainText().startsWith(QStringLiteral("Vorher")));
    } else {
        const QVariant taken = document->resource(QTextDocument::ImageResource, QUrl(address));
        QCOMPARE(taken.value<QImage>().size(), QSize(1, 1));
    }
}

void tst_HelpWindow::hostilePagesShowQuickly_data()
{
    QTest::addColumn<int>("page");
    QVERIFY(!hostilePages().isEmpty());
    for (int i = 0; i < hostilePages().size(); ++i)
        QTest::newRow(hostilePages().at(i).name) << i;
}

// Pages and tables of contents made to crash, hang or exhaust the text
// engine show in bounded time and memory, say where they are cut, and take
// nothing from outside the file. The bound is forty times five showings of
// the shipped start page (about two seconds here), timed beside each under
// the same load; a repaint takes less than twice that baseline.
void tst_HelpWindow::hostilePagesShowQuickly()
{
    QFETCH(int, page);
    const testsupport::HostilePage &hostile = hostilePages().at(page);
    QMap<QString, QByteArray> files = hostile.files;
    files.insert(QStringLiteral("helpp.html"), hostile.html);
    std::unique_ptr<help::HelpFile> file = help::HelpFile::read(testsupport::helpFileWith(files), HelpPath);
    QVERIFY(file);
    qint64 baseline = 0;
    for (int round = 0; round < 2; ++round) {
        qint64 total = 0;
        for (int i = 0; i < 5; ++i) {
            qint64 shown = 0;
            qint64 repaint = 0;
            shownWindow(help::HelpFile::open(HelpPath), shown, repaint);
            total += shown;
        }
        baseline = std::max(baseline, total);
    }
    testsupport::resetPeakMemory();
    const qint64 before = testsupport::peakMemoryKb();
    qint64 shown = 0;
    qint64 repaint = 0;
    const std::unique_ptr<HelpWindow> window = shownWindow(std::move(file), shown, repaint);
    const QString figures = QStringLiteral("%1 ms, repaint %2 ms, start page five times %3 ms, %4 KiB")
                                .arg(shown)
                                .arg(repaint)
                                .arg(baseline)
                                .arg(testsupport::peakMemoryKb() - before);
    QVERIFY2(shown < 40 * baseline && repaint < 2 * baseline, qPrintable(figures));
    QVERIFY2(testsupport::peakMemoryKb() - before < 200 * 1024, qPrintable(figures));
    const QString text = window->browser()->toPlainText();
    QVERIFY(text.startsWith(QStringLiteral("Vorher")));
    const QString shows = QString::fromUtf8(hostile.shows);
    QVERIFY2(text.contains(shows) ||
                 !window->contentsTree()->findItems(shows, Qt::MatchContains | Qt::MatchRecursive).isEmpty(),
             qPrintable(text.right(200)));
    int topics = 0;
    for (QTreeWidgetItemIterator it(window->contentsTree()); *it; ++it, ++topics)
        QVERIFY((*it)->text(0).size() <= help::HelpFile::MaxTitleLength);
    QVERIFY(topics <= help::HelpFile::MaxTopics + 1);
}

// The diary's own help keeps its text, pictures and look.
void tst_HelpWindow::shippedPagesLookAsWritten()
{
    std::unique_ptr<help::HelpFile> file = help::HelpFile::open(HelpPath);
    QVERIFY(file);
    HelpWindow window(help::HelpFile::open(HelpPath));
    window.show();
    for (const QString &page : file->names().filter(QStringLiteral(".html"))) {
        QTextDocument written;
        written.addResource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("hilfe.css")),
                            QString::fromUtf8(file->content(QStringLiteral("hilfe.css"))));
        written.setHtml(QString::fromUtf8(file->content(page)));
        QVERIFY(window.showPage(page));
        QTextDocument *shown = window.browser()->document();
        QCOMPARE(shown->toPlainText(), written.toPlainText());
        QCOMPARE(picturesOf(*shown), picturesOf(written));
        QVERIFY2(drawn(*shown) == drawn(written), qPrintable(page));
    }
}

void tst_HelpWindow::popupShowsOneTopic()
{
    WindowHelpViewer viewer;
    QVERIFY(!viewer.open(nullptr, HelpPath, HelpViewer::ContextPopup, 311));
    QVERIFY(!viewer.popup());
    QVERIFY(viewer.open(nullptr, HelpPath, HelpViewer::ContextPopup, 310));
    QPointer<help::HelpPopup> popup = viewer.popup();
    QVERIFY(popup && popup->isVisible());
    QVERIFY(!viewer.window());
    QVERIFY(popup->browser()->source().path().endsWith(QStringLiteral("/bereinigen.html")));
    QVERIFY(popup->browser()->toPlainText().contains(QStringLiteral("bereinigen")));
    QTest::keyClick(popup->browser(), Qt::Key_Escape);
    QTRY_VERIFY(popup.isNull());
}

void tst_HelpWindow::forceFileKeepsThePageRead()
{
    WindowHelpViewer viewer;
    QVERIFY(viewer.open(nullptr, HelpPath, HelpViewer::ForceFile, 0));
    QVERIFY(viewer.window() && viewer.window()->isVisible());
    QCOMPARE(viewer.window()->currentPage(), QStringLiteral("helpp.html"));
    QVERIFY(viewer.open(nullptr, HelpPath, HelpViewer::Context, 310));
    QVERIFY(viewer.open(nullptr, HelpPath, HelpViewer::ForceFile, 0));
    QCOMPARE(viewer.window()->currentPage(), QStringLiteral("bereinigen.html"));
}

void tst_HelpWindow::unreadableFilesAreReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing") << QStringLiteral("fehlt.chm") << QByteArray()
                             << QStringLiteral("nicht vorhanden");
    QTest::newRow("no help file") << QStringLiteral("text.chm") << QByteArray("nur ein Text\r\n")
                                  << QStringLiteral("keine Hilfedatei");
    QTest::newRow("empty") << QStringLiteral("leer.chm") << QByteArray("")
                           << QStringLiteral("keine Hilfedatei");
    QFile built(HelpPath);
    QVERIFY(built.open(QIODevice::ReadOnly));
    QTest::newRow("damaged") << QStringLiteral("kaputt.chm") << built.read(3000)
                             << QStringLiteral("beschädigt");
}

void tst_HelpWindow::unreadableFilesAreReported()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);

    QTemporaryDir folder;
    const QString path = folder.filePath(name);
    if (QTest::currentDataTag() != QLatin1String("missing")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QString text;
    QString title;
    testsupport::Driver driver;
    driver.on(QStringLiteral("MsgBox"), [&](QWidget *box) {
        text = qobject_cast<QMessageBox *>(box)->text();
        title = box->windowTitle();
        testsupport::press(box, QMessageBox::Ok);
    });
    WindowHelpViewer viewer;
    QVERIFY(!viewer.open(nullptr, path, HelpViewer::Contents, 0));
    QVERIFY(driver.done());
    QVERIFY(driver.unexpected.isEmpty());
    QCOMPARE(title, QStringLiteral("Hilfe"));
    QVERIFY2(text.contains(path), qPrintable(text));
    QVERIFY2(text.contains(reason), qPrintable(text));
    QVERIFY(!viewer.window());

    // An open window stays with its file when another cannot be read.
    QVERIFY(viewer.open(nullptr, HelpPath, HelpViewer::Context, 310));
    driver.on(QStringLiteral("MsgBox"), [](QWidget *box) { testsupport::press(box, QMessageBox::Ok); });
    QVERIFY(!viewer.open(nullptr, path, HelpViewer::Contents, 0));
    QVERIFY(driver.done());
    QVERIFY(viewer.window());
    QCOMPARE(viewer.window()->file().path(), HelpPath);
    QCOMPARE(viewer.window()->currentPage(), QStringLiteral("bereinigen.html"));
}

void tst_HelpWindow::diaryCallReachesTheWindow()
{
    // The process-wide viewer is the help window.
    rt::ServiceSlot<HelpViewer>::reset();
    QVERIFY(help::htmlHelp(nullptr, HelpPath, help::HelpContext, 310));
    auto *viewer = dynamic_cast<WindowHelpViewer *>(&rt::ServiceSlot<HelpViewer>::current());
    QVERIFY(viewer);
    QVERIFY(viewer->window());
    QCOMPARE(viewer->window()->currentPage(), QStringLiteral("bereinigen.html"));
    QVERIFY(help::htmlHelp(nullptr, HelpPath, help::DisplayTopic, 0));
    QCOMPARE(viewer->window()->currentPage(), QStringLiteral("helpp.html"));
    QPointer<HelpWindow> window = viewer->window();
    QVERIFY(help::htmlHelp(nullptr, HelpPath, help::CloseAll, 0));
    QTRY_VERIFY(window.isNull());
    rt::ServiceSlot<HelpViewer>::reset();
}

void tst_HelpWindow::opensCentredOverItsOpener_data()
{
    QTest::addColumn<QRect>("opener");
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("centred"); // else the opener sits in the screen's bottom-right corner
    QTest::addColumn<QSize>("size");
    QTest::newRow("named owner") << QRect(300, 200, 200, 100) << true << true << QSize(400, 300);
    QTest::newRow("active window") << QRect(100, 100, 300, 200) << false << true << QSize(400, 300);
    QTest::newRow("kept on the screen") << QRect(600, 450, 200, 150) << true << false << QSize(400, 300);
    // Larger than the screen (a small or magnified one): it shrinks to the free area.
    QTest::newRow("larger than the screen")
        << QRect(600, 450, 200, 150) << true << false << QSize(3000, 2000);
}

// A help window about to show stands centred over the window that opened it
// (the active one when none is named), inside the screen; a shown one stays
// where its reader moved it.
void tst_HelpWindow::opensCentredOverItsOpener()
{
    QFETCH(QRect, opener);
    QFETCH(bool, named);
    QFETCH(bool, centred);
    QFETCH(QSize, size);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    if (!centred)
        opener.moveBottomRight(screen.bottomRight());
    QWidget owner;
    owner.setGeometry(opener);
    owner.show();
    owner.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    WindowHelpViewer viewer;
    QVERIFY(viewer.open(named ? &owner : nullptr, HelpPath, HelpViewer::Contents, 0));
    HelpWindow *window = viewer.window();
    QVERIFY(window);
    window->hide();
    window->resize(size);
    owner.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    QVERIFY(viewer.open(named ? &owner : nullptr, HelpPath, HelpViewer::Contents, 0));
    const QRect placed = window->frameGeometry();
    QVERIFY2(screen.contains(placed), qPrintable(QStringLiteral("%1,%2").arg(placed.x()).arg(placed.y())));
    if (centred)
        QVERIFY((placed.center() - owner.frameGeometry().center()).manhattanLength() <= 2);
    else
        QCOMPARE(placed.bottomRight(), screen.bottomRight());

    window->move(10, 20);
    QVERIFY(viewer.open(&owner, HelpPath, HelpViewer::Context, 310));
    QCOMPARE(window->pos(), QPoint(10, 20));
    window->close();
}

KV_TEST_MAIN(tst_HelpWindow)
#include "tst_HelpWindow.moc"
