#pragma once

// Fills the entry table of an empty diary for the benchmarks.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QString>
#include <cstdio>
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
