// Times each hostile help page through the help window (shown, laid out and
// painted), the longest of five repaints of the whole window after that, and
// measures the peak memory it adds. A FIFO stands for every
// outside address: a page that opened it would never finish. An argument
// picks the pages whose names hold it.

#include "platform/help/HelpWindow.h"
#include "tests/support/HelpFiles.h"
#include "tests/support/PeakMemory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("fifo"));
    if (mkfifo(qPrintable(fifo), 0600) != 0) {
        std::fprintf(stderr, "no FIFO\n");
        return 1;
    }
    std::printf(
        "| page | help file | shown in | longest repaint | peak memory added |\n|---|---|---|---|---|\n");
    // The shipped help as it is comes first, for comparison.
    QList<testsupport::HostilePage> pages{{"the shipped start page", {}, {}}};
    pages += testsupport::hostileHelpPages(fifo);
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    for (const testsupport::HostilePage &page : pages) {
        if (!QString::fromUtf8(page.name).contains(only))
            continue;
        QMap<QString, QByteArray> files = page.files;
        if (!page.html.isEmpty())
            files.insert(QStringLiteral("helpp.html"), page.html);
        const QByteArray bytes = testsupport::helpFileWith(files);
        std::unique_ptr<help::HelpFile> file = help::HelpFile::read(bytes, QStringLiteral("bench.chm"));
        if (!file) {
            std::fprintf(stderr, "%s: no help file\n", page.name);
            return 1;
        }
        testsupport::resetPeakMemory();
        const qint64 before = testsupport::peakMemoryKb();
        QElapsedTimer clock;
        clock.start();
        qint64 shown = 0;
        qint64 repaint = 0;
        {
            help::HelpWindow window(std::move(file));
            window.show();
            window.showStart();
            window.browser()->document()->size();
            window.browser()->viewport()->grab();
            QApplication::processEvents();
            shown = clock.elapsed();
            for (int i = 0; i < 5; ++i) {
                clock.restart();
                window.grab();
                repaint = std::max(repaint, clock.elapsed());
            }
        }
        std::printf("| %s | %.1f KB | %lld ms | %lld ms | %.1f MB |\n", page.name,
                    double(bytes.size()) / 1024, static_cast<long long>(shown),
                    static_cast<long long>(repaint), double(testsupport::peakMemoryKb() - before) / 1024);
        std::fflush(stdout);
    }
    return 0;
}
