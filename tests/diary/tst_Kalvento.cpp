#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QFile>
#include <QProcess>

// The program reaches the control library through the registry only.
class TestKalvento : public QObject
{
    Q_OBJECT
private slots:
    void theProgramDoesNotLinkTheControlLibrary()
    {
        const QString program = testsupport::binaryPath(QStringLiteral("kalvento"));
        QVERIFY2(QFile::exists(program), "build the kalvento target first");
        QProcess ldd;
        ldd.start(QStringLiteral("ldd"), {program});
        QVERIFY(ldd.waitForFinished(30000));
        QCOMPARE(ldd.exitCode(), 0);
        const QString libraries = QString::fromLocal8Bit(ldd.readAllStandardOutput());
        QVERIFY2(libraries.contains(QStringLiteral("libkplatform.so")), qPrintable(libraries));
        QVERIFY2(!libraries.contains(QStringLiteral("ostrevo")), qPrintable(libraries));
        QVERIFY2(!libraries.contains(QStringLiteral("not found")), qPrintable(libraries));
    }
};

KV_TEST_MAIN(TestKalvento)
#include "tst_Kalvento.moc"
