#include "tests/support/HelpFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <sqlite3.h>
#include <zlib.h>

namespace testsupport
{

namespace
{

// A copy of the built help file changed by `change`; empty when it fails.
QByteArray changedHelpFile(const std::function<bool(sqlite3 *)> &change)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("hilfe.chm"));
    if (!QFile::copy(builtHelpPath(), path))
        return {};
    sqlite3 *db = nullptr;
    sqlite3_open(qPrintable(path), &db);
    const bool changed = change(db);
    sqlite3_close(db);
    QFile file(path);
    return changed && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray repeated(const char *open, const char *close, int times)
{
    return QByteArray(open).repeated(times) + "Mitte" + QByteArray(close).repeated(times);
}

QByteArray contents(const QByteArray &topics)
{
    return R"({"title": "Hilfe", "start": "helpp.html", "contents": [)" + topics + "]}";
}

// Each of `count` numbered parts of `pattern` ("%1" is the number) joined.
QByteArray numbered(const char *pattern, int count)
{
    QByteArray joined;
    for (int i = 0; i < count; ++i)
        joined += QByteArray(pattern).replace("%1", QByteArray::number(i));
    return joined;
}

} // namespace

QString builtHelpPath()
{
    return QStringLiteral(KV_BIN_DIR "/zorvelin.chm");
}

QByteArray alteredHelpFile(const QString &sql)
{
    return changedHelpFile([&](sqlite3 *db) {
        return sqlite3_exec(db, qPrintable(sql), nullptr, nullptr, nullptr) == SQLITE_OK;
    });
}

QByteArray helpFileWith(const QMap<QString, QByteArray> &pages)
{
    return changedHelpFile([&](sqlite3 *db) {
        sqlite3_stmt *remove = nullptr;
        sqlite3_stmt *insert = nullptr;
        bool ok =
            sqlite3_prepare_v2(db, "DELETE FROM pages WHERE name = ?1", -1, &remove, nullptr) == SQLITE_OK &&
            sqlite3_prepare_v2(db, "INSERT INTO pages (name, content) VALUES (?1, ?2)", -1, &insert,
                               nullptr) == SQLITE_OK;
        for (auto it = pages.begin(); ok && it != pages.end(); ++it) {
            const QByteArray name = it.key().toUtf8();
            for (sqlite3_stmt *statement : {remove, insert})
                sqlite3_bind_text(statement, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
            sqlite3_bind_blob(insert, 2, it.value().constData(), int(it.value().size()), SQLITE_TRANSIENT);
            ok = sqlite3_step(remove) == SQLITE_DONE && sqlite3_step(insert) == SQLITE_DONE &&
                 sqlite3_reset(remove) == SQLITE_OK && sqlite3_reset(insert) == SQLITE_OK;
        }
        sqlite3_finalize(remove);
        sqlite3_finalize(insert);
        return ok;
    });
}

QByteArray plainPng(int width, int height, bool alpha)
{
    QByteArray png("\x89PNG\r\n\x1a\n");
    const auto chunk = [&](const char *type, const QByteArray &data) {
        const QByteArray body = QByteArray(type) + data;
        QByteArray length(4, '\0');
        QByteArray crc(4, '\0');
        qToBigEndian<quint32>(quint32(data.size()), length.data());
        qToBigEndian<quint32>(
            quint32(crc32(0, reinterpret_cast<const Bytef *>(body.constData()), uInt(body.size()))),
            crc.data());
        png += length + body + crc;
    };
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(width), header.data());
    qToBigEndian<quint32>(quint32(height), header.data() + 4);
    header[8] = 8;             // bits a channel
    header[9] = alpha ? 6 : 2; // RGBA or RGB
    // The rows are compressed one by one, never held whole.
    QByteArray row(1 + (alpha ? 4 : 3) * width, char(0x5a));
    row[0] = 0;
    QByteArray data;
    z_stream stream{};
    deflateInit(&stream, Z_BEST_COMPRESSION);
    char buffer[65536];
    for (int y = 0; y < height; ++y) {
        stream.next_in = reinterpret_cast<Bytef *>(row.data());
        stream.avail_in = uInt(row.size());
        do {
            stream.next_out = reinterpret_cast<Bytef *>(buffer);
            stream.avail_out = sizeof buffer;
            deflate(&stream, y + 1 == height ? Z_FINISH : Z_NO_FLUSH);
            data.append(buffer, qsizetype(sizeof buffer - stream.avail_out));
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    chunk("IHDR", header);
    chunk("IDAT", data);
    chunk("IEND", {});
    return png;
}

QList<HostilePage> hostileHelpPages(const QString &outside)
{
    const QByteArray path = outside.toUtf8();
    const QByteArray fromOutside = "<style>@import url(%1);</style><link rel=\"stylesheet\" href=\"%1\">"
                                   "<p style=\"background-image: url(%1)\">Bild: <img src=\"%1\"></p>";
    const QByteArray bomb = plainPng(5600, 5600);
    const QByteArray picture = plainPng(2000, 2000);
    const QByteArray seeThrough = plainPng(2000, 2000, true);
    HostilePage bombs{"eight PNG bombs", {}, {}};
    HostilePage pictures{"eight pictures of 4 Mpx, 32 Mpx in all", {}, {}};
    for (int i = 0; i < 8; ++i) {
        const QString name = QStringLiteral("bild%1.png").arg(i);
        bombs.html += "<img src=\"" + name.toUtf8() + "\">";
        bombs.files.insert(name, bomb);
        pictures.html += "<img src=\"" + name.toUtf8() + "\">";
        pictures.files.insert(name, picture);
    }
    HostilePage uses{"256 uses of four pictures of 4 Mpx drawn at 8x8", {}, {}};
    for (int i = 0; i < 256; ++i)
        uses.html += "<img width=8 height=8 src=\"bild" + QByteArray::number(i % 4) + ".png\">";
    for (int i = 0; i < 4; ++i)
        uses.files.insert(QStringLiteral("bild%1.png").arg(i), seeThrough);
    const QByteArray sheet =
        "<style>" + numbered("html body p.c%1, body p { color: red } ", 256) + "</style>";
    const char *cut = "Der Rest dieser Seite ist zu umfangreich";
    QList<HostilePage> pages{
        {"3,000 nested tables", repeated("<table><tr><td>", "</td></tr></table>", 3000), {}},
        {"20 nested tables", repeated("<table border=1><tr><td>a</td><td>", "</td></tr></table>", 20), {}},
        {"30,000 nested span and b", repeated("<span><b>", "</b></span>", 30000), {}},
        {"cellpadding 2^31-1", "<table cellpadding=2147483647><tr><td>Zelle</td></tr></table>", {}},
        {"cellspacing 2^31-1", "<table cellspacing=2147483647><tr><td>Zelle</td></tr></table>", {}},
        {"a word of 1 MB", QByteArray(1024 * 1024, 'w'), {}},
        {"a preformatted line of 1 MB", "<pre>" + QByteArray("Wort ").repeated(200 * 1024) + "</pre>", {}},
        {"style sheet and picture by path", QByteArray(fromOutside).replace("%1", path), {}},
        {"style sheet and picture by file: URL", QByteArray(fromOutside).replace("%1", "file://" + path), {}},
        {"SVG naming a file",
         "<img src=\"bild.svg\">",
         {{QStringLiteral("bild.svg"), "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                       "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"40\" "
                                       "height=\"30\"><image xlink:href=\"" +
                                           path + "\" width=\"40\" height=\"30\"/></svg>"}}},
        {"a PNG bomb", "<img src=\"bombe.png\">", {{QStringLiteral("bombe.png"), bomb}}},
        bombs,
        pictures,
        uses,
        {"words joined by 250,000 no-break spaces", QByteArray("x\u00a0").repeated(250'000), {}},
        {"a list of 24,000 items", "<ul>" + QByteArray("<li>x").repeated(24'000) + "</ul>", {}},
        {"8 style sheets of 256 descendant rules over 5,000 paragraphs",
         sheet.repeated(8) + QByteArray("<p>x</p>").repeated(5000),
         {}},
        {"an element with 50,000 attributes", "<p " + numbered("a%1=1 ", 50'000) + ">x</p>", {}, cut},
        {"a page over 2 MiB",
         "<script>" + QByteArray(2 * 1024 * 1024, 'x') + "</script><p>Ende</p>",
         {},
         cut},
        {"a contents title of 1 MB",
         {},
         {{QStringLiteral("contents.json"),
           contents(R"({"title": ")" + QByteArray(1024 * 1024, 'T') + R"(", "page": "helpp.html"})")}},
         "T…"},
        {"a contents list of 1,000,000 topics",
         {},
         {{QStringLiteral("contents.json"), contents(QByteArray("{},").repeated(999'999) + "{}")}},
         "Weitere Themen werden nicht gezeigt."},
        // Numbers just below the length at which they count as too long.
        {"table numbers of nine digits",
         "<table width=999999999 cellpadding=999999999 cellspacing=999999999 border=999999999><tr>"
         "<td width=999999999% height=999999999 colspan=999999999 rowspan=999999999>Zelle</td></tr></table>",
         {}},
        {"a picture of nine digits a side",
         "<img width=999999999 height=999999999 src=\"bild.png\">",
         {{QStringLiteral("bild.png"), plainPng(40, 30)}}},
        {"style lengths of six digits",
         "<p style=\"font-size: 999999pt; padding: 999999px; margin-left: 999999.999pt\">Wort</p>"
         "<p><font size=+999>Wort</font></p>",
         {}},
    };
    for (HostilePage &page : pages)
        page.html.prepend("<html><body><p>Vorher</p>");
    return pages;
}

} // namespace testsupport
