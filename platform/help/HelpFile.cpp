#include "platform/help/HelpFile.h"

#include "platform/help/HelpFileFormat.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>
#include <algorithm>
#include <atomic>
#include <functional>
#include <sqlite3.h>

namespace help
{

namespace
{

const QString ContentsName = QStringLiteral("contents.json");

// Bounds on what a help file may ask of the reader; the diary's own help is
// far below each.
constexpr qint64 MaxFileSize = 32 * 1024 * 1024;
constexpr int MaxNames = 4096;
constexpr int MaxNameLength = 200;
constexpr int MaxContentsDepth = 16;
// Virtual-machine steps, in thousands, that reading one file may take.
constexpr int MaxWork = 20000;

const QString NoHelpFile = QStringLiteral("die Datei ist keine Hilfedatei");
const QString Damaged = QStringLiteral("die Datei ist beschädigt");

QString invalid(const QString &what)
{
    return QStringLiteral("kein gültiges Inhaltsverzeichnis (%1)").arg(what);
}

struct CloseDatabase {
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};
struct FinalizeStatement {
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

Statement prepare(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    return Statement(statement);
}

QString textOf(sqlite3_stmt *statement, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, column)) : QString();
}

// A name as the pages link to it: relative, no way out of the file's folder,
// nothing that would change the meaning of an address.
bool isSafeName(const QString &name)
{
    if (name.isEmpty() || name.size() > MaxNameLength)
        return false;
    for (const QChar c : name)
        if (!c.isLetterOrNumber() && c != QLatin1Char('.') && c != QLatin1Char('_') &&
            c != QLatin1Char('-') && c != QLatin1Char('/'))
            return false;
    const QStringList parts = name.split(QLatin1Char('/'));
    return std::none_of(parts.begin(), parts.end(), [](const QString &part) {
        return part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..");
    });
}

// An SQLite file of ours, by its header: the mark, the format version, the
// application id and the rollback journal the packer writes.
bool hasHelpHeader(const QByteArray &bytes)
{
    static const QByteArray magic("SQLite format 3", 16);
    if (bytes.size() < 100 || !bytes.startsWith(magic))
        return false;
    const auto *header = reinterpret_cast<const uchar *>(bytes.constData());
    return header[18] == 1 && header[19] == 1 && qFromBigEndian<qint32>(header + 60) == format::Version &&
           qFromBigEndian<qint32>(header + 68) == format::ApplicationId;
}

} // namespace

std::unique_ptr<HelpFile> HelpFile::open(const QString &path, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return nullptr;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("die Datei ist nicht vorhanden"));
    if (!info.isFile())
        return fail(NoHelpFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("die Datei kann nicht gelesen werden"));
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize)
        return fail(QStringLiteral("die Datei ist zu groß"));
    return read(bytes, info.absoluteFilePath(), error);
}

std::unique_ptr<HelpFile> HelpFile::read(const QByteArray &bytes, const QString &path, QString *error)
{
    // Every open file gets an address folder of its own, so two files (or
    // one opened twice) never shadow each other's pages.
    static std::atomic<int> next{1};
    std::unique_ptr<HelpFile> file(new HelpFile(path, QStringLiteral("/kvhelp/%1").arg(next++)));
    QString reason;
    if (!file->readPages(bytes, &reason) || !file->readContents(&reason)) {
        if (error)
            *error = reason;
        return nullptr;
    }
    return file;
}

HelpFile::HelpFile(QString path, QString root) : m_path(std::move(path)), m_root(std::move(root)) {}

HelpFile::~HelpFile() = default;

QString HelpFile::shortTitle(const QString &title)
{
    if (title.size() <= MaxTitleLength)
        return title;
    QString cut = title.left(MaxTitleLength - 1);
    if (cut.back().isHighSurrogate())
        cut.chop(1);
    return cut + QChar(0x2026);
}

QStringList HelpFile::names() const
{
    QStringList list = m_pages.keys();
    list.sort();
    return list;
}

QUrl HelpFile::url(const QString &page) const
{
    // qrc: keeps the text browser from handing relative links to the desktop.
    QUrl url;
    url.setScheme(QStringLiteral("qrc"));
    url.setPath(m_root + QLatin1Char('/') + page);
    return url;
}

QString HelpFile::pageOf(const QUrl &url) const
{
    const QString prefix = m_root + QLatin1Char('/');
    if (url.scheme() != QLatin1String("qrc") || !url.path().startsWith(prefix))
        return {};
    return url.path().mid(prefix.size());
}

QString HelpFile::nameOf(const QUrl &address) const
{
    // The file's names all sit in one folder, so a relative name is one of
    // that folder whichever page asks for it.
    const QUrl absolute = address.isRelative() ? url(QString()).resolved(address) : address;
    const QString name = pageOf(absolute);
    return hasPage(name) ? name : QString();
}

bool HelpFile::readPages(const QByteArray &bytes, QString *error)
{
    if (bytes.size() > MaxFileSize) {
        *error = QStringLiteral("die Datei ist zu groß");
        return false;
    }
    if (!hasHelpHeader(bytes)) {
        *error = NoHelpFile;
        return false;
    }
    // Read as SQLite advises for files from outside: in memory and read-only,
    // defensive, no trusted schema, nothing in the file that runs, bounded
    // work, and the structure checked before a row is read.
    sqlite3 *raw = nullptr;
    const int opened = sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Database db(raw);
    if (opened != SQLITE_OK) {
        *error = QStringLiteral("die Datei kann nicht gelesen werden");
        return false;
    }
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_limit(db.get(), SQLITE_LIMIT_LENGTH, int(MaxFileSize));
    sqlite3_limit(db.get(), SQLITE_LIMIT_SQL_LENGTH, 100000);
    sqlite3_limit(db.get(), SQLITE_LIMIT_EXPR_DEPTH, 100);
    int work = 0;
    sqlite3_progress_handler(
        db.get(), 1000, [](void *count) { return ++*static_cast<int *>(count) > MaxWork ? 1 : 0; }, &work);
    // Read-only: SQLite never writes to the bytes, which outlive the connection.
    auto *data = reinterpret_cast<unsigned char *>(const_cast<char *>(bytes.constData()));
    if (sqlite3_deserialize(db.get(), "main", data, bytes.size(), bytes.size(),
                            SQLITE_DESERIALIZE_READONLY) != SQLITE_OK) {
        *error = Damaged;
        return false;
    }

    // The schema is exactly the packer's: one table, no index, trigger or view.
    Statement schema = prepare(db.get(), "SELECT type, name, tbl_name, sql FROM sqlite_schema");
    if (!schema) {
        *error = Damaged;
        return false;
    }
    int tables = 0;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(schema.get())) == SQLITE_ROW) {
        if (++tables > 1 || textOf(schema.get(), 0) != QLatin1String("table") ||
            textOf(schema.get(), 1) != QLatin1String("pages") ||
            textOf(schema.get(), 2) != QLatin1String("pages") ||
            textOf(schema.get(), 3) != QLatin1String(format::Schema)) {
            *error = NoHelpFile;
            return false;
        }
    }
    if (step != SQLITE_DONE || tables != 1) {
        *error = step == SQLITE_DONE ? NoHelpFile : Damaged;
        return false;
    }
    schema.reset();

    Statement check = prepare(db.get(), "PRAGMA quick_check(1)");
    if (!check || sqlite3_step(check.get()) != SQLITE_ROW || textOf(check.get(), 0) != QLatin1String("ok")) {
        *error = Damaged;
        return false;
    }
    check.reset();

    Statement rows = prepare(db.get(), "SELECT name, content FROM pages");
    if (!rows) {
        *error = Damaged;
        return false;
    }
    while ((step = sqlite3_step(rows.get())) == SQLITE_ROW) {
        const int type = sqlite3_column_type(rows.get(), 1);
        const QString name =
            sqlite3_column_type(rows.get(), 0) == SQLITE_TEXT ? textOf(rows.get(), 0) : QString();
        if (!isSafeName(name) || m_pages.contains(name) || m_pages.size() >= MaxNames ||
            (type != SQLITE_BLOB && type != SQLITE_TEXT)) {
            *error = Damaged;
            return false;
        }
        const auto *content = static_cast<const char *>(sqlite3_column_blob(rows.get(), 1));
        const int size = sqlite3_column_bytes(rows.get(), 1);
        m_pages.insert(name, size > 0 ? QByteArray(content, size) : QByteArray(""));
    }
    if (step != SQLITE_DONE) {
        *error = Damaged;
        return false;
    }
    return true;
}

bool HelpFile::readContents(QString *error)
{
    if (!m_pages.contains(ContentsName)) {
        *error = QStringLiteral("die Datei enthält kein Inhaltsverzeichnis");
        return false;
    }
    if (m_pages.value(ContentsName).size() > MaxContentsBytes) {
        *error = invalid(QStringLiteral("zu umfangreich"));
        return false;
    }
    const QJsonDocument document = QJsonDocument::fromJson(m_pages.value(ContentsName));
    if (!document.isObject()) {
        *error = invalid(QStringLiteral("kein JSON-Objekt"));
        return false;
    }
    const QJsonObject top = document.object();
    m_title = shortTitle(top.value(QStringLiteral("title")).toString());
    m_start = top.value(QStringLiteral("start")).toString();
    if (!hasPage(m_start)) {
        *error = invalid(QStringLiteral("die Startseite fehlt"));
        return false;
    }
    bool tooDeep = false;
    int count = 0;
    std::function<QList<Topic>(const QJsonArray &, int)> topics = [&](const QJsonArray &array, int depth) {
        QList<Topic> list;
        if (depth > MaxContentsDepth) {
            tooDeep = tooDeep || !array.isEmpty();
            return list;
        }
        for (const QJsonValue &value : array) {
            if (++count > MaxTopics)
                break;
            const QJsonObject object = value.toObject();
            list.append({shortTitle(object.value(QStringLiteral("title")).toString()),
                         object.value(QStringLiteral("page")).toString(),
                         topics(object.value(QStringLiteral("children")).toArray(), depth + 1)});
        }
        return list;
    };
    m_contents = topics(top.value(QStringLiteral("contents")).toArray(), 1);
    if (tooDeep) {
        *error = invalid(QStringLiteral("zu tief verschachtelt"));
        return false;
    }
    if (count > MaxTopics)
        m_contents.append({QStringLiteral("Weitere Themen werden nicht gezeigt."), QString(), {}});
    const QJsonObject contexts = top.value(QStringLiteral("contexts")).toObject();
    for (auto it = contexts.begin(); it != contexts.end(); ++it) {
        bool ok = false;
        const int32_t context = it.key().toInt(&ok);
        if (ok)
            m_contexts.insert(context, it.value().toString());
    }
    return true;
}

} // namespace help
