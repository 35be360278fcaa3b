#include "platform/runtime/App.h"
#include "tests/support/TestMain.h"

#include <QDir>

using rt::App;

class TestApp : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void pathIsExecutableFolder();
    void pathFromEnvironment_data();
    void pathFromEnvironment();
    void storedPath_data();
    void storedPath();
};

void TestApp::cleanup()
{
    qunsetenv("KALVENTO_HOME");
}

void TestApp::pathIsExecutableFolder()
{
    qunsetenv("KALVENTO_HOME");
    QCOMPARE(App::path(), QStringLiteral(KV_BIN_DIR));
}

void TestApp::pathFromEnvironment_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("path");
    QTest::newRow("plain") << "/opt/kalvento"
                           << "/opt/kalvento";
    QTest::newRow("trailing slash") << "/opt/kalvento/"
                                    << "/opt/kalvento";
    QTest::newRow("dots") << "/opt/x/../kalvento/."
                          << "/opt/kalvento";
    QTest::newRow("root") << "/"
                          << "/";
    QTest::newRow("relative") << "tagebuch" << QDir::current().absoluteFilePath(QStringLiteral("tagebuch"));
}

void TestApp::pathFromEnvironment()
{
    QFETCH(QString, home);
    QFETCH(QString, path);
    qputenv("KALVENTO_HOME", home.toLocal8Bit());
    QCOMPARE(App::path(), path);
}

void TestApp::storedPath_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("path");
    QTest::newRow("backslashes") << "data\\Database.mdb"
                                 << "data/Database.mdb";
    QTest::newRow("mixed") << "a/b\\c"
                           << "a/b/c";
    QTest::newRow("already slashes") << "data/x.cod"
                                     << "data/x.cod";
    QTest::newRow("empty") << QString() << QString();
}

void TestApp::storedPath()
{
    QFETCH(QString, stored);
    QFETCH(QString, path);
    QCOMPARE(App::fromStoredPath(stored), path);
}

KV_TEST_MAIN(TestApp)
#include "tst_App.moc"
