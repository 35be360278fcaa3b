#include "platform/shell/Shell.h"
#include "tests/support/TestMain.h"

#include <QFile>
#include <QTemporaryDir>

// The desktop shell's answers that need no desktop: what is not there, or
// what it starts itself.
class TestDesktopShell : public QObject
{
    Q_OBJECT
private slots:
    void aMissingFileIsNotFound_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("program") << QStringLiteral("datenbanktool");
        QTest::newRow("document") << QStringLiteral("zorvelin.chm");
    }

    void aMissingFileIsNotFound()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        shell::DesktopShell shell;
        QCOMPARE(shell.execute(QStringLiteral("open"), dir.filePath(name), QString(), QString(), 1), 2);
    }

    void anExecutableIsStarted()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("update"));
        const QString mark = dir.filePath(QStringLiteral("started"));
        QFile file(program);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\ntouch \"$(dirname \"$0\")/started\"\n");
        file.close();
        QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
        shell::DesktopShell shell;
        QVERIFY(shell.execute(QStringLiteral("open"), program, QString(), QString(), 1) > 32);
        QTRY_VERIFY(QFile::exists(mark));
    }

    // A bare name is looked up on the search path; one found nowhere is not
    // found, rather than handed to the web-link opener.
    void aProgramByNameIsSearchedOnThePath()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("kvmarke")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n: > \"$1\"\n");
        file.close();
        QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", dir.path().toLocal8Bit());
        shell::DesktopShell shell;
        const QString mark = dir.filePath(QStringLiteral("gestartet"));
        const int started =
            shell.execute(QStringLiteral("open"), QStringLiteral("kvmarke"), mark, QString(), 1);
        const int missing =
            shell.execute(QStringLiteral("open"), QStringLiteral("kvnirgends"), QString(), QString(), 1);
        qputenv("PATH", path);
        QVERIFY(started > 32);
        QTRY_VERIFY(QFile::exists(mark));
        QCOMPARE(missing, 2);
    }
};

KV_TEST_MAIN(TestDesktopShell)
#include "tst_DesktopShell.moc"
