#include "diary/storage/CodePassword.h"
#include "platform/runtime/Windows1252.h"
#include "tests/support/TestMain.h"

#include <QRegularExpression>

using kalvento::CodePassword;
using kalvento::PasswordKey;

// Expected digits are worked out by hand: each character's Windows-1252 code
// xor the key character at the same position ("LichtungRAXE", repeating).
class TestCodePassword : public QObject
{
    Q_OBJECT
private slots:
    void scrambles_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("scrambled");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("below 16 gets a leading zero") << QStringLiteral("ab") << QStringLiteral("2D0B");
        QTest::newRow("letters") << QStringLiteral("Test") << QStringLiteral("180C101C");
        QTest::newRow("space and digit") << QStringLiteral("Geheim 1") << QStringLiteral("0B0C0B0D1D184E56");
        // The 13th character takes the key's first character again.
        QTest::newRow("longer than the key")
            << QStringLiteral("aaaaaaaaaaaaa") << QStringLiteral("2D08020915140F06332039242D");
        // ä is 0xE4, € is 0x80 in Windows-1252, not their Unicode values.
        QTest::newRow("umlaut and euro") << QStringLiteral("ä€") << QStringLiteral("A8E9");
    }
    void scrambles()
    {
        QFETCH(QString, plain);
        QFETCH(QString, scrambled);
        bool ok = false;
        QCOMPARE(CodePassword(plain, PasswordKey, true, &ok), scrambled);
        QVERIFY(ok);
        QCOMPARE(CodePassword(scrambled, PasswordKey, false, &ok), plain);
        QVERIFY(ok);
    }

    void unscramblesWhatIsReadBack_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("plain");
        QTest::newRow("lower-case digits") << QStringLiteral("180c101c") << QStringLiteral("Test");
        QTest::newRow("mixed case") << QStringLiteral("180C101c") << QStringLiteral("Test");
        QTest::newRow("trailing odd digit ignored") << QStringLiteral("2D0B4") << QStringLiteral("ab");
        QTest::newRow("one digit only") << QStringLiteral("2") << QString();
    }
    void unscramblesWhatIsReadBack()
    {
        QFETCH(QString, stored);
        QFETCH(QString, plain);
        bool ok = false;
        QCOMPARE(CodePassword(stored, PasswordKey, false, &ok), plain);
        QVERIFY(ok);
    }

    void refuses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("encode");
        QTest::newRow("non-hex pair") << QStringLiteral("18ZZ") << false;
        QTest::newRow("non-hex first digit") << QStringLiteral("G0") << false;
        QTest::newRow("sign in a pair") << QStringLiteral("-1") << false;
        QTest::newRow("greek omega") << QStringLiteral("aΩb") << true;
        QTest::newRow("emoji") << QStringLiteral("a\U0001F600") << true;
    }
    void refuses()
    {
        QFETCH(QString, text);
        QFETCH(bool, encode);
        bool ok = true;
        QCOMPARE(CodePassword(text, PasswordKey, encode, &ok), QString());
        QVERIFY(!ok);
    }

    void roundTripsEveryPrintableCharacter()
    {
        QString all;
        for (int byte = 0x20; byte <= 0xFF; ++byte)
            if (byte != 0x7F)
                all += QChar(rt::Windows1252::decodeByte(static_cast<unsigned char>(byte)));
        const QString scrambled = CodePassword(all, PasswordKey, true);
        QCOMPARE(scrambled.size(), 2 * all.size());
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]*$")).match(scrambled).hasMatch());
        QCOMPARE(CodePassword(scrambled, PasswordKey, false), all);
    }
};

KV_TEST_MAIN(TestCodePassword)
#include "tst_CodePassword.moc"
