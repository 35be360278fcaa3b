// Times each hostile help page through the help window (shown, laid out and
// painted) and measures the peak memory it adds. A FIFO stands for every
// outside address: a page that opened it would never finish.

#include "platform/help/HelpWindow.h"
#include "tests/support/HelpFiles.h"
#include "tests/support/PeakMemory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextBrowser>
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
    std::printf("| page | help file | shown in | peak memory added |\n|---|---|---|---|\n");
    for (const testsupport::HostilePage &page : testsupport::hostileHelpPages(fifo)) {
        QMap<QString, QByteArray> files = page.files;
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
        {
            help::HelpWindow window(std::move(file));
            window.show();
            window.showStart();
            window.browser()->document()->size();
            window.browser()->viewport()->grab();
            QApplication::processEvents();
        }
        const qint64 shown = clock.elapsed();
        std::printf("| %s | %.1f KB | %lld ms | %.1f MB |\n", page.name, double(bytes.size()) / 1024,
                    static_cast<long long>(shown), double(testsupport::peakMemoryKb() - before) / 1024);
        std::fflush(stdout);
    }
    return 0;
}
