// Times the download of a 200 MB file from a local server through the diary's download object,
// against the curl command-line tool fetching the same file, and prints both and their ratio.
//
//   bench_download            200 MB, 3 rounds
//   bench_download MB ROUNDS

#include "diary/update/clsDownload.h"
#include "platform/net/CurlEasy.h"
#include "tests/support/LocalHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    testsupport::LocalHttpServer::bypassProxies();
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 megabytes = args.size() > 1 ? args.at(1).toLongLong() : 200;
    const int rounds = args.size() > 2 ? args.at(2).toInt() : 3;
    const qint64 size = megabytes * 1024 * 1024;

    QByteArray body(size, '\0');
    for (qint64 i = 0; i < size; ++i)
        body[i] = char((i * 131) >> 3);
    // The download takes https only: the server's own certificate is the one trusted.
    testsupport::LocalHttpServer server(testsupport::LocalHttpServer::Transport::Tls);
    net::CurlEasy::setTrustedCertificates(server.caFile());
    if (!server.isListening()) {
        std::fprintf(stderr, "no server\n");
        return 1;
    }
    server.serve("/big.bin", {.body = body});
    const QString url = server.url(QStringLiteral("/big.bin"));
    QTemporaryDir dir;

    std::vector<double> ours;
    std::vector<double> theirs;
    for (int round = 0; round < rounds; ++round) {
        kalvento::clsDownload download;
        QElapsedTimer timer;
        timer.start();
        download.Download(url, dir.path() + QLatin1Char('/'));
        ours.push_back(timer.nsecsElapsed() / 1e6);
        if (download.ErrorNumber() != 0 ||
            QFileInfo(dir.filePath(QStringLiteral("big.bin"))).size() != size) {
            std::fprintf(stderr, "download failed: %d\n", download.ErrorNumber());
            return 1;
        }

        const QString copy = dir.filePath(QStringLiteral("curl.bin"));
        timer.restart();
        const int exitCode =
            QProcess::execute(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("--noproxy"),
                                                       QStringLiteral("*"), QStringLiteral("-o"), copy, url});
        theirs.push_back(timer.nsecsElapsed() / 1e6);
        if (exitCode != 0 || QFileInfo(copy).size() != size) {
            std::fprintf(stderr, "curl failed: %d\n", exitCode);
            return 1;
        }
        std::printf("round %d: download %.1f ms, curl -o %.1f ms\n", round + 1, ours.back(), theirs.back());
    }
    const double oursMs = median(ours);
    const double theirsMs = median(theirs);
    const double mb = double(size) / (1024 * 1024);
    std::printf("%lld MB: download %.1f ms (%.0f MB/s), curl -o %.1f ms (%.0f MB/s), time ratio %.2f\n",
                static_cast<long long>(megabytes), oursMs, mb / (oursMs / 1000), theirsMs,
                mb / (theirsMs / 1000), oursMs / theirsMs);
    return 0;
}
