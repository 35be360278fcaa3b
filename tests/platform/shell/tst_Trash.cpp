#include "platform/shell/Trash.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// The desktop trash in a home of the test's own: a data home that cannot be
// made fails the call, and nothing lands in the working folder instead.
class TestTrash : public QObject
{
    Q_OBJECT
private slots:
    void dataHomeDecidesWhereFilesGo_data()
    {
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<QString>("blocker"); // a plain file where a folder would go
        QTest::addColumn<bool>("moved");
        QTest::newRow("made on first use") << "neu/daten" << QString() << true;
        QTest::newRow("below a file") << "datei/daten"
                                      << "datei" << false;
        QTest::newRow("is a file") << "datei"
                                   << "datei" << false;
        QTest::newRow("trash is a file") << "daten"
                                         << "daten/Trash" << false;
    }

    void dataHomeDecidesWhereFilesGo()
    {
        QFETCH(QString, dataHome);
        QFETCH(QString, blocker);
        QFETCH(bool, moved);
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const QDir root(temp.path());
        QVERIFY(root.mkpath(QStringLiteral("arbeit")));
        QVERIFY(root.mkpath(QStringLiteral("quelle")));
        if (!blocker.isEmpty()) {
            QVERIFY(root.mkpath(QFileInfo(root.filePath(blocker)).absolutePath()));
            QFile file(root.filePath(blocker));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString source = root.filePath(QStringLiteral("quelle/eins.txt"));
        {
            QFile file(source);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Eintrag");
        }
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
        const QString oldWorking = QDir::currentPath();
        qputenv("HOME", temp.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", root.filePath(dataHome).toLocal8Bit());
        QVERIFY(QDir::setCurrent(root.filePath(QStringLiteral("arbeit"))));

        const bool result = shell::DesktopTrash().moveToTrash(source);

        QDir::setCurrent(oldWorking);
        qputenv("HOME", oldHome);
        qputenv("XDG_DATA_HOME", oldDataHome);
        QCOMPARE(result, moved);
        QCOMPARE(QFile::exists(source), !moved);
        QCOMPARE(QFile::exists(root.filePath(dataHome + QStringLiteral("/Trash/files/eins.txt"))), moved);
        QCOMPARE(
            QDir(root.filePath(QStringLiteral("arbeit"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList());
    }
};

KV_TEST_MAIN(TestTrash)
#include "tst_Trash.moc"
