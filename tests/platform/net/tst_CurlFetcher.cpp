#include "platform/net/CurlFetcher.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/ScriptedFetcher.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

using net::CurlFetcher;
using net::TextFetcher;

namespace
{
const QString Agent = QStringLiteral("Kalvento");
}

// Only file URLs: libcurl reads them without any network.
class TestCurlFetcher : public QObject
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void fetchesUpToTheLimit_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<qsizetype>("limit");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("short file whole")
            << QByteArray("abc\r\ndef") << qsizetype(100) << QByteArray("abc\r\ndef");
        QTest::newRow("exactly the limit") << QByteArray("abcdef") << qsizetype(6) << QByteArray("abcdef");
        QTest::newRow("cut at the limit") << QByteArray("abcdef") << qsizetype(4) << QByteArray("abcd");
        QTest::newRow("bytes as they are")
            << QByteArray("\x00\xe4\x80\xff", 4) << qsizetype(10) << QByteArray("\x00\xe4\x80\xff", 4);
        QTest::newRow("empty file") << QByteArray() << qsizetype(10) << QByteArray();
        QTest::newRow("no room") << QByteArray("abc") << qsizetype(0) << QByteArray();
        // Larger than one transfer buffer, so the cut falls inside a later piece.
        QByteArray big(700000, '\0');
        for (qsizetype i = 0; i < big.size(); ++i)
            big[i] = char(i % 251);
        QTest::newRow("large file cut") << big << qsizetype(524288) << big.left(524288);
        QTest::newRow("large file whole") << big << qsizetype(1000000) << big;
    }
    void fetchesUpToTheLimit()
    {
        QFETCH(QByteArray, body);
        QFETCH(qsizetype, limit);
        QFETCH(QByteArray, expected);
        QCOMPARE(CurlFetcher().fetch(write(body), limit, Agent), expected);
    }

    void missingFileIsEmpty()
    {
        const QString url = QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("fehlt.inf"))).toString();
        QCOMPARE(CurlFetcher().fetch(url, 100, Agent), QByteArray());
    }

    void unsupportedSchemeIsEmpty()
    {
        QCOMPARE(CurlFetcher().fetch(QStringLiteral("dict://localhost/x"), 100, Agent), QByteArray());
    }

    void realFetcherUntilATestInstallsAnother()
    {
        rt::ServiceSlot<TextFetcher>::reset();
        QVERIFY(dynamic_cast<CurlFetcher *>(&rt::ServiceSlot<TextFetcher>::current()));
        auto scripted = std::make_unique<net::ScriptedFetcher>();
        TextFetcher *installed = scripted.get();
        rt::ServiceSlot<TextFetcher>::install(std::move(scripted));
        QCOMPARE(&rt::ServiceSlot<TextFetcher>::current(), installed);
        rt::ServiceSlot<TextFetcher>::reset();
        QVERIFY(dynamic_cast<CurlFetcher *>(&rt::ServiceSlot<TextFetcher>::current()));
    }

private:
    QString write(const QByteArray &body)
    {
        QFile file(m_dir.filePath(QStringLiteral("datei%1.inf").arg(m_count++)));
        if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size())
            return {};
        return QUrl::fromLocalFile(file.fileName()).toString();
    }

    QTemporaryDir m_dir;
    int m_count = 0;
};

KV_TEST_MAIN(TestCurlFetcher)
#include "tst_CurlFetcher.moc"
