// Creates the empty entry database that ships beside the program. An existing
// file is left as it is: it may already hold a diary.
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: makedb DATEI\n");
        return 2;
    }
    const std::filesystem::path file(argv[1]);
    if (std::filesystem::exists(file))
        return 0;
    std::filesystem::create_directories(file.parent_path());
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s kann nicht angelegt werden\n", argv[1]);
        sqlite3_close(db);
        return 1;
    }
    const char *schema = "CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY AUTOINCREMENT, "
                         "Tagdatum TEXT, Tagtext TEXT)";
    const int rc = sqlite3_exec(db, schema, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        std::filesystem::remove(file);
        return 1;
    }
    return 0;
}
