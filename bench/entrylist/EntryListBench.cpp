// The entry list at diary sizes: 10,000 and 100,000 days with 2 KB and
// 100 KB RTF bodies. For each diary it prints
//   - open + list: the main window loaded, shown and painted once;
//   - save: "Eintrag editieren" in the editor until the main window is painted
//     again (the write and both refreshes of the list);
//   - RSS: the resident memory once the list is shown, and the process's peak
//     after the saves (which preview, edit and write one body);
// and each figure against reading the same days with one plain SELECT in the
// same run: its time, and for RSS the memory of a process of its own that
// holds those days and nothing else.
//
// The diaries are made once in a work folder and reused by later runs
// (100,000 days of 100 KB are 10 GB): delete the folder to make them anew.
// Each diary is measured in a process of its own, so the memory of one does
// not count for the next. Times are the best of three with the file in the
// page cache; the first opening is printed as well, since it also does what
// is done once per file.
//
//   bench_entrylist [--dir FOLDER] [CASE ...]     cases: 10000-2k 10000-100k
//                                                        100000-2k 100000-100k
#include "bench/BenchDiary.h"
#include "diary/outsidecontrols/CommandButton.h"
#include "diary/program/ProgramIdentity.h"
#include "diary/windows/FrmMain.h"
#include "diary/windows/FrmNew.h"
#include "platform/runtime/GermanLocale.h"

#include "diary/outsidecontrols/DayList.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>

namespace
{

struct Case {
    const char *name;
    int entries;
    int bodyBytes;
};
constexpr Case Cases[] = {
    {"10000-2k", 10000, 2 * 1024},
    {"10000-100k", 10000, 100 * 1024},
    {"100000-2k", 100000, 2 * 1024},
    {"100000-100k", 100000, 100 * 1024},
};
constexpr int Rounds = 3;

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Peak and current resident memory of this process, in MB.
std::pair<double, double> residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    double peak = -1, now = -1;
    if (!status.open(QIODevice::ReadOnly))
        return {peak, now};
    for (const QByteArray &line : status.readAll().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() >= 2 && parts[0] == "VmHWM:")
            peak = parts[1].toDouble() / 1024;
        if (parts.size() >= 2 && parts[0] == "VmRSS:")
            now = parts[1].toDouble() / 1024;
    }
    return {peak, now};
}

// A body as the editor writes one: a few formatted words, repeated.
QByteArray bodyOf(int day, int bytes)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
                     "\\viewkind4\\uc1\\pard\\plain\\f0\\fs24 Tag " +
                     QByteArray::number(day) + " ";
    const QByteArray words = "Heute war ein sch\\'f6ner Tag f\\'fcr Spazierg\\'e4nge am \\b Fluss\\b0 . ";
    while (rtf.size() + words.size() + 8 < bytes)
        rtf += words;
    rtf += "\\par\r\n}";
    return rtf;
}

bool generate(const QString &file, const Case &c)
{
    const QDate first(1726, 1, 1);
    return benchdiary::fillRows(
        file, c.entries,
        [&](int i) {
            return std::pair(rt::GermanLocale::longDate(first.addDays(i)).toUtf8(), bodyOf(i, c.bodyBytes));
        },
        "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF");
}

// The yardstick: the days of every record in table order, one SELECT.
QStringList plainSelect(const QString &file)
{
    QStringList days;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *select = nullptr;
        sqlite3_prepare_v2(db, "SELECT Tagdatum FROM Zorvelin ORDER BY rowid", -1, &select, nullptr);
        while (select && sqlite3_step(select) == SQLITE_ROW)
            days << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(select, 0)),
                                      sqlite3_column_bytes(select, 0));
        sqlite3_finalize(select);
    }
    sqlite3_close(db);
    return days;
}

// Runs the event loop until the window has been laid out and painted once.
void paintOnce(QWidget &window)
{
    QApplication::processEvents();
    QApplication::processEvents();
    window.grab();
}

// Child process: the main window over one diary. Prints one line of figures.
int measureWindow(const QString &home)
{
    const QString file = home + QStringLiteral("/data/Database.mdb");
    qsizetype expected = 0;
    {
        sqlite3 *db = nullptr;
        sqlite3_stmt *count = nullptr;
        sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_prepare_v2(db, "SELECT count(*) FROM Zorvelin", -1, &count, nullptr);
        if (count && sqlite3_step(count) == SQLITE_ROW)
            expected = sqlite3_column_int64(count, 0);
        sqlite3_finalize(count);
        sqlite3_close(db);
    }

    setenv("KALVENTO_HOME", qPrintable(home), 1);
    double first = 0, open = 1e300;
    QPointer<kalvento::FrmMain> main;
    for (int run = 0; run < Rounds; ++run) {
        if (main) {
            main->unload();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QElapsedTimer timer;
        timer.start();
        main = rt::Form::create<kalvento::FrmMain>();
        main->load();
        if (!main || !main->isLoaded())
            return 1;
        main->showModeless();
        paintOnce(*main);
        const double ms = msSince(timer);
        if (run == 0)
            first = ms;
        open = std::min(open, ms);
        if (main->List()->count() != expected) {
            std::fprintf(stderr, "%lld days listed, %lld stored\n",
                         static_cast<long long>(main->List()->count()), static_cast<long long>(expected));
            return 1;
        }
    }

    const double listedMb = residentMb().second;

    // Edit a day in the middle and save it as it is.
    double save = 1e300;
    for (int run = 0; run < Rounds; ++run) {
        main->List()->setCurrentRow(int(expected / 2));
        QElapsedTimer timer;
        bool saved = false;
        std::function<void()> pressSave;
        pressSave = [&] {
            auto *editor = qobject_cast<kalvento::FrmNew *>(rt::Form::activeModalForm());
            if (!editor) {
                QTimer::singleShot(1, pressSave);
                return;
            }
            timer.start();
            editor->Command3_Click();
            saved = true;
        };
        QTimer::singleShot(0, pressSave);
        main->Command1()->click();
        paintOnce(*main);
        if (!saved || main->List()->count() != expected)
            return 1;
        save = std::min(save, msSince(timer));
        // The closed editor goes once control is back in the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const auto [peak, now] = residentMb();
    std::printf("%.3f %.3f %.3f %.1f %.1f %.1f\n", first, open, save, listedMb, peak, now);
    main->unload();
    return 0;
}

// Child process: the plain SELECT, timed, and the memory of holding its days.
int measurePlain(const QString &home)
{
    QStringList days;
    double plain = 1e300;
    for (int run = 0; run < Rounds; ++run) {
        days.clear();
        QElapsedTimer timer;
        timer.start();
        days = plainSelect(home + QStringLiteral("/data/Database.mdb"));
        plain = std::min(plain, msSince(timer));
    }
    const auto [peak, now] = residentMb();
    std::printf("%lld %.3f %.1f %.1f\n", static_cast<long long>(days.size()), plain, peak, now);
    return 0;
}

QStringList runChild(const QString &mode, const QString &home)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {mode, home});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return {};
    return QString::fromLatin1(child.readAllStandardOutput()).simplified().split(QLatin1Char(' '));
}

// The children's warnings of the offscreen platform would bury the table.
void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3)
        qInstallMessageHandler(quiet);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    rt::App::configure(kalvento::programIdentity());
    QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--window"))
        return measureWindow(args[1]);
    if (args.size() == 2 && args[0] == QLatin1String("--plain"))
        return measurePlain(args[1]);

    QString dir = QStringLiteral("/tmp/kv-entrylist-bench");
    if (args.size() >= 2 && args[0] == QLatin1String("--dir")) {
        dir = args[1];
        args = args.mid(2);
    }
    QDir().mkpath(dir + QStringLiteral("/runtime"));
    QFile::setPermissions(dir + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setenv("XDG_RUNTIME_DIR", qPrintable(dir + QStringLiteral("/runtime")), 1);
    setenv("OSTREVO_REGISTRY", qPrintable(dir + QStringLiteral("/registry")), 1);
    setenv("KALVENTO_SETTINGS", qPrintable(dir + QStringLiteral("/settings.ini")), 1);
    if (!benchdiary::registerControls())
        return 1;

    std::printf("%-12s %9s %7s | %-25s | %-25s | %-21s | %-21s | %s\n", "diary", "SELECT ms", "RSS MB",
                "open + list ms (x SELECT)", "save + 2 refreshes ms (x)", "RSS listed MB (x)",
                "peak RSS MB (x)", "first open ms");
    for (const Case &c : Cases) {
        if (!args.isEmpty() && !args.contains(QLatin1String(c.name)))
            continue;
        const QString home = dir + QLatin1Char('/') + QLatin1String(c.name);
        const QString file = home + QStringLiteral("/data/Database.mdb");
        const QString made = home + QStringLiteral("/complete");
        if (!QFile::exists(made)) {
            std::fprintf(stderr, "making %s ...\n", c.name);
            QDir(home).removeRecursively();
            QDir().mkpath(home + QStringLiteral("/data"));
            if (!QFile::copy(QStringLiteral(KV_EMPTY_DATABASE), file) || !generate(file, c)) {
                std::fprintf(stderr, "the diary %s could not be made\n", c.name);
                return 1;
            }
            QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            QFile mark(made);
            mark.open(QIODevice::WriteOnly);
        }
        const QStringList plain = runChild(QStringLiteral("--plain"), home);
        const QStringList window = runChild(QStringLiteral("--window"), home);
        if (window.size() != 6 || plain.size() != 4) {
            std::fprintf(stderr, "%s could not be measured\n", c.name);
            return 1;
        }
        const double select = plain[1].toDouble();
        const double selectMb = plain[2].toDouble();
        const double open = window[1].toDouble(), save = window[2].toDouble();
        const double listedMb = window[3].toDouble(), peakMb = window[4].toDouble();
        std::printf("%-12s %9.1f %7.1f | %11.1f (%7.2f x) | %11.1f (%7.2f x) | %9.1f (%5.2f x) | %9.1f "
                    "(%5.2f x) | %.1f\n",
                    c.name, select, selectMb, open, open / select, save, save / select, listedMb,
                    listedMb / selectMb, peakMb, peakMb / selectMb, window[0].toDouble());
        std::fflush(stdout);
    }
    return 0;
}
