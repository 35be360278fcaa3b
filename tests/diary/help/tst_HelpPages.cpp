#include "platform/help/HelpFile.h"
#include "tests/support/TestMain.h"

#include <QRegularExpression>
#include <QSet>
#include <QTextDocument>
#include <functional>
#include <memory>

using help::HelpFile;

namespace
{

const QString HelpPath = QStringLiteral(KV_BIN_DIR "/zorvelin.chm");

QString pageText(const HelpFile &file, const QString &page)
{
    return QString::fromUtf8(file.content(page));
}

QString plainText(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText().simplified();
}

} // namespace

// The diary's help as the build packs it: every page reachable from the
// contents, every link leading to a page of the file, the numbers the diary
// opens it at, and every window and command described.
class tst_HelpPages : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void startAndContexts();
    void contentsHoldEveryPage();
    void linksLeadToPages();
    void everyCommandIsDescribed_data();
    void everyCommandIsDescribed();

private:
    std::unique_ptr<HelpFile> m_file;
    QStringList m_pages;
    QString m_allText;
};

void tst_HelpPages::initTestCase()
{
    QString error;
    m_file = HelpFile::open(HelpPath, &error);
    QVERIFY2(m_file, qPrintable(error));
    m_pages = m_file->names().filter(QRegularExpression(QStringLiteral("\\.html$")));
    QVERIFY(m_pages.size() > 10);
    for (const QString &page : m_pages)
        m_allText += plainText(pageText(*m_file, page)) + QLatin1Char('\n');
}

void tst_HelpPages::startAndContexts()
{
    QCOMPARE(m_file->startPage(), QStringLiteral("helpp.html"));
    QCOMPARE(m_file->title(), QStringLiteral("Zorvelin Professional – Hilfe"));
    // "Hilfe" in the clean-up question opens the page about cleaning up.
    QCOMPARE(m_file->pageForContext(310), QStringLiteral("bereinigen.html"));
    QVERIFY(plainText(pageText(*m_file, QStringLiteral("bereinigen.html")))
                .contains(QStringLiteral("Datenbank bereinigen")));
    QVERIFY(m_file->pageForContext(0).isEmpty());
}

void tst_HelpPages::contentsHoldEveryPage()
{
    QSet<QString> listed;
    std::function<void(const QList<HelpFile::Topic> &)> walk = [&](const QList<HelpFile::Topic> &topics) {
        for (const HelpFile::Topic &topic : topics) {
            QVERIFY2(!topic.title.isEmpty(), qPrintable(topic.page));
            QVERIFY2(m_file->hasPage(topic.page), qPrintable(topic.page));
            QVERIFY2(!listed.contains(topic.page), qPrintable(topic.page));
            listed.insert(topic.page);
            walk(topic.children);
        }
    };
    walk(m_file->contents());
    QCOMPARE(QSet<QString>(m_pages.begin(), m_pages.end()), listed);
}

void tst_HelpPages::linksLeadToPages()
{
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    static const QRegularExpression title(QStringLiteral("<title>([^<]+)</title>"));
    for (const QString &page : m_pages) {
        const QString html = pageText(*m_file, page);
        QVERIFY2(title.match(html).hasMatch(), qPrintable(page));
        for (auto it = href.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1).section(QLatin1Char('#'), 0, 0);
            if (target.isEmpty())
                continue;
            QVERIFY2(m_file->hasPage(target), qPrintable(page + QStringLiteral(" → ") + target));
        }
    }
}

void tst_HelpPages::everyCommandIsDescribed_data()
{
    QTest::addColumn<QString>("caption");
    const QStringList captions = {
        // main window, its buttons and menus
        QStringLiteral("Neuen Tag eintragen"), QStringLiteral("Eintrag bearbeiten"),
        QStringLiteral("Eintrag löschen"), QStringLiteral("Drucken"), QStringLiteral("Heute ist:"),
        QStringLiteral("eingetragene Tage"), QStringLiteral("Datenbank bereinigen"),
        QStringLiteral("Datensicherung"), QStringLiteral("Online-Update..."),
        QStringLiteral("Programm beenden..."), QStringLiteral("Passwort eingeben/ändern..."),
        QStringLiteral("Menü-Design"), QStringLiteral("XP-Design"), QStringLiteral("Office 2003 Design"),
        QStringLiteral("Office 2007 Design"), QStringLiteral("Visual Studio 2005 Design"),
        QStringLiteral("Hilfe"), QStringLiteral("Copyright"),
        // start and password prompt
        QStringLiteral("Passwortabfrage"), QStringLiteral("Ihr Passwort:"),
        QStringLiteral("Falsches Passwort"),
        // entry editor: buttons, menus, tool bar
        QStringLiteral("Eintrag editieren"), QStringLiteral("Abbrechen"),
        QStringLiteral("Neuen Eintrag speichern"), QStringLiteral("Bearbeiteten Eintrag speichern"),
        QStringLiteral("Schließen ohne Änderung"), QStringLiteral("Ausschneiden"), QStringLiteral("Kopieren"),
        QStringLiteral("Text einfügen"), QStringLiteral("Grafik einfügen"), QStringLiteral("Löschen"),
        QStringLiteral("Alles auswählen"), QStringLiteral("Zwischenablage leeren"),
        QStringLiteral("Suchen..."), QStringLiteral("Schriftart wählen..."),
        QStringLiteral("Schriftfarbe wählen"), QStringLiteral("Vollbild"), QStringLiteral("Fett"),
        QStringLiteral("Kursiv"), QStringLiteral("Unterstrichen"), QStringLiteral("Durchgestrichen"),
        QStringLiteral("Hintergrund"), QStringLiteral("Aufzählung"), QStringLiteral("Linksbündig"),
        QStringLiteral("Zentriert"), QStringLiteral("Rechtsbündig"), QStringLiteral("Einfügen"),
        QStringLiteral("Datum ändern"), QStringLiteral("Vollbildmodus"), QStringLiteral("Toolbar schließen"),
        // password window
        QStringLiteral("Passwort eingeben / ändern"), QStringLiteral("PW speichern"),
        QStringLiteral("PW löschen"), QStringLiteral("Zurück"), QStringLiteral("zorvelin.cod"),
        // backup window
        QStringLiteral("Sichern der Datenbank"), QStringLiteral("Wiederherstellen"),
        QStringLiteral("Sicherung löschen"), QStringLiteral("Datum zur Sicherung hinzufügen"),
        QStringLiteral("Medien"), QStringLiteral("Steuerung"), QStringLiteral("zorvelin_datensicherung.dsi"),
        // clean-up, update, about box
        QStringLiteral("Okay"), QStringLiteral("datenbanktool"), QStringLiteral("update"),
        QStringLiteral("Folgendes Betriebssystem wurde erkannt:")};
    for (const QString &caption : captions)
        QTest::newRow(qPrintable(caption)) << caption;
}

void tst_HelpPages::everyCommandIsDescribed()
{
    QFETCH(QString, caption);
    QVERIFY2(m_allText.contains(caption), qPrintable(caption));
}

KV_TEST_MAIN(tst_HelpPages)
#include "tst_HelpPages.moc"
