// Times saving (TextRTF get) and loading (TextRTF set) of two large entries:
// one with about 10 MB of pictures, one with about 1 MB of formatted text.
//
// Then the very large text entries: 1, 10, 25 and 50 MB of text, as one long
// paragraph and as many short ones. Each is previewed in a shown box and
// opened in a second one as the editor does (TextRTF of the preview into the
// editor); both must be on screen within kBoundMs, and while the rest of the
// text is laid out the event loop must never stall for kBoundMs either. A case
// over the bound makes the run fail.
//
//   bench_richtext                 every case but printing
//   bench_richtext NAME ...        only these: pictures, text, long-1, short-50, print-10, ...
//
// Cases run only by name, one a process, as their memory is the process's:
//   caret           SelStart once and a hundred times at 2.6 million characters
//   find-50         Find of an absent word in a 50 MB entry, beside one
//                   case-insensitive QString::indexOf over the same text
//   preview-50      a 50 MB entry previewed: time until the box is idle, memory
//   editor-50       the same, then opened in an editor as the diary does it
//   click-50        a 50 MB entry stored in a diary's database, read and
//                   previewed as a click on its day does: the time until its
//                   first text is painted, and memory
//   odd-NAME        an entry asking for far more than a page shows (NAME one of
//                   tests/support/OddEntries: frames-2000, png-64, word-5mb, ...)
//                   previewed from storage and read to its end (Ctrl+End), then
//                   opened in an editor as the diary does and read to its end:
//                   the times, the longest the event loop waited, and memory;
//                   then printed to PDF whole and with "Abbrechen" pressed
//   print-10, print-50  printing a 10 and a 50 MB entry to PDF: the time and the
//                   longest the event loop waited meanwhile (a timer ticking
//                   every 10 ms), in one call and with the diary's progress window

#include "bench/BenchDiary.h"
#include "platform/dao/Database.h"
#include "platform/dao/Recordset.h"
#include "platform/richtext/Picture.h"
#include "platform/richtext/PrintProgressWindow.h"
#include "platform/richtext/PrinterTarget.h"
#include "platform/richtext/RichTextBox.h"
#include "tests/support/OddEntries.h"
#include "tests/support/PeakMemory.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QPrinter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace
{

constexpr int kRounds = 3;
constexpr double kBoundMs = 2000;
constexpr int kTickMs = 5;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double timeMs(const std::function<void()> &fn)
{
    QElapsedTimer timer;
    timer.start();
    fn();
    return timer.nsecsElapsed() / 1e6;
}

void measure(const char *name, richtext::RichTextBox &source)
{
    std::vector<double> saves, loads;
    QString rtf;
    for (int i = 0; i < kRounds; ++i)
        saves.push_back(timeMs([&] { rtf = source.textRTF(); }));
    for (int i = 0; i < kRounds; ++i) {
        richtext::RichTextBox target;
        loads.push_back(timeMs([&] { target.setTextRTF(rtf); }));
        if (i == 0 && target.text() != source.text()) {
            std::fprintf(stderr, "%s: text differs after loading\n", name);
            std::exit(1);
        }
    }
    std::printf("%-10s RTF %6.2f MB  text %8lld chars  save %8.1f ms  load %8.1f ms  (median of %d)\n", name,
                rtf.size() / 1e6, static_cast<long long>(source.text().size()), median(saves), median(loads),
                kRounds);
}

// Shows the box, sets its RTF and waits for the first paint; returns the ms.
double loadShown(richtext::RichTextBox &box, const QString &rtf)
{
    return timeMs([&] {
        box.setTextRTF(rtf);
        box.repaint();
        QApplication::processEvents();
    });
}

// Runs the event loop until the boxes' documents stop growing (their layout
// is done) and returns the longest gap between two ticks of a short timer.
double longestStall(const std::vector<richtext::RichTextBox *> &boxes, double *totalMs)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 worst = 0;
    qint64 lastGrowth = 0;
    std::vector<int> heights(boxes.size(), -1);
    QTimer tick;
    tick.setInterval(kTickMs);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        worst = std::max(worst, now - last);
        last = now;
        for (size_t i = 0; i < boxes.size(); ++i) {
            const int h = boxes[i]->editor()->verticalScrollBar()->maximum();
            if (h != heights[i]) {
                heights[i] = h;
                lastGrowth = now;
            }
        }
    });
    tick.start();
    while (clock.elapsed() - lastGrowth < 1000 && clock.elapsed() < 600'000)
        QApplication::processEvents(QEventLoop::AllEvents, kTickMs);
    *totalMs = lastGrowth;
    return static_cast<double>(worst);
}

// A box shown at the size the diary gives it: the preview's or the editor's.
struct ShownBox : richtext::RichTextBox {
    ShownBox(int width, int height)
    {
        resize(width, height);
        show();
    }
};

bool measureLarge(const QString &name, qsizetype chars, bool shortParagraphs)
{
    const QString rtf = benchdiary::largeEntry(chars, shortParagraphs);
    ShownBox preview(360, 200);
    ShownBox editor(600, 400);
    QApplication::processEvents();

    const double load = loadShown(preview, rtf);
    const double open = timeMs([&] {
        editor.setTextRTF(preview.textRTF());
        editor.repaint();
        QApplication::processEvents();
    });
    double layout = 0;
    const double stall = longestStall({&preview, &editor}, &layout);
    const qsizetype textChars = editor.completedDocument()->characterCount();
    const bool ok = load <= kBoundMs && open <= kBoundMs && stall <= kBoundMs;
    std::printf("%-10s RTF %6.2f MB  text %9lld chars  preview %8.1f ms  open %8.1f ms  "
                "longest stall %7.1f ms  (layout done after %7.1f ms)  %s\n",
                qPrintable(name), rtf.size() / 1e6, static_cast<long long>(textChars), load, open, stall,
                layout, ok ? "ok" : "OVER BOUND");
    std::fflush(stdout);
    return ok;
}

void measurePrint(const QString &name, qsizetype chars, bool withProgress)
{
    // A box of the preview's size holding the entry as the preview does
    // when "Eintrag drucken" is chosen: its first part read and laid out.
    richtext::RichTextBox box;
    box.resize(400, 300);
    box.setTextRTF(benchdiary::largeEntry(chars, true));
    box.editor()->document()->documentLayout()->documentSize();
    QCoreApplication::processEvents();
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("eintrag.pdf")));

    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worst = 0;
    QTimer tick;
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        worst = std::max(worst, now - last);
        last = now;
    });
    tick.start();
    clock.start();
    richtext::PrinterTarget target(printer);
    richtext::PrintProgressWindow progress(nullptr);
    box.selPrint(target, withProgress ? &progress : nullptr);
    const qint64 total = clock.elapsed();
    worst = std::max(worst, total - last);
    std::printf("%-10s %-14s text %9lld chars  print %8lld ms  longest wait of the event loop %7lld ms\n",
                qPrintable(name), withProgress ? "with progress" : "in one call",
                static_cast<long long>(box.completedDocument()->characterCount()),
                static_cast<long long>(total), static_cast<long long>(worst));
    std::fflush(stdout);
}

bool wanted(const QStringList &names, const QString &name)
{
    return names.isEmpty() || names.contains(name);
}

// Peak resident and resident anonymous memory of this process, in MB.
void printMemory(const char *when)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    double peak = 0, anon = 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() >= 2 && parts[0] == "VmHWM:")
            peak = parts[1].toDouble() / 1024;
        else if (parts.size() >= 2 && parts[0] == "RssAnon:")
            anon = parts[1].toDouble() / 1024;
    }
    std::printf("  %-22s peak RSS %7.1f MB  anon now %7.1f MB\n", when, peak, anon);
    std::fflush(stdout);
}

// Runs the event loop until it has been idle (every wait for a 5 ms timer on
// time) for a second; returns how long it was busy before that.
double busyUntilIdle()
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 lastLate = 0;
    QTimer tick;
    tick.setInterval(kTickMs);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (now - last > 3 * kTickMs)
            lastLate = now;
        last = now;
    });
    tick.start();
    while (clock.elapsed() - lastLate < 1000 && clock.elapsed() < 600'000)
        QApplication::processEvents(QEventLoop::AllEvents, kTickMs);
    return static_cast<double>(lastLate);
}

void measureCaret()
{
    richtext::RichTextBox box;
    box.setTextRTF(benchdiary::largeEntry(2'600'000, true));
    const int length = static_cast<int>(box.text().size());
    box.setSelStart(length / 2);
    std::vector<double> once;
    int sink = 0;
    for (int i = 0; i < 9; ++i)
        once.push_back(timeMs([&] { sink += box.selStart(); }));
    const double hundred = timeMs([&] {
        for (int i = 0; i < 100; ++i)
            sink += box.selStart() + box.selLength();
    });
    // A change at the top: the next answer counts the blocks up to the caret.
    QTextCursor(box.completedDocument()).insertText(QStringLiteral("x"));
    const double afterChange = timeMs([&] { sink += box.selStart(); });
    std::printf(
        "caret      text %d chars  SelStart %8.3f ms (median of 9)  100 x SelStart+SelLength %8.1f ms  "
        "first SelStart after a change at the top %8.3f ms  "
        "(%d)\n",
        length, median(once), hundred, afterChange, sink % 2);
}

void measureFind(qsizetype chars)
{
    richtext::RichTextBox box;
    box.setTextRTF(benchdiary::largeEntry(chars, true));
    const QString all = box.text();
    std::vector<double> finds, searches, wholeWords;
    qsizetype sink = 0;
    const double first = timeMs([&] { sink += box.find(QStringLiteral("Zugspitze")); });
    for (int i = 0; i < 5; ++i) {
        finds.push_back(timeMs([&] { sink += box.find(QStringLiteral("Zugspitze")); }));
        wholeWords.push_back(timeMs([&] {
            sink += box.find(QStringLiteral("Zugspitze"), 0, -1, richtext::RichTextBox::FindWholeWord);
        }));
        searches.push_back(
            timeMs([&] { sink += all.indexOf(QStringLiteral("Zugspitze"), 0, Qt::CaseInsensitive); }));
    }
    std::printf("find       text %lld chars  first Find %7.1f ms  then Find absent %7.1f ms  whole word "
                "%7.1f ms  indexOf(CaseInsensitive) "
                "%7.1f ms  ratio %.2f  (medians of 5, %lld)\n",
                static_cast<long long>(all.size()), first, median(finds), median(wholeWords),
                median(searches), median(finds) / median(searches), static_cast<long long>(sink % 2));
}

// The diary's way: the preview gets the stored entry, the editor the
// preview's RTF.
void measureOpen(qsizetype chars, bool openEditor)
{
    printMemory("at start");
    auto preview = std::make_unique<richtext::RichTextBox>();
    preview->resize(360, 200);
    preview->show();
    QApplication::processEvents();
    const double shown = timeMs([&] {
        preview->setTextRTF(benchdiary::largeEntry(chars, true));
        preview->repaint();
        QApplication::processEvents();
    });
    const double busy = busyUntilIdle();
    std::printf("preview    shown after %7.1f ms  busy %7.1f ms after that\n", shown, busy);
    printMemory("preview idle");
    if (!openEditor)
        return;
    richtext::RichTextBox editor;
    editor.resize(600, 400);
    editor.show();
    QApplication::processEvents();
    const double open = timeMs([&] {
        editor.setTextRTF(preview->textRTF());
        editor.repaint();
        QApplication::processEvents();
    });
    printMemory("editor shown");
    const double key = timeMs([&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(editor.editor(), &press);
        editor.repaint();
        QApplication::processEvents();
    });
    const double editorBusy = busyUntilIdle();
    std::printf("editor     shown after %7.1f ms  first key %7.1f ms  busy %7.1f ms after that\n", open, key,
                editorBusy);
    printMemory("editor idle");
}

// The click on a day: the diary's database is open, the entry's body is read
// and previewed.
void measureClick(qsizetype chars)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Database.mdb"));
    qsizetype bytes = 0;
    {
        const QByteArray body = benchdiary::largeEntry(chars, true).toLatin1();
        bytes = body.size();
        if (!benchdiary::fillRows(
                file, 1, [&](int) { return std::pair(QByteArray("Tag"), body); },
                "CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY AUTOINCREMENT, Tagdatum TEXT, Tagtext "
                "TEXT)")) {
            std::fprintf(stderr, "the diary could not be made\n");
            std::exit(1);
        }
    }
    // The peak from here on is the click's: what making the entry took is
    // given back and forgotten.
    testsupport::resetPeakMemory();
    dao::DBEngine engine;
    const std::unique_ptr<dao::Database> db = engine.OpenDatabase(file);
    const std::unique_ptr<dao::Recordset> rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
    richtext::RichTextBox preview;
    preview.resize(360, 200);
    preview.show();
    QApplication::processEvents();
    printMemory("at start");
    const double shown = timeMs([&] {
        rs->MoveFirst();
        qint64 size = 0;
        preview.setStoredRTF(rs->fieldBytes(QStringLiteral("Tagtext"), 100'000'000, size));
        preview.repaint();
        QApplication::processEvents();
    });
    std::printf("click      RTF %6.2f MB  first text after %7.1f ms\n", bytes / 1e6, shown);
    printMemory("first text");
    const double busy = busyUntilIdle();
    std::printf("           busy %7.1f ms after that\n", busy);
    printMemory("preview idle");
}

// Shows `rtf` in the box, goes to its end as Ctrl+End does and waits until
// the box is idle; prints the times, the event loop's longest wait, memory.
void measureOddIn(const char *role, richtext::RichTextBox &box, const std::function<void()> &load)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, worst = 0;
    QTimer tick;
    tick.setInterval(kTickMs);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        worst = std::max(worst, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start();
    const double shown = timeMs([&] {
        load();
        box.repaint();
        QApplication::processEvents();
    });
    const double end = timeMs([&] {
        QTest::keyClick(box.editor(), Qt::Key_End, Qt::ControlModifier);
        box.repaint();
    });
    const double busy = busyUntilIdle();
    worst = std::max(worst, clock.elapsed() - last);
    std::printf("  %-8s shown %8.1f ms  Ctrl+End %8.1f ms  busy after %8.1f ms  longest wait %8lld ms  "
                "text %9lld chars  peak RSS %7.1f MB\n",
                role, shown, end, busy, static_cast<long long>(worst),
                static_cast<long long>(box.completedDocument()->characterCount()),
                testsupport::peakMemoryKb() / 1024.0);
    std::fflush(stdout);
}

// Prints the box to PDF as "Eintrag drucken" does, to its end or with
// "Abbrechen" pressed as soon as the progress window shows; prints the time,
// the event loop's longest wait and how long the cancel took to act.
void measureOddPrint(richtext::RichTextBox &box, bool cancel)
{
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("eintrag.pdf")));
    richtext::PrinterTarget target(printer);
    richtext::PrintProgressWindow progress(&box);
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, worst = 0, pressed = -1;
    QTimer tick;
    tick.setInterval(kTickMs);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        worst = std::max(worst, clock.elapsed() - last);
        last = clock.elapsed();
        if (cancel && pressed < 0 && progress.window() && progress.window()->isVisible()) {
            pressed = clock.elapsed();
            progress.window()->findChild<QPushButton *>()->click();
        }
    });
    tick.start();
    const bool printed = box.selPrint(target, &progress);
    const qint64 total = clock.elapsed();
    worst = std::max(worst, total - last);
    std::printf("  print %-10s %8lld ms  longest wait %8lld ms  Abbrechen pressed at %6lld ms, acted after "
                "%6lld ms  printed: %s  peak RSS %7.1f MB\n",
                cancel ? "Abbrechen" : "whole", static_cast<long long>(total), static_cast<long long>(worst),
                static_cast<long long>(pressed), static_cast<long long>(pressed < 0 ? -1 : total - pressed),
                printed ? "yes" : "no", testsupport::peakMemoryKb() / 1024.0);
    std::fflush(stdout);
}

void measureOdd(const QString &name)
{
    const QByteArray stored = oddentries::make(name);
    std::printf("odd-%-16s RTF %6.2f MB  peak RSS at start %7.1f MB\n", qPrintable(name), stored.size() / 1e6,
                testsupport::peakMemoryKb() / 1024.0);
    ShownBox preview(360, 200);
    ShownBox editor(600, 400);
    QApplication::processEvents();
    measureOddIn("preview", preview, [&] { preview.setStoredRTF(stored); });
    measureOddIn("editor", editor, [&] { editor.setTextRTF(preview.textRTF()); });
    const bool same = editor.textRTF().toUtf8() == stored;
    std::printf("  saved from the editor unchanged: %s\n", same ? "yes" : "no");
    measureOddPrint(preview, false);
    measureOddPrint(preview, true);
}

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QStringList names = QApplication::arguments();
    names.removeFirst();
    bool ok = true;

    for (const int mb : {10, 50}) {
        const QString name = QStringLiteral("print-%1").arg(mb);
        if (names.contains(name)) {
            measurePrint(name, qsizetype(mb) * 1000 * 1000, false);
            measurePrint(name, qsizetype(mb) * 1000 * 1000, true);
        }
    }
    for (const QString &name : oddentries::names()) {
        if (names.removeAll(QStringLiteral("odd-") + name)) {
            measureOdd(name);
            if (names.isEmpty())
                return 0;
        }
    }
    if (names.contains(QStringLiteral("caret")))
        measureCaret();
    if (names.contains(QStringLiteral("find-50")))
        measureFind(50'000'000);
    if (names.contains(QStringLiteral("preview-50")))
        measureOpen(50'000'000, false);
    if (names.contains(QStringLiteral("editor-50")))
        measureOpen(50'000'000, true);
    if (names.contains(QStringLiteral("click-50")))
        measureClick(50'000'000);
    for (const QString &alone :
         {QStringLiteral("caret"), QStringLiteral("find-50"), QStringLiteral("preview-50"),
          QStringLiteral("editor-50"), QStringLiteral("click-50")}) {
        if (names.removeAll(alone) && names.isEmpty())
            return 0;
    }

    for (const int mb : {1, 10, 25, 50}) {
        for (const bool shortParagraphs : {false, true}) {
            const QString name = QStringLiteral("%1-%2").arg(shortParagraphs ? "short" : "long").arg(mb);
            if (wanted(names, name))
                ok = measureLarge(name, qsizetype(mb) * 1000 * 1000, shortParagraphs) && ok;
        }
    }
    if (!wanted(names, QStringLiteral("pictures")) && !wanted(names, QStringLiteral("text")))
        return ok ? 0 : 1;

    richtext::RichTextBox pictures;
    {
        QTextCursor cursor(pictures.completedDocument());
        qsizetype total = 0;
        for (int i = 0; total < 10 * 1000 * 1000; ++i) {
            cursor.insertText(QStringLiteral("Bild %1: ").arg(i + 1));
            const QByteArray bytes = benchdiary::noisePicture(600, i % 2 ? "JPEG" : "PNG");
            richtext::Picture::insert(cursor, bytes);
            cursor.insertBlock();
            total += bytes.size();
        }
        std::printf("pictures entry: %.2f MB of picture data\n", total / 1e6);
    }
    if (wanted(names, QStringLiteral("pictures")))
        measure("pictures", pictures);

    richtext::RichTextBox text;
    {
        QTextCursor cursor(text.completedDocument());
        const QString words[] = {
            QStringLiteral("Heute "),           QStringLiteral("war "),   QStringLiteral("ein "),
            QString::fromUtf8("schöner "),      QStringLiteral("Tag "),   QString::fromUtf8("für "),
            QString::fromUtf8("Spaziergänge "), QString::fromUtf8("am "), QStringLiteral("Fluss, "),
            QString::fromUtf8("€ 5 ")};
        QTextCharFormat plain, bold, colour;
        bold.setFontWeight(QFont::Bold);
        colour.setForeground(QColor(200, 30, 30));
        colour.setFontItalic(true);
        qsizetype chars = 0;
        for (int i = 0; chars < 1000 * 1000; ++i) {
            const QString &w = words[i % 10];
            cursor.insertText(w, i % 7 == 0 ? bold : (i % 11 == 0 ? colour : plain));
            chars += w.size();
            if (i % 40 == 39) {
                cursor.insertBlock();
                chars += 2;
            }
        }
    }
    if (wanted(names, QStringLiteral("text")))
        measure("text", text);
    return ok ? 0 : 1;
}
