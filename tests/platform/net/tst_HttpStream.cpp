#include "platform/net/HttpStream.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TestMain.h"

using net::HttpStream;
using testsupport::LocalHttpServer;
using Delivery = LocalHttpServer::Delivery;

namespace
{

QByteArray pattern(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(i * 13 % 256);
    return bytes;
}

using Pieces = QList<qint64>;

} // namespace

class TestHttpStream : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { LocalHttpServer::bypassProxies(); }

    void init()
    {
        m_server = std::make_unique<LocalHttpServer>();
        QVERIFY(m_server->isListening());
    }
    void cleanup() { m_server.reset(); }

    void readsAreFullUntilTheEnd_data()
    {
        QTest::addColumn<int>("delivery");
        QTest::addColumn<qint64>("announced");
        QTest::addColumn<Pieces>("pieces");
        QTest::addColumn<bool>("failed");
        QTest::newRow("with length") << int(Delivery::Whole) << qint64(20000) << Pieces{8192, 8192, 3616}
                                     << false;
        QTest::newRow("trickling") << int(Delivery::Slow) << qint64(20000) << Pieces{8192, 8192, 3616}
                                   << false;
        QTest::newRow("chunked") << int(Delivery::Chunked) << qint64(-1) << Pieces{8192, 8192, 3616} << false;
        QTest::newRow("no length") << int(Delivery::NoLength) << qint64(-1) << Pieces{8192, 8192, 3616}
                                   << false;
        QTest::newRow("whole chunks")
            << int(Delivery::Whole) << qint64(16384) << Pieces{8192, 8192, 0} << false;
        // What came before the cut is handed over; then the failure shows.
        QTest::newRow("cut off") << int(Delivery::CutOff) << qint64(20000) << Pieces{8192, 1808, -1} << true;
    }
    void readsAreFullUntilTheEnd()
    {
        QFETCH(int, delivery);
        QFETCH(qint64, announced);
        QFETCH(Pieces, pieces);
        QFETCH(bool, failed);
        const QByteArray body = pattern(delivery == int(Delivery::Whole) ? announced : 20000);
        m_server->serve("/f.bin", {.body = body,
                                   .delivery = Delivery(delivery),
                                   .sentBytes = 10000,
                                   .pieceBytes = 700,
                                   .pauseMs = 5});
        HttpStream stream;
        QVERIFY(stream.send({.url = m_server->url(QStringLiteral("/f.bin")), .userAgent = "test"}));
        QCOMPARE(stream.statusCode(), 200);
        QCOMPARE(stream.contentLength(), announced);
        QByteArray received;
        char buffer[8192];
        for (qint64 expected : pieces) {
            const qint64 got = stream.read(buffer, sizeof buffer);
            QCOMPARE(got, expected);
            if (got > 0)
                received.append(buffer, got);
        }
        QCOMPARE(received, body.left(received.size()));
        QCOMPARE(stream.failed(), failed);
    }

    void anErrorPageIsAnAnswer()
    {
        m_server->serve("/kaputt", {.status = 500, .body = "Fehler"});
        HttpStream stream;
        QVERIFY(stream.send({.url = m_server->url(QStringLiteral("/kaputt")), .userAgent = "test"}));
        QCOMPARE(stream.statusCode(), 500);
        QCOMPARE(stream.contentLength(), 6);
    }

    void redirectsAreFollowed()
    {
        m_server->serve(
            "/alt.bin",
            {.status = 301, .body = "weg", .location = m_server->url(QStringLiteral("/neu.bin")).toUtf8()});
        m_server->serve("/neu.bin", {.body = "neu"});
        HttpStream stream;
        QVERIFY(stream.send({.url = m_server->url(QStringLiteral("/alt.bin")), .userAgent = "test"}));
        QCOMPARE(stream.statusCode(), 200);
        char buffer[16];
        QCOMPARE(stream.read(buffer, sizeof buffer), 3);
        QCOMPARE(QByteArray(buffer, 3), QByteArray("neu"));
        QCOMPARE(m_server->requests().size(), 2);
    }

    void noServerIsNoAnswer()
    {
        HttpStream stream;
        QVERIFY(!stream.send(
            {.url = QStringLiteral("http://127.0.0.1:%1/f.bin").arg(LocalHttpServer::unusedPort()),
             .userAgent = "test"}));
        QCOMPARE(stream.statusCode(), 0);
    }

private:
    std::unique_ptr<LocalHttpServer> m_server;
};

KV_TEST_MAIN(TestHttpStream)
#include "tst_HttpStream.moc"
