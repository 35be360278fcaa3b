// Packs a help file: the pages, their style sheet, pictures and contents.json
// become rows of one SQLite table, read back by platform/help's HelpFile.
//   helppack OUT FILE...
// Each file is stored under its own name (without its folder).
#include "platform/help/HelpFileFormat.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

bool exec(sqlite3 *db, const char *sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    std::fprintf(stderr, "helppack: %s\n", sqlite3_errmsg(db));
    return false;
}

bool add(sqlite3 *db, sqlite3_stmt *insert, const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "helppack: %s kann nicht gelesen werden\n", path.c_str());
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string name = path.filename().string();
    sqlite3_reset(insert);
    sqlite3_bind_text(insert, 1, name.c_str(), int(name.size()), SQLITE_TRANSIENT);
    sqlite3_bind_blob(insert, 2, bytes.data(), int(bytes.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(insert) == SQLITE_DONE)
        return true;
    std::fprintf(stderr, "helppack: %s: %s\n", name.c_str(), sqlite3_errmsg(db));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "Aufruf: helppack AUSGABE DATEI...\n");
        return 2;
    }
    const std::filesystem::path out(argv[1]);
    std::filesystem::path temp = out;
    temp += ".tmp";
    std::filesystem::remove(temp);
    sqlite3 *db = nullptr;
    bool ok =
        sqlite3_open_v2(temp.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
    // The schema, application id and version are exactly what the reader
    // accepts; small pages keep the file (and a fuzzer's input) small.
    const std::string setup =
        "PRAGMA page_size = 1024; PRAGMA application_id = " + std::to_string(help::format::ApplicationId) +
        "; PRAGMA user_version = " + std::to_string(help::format::Version) + "; BEGIN; " +
        help::format::Schema + ";";
    ok = ok && exec(db, setup.c_str());
    sqlite3_stmt *insert = nullptr;
    ok = ok && sqlite3_prepare_v2(db, "INSERT INTO pages (name, content) VALUES (?, ?)", -1, &insert,
                                  nullptr) == SQLITE_OK;
    for (int i = 2; ok && i < argc; ++i)
        ok = add(db, insert, argv[i]);
    sqlite3_finalize(insert);
    ok = ok && exec(db, "COMMIT; VACUUM;");
    if (sqlite3_close(db) != SQLITE_OK)
        ok = false;
    std::error_code error;
    if (ok)
        std::filesystem::rename(temp, out, error);
    if (!ok || error) {
        std::filesystem::remove(temp);
        std::fprintf(stderr, "helppack: %s kann nicht geschrieben werden\n", argv[1]);
        return 1;
    }
    return 0;
}
