#include "platform/runtime/Windows1252.h"
#include "tests/support/TestMain.h"

using rt::Windows1252;

class TestWindows1252 : public QObject
{
    Q_OBJECT
private slots:
    void everyByteRoundTrips();
    void decodesByte_data();
    void decodesByte();
    void encodes_data();
    void encodes();
};

void TestWindows1252::everyByteRoundTrips()
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(static_cast<char>(byte));
    const QString text = Windows1252::decode(all);
    QCOMPARE(text.size(), 256);
    QVERIFY(Windows1252::canEncode(text));
    bool lossless = false;
    QCOMPARE(Windows1252::encode(text, &lossless), all);
    QVERIFY(lossless);
}

void TestWindows1252::decodesByte_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("codePoint");
    QTest::newRow("A") << 0x41 << 0x0041;
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("undefined 81") << 0x81 << 0x0081;
    QTest::newRow("S caron") << 0x8A << 0x0160;
    QTest::newRow("undefined 8D") << 0x8D << 0x008D;
    QTest::newRow("undefined 8F") << 0x8F << 0x008F;
    QTest::newRow("undefined 90") << 0x90 << 0x0090;
    QTest::newRow("trade mark") << 0x99 << 0x2122;
    QTest::newRow("undefined 9D") << 0x9D << 0x009D;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("A umlaut") << 0xC4 << 0x00C4;
    QTest::newRow("sharp s") << 0xDF << 0x00DF;
    QTest::newRow("a umlaut") << 0xE4 << 0x00E4;
    QTest::newRow("y diaeresis") << 0xFF << 0x00FF;
}

void TestWindows1252::decodesByte()
{
    QFETCH(int, byte);
    QFETCH(int, codePoint);
    const QString text = Windows1252::decode(QByteArray(1, static_cast<char>(byte)));
    QCOMPARE(text.size(), 1);
    QCOMPARE(int(text.at(0).unicode()), codePoint);
    QCOMPARE(Windows1252::encodeChar(char32_t(codePoint)), byte);
}

void TestWindows1252::encodes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("lossless");
    QTest::newRow("empty") << QString() << QByteArray() << true;
    QTest::newRow("umlauts") << QStringLiteral("Grüße aus Köln, Ärger")
                             << QByteArray("Gr\xFC\xDF"
                                           "e aus K\xF6ln, \xC4rger")
                             << true;
    QTest::newRow("euro sign") << QStringLiteral("5 €") << QByteArray("5 \x80") << true;
    QTest::newRow("typographic quotes") << QStringLiteral("„Tag“") << QByteArray("\x84Tag\x93") << true;
    QTest::newRow("greek omega") << QStringLiteral("Ω=1") << QByteArray("?=1") << false;
    // U+0080 is not the byte 0x80: that byte holds the euro sign.
    QTest::newRow("C1 control 80") << QStringLiteral("\u0080") << QByteArray("?") << false;
    QTest::newRow("emoji is one character") << QStringLiteral("a\U0001F600b") << QByteArray("a?b") << false;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + QLatin1Char('x') << QByteArray("?x") << false;
}

void TestWindows1252::encodes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, lossless);
    bool reported = !lossless;
    QCOMPARE(Windows1252::encode(text, &reported), bytes);
    QCOMPARE(reported, lossless);
    QCOMPARE(Windows1252::canEncode(text), lossless);
    if (lossless)
        QCOMPARE(Windows1252::decode(bytes), text);
}

KV_TEST_MAIN(TestWindows1252)
#include "tst_Windows1252.moc"
