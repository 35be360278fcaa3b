#include "diary/update/UpdateDescription.h"
#include "tests/support/TestMain.h"

#include <optional>

using kalvento::compareVersions;
using kalvento::UpdateDescription;

using Order = std::optional<int>;
Q_DECLARE_METATYPE(Order)

class TestUpdateDescription : public QObject
{
    Q_OBJECT
private slots:
    void compareVersionsByNumber_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<Order>("order");
        // As texts "2.10.0" sorts below "2.9.0".
        QTest::newRow("2.10.0 above 2.9.0")
            << QStringLiteral("2.10.0") << QStringLiteral("2.9.0") << Order(1);
        QTest::newRow("2.9.0 below 2.10.0")
            << QStringLiteral("2.9.0") << QStringLiteral("2.10.0") << Order(-1);
        QTest::newRow("equal") << QStringLiteral("2.5.0") << QStringLiteral("2.5.0") << Order(0);
        QTest::newRow("leading zero") << QStringLiteral("2.05.0") << QStringLiteral("2.5.0") << Order(0);
        QTest::newRow("major wins") << QStringLiteral("3.0.0") << QStringLiteral("2.99.99") << Order(1);
        QTest::newRow("revision") << QStringLiteral("2.5.1") << QStringLiteral("2.5.0") << Order(1);
        QTest::newRow("missing part is 0") << QStringLiteral("2.5") << QStringLiteral("2.5.0") << Order(0);
        QTest::newRow("extra part counts")
            << QStringLiteral("2.5.0.1") << QStringLiteral("2.5.0") << Order(1);
        QTest::newRow("empty") << QString() << QStringLiteral("2.5.0") << Order();
        QTest::newRow("letters") << QStringLiteral("2.x.0") << QStringLiteral("2.5.0") << Order();
        QTest::newRow("sign") << QStringLiteral("2.+5.0") << QStringLiteral("2.5.0") << Order();
        QTest::newRow("blank") << QStringLiteral("2.5.0 ") << QStringLiteral("2.5.0") << Order();
        QTest::newRow("empty part") << QStringLiteral("2..0") << QStringLiteral("2.5.0") << Order();
    }
    void compareVersionsByNumber()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(Order, order);
        QCOMPARE(compareVersions(a, b), order);
    }

    void linesOfTheText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        const QStringList five{QStringLiteral("head"), QStringLiteral("Kalvento"), QStringLiteral("2.6.0"),
                               QStringLiteral("1,2 MB"), QStringLiteral("https://h/kalvento.exe")};
        QTest::newRow("five lines")
            << QStringLiteral("head\r\nKalvento\r\n2.6.0\r\n1,2 MB\r\nhttps://h/kalvento.exe\r\n") << five;
        QTest::newRow("last line without its end")
            << QStringLiteral("head\r\nKalvento\r\n2.6.0\r\n1,2 MB\r\nhttps://h/kalvento.exe") << five;
        QTest::newRow("lines beyond the fifth are not read")
            << QStringLiteral(
                   "head\r\nKalvento\r\n2.6.0\r\n1,2 MB\r\nhttps://h/kalvento.exe\r\nmore\r\n2.9.0\r\n")
            << five;
        QTest::newRow("a lone LF stays in its line")
            << QStringLiteral("head\nx\r\nKalvento\r\n2.6.0\r\n1,2 MB\r\nhttps://h/kalvento.exe\r\n")
            << QStringList{QStringLiteral("head\nx"), QStringLiteral("Kalvento"), QStringLiteral("2.6.0"),
                           QStringLiteral("1,2 MB"), QStringLiteral("https://h/kalvento.exe")};
        const QStringList empty(5, QString());
        QTest::newRow("four lines describe nothing")
            << QStringLiteral("head\r\nKalvento\r\n2.6.0\r\n1,2 MB\r\n") << empty;
        QTest::newRow("lone LFs end no lines")
            << QStringLiteral("head\nKalvento\n2.6.0\n1,2 MB\nurl\n") << empty;
        QTest::newRow("nothing") << QString() << empty;
    }
    void linesOfTheText()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        const UpdateDescription description = UpdateDescription::fromText(text);
        QCOMPARE(QStringList(description.lines.begin(), description.lines.end()), lines);
        QCOMPARE(description.version(), lines.at(2));
        QCOMPARE(description.downloadUrl(), lines.at(4));
    }
};

KV_TEST_MAIN(TestUpdateDescription)
#include "tst_UpdateDescription.moc"
