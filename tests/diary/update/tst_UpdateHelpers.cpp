#include "diary/update/BrowseFolder.h"
#include "diary/update/OpenWebsite.h"
#include "diary/update/ReadURL.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeShell.h"
#include "tests/support/fakes/ScriptedDialogs.h"
#include "tests/support/fakes/ScriptedFetcher.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

using comdlg::DialogBackend;
using comdlg::ScriptedDialogs;
using net::ScriptedFetcher;
using net::TextFetcher;

namespace
{

const QString Title = QStringLiteral("Bitte wählen Sie einen Ordner:");
const QString InfoUrl = QStringLiteral("http://update.example/update/kalvento/nuvrel.inf");

} // namespace

class TestUpdateHelpers : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        auto dialogs = std::make_unique<ScriptedDialogs>();
        m_dialogs = dialogs.get();
        rt::ServiceSlot<DialogBackend>::install(std::move(dialogs));
        auto fetcher = std::make_unique<ScriptedFetcher>();
        m_fetcher = fetcher.get();
        rt::ServiceSlot<TextFetcher>::install(std::move(fetcher));
        auto fakeShell = std::make_unique<shell::FakeShell>();
        m_shell = fakeShell.get();
        rt::ServiceSlot<shell::Shell>::install(std::move(fakeShell));
    }
    void cleanup()
    {
        m_dialogs = nullptr;
        m_fetcher = nullptr;
        m_shell = nullptr;
        rt::ServiceSlot<DialogBackend>::reset();
        rt::ServiceSlot<TextFetcher>::reset();
        rt::ServiceSlot<shell::Shell>::reset();
    }

    // --- folder picker

    void browseFolderReturnsTheChosenFolder()
    {
        QWidget owner;
        m_dialogs->push(ScriptedDialogs::Answer::file(QStringLiteral("/home/anna/Downloads")));
        QCOMPARE(kalvento::BrowseFolder(&owner, Title), QStringLiteral("/home/anna/Downloads"));
        QCOMPARE(m_dialogs->shown().size(), 1);
        QCOMPARE(m_dialogs->shown().constFirst().kind, QStringLiteral("folder"));
        QCOMPARE(m_dialogs->shown().constFirst().title, Title);
    }

    void browseFolderCancelledIsEmpty()
    {
        m_dialogs->push(ScriptedDialogs::Answer::cancelled());
        QCOMPARE(kalvento::BrowseFolder(nullptr, Title), QString());
        // Nothing scripted is a cancel as well, and the next answer is not taken early.
        QCOMPARE(kalvento::BrowseFolder(nullptr, Title), QString());
        QCOMPARE(m_dialogs->shown().size(), 2);
    }

    // --- text fetch

    void readUrlDropsTheFirstFourCharacters_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ten characters") << QByteArray("0123456789") << QStringLiteral("456789");
        QTest::newRow("description lines")
            << QByteArray("abcd\r\nKalvento\r\n2.6.0\r\n") << QStringLiteral("\r\nKalvento\r\n2.6.0\r\n");
        QTest::newRow("five characters") << QByteArray("12345") << QStringLiteral("5");
        QTest::newRow("exactly four") << QByteArray("1234") << QString();
        QTest::newRow("fewer than four") << QByteArray("123") << QString();
        QTest::newRow("empty file") << QByteArray() << QString();
        // Each byte is one Windows-1252 character, also in the dropped header.
        QTest::newRow("Windows-1252")
            << QByteArray("\xe4\xf6\xfc\xdf Gr\xf6\xdf\x65 \x80") << QStringLiteral(" Größe €");
    }
    void readUrlDropsTheFirstFourCharacters()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, expected);
        m_fetcher->serve(InfoUrl, body);
        const com::Variant text = kalvento::ReadURL(InfoUrl, nullptr);
        QCOMPARE(text.type(), com::VarType::String);
        QCOMPARE(text.toString(), expected);
    }

    void readUrlAsksForAtMostTheLimitOnce()
    {
        m_fetcher->serve(InfoUrl, QByteArray("0123456789"));
        kalvento::ReadURL(InfoUrl, nullptr);
        QCOMPARE(m_fetcher->calls().size(), 1);
        QCOMPARE(m_fetcher->calls().constFirst().url, InfoUrl);
        QCOMPARE(m_fetcher->calls().constFirst().maxBytes, qsizetype(524288));
        QCOMPARE(m_fetcher->calls().constFirst().userAgent, QStringLiteral("Wininet Test"));
    }

    void readUrlUnreachableIsEmptyText()
    {
        const com::Variant text = kalvento::ReadURL(QStringLiteral("http://nirgends.example/x"), nullptr);
        QCOMPARE(text.type(), com::VarType::String);
        QCOMPARE(text.toString(), QString());
    }

    void readUrlShowsTheHourglassWhileFetching()
    {
        QWidget window;
        std::optional<Qt::CursorShape> during;
        m_fetcher->setDuringFetch([&] { during = window.cursor().shape(); });
        m_fetcher->serve(InfoUrl, QByteArray("0123456789"));
        kalvento::ReadURL(InfoUrl, &window);
        QCOMPARE(during, std::optional<Qt::CursorShape>(Qt::WaitCursor));
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
    }

    void readUrlTakesTheHourglassBackWhenNothingArrives()
    {
        QWidget window;
        kalvento::ReadURL(QStringLiteral("http://nirgends.example/x"), &window);
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
    }

    // The real fetcher, on a local file: the cut and the dropped header end to end.
    void readUrlCutsLongFilesEndToEnd()
    {
        rt::ServiceSlot<TextFetcher>::reset();
        m_fetcher = nullptr;
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QByteArray body(600000, 'x');
        for (qsizetype i = 0; i < body.size(); ++i)
            body[i] = char('a' + i % 26);
        QFile file(dir.filePath(QStringLiteral("nuvrel.inf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(body), body.size());
        file.close();

        const QString text =
            kalvento::ReadURL(QUrl::fromLocalFile(file.fileName()).toString(), nullptr).toString();
        QCOMPARE(text.size(), qsizetype(524288 - 4));
        QCOMPARE(text, QString::fromLatin1(body.mid(4, 524288 - 4)));
    }

    // The real fetcher over HTTP: the request names the routine's own agent text.
    void readUrlIntroducesItselfToTheServer()
    {
        rt::ServiceSlot<TextFetcher>::reset();
        m_fetcher = nullptr;
        testsupport::LocalHttpServer server;
        QVERIFY(server.isListening());
        server.serve("/update/kalvento/nuvrel.inf", {.body = QByteArray("abcd\r\nKalvento\r\n")});
        const QString text =
            kalvento::ReadURL(server.url(QStringLiteral("/update/kalvento/nuvrel.inf")), nullptr).toString();
        QCOMPARE(text, QStringLiteral("\r\nKalvento\r\n"));
        const auto requests = server.requests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.first().method, QByteArray("GET"));
        QCOMPARE(requests.first().target, QByteArray("/update/kalvento/nuvrel.inf"));
        QCOMPARE(requests.first().headers.value("user-agent"), QByteArray("Wininet Test"));
    }

    // --- web page

    void openWebsiteOpensMaximisedWithTheDefaultAction_data()
    {
        QTest::addColumn<int>("shellResult");
        QTest::newRow("success") << 42;
        QTest::newRow("failure") << 2;
    }
    void openWebsiteOpensMaximisedWithTheDefaultAction()
    {
        QFETCH(int, shellResult);
        m_shell->result = shellResult;
        const QString url = QStringLiteral("http://www.kalvento.example/");
        QCOMPARE(kalvento::OpenWebsite(url), shellResult);
        QCOMPARE(m_shell->calls.size(), size_t(1));
        const shell::FakeShell::Call &call = m_shell->calls.front();
        QCOMPARE(call.verb, QString());
        QCOMPARE(call.file, url);
        QCOMPARE(call.parameters, QString());
        QCOMPARE(call.directory, QString());
        QCOMPARE(call.showCommand, 3);
    }

private:
    ScriptedDialogs *m_dialogs = nullptr;
    ScriptedFetcher *m_fetcher = nullptr;
    shell::FakeShell *m_shell = nullptr;
};

KV_TEST_MAIN(TestUpdateHelpers)
#include "tst_UpdateHelpers.moc"
