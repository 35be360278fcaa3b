#include "platform/help/HelpFile.h"
#include "tests/support/HelpFiles.h"
#include "tests/support/TestMain.h"

#include <QFile>
#include <random>

using help::HelpFile;
using testsupport::alteredHelpFile;

namespace
{

const QString HelpPath = testsupport::builtHelpPath();

QByteArray builtHelpFile()
{
    QFile file(HelpPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString nestedContents(int depth)
{
    return QStringLiteral("{\"start\":\"helpp.html\",\"contents\":") +
           QStringLiteral("[{\"title\":\"t\",\"page\":\"helpp.html\",\"children\":").repeated(depth) +
           QStringLiteral("[]") + QStringLiteral("}]").repeated(depth) + QLatin1Char('}');
}

} // namespace

// The help-file reader against damaged and hostile files: it reads the file
// whole or refuses it with a German reason, and never trusts what it holds.
class tst_HelpFile : public QObject
{
    Q_OBJECT
private slots:
    void damagedCopiesAreReadOrRefused_data();
    void damagedCopiesAreReadOrRefused();
    void hostileFilesAreRefused_data();
    void hostileFilesAreRefused();
};

void tst_HelpFile::damagedCopiesAreReadOrRefused_data()
{
    QTest::addColumn<int>("variants");
    QTest::addColumn<int>("maxBytes"); // bytes changed per copy; 0 cuts the copy short
    QTest::addColumn<int>("within");   // where the changes fall; 0 anywhere
    QTest::newRow("one byte") << 150 << 1 << 0;
    QTest::newRow("up to eight bytes") << 150 << 8 << 0;
    QTest::newRow("header and schema") << 100 << 4 << 2048;
    QTest::newRow("cut short") << 50 << 0 << 0;
}

void tst_HelpFile::damagedCopiesAreReadOrRefused()
{
    QFETCH(int, variants);
    QFETCH(int, maxBytes);
    QFETCH(int, within);
    const QByteArray original = builtHelpFile();
    QVERIFY(original.size() > 4096);
    std::mt19937 random(uint32_t(variants * 31 + maxBytes * 7 + within));
    const int range = within > 0 ? within : int(original.size());
    int refused = 0;
    for (int variant = 0; variant < variants; ++variant) {
        QByteArray copy = original;
        if (maxBytes == 0) {
            copy.truncate(int(random() % uint32_t(original.size())));
        } else {
            const int count = 1 + int(random() % uint32_t(maxBytes));
            for (int i = 0; i < count; ++i)
                copy[int(random() % uint32_t(range))] = char(random() % 256);
        }
        QString error;
        std::unique_ptr<HelpFile> file = HelpFile::read(copy, HelpPath, &error);
        if (!file) {
            ++refused;
            QVERIFY2(error.startsWith(QStringLiteral("die Datei")) ||
                         error.startsWith(QStringLiteral("kein gültiges Inhaltsverzeichnis")),
                     qPrintable(error));
            continue;
        }
        // What is read is whole: its start page and every name are there.
        QVERIFY(file->hasPage(file->startPage()));
        for (const QString &name : file->names())
            QVERIFY(!file->content(name).isNull());
    }
    // A copy cut short is never whole.
    if (maxBytes == 0)
        QCOMPARE(refused, variants);
}

void tst_HelpFile::hostileFilesAreRefused_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("reason");
    const QString noHelp = QStringLiteral("keine Hilfedatei");
    const QString damaged = QStringLiteral("beschädigt");
    QTest::newRow("trigger") << "CREATE TRIGGER t AFTER INSERT ON pages BEGIN DELETE FROM pages; END"
                             << noHelp;
    QTest::newRow("view") << "CREATE VIEW v AS SELECT * FROM pages" << noHelp;
    QTest::newRow("index") << "CREATE INDEX i ON pages(name)" << noHelp;
    QTest::newRow("extra column") << "ALTER TABLE pages ADD COLUMN extra" << noHelp;
    QTest::newRow("other program") << "PRAGMA application_id = 0" << noHelp;
    QTest::newRow("write-ahead log") << "PRAGMA journal_mode = WAL" << noHelp;
    QTest::newRow("name out of its folder") << "INSERT INTO pages VALUES ('../geheim.html', 'x')" << damaged;
    QTest::newRow("name twice") << "INSERT INTO pages SELECT * FROM pages WHERE name = 'hilfe.css'"
                                << damaged;
    QTest::newRow("contents too deep")
        << QStringLiteral("UPDATE pages SET content = '%1' WHERE name = 'contents.json'")
               .arg(nestedContents(40))
        << QStringLiteral("zu tief verschachtelt");
    // Read whole, JSON takes ten times its length in memory.
    QTest::newRow("contents over 4 MiB")
        << QStringLiteral("UPDATE pages SET content = '{\"start\": \"helpp.html\", \"title\": \"' || "
                          "hex(zeroblob(2200000)) || '\"}' WHERE name = 'contents.json'")
        << QStringLiteral("zu umfangreich");
}

void tst_HelpFile::hostileFilesAreRefused()
{
    QFETCH(QString, sql);
    QFETCH(QString, reason);
    const QByteArray bytes = alteredHelpFile(sql);
    QVERIFY(!bytes.isEmpty());
    QString error;
    QVERIFY(!HelpFile::read(bytes, HelpPath, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
}

KV_TEST_MAIN(tst_HelpFile)
#include "tst_HelpFile.moc"
