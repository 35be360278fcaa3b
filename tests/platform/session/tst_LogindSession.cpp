#include "platform/session/LogindSession.h"
#include "tests/support/TestMain.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <memory>
#include <utility>
#include <vector>

namespace
{

// What the stand-in was asked, across its thread.
struct Calls {
    QMutex lock;
    QStringList log;
    QString canAnswer = QStringLiteral("yes");
    bool refuse = false;
    void add(const QString &call)
    {
        QMutexLocker locked(&lock);
        log << call;
    }
};

// One stand-in object: logs each call and, when told to, refuses it.
class StandIn : public QObject, protected QDBusContext
{
    Q_OBJECT // so that the bus finds the call context through the subclasses
        public : explicit StandIn(Calls &calls)
        : m_calls(calls)
    {
    }

protected:
    void answer(const QString &call)
    {
        m_calls.add(call);
        if (m_calls.refuse)
            sendErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"), QStringLiteral("nein"));
    }
    Calls &m_calls;
};

class StandInManager : public StandIn
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    using StandIn::StandIn;
public slots:
    QString CanReboot()
    {
        m_calls.add(QStringLiteral("CanReboot"));
        return m_calls.canAnswer;
    }
    QString CanPowerOff()
    {
        m_calls.add(QStringLiteral("CanPowerOff"));
        return m_calls.canAnswer;
    }
    void Reboot(bool interactive) { answer(QStringLiteral("Reboot %1").arg(interactive)); }
    void PowerOff(bool interactive) { answer(QStringLiteral("PowerOff %1").arg(interactive)); }
};

class StandInSession : public StandIn
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
public:
    using StandIn::StandIn;
public slots:
    void Terminate() { answer(QStringLiteral("Terminate")); }
};

// A desktop's session manager on the session bus.
class StandInDesktop : public StandIn
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.SessionManager")
public:
    using StandIn::StandIn;
public slots:
    void Logout(uint mode) { answer(QStringLiteral("Logout %1").arg(mode)); }
};

const QString ServiceConnection = QStringLiteral("stand-in");

} // namespace

// The session manager over logind, against a stand-in logind on a private
// bus: the real system bus is never reached and nothing ends.
class TestLogindSession : public QObject
{
    Q_OBJECT
private:
    QProcess m_bus;
    QThread m_serviceThread;
    Calls m_calls;
    QString m_serviceName; // the stand-in connection's unique name on the bus
    std::vector<std::pair<QString, std::unique_ptr<StandIn>>> m_standIns; // by object path

    // Serves `standIn` at `path`, answering on the service thread so that the
    // blocking calls of the code under test do not wait on their own thread.
    bool serve(const QString &path, std::unique_ptr<StandIn> standIn)
    {
        standIn->moveToThread(&m_serviceThread);
        m_standIns.emplace_back(path, std::move(standIn));
        return QDBusConnection(ServiceConnection)
            .registerObject(path, m_standIns.back().second.get(), QDBusConnection::ExportAllSlots);
    }

private slots:
    void initTestCase()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            QSKIP("dbus-daemon is not installed");
        m_bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                             QStringLiteral("--print-address")});
        QVERIFY(m_bus.waitForStarted());
        QVERIFY(m_bus.waitForReadyRead(10000));
        const QByteArray address = m_bus.readLine().trimmed();
        QVERIFY(!address.isEmpty());
        // Before anything asks for the system bus: this one stands in for it.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
        qputenv("DBUS_SESSION_BUS_ADDRESS", address); // and for the session bus
        m_serviceThread.start();
        QDBusConnection service =
            QDBusConnection::connectToBus(QString::fromUtf8(address), ServiceConnection);
        QVERIFY(service.isConnected());
        m_serviceName = service.baseService();
        QVERIFY(serve(QStringLiteral("/org/freedesktop/login1"), std::make_unique<StandInManager>(m_calls)));
        QVERIFY(serve(QStringLiteral("/org/freedesktop/login1/session/auto"),
                      std::make_unique<StandInSession>(m_calls)));
        QVERIFY(
            serve(QStringLiteral("/org/gnome/SessionManager"), std::make_unique<StandInDesktop>(m_calls)));
        QVERIFY(service.registerService(QStringLiteral("org.freedesktop.login1")));
    }

    // Ends in a fixed order, each step done before the next: no call can reach
    // a stand-in any more, their thread stops, they go while the connection
    // that knows them still stands, that connection closes, and only then the
    // bus. The code under test registers nothing on its own connections.
    void cleanupTestCase()
    {
        if (m_bus.state() == QProcess::NotRunning)
            return; // skipped
        {
            QDBusConnection service(ServiceConnection);
            service.unregisterService(QStringLiteral("org.freedesktop.login1"));
            for (const auto &[path, standIn] : m_standIns)
                service.unregisterObject(path);
        }
        m_serviceThread.quit();
        QVERIFY(m_serviceThread.wait(10000));
        m_standIns.clear();
        QDBusConnection::disconnectFromBus(ServiceConnection);
        // The bus drops the name once the connection has really closed.
        const QDBusConnectionInterface *names = QDBusConnection::systemBus().interface();
        QTRY_VERIFY(!names->isServiceRegistered(m_serviceName).value());
        m_bus.terminate();
        QVERIFY(m_bus.waitForFinished(10000));
    }

    void init()
    {
        QMutexLocker locked(&m_calls.lock);
        m_calls.log.clear();
        m_calls.canAnswer = QStringLiteral("yes");
        m_calls.refuse = false;
    }

    void endings_data()
    {
        QTest::addColumn<int>("ending");
        QTest::addColumn<bool>("desktop"); // a desktop session manager answers
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("call");
        const int logOff = int(session::Ending::LogOff);
        QTest::newRow("log off") << logOff << false << false << true << "Terminate";
        QTest::newRow("reboot") << int(session::Ending::Reboot) << false << false << true << "Reboot 1";
        QTest::newRow("power off") << int(session::Ending::PowerOff) << false << false << true
                                   << "PowerOff 1";
        QTest::newRow("log off refused") << logOff << false << true << false << "Terminate";
        QTest::newRow("reboot refused")
            << int(session::Ending::Reboot) << false << true << false << "Reboot 1";
        QTest::newRow("log off through the desktop") << logOff << true << false << true << "Logout 1";
        QTest::newRow("desktop refuses") << logOff << true << true << false << "Logout 1";
        QTest::newRow("reboot leaves the desktop out")
            << int(session::Ending::Reboot) << true << false << true << "Reboot 1";
    }

    void endings()
    {
        QFETCH(int, ending);
        QFETCH(bool, desktop);
        QFETCH(bool, refuse);
        QFETCH(bool, result);
        QFETCH(QString, call);
        m_calls.refuse = refuse;
        QDBusConnection service(ServiceConnection);
        const QString name = QStringLiteral("org.gnome.SessionManager");
        if (desktop)
            QVERIFY(service.registerService(name));
        session::LogindSession logind;
        const bool ended = logind.end(session::Ending(ending));
        if (desktop)
            QVERIFY(service.unregisterService(name));
        QCOMPARE(ended, result);
        QMutexLocker locked(&m_calls.lock);
        QCOMPARE(m_calls.log, QStringList{call});
    }

    void mayEnd_data()
    {
        QTest::addColumn<int>("ending");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("log off needs no question")
            << int(session::Ending::LogOff) << "no" << true << QStringList{};
        QTest::newRow("reboot yes") << int(session::Ending::Reboot) << "yes" << true
                                    << QStringList{"CanReboot"};
        QTest::newRow("reboot after asking")
            << int(session::Ending::Reboot) << "challenge" << true << QStringList{"CanReboot"};
        QTest::newRow("power off no")
            << int(session::Ending::PowerOff) << "no" << false << QStringList{"CanPowerOff"};
        QTest::newRow("power off not available")
            << int(session::Ending::PowerOff) << "na" << false << QStringList{"CanPowerOff"};
    }

    void mayEnd()
    {
        QFETCH(int, ending);
        QFETCH(QString, answer);
        QFETCH(bool, allowed);
        QFETCH(QStringList, log);
        m_calls.canAnswer = answer;
        session::LogindSession logind;
        QCOMPARE(logind.mayEnd(session::Ending(ending)), allowed);
        QMutexLocker locked(&m_calls.lock);
        QCOMPARE(m_calls.log, log);
    }
};

KV_TEST_MAIN(TestLogindSession)
#include "tst_LogindSession.moc"
