#include "platform/help/HelpViewer.h"
#include "platform/runtime/ScopedService.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeShell.h"

#include <QFile>
#include <QTemporaryDir>

// The stand-in help viewer hands only an existing file to the shell's opener.
class TestHelpViewer : public QObject
{
    Q_OBJECT
private slots:
    void opensThroughTheShell_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("shellResult");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("shellCalls");
        QTest::newRow("contents") << true << 3 << 42 << true << 1;
        QTest::newRow("a topic opens the file") << true << 1 << 42 << true << 1;
        QTest::newRow("the opener fails") << true << 3 << 2 << false << 1;
        QTest::newRow("no such file") << false << 3 << 42 << false << 0;
        QTest::newRow("quit opens nothing") << true << 2 << 42 << true << 0;
    }

    void opensThroughTheShell()
    {
        QFETCH(bool, exists);
        QFETCH(int, command);
        QFETCH(int, shellResult);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("zorvelin.chm"));
        if (exists) {
            QFile help(file);
            QVERIFY(help.open(QIODevice::WriteOnly));
        }
        rt::ScopedService<shell::Shell, shell::FakeShell> shell;
        shell->result = shellResult;
        help::ShellHelpViewer viewer;
        QTEST(viewer.open(nullptr, file, command, 310), "shown");
        QTEST(int(shell->calls.size()), "shellCalls");
        if (!shell->calls.empty()) {
            QCOMPARE(shell->calls[0].verb, QStringLiteral("open"));
            QCOMPARE(shell->calls[0].file, file);
        }
    }
};

KV_TEST_MAIN(TestHelpViewer)
#include "tst_HelpViewer.moc"
