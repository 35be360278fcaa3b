// Opens the main window on a diary of 10,000 days, once with empty bodies and
// once with 100 KB bodies, and prints the load-and-list times. Listing reads
// the days only, so both should take about as long.
#include "bench/BenchDiary.h"
#include "diary/program/ProgramIdentity.h"
#include "diary/windows/FrmMain.h"
#include "platform/runtime/Settings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace
{

constexpr int Entries = 10000;

// The best of three load-and-list runs, in milliseconds.
double loadAndList(const QString &home)
{
    setenv("KALVENTO_HOME", qPrintable(home), 1);
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        QPointer<kalvento::FrmMain> form = rt::Form::create<kalvento::FrmMain>();
        form->load();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (!form || !form->isLoaded())
            return -1;
        best = std::min(best, ms);
        form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return best;
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

    double times[2] = {};
    const int sizes[2] = {0, 100 * 1024};
    for (int i = 0; i < 2; ++i) {
        const QString home = work.filePath(QStringLiteral("home%1").arg(i));
        QDir().mkpath(home + QStringLiteral("/data"));
        const QString file = home + QStringLiteral("/data/Database.mdb");
        if (!QFile::copy(QStringLiteral(KV_EMPTY_DATABASE), file) ||
            !benchdiary::fill(file, Entries, sizes[i], false)) {
            std::fprintf(stderr, "the test diary could not be made\n");
            return 1;
        }
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        times[i] = loadAndList(home);
        if (times[i] < 0) {
            std::fprintf(stderr, "the main window did not load\n");
            return 1;
        }
        std::printf("%d entries, %6d byte bodies: load and list %8.1f ms\n", Entries, sizes[i], times[i]);
    }
    std::printf("ratio (100 KB / empty): %.2f\n", times[1] / times[0]);
    return 0;
}
