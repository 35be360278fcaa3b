// Writes the RTF fuzz targets' large seeds into a folder: the entries that
// once took gigabytes or minutes, and ones whose parts the reader leaves out
// or steps over. Made when fuzzing starts, so the repository keeps the
// program and not megabytes of seeds.
//   fuzz_rtfseeds FOLDER MAX-BYTES

#include "tests/support/OddEntries.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <utility>
#include <vector>

namespace
{

constexpr const char *kHead = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\f0\\fs24 ";

QByteArray repeated(const char *piece, int count)
{
    return QByteArray(piece).repeated(count);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_rtfseeds FOLDER MAX-BYTES\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const qsizetype maxBytes = QByteArray(argv[2]).toLongLong();
    std::vector<std::pair<QString, QByteArray>> seeds;
    for (const QString &name : oddentries::names())
        seeds.emplace_back(name, oddentries::make(name));
    // Text hidden from a count that stops at a picture's brace or at the
    // reader's nesting limit, text nested past that limit, shapes and objects
    // inside each other, and binary data longer than the entry.
    seeds.emplace_back(QStringLiteral("bin-before-picture"),
                       kHead + QByteArray("\\bin7 {\\pict ") + repeated("x\\par ", 8'000) + "}}");
    seeds.emplace_back(QStringLiteral("bin-past-nesting"), kHead + repeated("{", 130) + "{\\pict\\bin300 " +
                                                               repeated("}", 300) +
                                                               repeated("Wort ", 20'000) + '}');
    seeds.emplace_back(QStringLiteral("nested-200"), kHead + QByteArray("Sichtbar. ") + repeated("{", 200) +
                                                         "Tief verschachtelter Text." + repeated("}", 200) +
                                                         " Ende.}");
    seeds.emplace_back(QStringLiteral("shapes-objects"),
                       kHead + repeated("{\\shp{\\*\\shpinst{\\object{\\*\\objdata 0102}", 400) + "x" +
                           repeated("}}}", 400) + '}');
    seeds.emplace_back(QStringLiteral("bin-unterminated"),
                       kHead + QByteArray("Anfang \\bin2147483647 ") + repeated("\\par Rest ", 300) + '}');
    // Most are cut where laying one out takes about a second under the
    // sanitizers; those the box reads in steps keep their length.
    constexpr qsizetype kCut = 48 * 1024;
    const QStringList readInSteps{QStringLiteral("theme-data"), QStringLiteral("word-5mb")};
    for (const auto &[name, rtf] : seeds) {
        QFile file(folder.filePath(name + QStringLiteral(".rtf")));
        const qsizetype length = readInSteps.contains(name) ? maxBytes : kCut;
        if (!file.open(QIODevice::WriteOnly) || file.write(rtf.left(length)) < 0) {
            std::fprintf(stderr, "fuzz_rtfseeds: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
