#include "platform/com/AutomationError.h"
#include "platform/dao/ConsistentRead.h"
#include "platform/dao/Database.h"
#include "platform/dao/DatabaseCheck.h"
#include "platform/dao/Recordset.h"
#include "tests/support/Automation.h"
#include "tests/support/StatementTrace.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>

using com::Variant;

using testsupport::errorOf;

namespace
{

QStringList textsOf(const dao::TextColumn &column)
{
    QStringList texts;
    for (qsizetype i = 0; i < column.size(); ++i)
        texts << column.at(i);
    return texts;
}

} // namespace

class TestEntryStore : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_file;

    std::vector<QString> listDays(dao::Recordset &rs)
    {
        std::vector<QString> days;
        if (rs.RecordCount() == 0)
            return days;
        rs.MoveFirst();
        while (!rs.EOF_()) {
            days.push_back(rs.Fields(QStringLiteral("Tagdatum")).toString());
            rs.MoveNext();
        }
        return days;
    }

    void add(dao::Recordset &rs, const QString &day, const QString &body)
    {
        rs.AddNew();
        rs.Fields(QStringLiteral("Tagdatum")).setValue(Variant(day));
        rs.Fields(QStringLiteral("Tagtext")).setValue(Variant(body));
        rs.Update();
    }

    // Every record in the file as "day: text", read through a fresh connection.
    QStringList storedRows()
    {
        auto db = dao::DBEngine().OpenDatabase(m_file);
        auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        QStringList rows;
        if (rs->RecordCount() == 0)
            return rows;
        for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext())
            rows << rs->Fields(QStringLiteral("Tagdatum")).toString() + QStringLiteral(": ") +
                        rs->Fields(QStringLiteral("Tagtext")).toString();
        return rows;
    }

    // Another program's statement on the same file, on a connection of its own.
    void runElsewhere(const QByteArray &sql)
    {
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(m_file.toUtf8().constData(), &other), SQLITE_OK);
        const int rc = sqlite3_exec(other, sql.constData(), nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QCOMPARE(rc, SQLITE_OK);
    }

    // The day column in table order as the engine itself reads it.
    QStringList daysBySql()
    {
        QStringList days;
        sqlite3 *db = nullptr;
        sqlite3_open(m_file.toUtf8().constData(), &db);
        sqlite3_stmt *select = nullptr;
        sqlite3_prepare_v2(db, "SELECT Tagdatum FROM Zorvelin ORDER BY ID", -1, &select, nullptr);
        while (select && sqlite3_step(select) == SQLITE_ROW)
            days << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(select, 0)));
        sqlite3_finalize(select);
        sqlite3_close(db);
        return days;
    }

    bool hasIndex(const QByteArray &name)
    {
        sqlite3 *db = nullptr;
        sqlite3_open(m_file.toUtf8().constData(), &db);
        sqlite3_stmt *probe = nullptr;
        sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?", -1, &probe,
                           nullptr);
        sqlite3_bind_text(probe, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        const bool found = sqlite3_step(probe) == SQLITE_ROW;
        sqlite3_finalize(probe);
        sqlite3_close(db);
        return found;
    }

private slots:
    void init()
    {
        m_file = m_dir.filePath(QStringLiteral("Database.mdb"));
        QFile::remove(m_file);
        QFile::copy(testsupport::emptyDatabase(), m_file);
        QFile(m_file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void openingNeverCreates()
    {
        dao::DBEngine engine;
        const QString missing = m_dir.filePath(QStringLiteral("fehlt.mdb"));
        QCOMPARE(errorOf([&] { engine.OpenDatabase(missing); }), 3024);
        QVERIFY(!QFile::exists(missing));
        QFile junk(m_dir.filePath(QStringLiteral("junk.mdb")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        QCOMPARE(errorOf([&] { engine.OpenDatabase(junk.fileName()); }), 3343);
        auto db = engine.OpenDatabase(m_file);
        QCOMPARE(errorOf([&] { db->OpenRecordset(QStringLiteral("Fehlt")); }), 3078);
    }

    void insertionOrderAndDuplicates()
    {
        auto db = dao::DBEngine().OpenDatabase(m_file);
        auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        QCOMPARE(rs->RecordCount(), 0);
        QVERIFY(rs->EOF_() && rs->BOF());
        QCOMPARE(errorOf([&] { rs->MoveFirst(); }), 3021);
        add(*rs, QStringLiteral("Montag, 7. Dezember 2026"), QStringLiteral("{\\rtf1 a}"));
        add(*rs, QStringLiteral("Sonntag, 6. Dezember 2026"), QStringLiteral("{\\rtf1 b}"));
        add(*rs, QStringLiteral("Montag, 7. Dezember 2026"), QStringLiteral("{\\rtf1 c}"));
        QCOMPARE(listDays(*rs), (std::vector<QString>{QStringLiteral("Montag, 7. Dezember 2026"),
                                                      QStringLiteral("Sonntag, 6. Dezember 2026"),
                                                      QStringLiteral("Montag, 7. Dezember 2026")}));
        rs->MoveFirst();
        rs->Move(2);
        QCOMPARE(rs->Fields(QStringLiteral("Tagtext")).toString(), QStringLiteral("{\\rtf1 c}"));
        rs->Move(0);
        QCOMPARE(rs->Fields(QStringLiteral("tagtext")).toString(), QStringLiteral("{\\rtf1 c}"));
        rs->Move(5);
        QVERIFY(rs->EOF_());
        // Another connection sees every update at once: each one commits.
        auto otherDb = dao::DBEngine().OpenDatabase(m_file);
        auto again = otherDb->OpenRecordset(QStringLiteral("Zorvelin"));
        QCOMPARE(again->RecordCount(), 3);
        // A recordset opened over a filled table stands on its first record.
        QVERIFY(!again->EOF_() && !again->BOF());
        QCOMPARE(again->Fields(QStringLiteral("Tagtext")).toString(), QStringLiteral("{\\rtf1 a}"));
    }

    void editAndDelete()
    {
        auto db = dao::DBEngine().OpenDatabase(m_file);
        auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        for (int i = 1; i <= 3; ++i)
            add(*rs, QStringLiteral("Tag %1").arg(i), QStringLiteral("Text %1").arg(i));
        rs->MoveFirst();
        rs->Move(1);
        rs->Edit();
        rs->Fields(QStringLiteral("Tagtext")).setValue(Variant("neu"));
        QCOMPARE(rs->Fields(QStringLiteral("Tagtext")).toString(), QStringLiteral("neu"));
        rs->Update();
        QCOMPARE(rs->Fields(QStringLiteral("Tagtext")).toString(), QStringLiteral("neu"));
        QCOMPARE(rs->Fields(QStringLiteral("Tagdatum")).toString(), QStringLiteral("Tag 2"));
        rs->Delete();
        QCOMPARE(errorOf([&] { rs->Fields(QStringLiteral("Tagdatum")).Value(); }), 3021);
        rs->MoveNext();
        QCOMPARE(rs->Fields(QStringLiteral("Tagdatum")).toString(), QStringLiteral("Tag 3"));
        QCOMPARE(listDays(*rs), (std::vector<QString>{QStringLiteral("Tag 1"), QStringLiteral("Tag 3")}));
    }

    void misuseRaises()
    {
        auto db = dao::DBEngine().OpenDatabase(m_file);
        auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        QCOMPARE(errorOf([&] { rs->Update(); }), 3020);
        QCOMPARE(errorOf([&] { rs->Edit(); }), 3021);
        QCOMPARE(errorOf([&] { rs->Fields(QStringLiteral("Nichts")); }), 3265);
        QCOMPARE(errorOf([&] { rs->Fields(QStringLiteral("Tagdatum")).setValue(Variant("x")); }), 3020);
    }

    // A body's size is known before it is read, in either text encoding of
    // the file: one above the limit is never read.
    void storedBytesAreMeasuredFirst_data()
    {
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<qint64>("stored");
        QTest::newRow("UTF-8") << QByteArray("UTF-8") << qint64(1'000'000);
        // Counted in 16-bit units, as many as the UTF-8 bytes the save measured.
        QTest::newRow("UTF-16") << QByteArray("UTF-16le") << qint64(1'000'000);
    }
    void storedBytesAreMeasuredFirst()
    {
        QFETCH(QByteArray, encoding);
        QFETCH(qint64, stored);
        QVERIFY(QFile::remove(m_file));
        runElsewhere("PRAGMA encoding = '" + encoding +
                     "'; CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY AUTOINCREMENT, Tagdatum TEXT, Tagtext "
                     "TEXT); INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES ('Tag', "
                     "replace(hex(zeroblob(500000)), '0', 'x'))");
        auto db = dao::DBEngine().OpenDatabase(m_file);
        auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        qint64 size = 0;
        QVERIFY(rs->fieldBytes(QStringLiteral("Tagtext"), 1000, size).isEmpty());
        QCOMPARE(size, stored);
        QCOMPARE(rs->fieldBytes(QStringLiteral("Tagtext"), stored, size), QByteArray(1'000'000, 'x'));
    }

    void failedUpdateKeepsTheEditOpen()
    {
        auto db = dao::DBEngine().OpenDatabase(m_file);
        auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        // Another writer holds the file: the update fails and keeps what was typed.
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(m_file.toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        rs->AddNew();
        rs->Fields(QStringLiteral("Tagdatum")).setValue(Variant("Tag"));
        QCOMPARE(errorOf([&] { rs->Update(); }), 3008);
        QVERIFY(rs->editing());
        QCOMPARE(rs->Fields(QStringLiteral("Tagdatum")).toString(), QStringLiteral("Tag"));
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        rs->Update();
        QCOMPARE(rs->RecordCount(), 1);

        // A file that drops the record says nothing; the add must not pass
        // for saved, nor leave the recordset on a record it did not write.
        rs.reset();
        db.reset();
        runElsewhere("CREATE TRIGGER drop_it BEFORE INSERT ON Zorvelin BEGIN SELECT RAISE(IGNORE); END");
        db = dao::DBEngine().OpenDatabase(m_file);
        rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        rs->AddNew();
        rs->Fields(QStringLiteral("Tagdatum")).setValue(Variant("verworfen"));
        try {
            rs->Update();
            QFAIL("the dropped record passed for saved");
        } catch (const com::AutomationError &error) {
            QCOMPARE(error.number(), 3026);
            QCOMPARE(
                error.description(),
                QStringLiteral("Die Datenbank meldet einen Fehler: Der Datensatz wurde nicht gespeichert."));
        }
        QVERIFY(rs->editing());
        QCOMPARE(rs->RecordCount(), 1);
        rs->CancelUpdate();
        rs->MoveLast();
        QCOMPARE(rs->Fields(QStringLiteral("Tagdatum")).toString(), QStringLiteral("Tag"));

        // Nor does a delete that removed nothing pass for done.
        rs.reset();
        db.reset();
        runElsewhere("CREATE TRIGGER keep_it BEFORE DELETE ON Zorvelin BEGIN SELECT RAISE(IGNORE); END");
        db = dao::DBEngine().OpenDatabase(m_file);
        rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        QCOMPARE(errorOf([&] { rs->Delete(); }), 3026);
        QCOMPARE(rs->RecordCount(), 1);
        QCOMPARE(rs->Fields(QStringLiteral("Tagdatum")).toString(), QStringLiteral("Tag"));
    }

    void anEditNeverLandsOnAnotherRecord_data()
    {
        QTest::addColumn<int>("current"); // position of the edited record
        QTest::addColumn<QByteArray>("elsewhere");
        QTest::addColumn<int>("error"); // 0: the edit is written
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("nothing happened") << 1 << QByteArray("SELECT 1") << 0
                                          << QStringList{"Tag 1: Text 1", "Tag 2: neu", "Tag 3: Text 3"};
        QTest::newRow("edited record deleted")
            << 1 << QByteArray("DELETE FROM Zorvelin WHERE Tagdatum = 'Tag 2'") << 3167
            << QStringList{"Tag 1: Text 1", "Tag 3: Text 3"};
        QTest::newRow("record before it deleted")
            << 1 << QByteArray("DELETE FROM Zorvelin WHERE Tagdatum = 'Tag 1'") << 0
            << QStringList{"Tag 2: neu", "Tag 3: Text 3"};
        QTest::newRow("record before it deleted, one added")
            << 1
            << QByteArray("DELETE FROM Zorvelin WHERE Tagdatum = 'Tag 1';"
                          "INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES ('Tag 4', 'Text 4')")
            << 0 << QStringList{"Tag 2: neu", "Tag 3: Text 3", "Tag 4: Text 4"};
        // The newcomer takes the last place, where the edited record stood.
        QTest::newRow("last record deleted, one added")
            << 2
            << QByteArray("DELETE FROM Zorvelin WHERE Tagdatum = 'Tag 3';"
                          "INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES ('Tag 4', 'Text 4')")
            << 3167 << QStringList{"Tag 1: Text 1", "Tag 2: Text 2", "Tag 4: Text 4"};
        QTest::newRow("every record deleted")
            << 0 << QByteArray("DELETE FROM Zorvelin") << 3167 << QStringList{};
        // The record stays, but the engine writes nothing to it.
        QTest::newRow("update ignored")
            << 1
            << QByteArray("CREATE TRIGGER keep BEFORE UPDATE ON Zorvelin BEGIN SELECT RAISE(IGNORE); END")
            << 3026 << QStringList{"Tag 1: Text 1", "Tag 2: Text 2", "Tag 3: Text 3"};
    }

    void anEditNeverLandsOnAnotherRecord()
    {
        QFETCH(int, current);
        QFETCH(QByteArray, elsewhere);
        QFETCH(int, error);
        QFETCH(QStringList, stored);
        auto db = dao::DBEngine().OpenDatabase(m_file);
        auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        for (int i = 1; i <= 3; ++i)
            add(*rs, QStringLiteral("Tag %1").arg(i), QStringLiteral("Text %1").arg(i));
        rs->MoveFirst();
        rs->Move(current);
        rs->Edit();
        rs->Fields(QStringLiteral("Tagtext")).setValue(Variant("neu"));
        runElsewhere(elsewhere);
        QCOMPARE(errorOf([&] { rs->Update(); }), error);
        QCOMPARE(storedRows(), stored);
        // A refused edit stays open with what was typed.
        QCOMPARE(rs->editing(), error != 0);
        if (error)
            QCOMPARE(rs->Fields(QStringLiteral("Tagtext")).toString(), QStringLiteral("neu"));
    }

    void theRecordsetFollowsAnotherWriter()
    {
        auto db = dao::DBEngine().OpenDatabase(m_file);
        auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        for (int i = 1; i <= 3; ++i)
            add(*rs, QStringLiteral("Tag %1").arg(i), QStringLiteral("Text %1").arg(i));
        rs->MoveFirst();
        rs->Move(1);
        runElsewhere("DELETE FROM Zorvelin WHERE Tagdatum = 'Tag 1';"
                     "INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES ('Tag 4', 'Text 4')");
        // The current record is still the one chosen, found by its id.
        rs->MoveNext();
        QCOMPARE(rs->Fields(QStringLiteral("Tagdatum")).toString(), QStringLiteral("Tag 3"));
        QCOMPARE(rs->RecordCount(), 3);
        QCOMPARE(listDays(*rs), (std::vector<QString>{QStringLiteral("Tag 2"), QStringLiteral("Tag 3"),
                                                      QStringLiteral("Tag 4")}));

        // A current record deleted elsewhere is reported, not read from another.
        rs->MoveFirst();
        runElsewhere("DELETE FROM Zorvelin WHERE Tagdatum = 'Tag 2'");
        QCOMPARE(errorOf([&] { rs->Fields(QStringLiteral("Tagdatum")).Value(); }), 3167);
        QCOMPARE(errorOf([&] { rs->Edit(); }), 3167);
        QCOMPARE(errorOf([&] { rs->Delete(); }), 3167);
        rs->MoveNext();
        QCOMPARE(rs->Fields(QStringLiteral("Tagdatum")).toString(), QStringLiteral("Tag 3"));
        QCOMPARE(rs->RecordCount(), 2);

        // Our own writes stay where they are while the other program adds.
        add(*rs, QStringLiteral("Tag 5"), QStringLiteral("Text 5"));
        runElsewhere("INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES ('Tag 6', 'Text 6')");
        QCOMPARE(listDays(*rs), (std::vector<QString>{QStringLiteral("Tag 3"), QStringLiteral("Tag 4"),
                                                      QStringLiteral("Tag 5"), QStringLiteral("Tag 6")}));
    }

    void commitsReachTheDiskWithTheJournalsRemoval()
    {
        testsupport::StatementTrace trace;
        auto db = dao::DBEngine().OpenDatabase(m_file);
        QCOMPARE(trace.pragma("synchronous"), 3);
    }

    void columnTextsIsTheWalkInOneRead_data()
    {
        QTest::addColumn<bool>("indexed");
        QTest::addColumn<QByteArray>("elsewhere"); // after the recordset was opened
        QTest::addColumn<QStringList>("days");
        // Days out of their alphabetical order: an index walk meets them in
        // that order, the table's order is that of the inserts.
        const QStringList days{"Montag, 7. Dezember 2026",
                               "Freitag, 1. Mai 2026",
                               "Sonntag, 6. Dezember 2026",
                               "Freitag, 1. Mai 2026",
                               "März",
                               ""};
        for (const bool indexed : {false, true}) {
            const QByteArray suffix = indexed ? " (indexed)" : "";
            QTest::newRow("as stored" + suffix) << indexed << QByteArray("SELECT 1") << days;
            QTest::newRow("another program wrote" + suffix)
                << indexed
                << QByteArray("DELETE FROM Zorvelin WHERE Tagdatum = 'Sonntag, 6. Dezember 2026';"
                              "INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES ('Anfang', 'x')")
                << QStringList{"Montag, 7. Dezember 2026",
                               "Freitag, 1. Mai 2026",
                               "Freitag, 1. Mai 2026",
                               "März",
                               "",
                               "Anfang"};
            // A day never written reads as empty text, a number as its digits.
            QTest::newRow("null and number" + suffix)
                << indexed << QByteArray("INSERT INTO Zorvelin (Tagdatum) VALUES (NULL), (42)")
                << days + QStringList{"", "42"};
        }
    }

    void columnTextsIsTheWalkInOneRead()
    {
        QFETCH(bool, indexed);
        QFETCH(QByteArray, elsewhere);
        QFETCH(QStringList, days);
        testsupport::StatementTrace trace;
        auto db = dao::DBEngine().OpenDatabase(m_file);
        if (indexed)
            QVERIFY(db->ensureIndex(QStringLiteral("Zorvelin"), QStringLiteral("Tagdatum")));
        auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        const QStringList stored{"Montag, 7. Dezember 2026",
                                 "Freitag, 1. Mai 2026",
                                 "Sonntag, 6. Dezember 2026",
                                 "Freitag, 1. Mai 2026",
                                 "März",
                                 ""};
        for (const QString &day : stored)
            add(*rs, day, QStringLiteral("{\\rtf1 Text}"));
        runElsewhere(elsewhere);

        const dao::TextColumn column = rs->columnTexts(QStringLiteral("tagdatum"));
        QCOMPARE(trace.readsOf(QStringLiteral("Tagdatum")), int(days.size()));
        QCOMPARE(trace.readsOf(QStringLiteral("Tagtext")), 0);
        QCOMPARE(textsOf(column), days);
        // The first equal text, exactly.
        QCOMPARE(column.indexOf(QStringLiteral("Freitag, 1. Mai 2026")), 1);
        QCOMPARE(column.indexOf(QStringLiteral("freitag, 1. Mai 2026")), -1);
        QCOMPARE(column.indexOf(QStringLiteral("Freitag, 1. Mai")), -1);
        QCOMPARE(column.indexOf(QStringLiteral("März")), days.indexOf(QStringLiteral("März")));
        QCOMPARE(column.indexOf(QString()), days.indexOf(QString()));
        QCOMPARE(daysBySql().size(), days.size());
        // It ends where a walk ends, over the records it read.
        QVERIFY(rs->EOF_());
        QCOMPARE(rs->RecordCount(), int(days.size()));
        // Positions are those of the list it returned.
        rs->MoveFirst();
        rs->Move(int(days.size()) - 1);
        QCOMPARE(rs->Fields(QStringLiteral("Tagdatum")).toString(), days.last());
        QStringList walked;
        for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
            const Variant day = rs->fieldValue(QStringLiteral("Tagdatum"));
            walked << (day.isNull() ? QString() : day.toString());
        }
        QCOMPARE(walked, days);
        QCOMPARE(errorOf([&] { rs->columnTexts(QStringLiteral("Nichts")); }), 3265);
    }

    void theIndexIsMadeOnceAndTheFileReadsAsBefore()
    {
        {
            auto db = dao::DBEngine().OpenDatabase(m_file);
            auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
            for (int i = 0; i < 50; ++i)
                add(*rs, QStringLiteral("Tag %1").arg((i * 37) % 50), QStringLiteral("Text %1").arg(i));
        }
        const QStringList days = daysBySql();
        QVERIFY(!hasIndex("Zorvelin_Tagdatum"));
        {
            auto db = dao::DBEngine().OpenDatabase(m_file);
            QVERIFY(db->ensureIndex(QStringLiteral("Zorvelin"), QStringLiteral("Tagdatum")));
            QVERIFY(db->ensureIndex(QStringLiteral("Zorvelin"), QStringLiteral("Tagdatum")));
            QVERIFY(!db->ensureIndex(QStringLiteral("Zorvelin"), QStringLiteral("Nichts")));
            QVERIFY(!db->ensureIndex(QStringLiteral("Fehlt"), QStringLiteral("Tagdatum")));
            auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
            QCOMPARE(textsOf(rs->columnTexts(QStringLiteral("Tagdatum"))), days);
        }
        QVERIFY(hasIndex("Zorvelin_Tagdatum"));
        // Whatever reads the file today still finds it whole and in order.
        QCOMPARE(dao::checkDatabaseFile(m_file, {QStringLiteral("Zorvelin"),
                                                 {QStringLiteral("Tagdatum"), QStringLiteral("Tagtext")},
                                                 {QStringLiteral("Tagdatum")}}),
                 dao::DatabaseCheck::Ok);
        QCOMPARE(daysBySql(), days);
        QCOMPARE(storedRows().size(), 50);
        QCOMPARE(storedRows().first(), QStringLiteral("Tag 0: Text 0"));
        QCOMPARE(storedRows().last(), QStringLiteral("Tag 13: Text 49"));
    }

    void aFileHeldByAnotherWriterOpensWithoutTheIndex()
    {
        {
            auto db = dao::DBEngine().OpenDatabase(m_file);
            auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
            add(*rs, QStringLiteral("Tag B"), QStringLiteral("b"));
            add(*rs, QStringLiteral("Tag A"), QStringLiteral("a"));
        }
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(m_file.toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        {
            auto db = dao::DBEngine().OpenDatabase(m_file);
            QElapsedTimer waited;
            waited.start();
            QVERIFY(!db->ensureIndex(QStringLiteral("Zorvelin"), QStringLiteral("Tagdatum")));
            QVERIFY(waited.elapsed() < 1000); // not the engine's two seconds for a write
            auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
            QCOMPARE(textsOf(rs->columnTexts(QStringLiteral("Tagdatum"))), (QStringList{"Tag B", "Tag A"}));
        }
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QVERIFY(!hasIndex("Zorvelin_Tagdatum"));
        auto db = dao::DBEngine().OpenDatabase(m_file);
        QVERIFY(db->ensureIndex(QStringLiteral("Zorvelin"), QStringLiteral("Tagdatum")));
        QVERIFY(hasIndex("Zorvelin_Tagdatum"));
        // The engine's own wait for writes is back.
        QCOMPARE(sqlite3_open(m_file.toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        QElapsedTimer waited;
        waited.start();
        rs->AddNew();
        rs->Fields(QStringLiteral("Tagdatum")).setValue(Variant("Tag C"));
        QCOMPARE(errorOf([&] { rs->Update(); }), 3008);
        QVERIFY(waited.elapsed() >= 1500);
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
    }

    // A whole read gives the file as it stood: while it lasts no other writer
    // can commit, afterwards they can, and the store's own connection works
    // on. A file with a write-ahead log is not read this way.
    void wholeReadHoldsWritersOff_data()
    {
        QTest::addColumn<bool>("logged");
        QTest::newRow("rollback journal") << false;
        QTest::newRow("write-ahead log") << true;
    }

    void wholeReadHoldsWritersOff()
    {
        QFETCH(bool, logged);
        if (logged)
            runElsewhere("PRAGMA journal_mode=WAL");
        auto db = dao::DBEngine().OpenDatabase(m_file);
        auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        add(*rs, QStringLiteral("Tag 1"), QString(20000, QLatin1Char('x')));
        std::unique_ptr<dao::ConsistentRead> read = db->readWhole();
        if (logged) {
            QVERIFY(!read);
            return;
        }
        QVERIFY(read);
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        QCOMPARE(read->size(), before.size());

        const char *insert = "INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES ('Tag 2', 'y')";
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(m_file.toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, insert, nullptr, nullptr, nullptr), SQLITE_BUSY);
        QByteArray bytes(read->size(), '\0');
        QString reason;
        QVERIFY2(read->read(0, bytes.data(), bytes.size(), &reason), qPrintable(reason));
        QCOMPARE(bytes, before);
        QVERIFY(!read->read(bytes.size() - 10, bytes.data(), 20, &reason));
        QVERIFY(!reason.isEmpty());

        read.reset();
        QCOMPARE(sqlite3_exec(other, insert, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(other);
        add(*rs, QStringLiteral("Tag 3"), QStringLiteral("z"));
        QCOMPARE(daysBySql(), (QStringList{"Tag 1", "Tag 2", "Tag 3"}));
    }

    void listingNeverReadsBodies()
    {
        {
            auto db = dao::DBEngine().OpenDatabase(m_file);
            auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
            const QString body(1 << 20, QLatin1Char('x'));
            for (int i = 0; i < 20; ++i)
                add(*rs, QStringLiteral("Tag %1").arg(i), body);
        }
        testsupport::StatementTrace trace;
        auto db = dao::DBEngine().OpenDatabase(m_file);
        auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        QCOMPARE(listDays(*rs).size(), size_t(20));
        QCOMPARE(trace.readsOf(QStringLiteral("Tagdatum")), 20);
        QCOMPARE(trace.readsOf(QStringLiteral("Tagtext")), 0);
        rs->MoveFirst();
        QCOMPARE(rs->Fields(QStringLiteral("Tagtext")).toString().size(), 1 << 20);
        QCOMPARE(trace.readsOf(QStringLiteral("Tagtext")), 1);
    }
};

KV_TEST_MAIN(TestEntryStore)
#include "tst_EntryStore.moc"
