#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QProcess>
#include <QTemporaryDir>

// Drives the test container as a person would: statements on standard input,
// one printed line per result.
class TestAutomate : public QObject
{
    Q_OBJECT
private:
    static QStringList run(const QString &script)
    {
        QProcess automate;
        automate.start(testsupport::binaryPath(QStringLiteral("automate")), {});
        automate.write(script.toUtf8());
        automate.closeWriteChannel();
        if (!automate.waitForFinished(30000))
            return {QStringLiteral("timeout")};
        return QString::fromUtf8(automate.readAllStandardOutput())
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerLibrary(QStringLiteral("libkvtestcontrol.so"))); }

    void statements_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("let and get by name") << "create KvTest.Counter\nlet Caption \"Hallo\"\nget Caption\n"
                                             << QStringList{"Hallo"};
        QTest::newRow("get by dispid") << "create KvTest.Counter\nlet Value 7\nget #&H68030001\n"
                                       << QStringList{"7"};
        QTest::newRow("booleans and colours") << "create KvTest.Counter\nget Enabled\nget BackColor\n"
                                              << QStringList{"True", "-2147483633"};
        QTest::newRow("trailing & makes a Long")
            << "create KvTest.Counter\nlet Caption &HFF00&\nget Caption\n"
            << QStringList{"65280"};
        QTest::newRow("call prints result") << "create KvTest.Counter\ncall Add 40, 2\n" << QStringList{"42"};
        QTest::newRow("errors and the script goes on")
            << "create KvTest.Counter\nlet Value 40000\ncall Fail\nget Value\n"
            << QStringList{"error 6: Überlauf", "error 9: Index außerhalb des gültigen Bereichs", "0"};
        QTest::newRow("events printed") << "create KvTest.Counter\nevents on\ncall Increment\n"
                                        << QStringList{"event Changed(1, False)", "1"};
        QTest::newRow("no object yet") << "get Value\n"
                                       << QStringList{"error 91: Objektvariable nicht festgelegt"};
        QTest::newRow("unknown class")
            << "create Nobody.Here\n"
            << QStringList{"error 429: ActiveX-Komponente kann kein Objekt erstellen (Nobody.Here)"};
    }

    void statements()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        QCOMPARE(run(script), expected);
    }

    void saveAndLoadBag()
    {
        QTemporaryDir dir;
        const QString bag = dir.filePath(QStringLiteral("counter.bag"));
        QCOMPARE(run(QStringLiteral("create KvTest.Counter\nlet Step 4\nsave %1\n").arg(bag)), QStringList());
        QFile file(bag);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("Step = 4\n"));
        QCOMPARE(run(QStringLiteral("load KvTest.Counter %1\nget Step\nget Caption\n").arg(bag)),
                 (QStringList{QStringLiteral("4"), QStringLiteral("Zähler")}));
    }
};

KV_TEST_MAIN(TestAutomate)
#include "tst_Automate.moc"
