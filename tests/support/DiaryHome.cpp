#include "tests/support/DiaryHome.h"

#include "platform/com/Variant.h"
#include "platform/dao/Database.h"
#include "platform/dao/Recordset.h"
#include "tests/support/TempRegistry.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdlib>
#include <dlfcn.h>

namespace testsupport
{

namespace
{
constexpr int SqliteOk = 0;
const QString Table = QStringLiteral("Zorvelin");
} // namespace

DiaryHome::DiaryHome()
{
    if (!m_dir.isValid() || !QDir(m_dir.path()).mkdir(QStringLiteral("data")))
        return;
    if (!QFile::copy(emptyDatabase(), databaseFile()))
        return;
    QFile(databaseFile()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    setenv("KALVENTO_HOME", qPrintable(m_dir.path()), 1);
    m_valid = true;
}

QString DiaryHome::databaseFile() const
{
    return m_dir.filePath(QStringLiteral("data/Database.mdb"));
}

void DiaryHome::seed(const QList<Entry> &entries) const
{
    auto db = dao::DBEngine().OpenDatabase(databaseFile());
    auto rs = db->OpenRecordset(Table);
    for (const auto &[day, body] : entries) {
        rs->AddNew();
        rs->Fields(QStringLiteral("Tagdatum")).setValue(com::Variant(day));
        rs->Fields(QStringLiteral("Tagtext")).setValue(com::Variant(body));
        rs->Update();
    }
}

QList<Entry> DiaryHome::stored() const
{
    auto db = dao::DBEngine().OpenDatabase(databaseFile());
    auto rs = db->OpenRecordset(Table);
    QList<Entry> rows;
    if (rs->RecordCount() == 0)
        return rows;
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext())
        rows << Entry{rs->Fields(QStringLiteral("Tagdatum")).toString(),
                      rs->Fields(QStringLiteral("Tagtext")).toString()};
    return rows;
}

QStringList DiaryHome::storedDays() const
{
    QStringList days;
    for (const Entry &entry : stored())
        days << entry.first;
    return days;
}

QString rtfOf(const QString &text)
{
    return QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 %1\\par}").arg(text);
}

QString pictureRtf(int width, int height, Qt::GlobalColor color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("{\\pict\\pngblip\\picw%1\\pich%2 %3}")
        .arg(width)
        .arg(height)
        .arg(QString::fromLatin1(png.toHex()));
}

SqliteCalls::SqliteCalls()
    : open(reinterpret_cast<decltype(open)>(dlsym(RTLD_DEFAULT, "sqlite3_open"))),
      exec(reinterpret_cast<decltype(exec)>(dlsym(RTLD_DEFAULT, "sqlite3_exec"))),
      close(reinterpret_cast<decltype(close)>(dlsym(RTLD_DEFAULT, "sqlite3_close")))
{
}

bool SqliteCalls::run(const QString &file, const char *sql) const
{
    sqlite3 *db = nullptr;
    if (!ok() || open(file.toUtf8().constData(), &db) != SqliteOk) {
        if (db)
            close(db);
        return false;
    }
    const bool done = exec(db, sql, nullptr, nullptr, nullptr) == SqliteOk;
    close(db);
    return done;
}

ForeignLock::ForeignLock(const QString &file)
{
    if (!m_sqlite.ok() || m_sqlite.open(file.toUtf8().constData(), &m_db) != SqliteOk)
        return;
    m_held = m_sqlite.exec(m_db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SqliteOk;
}

ForeignLock::~ForeignLock()
{
    release();
}

void ForeignLock::release()
{
    if (!m_db)
        return;
    if (m_held)
        m_sqlite.exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_sqlite.close(m_db);
    m_db = nullptr;
    m_held = false;
}

} // namespace testsupport
