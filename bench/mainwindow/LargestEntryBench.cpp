// The largest entry the diary shows, through the main window as its user goes:
// the day clicked, "Eintrag editieren" opened, one key typed (and, with
// "ctrl-end", Ctrl+End pressed), the entry saved, the day clicked again. Prints
// for each step how long the event loop waited at most (a timer ticking every
// 5 ms), how long the window was busy, the peak memory, the stored size, and
// whether the entry is shown again.
//
//   bench_largestentry [BYTES] [ctrl-end] [day | unchanged] [pictures | mixed | plain]
//       short paragraphs of text, BYTES of them (the diary's limit for text
//       if not given); pictures: photos under a line of text each (BYTES or
//       the diary's limit for an entry); mixed: text up to close to the limit
//       for text, then photos up to the limit for an entry; plain: Cyrillic
//       text without formatting (BYTES or the limit for it). day: a day's
//       typing (5,000 characters) instead of one key; unchanged: no key.
//   bench_largestentry odd NAME [ctrl-end]
//       the odd entry NAME of tests/support/OddEntries (faces-all, ...)
#include "bench/BenchDiary.h"
#include "diary/outsidecontrols/CommandButton.h"
#include "diary/outsidecontrols/DayList.h"
#include "diary/program/ProgramIdentity.h"
#include "diary/windows/EntryLimits.h"
#include "diary/windows/FrmMain.h"
#include "diary/windows/FrmNew.h"
#include "platform/richtext/RichTextBox.h"
#include "tests/support/OddEntries.h"
#include "tests/support/PeakMemory.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace
{

constexpr int TickMs = 5;

// The longest the event loop waited between two ticks of a short timer.
class StallProbe
{
public:
    StallProbe()
    {
        m_clock.start();
        m_tick.setInterval(TickMs);
        QObject::connect(&m_tick, &QTimer::timeout, [this] {
            const qint64 now = m_clock.elapsed();
            if (now - m_last > 3 * TickMs)
                m_lastLate = now;
            m_worst = std::max(m_worst, now - m_last);
            m_last = now;
            ++m_ticks;
        });
        m_tick.start();
    }

    // Runs `action`, then the event loop until it has been idle for a second;
    // prints the step's figures.
    void step(const char *name, const std::function<void()> &action)
    {
        m_worst = 0;
        m_last = m_clock.elapsed();
        const qint64 start = m_last;
        m_lastLate = start;
        action();
        const qint64 called = m_clock.elapsed() - start;
        // The first tick after the action counts the wait the action caused.
        const int ticks = m_ticks;
        while ((m_ticks == ticks || m_clock.elapsed() - m_lastLate < 1000) &&
               m_clock.elapsed() - start < 600'000)
            QApplication::processEvents(QEventLoop::AllEvents, TickMs);
        std::printf("%-24s call %8lld ms  busy %8lld ms  longest wait %8lld ms  peak %7.1f MB\n", name,
                    static_cast<long long>(called), static_cast<long long>(m_lastLate - start),
                    static_cast<long long>(m_worst), testsupport::peakMemoryKb() / 1024.0);
        std::fflush(stdout);
    }

private:
    QElapsedTimer m_clock;
    QTimer m_tick;
    qint64 m_last = 0;
    qint64 m_lastLate = 0;
    qint64 m_worst = 0;
    int m_ticks = 0;
};

void press(QWidget *to, int key, Qt::KeyboardModifiers modifiers, const QString &text = QString())
{
    QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(to, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(to, &up);
}

// Answers the messages the diary raises (a refused save) with their last
// button, and prints their texts.
void answerMessages(const QList<QWidget *> &ours)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || ours.contains(w) || qobject_cast<kalvento::FrmNew *>(w))
            continue;
        QStringList texts;
        for (const QLabel *label : w->findChildren<QLabel *>()) {
            if (label->isVisible() && !label->text().isEmpty())
                texts << label->text();
        }
        std::printf("message: %s\n", qPrintable(texts.join(QStringLiteral(" | "))));
        QList<QAbstractButton *> buttons;
        for (QAbstractButton *b : w->findChildren<QAbstractButton *>()) {
            if (b->isVisible())
                buttons << b;
        }
        if (!buttons.isEmpty()) {
            buttons.last()->click();
        } else {
            QWidget *to = w->focusWidget() ? w->focusWidget() : w;
            press(to, Qt::Key_Return, Qt::NoModifier);
        }
    }
}

// The stored entry's bytes, as the engine keeps them.
qint64 storedSize(const QString &file)
{
    sqlite3 *db = nullptr;
    sqlite3_stmt *query = nullptr;
    qint64 size = -1;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, "SELECT length(CAST(Tagtext AS BLOB)) FROM Zorvelin", -1, &query, nullptr) ==
            SQLITE_OK &&
        sqlite3_step(query) == SQLITE_ROW)
        size = sqlite3_column_int64(query, 0);
    sqlite3_finalize(query);
    sqlite3_close(db);
    return size;
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir work;
    benchdiary::keepRunIn(work);
    setenv("KALVENTO_HOME", qPrintable(work.path()), 1);
    QApplication app(argc, argv);
    rt::App::configure(kalvento::programIdentity());
    if (!benchdiary::registerControls())
        return 1;
    QStringList args = QApplication::arguments();
    args.removeFirst();
    const bool ctrlEnd = args.removeAll(QStringLiteral("ctrl-end")) > 0;
    const bool pictures = args.removeAll(QStringLiteral("pictures")) > 0;
    const bool mixed = args.removeAll(QStringLiteral("mixed")) > 0;
    const qsizetype oddAt = args.indexOf(QStringLiteral("odd"));
    const QString odd = oddAt >= 0 && oddAt + 1 < args.size() ? args.takeAt(oddAt + 1) : QString();
    if (oddAt >= 0)
        args.removeAt(oddAt);
    const bool plain = args.removeAll(QStringLiteral("plain")) > 0;
    const int typed = args.removeAll(QStringLiteral("day")) > 0         ? 5000
                      : args.removeAll(QStringLiteral("unchanged")) > 0 ? 0
                                                                        : 1;
    const kalvento::EntryLimits &limits = kalvento::EntryLimits::current();
    const qint64 largest = pictures || mixed ? limits.largestShown
                           : plain           ? limits.largestPlain
                                             : limits.largestText;
    const qint64 bytes = args.isEmpty() ? largest : args.first().toLongLong();

    QDir().mkpath(work.filePath(QStringLiteral("data")));
    const QString file = work.filePath(QStringLiteral("data/Database.mdb"));
    {
        QByteArray body;
        if (!odd.isEmpty()) {
            body = oddentries::make(odd);
        } else if (pictures) {
            body = benchdiary::picturesEntryRtf(bytes);
        } else if (plain) {
            const QByteArray line = QStringLiteral("Привет мир ").repeated(8).toUtf8() + '\n';
            body = line.repeated(bytes / line.size());
        } else if (mixed) {
            QByteArray text = benchdiary::largeEntryRtf(bytes, true, limits.largestText - 65536);
            text.chop(3); // "}\r\n"
            body = benchdiary::picturesEntryRtf(bytes, text);
        } else {
            body = benchdiary::largeEntryRtf(bytes, true, bytes);
        }
        std::printf("entry of %lld bytes (show limit %lld)\n", static_cast<long long>(body.size()),
                    static_cast<long long>(largest));
        if (!QFile::copy(QStringLiteral(KV_EMPTY_DATABASE), file) ||
            !QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
            !benchdiary::fillRows(file, 1, [&](int) { return std::pair(QByteArray("Tag 1"), body); })) {
            std::fprintf(stderr, "the test diary could not be made\n");
            return 1;
        }
    }
    // The peak from here on is the diary's.
    testsupport::resetPeakMemory();

    QPointer<kalvento::FrmMain> form = rt::Form::create<kalvento::FrmMain>();
    form->load();
    form->show();
    QTimer messages;
    messages.setInterval(200);
    QObject::connect(&messages, &QTimer::timeout, [&] { answerMessages({form.data()}); });
    messages.start();
    StallProbe probe;
    probe.step("main window shown", [] {});
    const auto clickDay = [&] {
        if (form->List()->currentRow() == 0)
            form->List_Click();
        else
            form->List()->setCurrentRow(0);
    };
    probe.step("day clicked", clickDay);

    bool saved = false;
    // The editor once it shows: after the message about an entry near a
    // bound, where there is one.
    QTimer drive;
    drive.setInterval(50);
    QObject::connect(&drive, &QTimer::timeout, [&] {
        kalvento::FrmNew *editor = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *e = qobject_cast<kalvento::FrmNew *>(w); e && e->isVisible())
                editor = e;
        }
        if (!editor)
            return;
        drive.stop();
        probe.step("editor opened", [] {});
        QWidget *text = editor->Txt(1)->editor();
        probe.step(typed > 1 ? "a day typed" : "one key typed", [&] {
            for (int i = 0; i < typed; ++i)
                press(text, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        });
        if (ctrlEnd)
            probe.step("Ctrl+End", [&] { press(text, Qt::Key_End, Qt::ControlModifier); });
        QPointer<kalvento::FrmNew> open = editor;
        probe.step("Eintrag editieren", [&] { editor->Command3()->click(); });
        saved = !open || !open->isVisible();
        if (!saved) {
            std::printf("the editor stayed open\n");
            open->CmdCancel()->click();
        }
    });
    drive.start();
    probe.step("editor closed", [&] { form->Command1()->click(); });
    probe.step("day clicked again", clickDay);

    const QString shown = form->LblDbInfo(1)->editor()->document()->firstBlock().text();
    const bool refused = shown.startsWith(QStringLiteral("Dieser Eintrag ist mit"));
    const qint64 stored = storedSize(file);
    std::printf("saved: %s, stored %lld bytes, shown again: %s\n", saved ? "yes" : "no",
                static_cast<long long>(stored), refused ? "no" : "yes");
    if (refused)
        std::printf("  %s\n", qPrintable(shown));
    form->unload();
    return saved && !refused ? 0 : 1;
}
