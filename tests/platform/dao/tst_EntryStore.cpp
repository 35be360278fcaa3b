#include "platform/com/AutomationError.h"
#include "platform/dao/Database.h"
#include "platform/dao/Recordset.h"
#include "tests/support/Automation.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>

using com::Variant;

using testsupport::errorOf;

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

private slots:
    void init()
    {
        m_file = m_dir.filePath(QStringLiteral("Database.mdb"));
        QFile::remove(m_file);
        QFile::copy(testsupport::binaryPath(QStringLiteral("data/Database.mdb")), m_file);
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
        auto db = dao::DBEngine().OpenDatabase(m_file);
        QCOMPARE(db->syncLevel(), 3);
        db->Close();
        QCOMPARE(errorOf([&] { db->syncLevel(); }), 3420);
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
        auto db = dao::DBEngine().OpenDatabase(m_file);
        auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
        QCOMPARE(listDays(*rs).size(), size_t(20));
        QCOMPARE(rs->readsOf(QStringLiteral("Tagdatum")), 20);
        QCOMPARE(rs->readsOf(QStringLiteral("Tagtext")), 0);
        rs->MoveFirst();
        QCOMPARE(rs->Fields(QStringLiteral("Tagtext")).toString().size(), 1 << 20);
        QCOMPARE(rs->readsOf(QStringLiteral("Tagtext")), 1);
    }
};

KV_TEST_MAIN(TestEntryStore)
#include "tst_EntryStore.moc"
