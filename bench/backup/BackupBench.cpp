// Backs a diary up through the backup window and restores it again, and
// compares both with copying the database file with cp and fsync. Not a test:
// run it by hand (bin/bench_backup). The messages are answered at once.
// KV_BENCH_MB sets the diary's size in MB (default 100; 1000 for the large
// run). The memory figure is the peak of RssAnon (anonymous resident memory,
// sampled every 2 ms) above its value just before the work.
#include "bench/BenchDiary.h"
#include "diary/outsidecontrols/FileListBox.h"
#include "diary/program/ProgramIdentity.h"
#include "diary/windows/datensi1.h"
#include "platform/com/Control.h"
#include "platform/dao/Database.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <thread>
#include <unistd.h>

namespace
{

constexpr int BodyBytes = 100 * 1024;
int Entries = 1000;

qint64 rssAnonKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("RssAnon:"))
            return line.mid(8).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// The highest anonymous memory above the resting value while it lives.
class AnonPeak
{
public:
    AnonPeak() : m_rest(rssAnonKb()), m_peak(m_rest)
    {
        m_thread = std::thread([this] {
            while (!m_stop) {
                m_peak = std::max<qint64>(m_peak, rssAnonKb());
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    ~AnonPeak()
    {
        m_stop = true;
        m_thread.join();
    }
    AnonPeak(const AnonPeak &) = delete;
    AnonPeak &operator=(const AnonPeak &) = delete;
    qint64 aboveRestKb() const { return std::max<qint64>(m_peak, rssAnonKb()) - m_rest; }

private:
    qint64 m_rest;
    std::atomic<qint64> m_peak;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Presses the first button of every message as soon as it shows.
void answerMessages()
{
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [] {
        rt::Form *form = rt::Form::activeModalForm();
        if (!form || form->objectName() != QLatin1String("msgFrm") || form->property("answered").toBool())
            return;
        for (com::Control *c : form->findChildren<com::Control *>())
            if (c->isVisible()) {
                form->setProperty("answered", true);
                QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(5, 5));
                return;
            }
    });
    poll->start(1);
}

// The best of three runs; the peak anonymous memory of all three in *peakKb.
template <class F> double bestOf3(F &&run, qint64 *peakKb = nullptr)
{
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        const AnonPeak peak;
        timer.start();
        if (!run())
            return -1;
        best = std::min(best, double(timer.nsecsElapsed()) / 1e9);
        if (peakKb)
            *peakKb = std::max(*peakKb, peak.aboveRestKb());
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir work(QDir::currentPath() + QStringLiteral("/bench_backup-XXXXXX"));
    benchdiary::keepRunIn(work);
    const QString home = work.filePath(QStringLiteral("home"));
    setenv("KALVENTO_HOME", qPrintable(home), 1);
    QApplication app(argc, argv);
    const int size = qEnvironmentVariableIntValue("KV_BENCH_MB");
    if (size > 0)
        Entries = size * 10;
    rt::App::configure(kalvento::programIdentity());
    if (!benchdiary::registerControls())
        return 1;
    QDir().mkpath(home + QStringLiteral("/data"));
    const QString file = home + QStringLiteral("/data/Database.mdb");
    if (!QFile::copy(QStringLiteral(KV_EMPTY_DATABASE), file) ||
        !QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        !benchdiary::fill(file, Entries, BodyBytes, true)) {
        std::fprintf(stderr, "the test diary could not be made\n");
        return 1;
    }
    const double megabytes = double(QFileInfo(file).size()) / 1e6;
    const QString folder = work.filePath(QStringLiteral("sicherungen"));
    QDir().mkpath(folder);

    std::unique_ptr<dao::Database> db = dao::DBEngine().OpenDatabase(file);
    kalvento::EntryStore store{
        .database = [&]() -> const dao::Database * { return db.get(); },
        .close = [&] { db.reset(); },
        .reopen = [&] { db = dao::DBEngine().OpenDatabase(file); },
    };
    QPointer<kalvento::datensi1> window = rt::Form::create<kalvento::datensi1>(store);
    window->load();
    window->TreeEx1()->let(QStringLiteral("pPath"), folder);
    window->TreeEx1_Click();
    answerMessages();

    const QString backup = folder + QStringLiteral("/zorvelin_datensicherung.dsi");
    qint64 backupKb = 0, restoreKb = 0;
    const double backupTime = bestOf3(
        [&] {
            window->Command1_Click();
            return QFile::exists(backup);
        },
        &backupKb);
    const double restoreTime = bestOf3(
        [&] {
            window->File1()->setCurrentItem(
                window->File1()
                    ->findItems(QStringLiteral("zorvelin_datensicherung.dsi"), Qt::MatchExactly)
                    .value(0));
            window->Command2_Click();
            // The kept copies of the replaced database would fill the disk.
            for (const QString &kept : QDir(home + QStringLiteral("/data"))
                                           .entryList({QStringLiteral("*_vor_Wiederherstellung_*")}))
                QFile::remove(home + QStringLiteral("/data/") + kept);
            return db && db->isOpen();
        },
        &restoreKb);
    const double copyTime = bestOf3([&] {
        return QProcess::execute(QStringLiteral("cp"), {file, folder + QStringLiteral("/kopie.mdb")}) == 0;
    });
    // The backup and the restore reach the disk before they report; so does
    // this copy.
    const double syncedCopyTime = bestOf3([&] {
        const QString copy = folder + QStringLiteral("/kopie.mdb");
        if (QProcess::execute(QStringLiteral("cp"), {file, copy}) != 0)
            return false;
        QFile f(copy);
        return f.open(QIODevice::ReadWrite) && ::fsync(f.handle()) == 0;
    });
    window->unload();
    if (backupTime < 0 || restoreTime < 0 || copyTime < 0 || syncedCopyTime < 0) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    std::printf("database %.1f MB (%d entries of %d bytes)\n", megabytes, Entries, BodyBytes);
    std::printf("backup  %7.3f s  %8.1f MB/s\n", backupTime, megabytes / backupTime);
    std::printf("restore %7.3f s  %8.1f MB/s\n", restoreTime, megabytes / restoreTime);
    std::printf("cp      %7.3f s  %8.1f MB/s\n", copyTime, megabytes / copyTime);
    std::printf("cp+sync %7.3f s  %8.1f MB/s\n", syncedCopyTime, megabytes / syncedCopyTime);
    std::printf("ratio backup/cp: %.2f   restore/cp: %.2f\n", backupTime / copyTime, restoreTime / copyTime);
    std::printf("ratio backup/(cp+sync): %.2f   restore/(cp+sync): %.2f\n", backupTime / syncedCopyTime,
                restoreTime / syncedCopyTime);
    std::printf("peak RssAnon above rest: backup %.1f MB   restore %.1f MB\n", double(backupKb) / 1024,
                double(restoreKb) / 1024);
    return 0;
}
