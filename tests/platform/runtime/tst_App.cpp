#include "platform/runtime/App.h"
#include "tests/support/TestMain.h"

#include <QDir>

using rt::App;

namespace
{
const char HomeVariable[] = "PROBE_HOME";
} // namespace

class TestApp : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void neutralWithoutIdentity_data();
    void neutralWithoutIdentity();
    void pathIsExecutableFolder();
    void pathFromEnvironment_data();
    void pathFromEnvironment();
    void storedPath_data();
    void storedPath();

private:
    rt::ApplicationIdentity m_saved;
};

void TestApp::init()
{
    m_saved = App::identity();
    App::configure({QStringLiteral("Probe"), QString::fromLatin1(HomeVariable), {}, {}});
}

void TestApp::cleanup()
{
    qunsetenv(HomeVariable);
    App::configure(m_saved);
}

void TestApp::neutralWithoutIdentity_data()
{
    QTest::addColumn<QString>("variable");
    QTest::newRow("own variable") << QString::fromLatin1(HomeVariable);
    QTest::newRow("another program's") << QStringLiteral("KALVENTO_HOME");
}

// Without a home variable no environment moves the program folder, and the
// title is the application's name.
void TestApp::neutralWithoutIdentity()
{
    QFETCH(QString, variable);
    const QByteArray name = variable.toLatin1();
    const QByteArray previous = qgetenv(name.constData());
    qputenv(name.constData(), "/opt/elsewhere");
    App::configure({});
    const QString path = App::path();
    qputenv(name.constData(), previous);
    QCOMPARE(path, QStringLiteral(KV_BIN_DIR));
    QCOMPARE(App::title(), QCoreApplication::applicationName());
    QVERIFY(!App::title().isEmpty());
}

void TestApp::pathIsExecutableFolder()
{
    QCOMPARE(App::path(), QStringLiteral(KV_BIN_DIR));
    QCOMPARE(App::title(), QStringLiteral("Probe"));
}

void TestApp::pathFromEnvironment_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("path");
    QTest::newRow("plain") << "/opt/probe"
                           << "/opt/probe";
    QTest::newRow("trailing slash") << "/opt/probe/"
                                    << "/opt/probe";
    QTest::newRow("dots") << "/opt/x/../probe/."
                          << "/opt/probe";
    QTest::newRow("root") << "/"
                          << "/";
    QTest::newRow("relative") << "tagebuch" << QDir::current().absoluteFilePath(QStringLiteral("tagebuch"));
}

void TestApp::pathFromEnvironment()
{
    QFETCH(QString, home);
    QFETCH(QString, path);
    qputenv(HomeVariable, home.toLocal8Bit());
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
