#pragma once

// Fills the entry table of an empty diary for the benchmarks.
#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <utility>

#include <sqlite3.h>

namespace benchdiary
{

// Appends `entries` rows to the entry table of an empty diary in one
// transaction; rowOf(i) gives the i-th day and body. `setup`, if given, runs
// on the connection first (pragmas for a quick fill).
template <typename RowOf>
bool fillRows(const QString &file, int entries, RowOf rowOf, const char *setup = nullptr)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(file.toUtf8().constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    if (setup)
        sqlite3_exec(db, setup, nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    bool ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK &&
              sqlite3_prepare_v2(db, "INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES (?, ?)", -1, &insert,
                                 nullptr) == SQLITE_OK;
    for (int i = 0; ok && i < entries; ++i) {
        const auto [day, body] = rowOf(i);
        sqlite3_bind_text(insert, 1, day.constData(), int(day.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, body.constData(), int(body.size()), SQLITE_TRANSIENT);
        ok = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    return sqlite3_close(db) == SQLITE_OK && ok;
}

// `entries` days, each with a body of about `bodyBytes` bytes of RTF (none at
// 0). With `varyPages`, no two bodies are alike, so no page of the file
// repeats another.
inline bool fill(const QString &file, int entries, int bodyBytes, bool varyPages)
{
    QByteArray body;
    if (bodyBytes > 0)
        body = "{\\rtf1\\ansi " + QByteArray(bodyBytes > 20 ? bodyBytes - 20 : 0, 'x') + "\\par}";
    return fillRows(file, entries, [&](int i) {
        if (varyPages && body.size() > 12)
            body[12] = char('a' + i % 26);
        return std::pair(QStringLiteral("Tag %1").arg(i).toUtf8(), body);
    });
}

// RTF of about `chars` characters of diary text with a little formatting, as
// one paragraph or broken every few lines; no more than `maxBytes` of RTF.
inline QByteArray largeEntryRtf(qsizetype chars, bool shortParagraphs,
                                qsizetype maxBytes = std::numeric_limits<qsizetype>::max())
{
    const char *const words[] = {
        "Heute ", "war ",    "ein ",    "sch\\'f6ner ", "Tag ", "f\\'fcr ", "Spazierg\\'e4nge ",
        "am ",    "Fluss, ", "\\'80 5 "};
    const int wordChars[] = {6, 4, 4, 8, 4, 4, 13, 3, 7, 4};
    // The most one word adds, with its formatting, a break and the end.
    constexpr qsizetype Room = 64;
    QByteArray rtf;
    rtf.reserve(std::min(chars + chars / 4, maxBytes) + 1024);
    rtf += "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
           "{\\colortbl ;\\red200\\green30\\blue30;}\r\n\\viewkind4\\uc1\\pard\\plain\\f0\\fs24 ";
    qsizetype n = 0;
    for (int i = 0; n < chars && rtf.size() + Room <= maxBytes; ++i) {
        if (i % 97 == 96)
            rtf += "\\b ";
        else if (i % 89 == 88)
            rtf += "\\cf1\\i ";
        rtf += words[i % 10];
        n += wordChars[i % 10];
        if (i % 97 == 96)
            rtf += "\\b0 ";
        else if (i % 89 == 88)
            rtf += "\\cf0\\i0 ";
        if (shortParagraphs && i % 12 == 11) {
            rtf += "\\par\r\n";
            n += 2;
        } else if (i % 12 == 11) {
            rtf += "\r\n"; // line ends in the file are no text
        }
    }
    rtf += "\\par\r\n}\r\n";
    return rtf;
}

// Noise does not compress, so each picture keeps close to its pixel size.
inline QByteArray noisePicture(int side, const char *format)
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

// RTF of an entry of photos, each under a line of text, after `start` (an
// entry's RTF without its closing brace, or none); no more than `maxBytes`.
inline QByteArray picturesEntryRtf(qsizetype maxBytes, QByteArray start = QByteArray())
{
    const QByteArray photo = noisePicture(1200, "JPEG");
    const QByteArray hex = photo.toHex();
    QByteArray rtf = start.isEmpty()
                         ? QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 "
                                      "Arial;}}\r\n\\viewkind4\\uc1\\pard\\plain\\f0\\fs24 ")
                         : start;
    for (int i = 1; rtf.size() + hex.size() + 128 <= maxBytes; ++i)
        rtf += "Bild " + QByteArray::number(i) + ":\\par\r\n{\\pict\\jpegblip\\picw1200\\pich1200\r\n" + hex +
               "}\\par\r\n";
    rtf += "}\r\n";
    return rtf;
}

inline QString largeEntry(qsizetype chars, bool shortParagraphs)
{
    return QString::fromLatin1(largeEntryRtf(chars, shortParagraphs));
}

// Keeps the component registry and the stored settings of a run in `work`.
inline void keepRunIn(const QTemporaryDir &work)
{
    setenv("OSTREVO_REGISTRY", qPrintable(work.filePath(QStringLiteral("registry"))), 1);
    setenv("KALVENTO_SETTINGS", qPrintable(work.filePath(QStringLiteral("settings.ini"))), 1);
}

// Registers the control library built beside the benchmark, as the set-up
// does; says so and returns false when that fails.
inline bool registerControls()
{
    const QDir bin(QCoreApplication::applicationDirPath());
    if (QProcess::execute(bin.filePath(QStringLiteral("regsvr")),
                          {bin.filePath(QStringLiteral("libostrevo.so"))}) == 0)
        return true;
    std::fprintf(stderr, "libostrevo.so could not be registered\n");
    return false;
}

} // namespace benchdiary
