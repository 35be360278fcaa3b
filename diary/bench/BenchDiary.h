#pragma once

// Fills the entry table of an empty diary for the benchmarks: `entries` days,
// each with a body of about `bodyBytes` bytes of RTF (none at 0). With
// `varyPages`, no two bodies are alike, so no page of the file repeats another.
#include <QByteArray>
#include <QString>

#include <sqlite3.h>

namespace benchdiary
{

inline bool fill(const QString &file, int entries, int bodyBytes, bool varyPages)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(file.toUtf8().constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    QByteArray body;
    if (bodyBytes > 0)
        body = "{\\rtf1\\ansi " + QByteArray(bodyBytes > 20 ? bodyBytes - 20 : 0, 'x') + "\\par}";
    sqlite3_stmt *insert = nullptr;
    bool ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK &&
              sqlite3_prepare_v2(db, "INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES (?, ?)", -1, &insert,
                                 nullptr) == SQLITE_OK;
    for (int i = 0; ok && i < entries; ++i) {
        const QByteArray day = QStringLiteral("Tag %1").arg(i).toUtf8();
        if (varyPages && body.size() > 12)
            body[12] = char('a' + i % 26);
        sqlite3_bind_text(insert, 1, day.constData(), int(day.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, body.constData(), int(body.size()), SQLITE_TRANSIENT);
        ok = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

} // namespace benchdiary
