// Times saving (TextRTF get) and loading (TextRTF set) of two large entries:
// one with about 10 MB of pictures, one with about 1 MB of formatted text.

#include "platform/richtext/Picture.h"
#include "platform/richtext/RichTextBox.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 3;

// Noise does not compress, so each picture keeps close to its pixel size.
QByteArray noisePicture(int side, const char *format)
{
    QImage image(side, side, QImage::Format_RGB32);
    QRandomGenerator rng(side);
    for (int y = 0; y < side; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < side; ++x)
            line[x] = 0xFF000000u | (rng.generate() & 0xFFFFFFu);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

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

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);

    richtext::RichTextBox pictures;
    {
        QTextCursor cursor(pictures.document());
        qsizetype total = 0;
        for (int i = 0; total < 10 * 1000 * 1000; ++i) {
            cursor.insertText(QStringLiteral("Bild %1: ").arg(i + 1));
            const QByteArray bytes = noisePicture(600, i % 2 ? "JPEG" : "PNG");
            richtext::Picture::insert(cursor, bytes);
            cursor.insertBlock();
            total += bytes.size();
        }
        std::printf("pictures entry: %.2f MB of picture data\n", total / 1e6);
    }
    measure("pictures", pictures);

    richtext::RichTextBox text;
    {
        QTextCursor cursor(text.document());
        const QString words[] = {QStringLiteral("Heute "), QStringLiteral("war "), QStringLiteral("ein "),
                                 QString::fromUtf8("schöner "), QStringLiteral("Tag "), QString::fromUtf8("für "),
                                 QString::fromUtf8("Spaziergänge "), QString::fromUtf8("am "),
                                 QStringLiteral("Fluss, "), QString::fromUtf8("€ 5 ")};
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
    measure("text", text);
    return 0;
}
