#include "tests/support/OddEntries.h"

#include <QBuffer>
#include <QImage>

namespace oddentries
{

namespace
{

constexpr const char *kHead = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\f0\\fs24 ";

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray pict(const QByteArray &words, const QByteArray &data)
{
    return "{\\pict" + words + ' ' + data.toHex() + '}';
}

// Pictures of 4096 x 4096 pixels, each some 50 KB and each different (a
// PNG reader stops at its end mark; what follows makes the bytes differ).
QByteArray largePngs(int count)
{
    QImage image(4096, 4096, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 160));
    const QByteArray bytes = png(image);
    QByteArray rtf = kHead;
    for (int i = 0; i < count; ++i)
        rtf += pict("\\pngblip", bytes + QByteArray::number(i)) + "\\par ";
    return rtf + '}';
}

// Many groups, each `make(i)`, after a head of its own.
template <typename Fn> QByteArray repeated(QByteArray rtf, int count, Fn make)
{
    for (int i = 0; i < count; ++i)
        rtf += make(i);
    return rtf + '}';
}

QByteArray frames(int count)
{
    return repeated(kHead, count, [](int i) {
        return pict("\\wmetafile8\\picwgoal" + QByteArray::number(1500 + i) + "\\pichgoal" +
                        QByteArray::number(900 + 3 * i),
                    "0102");
    });
}

// A table of `count` fonts or colours, and a word in each.
QByteArray tableAndSwitches(int count, bool fonts)
{
    QByteArray rtf = fonts ? "{\\rtf1\\ansi\\deff0{\\fonttbl" : "{\\rtf1\\ansi{\\colortbl ;";
    for (int i = 0; i < count; ++i)
        rtf += fonts ? "{\\f" + QByteArray::number(i) + "\\fnil Schrift" + QByteArray::number(i) + ";}"
                     : "\\red" + QByteArray::number(i % 256) + "\\green" + QByteArray::number(i / 256 % 256) +
                           "\\blue" + QByteArray::number(i / 65536) + ';';
    rtf += "}\\pard ";
    return repeated(rtf, count,
                    [fonts](int i) { return (fonts ? "\\f" : "\\cf") + QByteArray::number(i) + " Wort "; });
}

// A character in every face of 256 fonts, 143 sizes, bold and italic; or,
// with `all` false, as many characters as large in 192 faces of one font.
QByteArray faces(bool all)
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    for (int f = 0; f < 256; ++f)
        rtf += "{\\f" + QByteArray::number(f) + "\\fnil Schrift" + QByteArray::number(f) + ";}";
    rtf += "}\\pard ";
    for (int f = 0; f < 256; ++f) {
        for (int size = 2; size <= 144; ++size) {
            for (int style = 0; style < 4; ++style)
                rtf += "\\f" + QByteArray::number(all ? f : 0) + "\\fs" +
                       QByteArray::number(all ? size : 2 + (size - 2) / 3 * 3) + "\\b" +
                       QByteArray::number(style & 1) + "\\i" + QByteArray::number(style >> 1) + " x";
        }
    }
    return rtf + '}';
}

// Pictures of 2000 x 2000 pixels at 16 bits a channel, each different.
QByteArray deepPngs(int count)
{
    QImage image(2000, 2000, QImage::Format_RGBA64);
    image.fill(QColor(40, 90, 160, 200));
    const QByteArray bytes = png(image);
    QByteArray rtf = kHead;
    for (int i = 0; i < count; ++i)
        rtf += pict("\\pngblip", bytes + QByteArray::number(i)) + "\\par ";
    return rtf + '}';
}

} // namespace

QStringList names()
{
    return {QStringLiteral("frames-2000"), QStringLiteral("frames-40000"),    QStringLiteral("png-8"),
            QStringLiteral("png-64"),      QStringLiteral("display-size-50"), QStringLiteral("font-size"),
            QStringLiteral("fonts-10k"),   QStringLiteral("fonts-100k"),      QStringLiteral("strike-100k"),
            QStringLiteral("tiny-runs"),   QStringLiteral("colours-100k"),    QStringLiteral("word-5mb"),
            QStringLiteral("faces-192"),   QStringLiteral("faces-all"),       QStringLiteral("png16-8"),
            QStringLiteral("theme-data")};
}

QByteArray make(const QString &name)
{
    if (name == QLatin1String("frames-2000"))
        return frames(2000);
    if (name == QLatin1String("frames-40000"))
        return frames(40000);
    if (name == QLatin1String("png-8"))
        return largePngs(8);
    if (name == QLatin1String("png-64"))
        return largePngs(64);
    if (name == QLatin1String("display-size-50")) {
        QImage dot(2, 2, QImage::Format_RGB32);
        dot.fill(Qt::red);
        const QByteArray bytes = png(dot);
        return repeated(kHead, 50, [&bytes](int) {
            return pict("\\pngblip\\picwgoal2147483647\\pichgoal2147483647\\picscalex99999\\picscaley99999",
                        bytes) +
                   "\\par ";
        });
    }
    if (name == QLatin1String("font-size"))
        return repeated(QByteArray(kHead) + "\\fs2147483647 ", 4000, [](int i) {
            return "Ein Satz in riesiger Schrift, Nummer " + QByteArray::number(i) + ". ";
        });
    if (name == QLatin1String("fonts-10k"))
        return tableAndSwitches(10'000, true);
    if (name == QLatin1String("fonts-100k"))
        return tableAndSwitches(100'000, true);
    if (name == QLatin1String("colours-100k"))
        return tableAndSwitches(100'000, false);
    if (name == QLatin1String("strike-100k"))
        return repeated(kHead, 50'000, [](int) { return QByteArray("\\strike Wort\\strike0  Wort "); });
    if (name == QLatin1String("tiny-runs"))
        return repeated(kHead, 200'000,
                        [](int i) { return i % 2 ? QByteArray("\\b a\\b0 b") : QByteArray("\\i c\\i0 d"); });
    if (name == QLatin1String("faces-192") || name == QLatin1String("faces-all"))
        return faces(name == QLatin1String("faces-all"));
    if (name == QLatin1String("png16-8"))
        return deepPngs(8);
    if (name == QLatin1String("word-5mb"))
        return kHead + QByteArray(5'000'000, 'w') + '}';
    // Ordinary text around a skipped group longer than the first part read:
    // the rest is read on while the box is shown.
    if (name == QLatin1String("theme-data"))
        return kHead + QByteArray("Ein Tag.\\par {\\*\\themedata ") + QByteArray(70 * 1024, 'Z').toHex() +
               "}Noch ein Satz.\\par}";
    return {};
}

QString text(const QString &name)
{
    const auto times = [](int count, const QString &piece) { return piece.repeated(count); };
    // A picture stands as the object replacement character.
    const QString picture(QChar::ObjectReplacementCharacter);
    const auto pictureParagraphs = [&picture](int count) {
        return (picture + QStringLiteral("\r\n")).repeated(count).chopped(2);
    };
    if (name == QLatin1String("frames-2000"))
        return times(2000, picture);
    if (name == QLatin1String("frames-40000"))
        return times(40'000, picture);
    if (name == QLatin1String("png-8") || name == QLatin1String("png16-8"))
        return pictureParagraphs(8);
    if (name == QLatin1String("png-64"))
        return pictureParagraphs(64);
    if (name == QLatin1String("display-size-50"))
        return pictureParagraphs(50);
    if (name == QLatin1String("font-size")) {
        QString all;
        for (int i = 0; i < 4000; ++i)
            all += QStringLiteral("Ein Satz in riesiger Schrift, Nummer %1. ").arg(i);
        return all;
    }
    if (name == QLatin1String("fonts-10k"))
        return times(10'000, QStringLiteral("Wort "));
    if (name == QLatin1String("fonts-100k") || name == QLatin1String("colours-100k"))
        return times(100'000, QStringLiteral("Wort "));
    if (name == QLatin1String("strike-100k"))
        return times(50'000, QStringLiteral("Wort Wort "));
    if (name == QLatin1String("tiny-runs"))
        return times(100'000, QStringLiteral("cdab"));
    if (name == QLatin1String("word-5mb"))
        return QString(5'000'000, QLatin1Char('w'));
    // Every face of 256 fonts, 143 sizes, bold and italic holds one letter.
    if (name == QLatin1String("faces-192") || name == QLatin1String("faces-all"))
        return QString(256 * 143 * 4, QLatin1Char('x'));
    if (name == QLatin1String("theme-data"))
        return QStringLiteral("Ein Tag.\r\nNoch ein Satz.");
    return {};
}

} // namespace oddentries
