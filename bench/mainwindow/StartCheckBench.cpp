// The start over diaries of 0, 100,000 and 1,000,000 days with 2 KB bodies:
// the check of the file's shape and of its day names alone (the store opened,
// the shape required), and the main window loaded, shown and painted once.
// Times are the best of three with the file in the page cache, after a first
// start that makes the day index, as the diary's first start does.
//
// The diaries are made once in a work folder and reused by later runs, so two
// builds can be measured on the same files:
//
//   bench_startcheck [--dir FOLDER] [DAYS ...]
#include "bench/BenchDiary.h"
#include "diary/program/ProgramIdentity.h"
#include "diary/storage/EntryBackup.h"
#include "diary/windows/FrmMain.h"
#include "platform/dao/Database.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace
{

constexpr int Rounds = 3;
constexpr int BodyBytes = 2 * 1024;

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The check alone, best of three; -1 when the file is refused.
double checkOnly(const QString &file)
{
    double best = 1e300;
    for (int run = 0; run < Rounds; ++run) {
        const std::unique_ptr<dao::Database> db = dao::DBEngine().OpenDatabase(file);
        QElapsedTimer timer;
        timer.start();
        try {
            db->requireShape(kalvento::entryTableShape());
        } catch (const std::exception &) {
            return -1;
        }
        best = std::min(best, msSince(timer));
    }
    return best;
}

// The main window loaded, shown and painted; the first start apart.
std::pair<double, double> start(const QString &home)
{
    setenv("KALVENTO_HOME", qPrintable(home), 1);
    double first = 0;
    double best = 1e300;
    for (int run = 0; run <= Rounds; ++run) {
        QElapsedTimer timer;
        timer.start();
        QPointer<kalvento::FrmMain> form = rt::Form::create<kalvento::FrmMain>();
        form->load();
        if (!form || !form->isLoaded())
            return {-1, -1};
        form->showModeless();
        QApplication::processEvents();
        form->grab();
        const double ms = msSince(timer);
        if (run == 0)
            first = ms;
        else
            best = std::min(best, ms);
        form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return {first, best};
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir work;
    benchdiary::keepRunIn(work);
    QApplication app(argc, argv);
    rt::App::configure(kalvento::programIdentity());
    if (!benchdiary::registerControls())
        return 1;

    QString folder = work.path();
    QList<int> sizes;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--dir") && i + 1 < args.size())
            folder = args[++i];
        else
            sizes << args[i].toInt();
    }
    if (sizes.isEmpty())
        sizes = {0, 100000, 1000000};

    for (const int days : std::as_const(sizes)) {
        const QString home = QDir(folder).filePath(QStringLiteral("start-%1").arg(days));
        const QString file = home + QStringLiteral("/data/Database.mdb");
        const QString made = home + QStringLiteral("/made");
        if (!QFile::exists(made)) {
            QDir(home).removeRecursively();
            QDir().mkpath(home + QStringLiteral("/data"));
            if (!QFile::copy(QStringLiteral(KV_EMPTY_DATABASE), file) ||
                !benchdiary::fillRows(
                    file, days,
                    [](int i) {
                        return std::pair(QStringLiteral("Tag %1").arg(i).toUtf8(),
                                         "{\\rtf1\\ansi " + QByteArray(BodyBytes - 20, 'x') + "\\par}");
                    },
                    "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF")) {
                std::fprintf(stderr, "the test diary could not be made\n");
                return 1;
            }
            QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            QFile(made).open(QIODevice::WriteOnly);
        }
        const auto [first, started] = start(home);
        const double checked = checkOnly(file);
        if (first < 0 || checked < 0) {
            std::fprintf(stderr, "the diary of %d days did not open\n", days);
            return 1;
        }
        std::printf("%8d days: check %9.1f ms   start %9.1f ms   (first start %9.1f ms)\n", days, checked,
                    started, first);
        std::fflush(stdout);
    }
    return 0;
}
