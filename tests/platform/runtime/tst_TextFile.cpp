#include "platform/runtime/TextFile.h"
#include "tests/support/TestMain.h"

#include <QFile>
#include <QTemporaryDir>

using rt::TextFile;

namespace
{

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool store(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestTextFile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void writesCrLf_data();
    void writesCrLf();
    void readsLines_data();
    void readsLines();
    void readsFirstLine_data();
    void readsFirstLine();
    void appends();
    void failuresAreReported();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestTextFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("text.txt"));
}

void TestTextFile::writesCrLf_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("none") << QStringList() << QByteArray();
    QTest::newRow("one empty line") << QStringList{QString()} << QByteArray("\r\n");
    QTest::newRow("umlauts and euro")
        << QStringList{QStringLiteral("Tagebuch für Jörg"), QStringLiteral("12 €")}
        << QByteArray("Tagebuch f\xFCr J\xF6rg\r\n12 \x80\r\n");
    QTest::newRow("unrepresentable") << QStringList{QStringLiteral("Ω")} << QByteArray("?\r\n");
}

void TestTextFile::writesCrLf()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    QVERIFY(TextFile::writeLines(m_path, lines));
    QCOMPARE(contents(m_path), bytes);
}

void TestTextFile::readsLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("crlf") << QByteArray("eins\r\nzwei\r\n") << QStringList{"eins", "zwei"};
    QTest::newRow("lf only") << QByteArray("eins\nzwei\n") << QStringList{"eins", "zwei"};
    QTest::newRow("mixed") << QByteArray("eins\r\nzwei\ndrei\r\n") << QStringList{"eins", "zwei", "drei"};
    QTest::newRow("no final line end") << QByteArray("eins\r\nzwei") << QStringList{"eins", "zwei"};
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n") << QStringList{"", "", "x"};
    QTest::newRow("lone cr stays in line") << QByteArray("a\rb\r\n") << QStringList{"a\rb"};
    QTest::newRow("windows-1252") << QByteArray("\xC4pfel \x80\r\n")
                                  << QStringList{QStringLiteral("Äpfel €")};
}

void TestTextFile::readsLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QVERIFY(store(m_path, bytes));
    QCOMPARE(TextFile::readLines(m_path), std::optional(lines));
}

void TestTextFile::readsFirstLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<std::optional<QString>>("line");
    QTest::newRow("empty file") << QByteArray() << std::optional<QString>();
    QTest::newRow("crlf") << QByteArray("M\xFCnchen\r\nzwei\r\n") << std::optional(QStringLiteral("München"));
    QTest::newRow("lf") << QByteArray("eins\nzwei\n") << std::optional(QStringLiteral("eins"));
    QTest::newRow("empty first line") << QByteArray("\r\nzwei") << std::optional(QString());
    QTest::newRow("no line end") << QByteArray("nur") << std::optional(QStringLiteral("nur"));
}

void TestTextFile::readsFirstLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(std::optional<QString>, line);
    QVERIFY(store(m_path, bytes));
    QCOMPARE(TextFile::readFirstLine(m_path), line);
}

void TestTextFile::appends()
{
    QVERIFY(TextFile::appendLines(m_path, {QStringLiteral("erste")}));
    QCOMPARE(contents(m_path), QByteArray("erste\r\n"));
    QVERIFY(TextFile::appendLines(m_path, {QStringLiteral("neu"), QStringLiteral("größer")}));
    QCOMPARE(contents(m_path), QByteArray("erste\r\nneu\r\ngr\xF6\xDF"
                                          "er\r\n"));
}

void TestTextFile::failuresAreReported()
{
    const QString missing = m_dir->filePath(QStringLiteral("missing.txt"));
    QVERIFY(!TextFile::readLines(missing).has_value());
    QVERIFY(!TextFile::readFirstLine(missing).has_value());
    // A folder standing where the file should be.
    const QString blocked = m_dir->filePath(QStringLiteral("blocked"));
    QVERIFY(QDir().mkdir(blocked));
    QVERIFY(!TextFile::writeLines(blocked, {QStringLiteral("x")}));
    QVERIFY(!TextFile::appendLines(blocked, {QStringLiteral("x")}));
    QVERIFY(
        !TextFile::writeLines(m_dir->filePath(QStringLiteral("no/such/file.txt")), {QStringLiteral("x")}));
    // Under a regular file no save file can be made; that file stays as it was.
    QVERIFY(store(m_path, QByteArray("alt\r\n")));
    QVERIFY(!TextFile::writeLines(m_path + QStringLiteral("/inner.txt"), {QStringLiteral("x")}));
    QCOMPARE(contents(m_path), QByteArray("alt\r\n"));
}

KV_TEST_MAIN(TestTextFile)
#include "tst_TextFile.moc"
