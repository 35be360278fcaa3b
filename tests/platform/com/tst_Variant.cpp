#include "platform/com/AutomationError.h"
#include "platform/com/StdFont.h"
#include "platform/com/StdPicture.h"
#include "platform/com/Variant.h"
#include "tests/support/Automation.h"
#include "tests/support/TestMain.h"

using com::Variant;
using com::VarType;

Q_DECLARE_METATYPE(Variant)

using testsupport::errorOf;

class TestVariant : public QObject
{
    Q_OBJECT
private slots:
    void toInteger_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("long fits") << Variant::fromLong(32767) << 32767 << 0;
        QTest::newRow("long too big") << Variant::fromLong(32768) << 0 << 6;
        QTest::newRow("long too small") << Variant::fromLong(-32769) << 0 << 6;
        QTest::newRow("half to even down") << Variant::fromDouble(2.5) << 2 << 0;
        QTest::newRow("half to even up") << Variant::fromDouble(3.5) << 4 << 0;
        QTest::newRow("negative half") << Variant::fromDouble(-2.5) << -2 << 0;
        QTest::newRow("true is -1") << Variant::fromBool(true) << -1 << 0;
        QTest::newRow("false is 0") << Variant::fromBool(false) << 0 << 0;
        QTest::newRow("empty is 0") << Variant() << 0 << 0;
        QTest::newRow("numeric text") << Variant("  42 ") << 42 << 0;
        QTest::newRow("german decimal") << Variant("1,5") << 2 << 0;
        QTest::newRow("hex text") << Variant("&HFF") << 255 << 0;
        QTest::newRow("hex wraps to 16 bits") << Variant("&HFFFF") << -1 << 0;
        QTest::newRow("abc") << Variant("abc") << 0 << 13;
        QTest::newRow("empty text") << Variant("") << 0 << 13;
        QTest::newRow("text True") << Variant("True") << -1 << 0;
        QTest::newRow("null") << Variant::null() << 0 << 94;
        QTest::newRow("nothing") << Variant::fromObject(nullptr) << 0 << 13;
    }

    void toInteger()
    {
        QFETCH(Variant, value);
        QFETCH(int, expected);
        QFETCH(int, error);
        int result = 0;
        QCOMPARE(errorOf([&] { result = value.toInteger(); }), error);
        QCOMPARE(result, expected);
    }

    void toLongRange()
    {
        QCOMPARE(Variant::fromDouble(2147483647.0).toLong(), 2147483647);
        QCOMPARE(errorOf([] { Variant::fromDouble(2147483648.0).toLong(); }), 6);
        QCOMPARE(Variant("&H8000000F").toLong(), int32_t(0x8000000F));
        QCOMPARE(Variant::fromColor(0x8000000F).toColor(), 0x8000000Fu);
        QCOMPARE(errorOf([] { Variant::fromLong(256).toByte(); }), 6);
        QCOMPARE(errorOf([] { Variant::fromDouble(1e300).toSingle(); }), 6);
    }

    void toBool_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<bool>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("minus one") << Variant::fromInteger(-1) << true << 0;
        QTest::newRow("zero") << Variant::fromLong(0) << false << 0;
        QTest::newRow("any number") << Variant::fromDouble(0.1) << true << 0;
        QTest::newRow("text false") << Variant("false") << false << 0;
        QTest::newRow("text number") << Variant("7") << true << 0;
        QTest::newRow("text other") << Variant("ja") << false << 13;
    }

    void toBool()
    {
        QFETCH(Variant, value);
        QFETCH(bool, expected);
        QFETCH(int, error);
        bool result = false;
        QCOMPARE(errorOf([&] { result = value.toBool(); }), error);
        QCOMPARE(result, expected);
    }

    void display_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("integer") << Variant::fromInteger(-5) << "-5";
        QTest::newRow("colour") << Variant::fromColor(0x8000000F) << "-2147483633";
        QTest::newRow("true") << Variant::fromBool(true) << "True";
        QTest::newRow("false") << Variant::fromBool(false) << "False";
        QTest::newRow("text") << Variant("Hallo") << "Hallo";
        QTest::newRow("empty") << Variant() << "Empty";
        QTest::newRow("null") << Variant::null() << "Null";
        QTest::newRow("nothing") << Variant::fromObject(nullptr) << "Nothing";
        QTest::newRow("double") << Variant::fromDouble(0.1) << "0.1";
        QTest::newRow("single keeps 7 digits") << Variant::fromSingle(1.1f) << "1.1";
        QTest::newRow("large double") << Variant::fromDouble(1e20) << "1E+20";
    }

    void display()
    {
        QFETCH(Variant, value);
        QFETCH(QString, expected);
        QCOMPARE(value.display(), expected);
    }

    void literals_data()
    {
        QTest::addColumn<QString>("literal");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("shown");
        QTest::newRow("small") << "42" << int(VarType::Integer) << "42";
        QTest::newRow("large") << "100000" << int(VarType::Long) << "100000";
        QTest::newRow("negative") << "-1" << int(VarType::Integer) << "-1";
        QTest::newRow("hex long") << "&H8000000F" << int(VarType::Long) << "-2147483633";
        QTest::newRow("hex short") << "&HFF" << int(VarType::Integer) << "255";
        QTest::newRow("hex long suffix") << "&HFF&" << int(VarType::Long) << "255";
        QTest::newRow("hex suffix above 16 bits") << "&HFF00&" << int(VarType::Long) << "65280";
        QTest::newRow("hex suffix sign bit") << "&H8000&" << int(VarType::Long) << "32768";
        QTest::newRow("octal suffix") << "&O177777&" << int(VarType::Long) << "65535";
        QTest::newRow("boolean") << "True" << int(VarType::Boolean) << "True";
        QTest::newRow("text with quote") << "\"a \"\"b\"\"\"" << int(VarType::String) << "a \"b\"";
        QTest::newRow("double") << "1.5" << int(VarType::Double) << "1.5";
    }

    void literals()
    {
        QFETCH(QString, literal);
        QFETCH(int, type);
        QFETCH(QString, shown);
        const Variant v = Variant::parseLiteral(literal);
        QCOMPARE(int(v.type()), type);
        QCOMPARE(v.display(), shown);
        QVERIFY(Variant::parseLiteral(v.toLiteral()).equals(v));
        QCOMPARE(errorOf([] { Variant::parseLiteral(QStringLiteral("abc")); }), 13);
    }

    void argumentListsKeepLiteralsWhole()
    {
        const QString font = QStringLiteral("Font(\"Arial, fett\", 10, True, False, False, False, 700, 0)");
        QCOMPARE(Variant::splitList(font), QStringList{font});
        QCOMPARE(Variant::splitList(QStringLiteral("1, ") + font + QStringLiteral(", \"(\", 2")),
                 (QStringList{QStringLiteral("1"), font, QStringLiteral("\"(\""), QStringLiteral("2")}));
    }

    void fontsAndPicturesHaveLiterals()
    {
        auto font = std::make_shared<com::StdFont>();
        font->name = QStringLiteral("Tahoma, \"fett\"");
        font->size = 8.25;
        font->bold = true;
        font->underline = true;
        font->weight = 700;
        const QString literal = Variant::fromObject(font).toLiteral();
        QCOMPARE(literal,
                 QStringLiteral("Font(\"Tahoma, \"\"fett\"\"\", 8.25, True, False, True, False, 700, 0)"));
        const Variant readBack = Variant::parseLiteral(literal);
        const auto *read = dynamic_cast<com::StdFont *>(readBack.toObject());
        QVERIFY(read);
        QCOMPARE(read->name, font->name);
        QCOMPARE(read->size, 8.25);
        QVERIFY(read->bold && read->underline && !read->italic);

        QImage image(3, 2, QImage::Format_ARGB32);
        image.fill(qRgb(10, 20, 30));
        image.setPixel(2, 1, qRgb(200, 0, 0));
        const Variant picture =
            Variant::fromObject(std::make_shared<com::StdPicture>(gdi::Picture(image, gdi::Picture::Icon)));
        const Variant pictureBack = Variant::parseLiteral(picture.toLiteral());
        const auto *back = dynamic_cast<com::StdPicture *>(pictureBack.toObject());
        QVERIFY(back);
        QCOMPARE(back->picture().type(), gdi::Picture::Icon);
        QCOMPARE(back->picture().image().pixel(2, 1), qRgb(200, 0, 0));
        QCOMPARE(errorOf([] { Variant::parseLiteral(QStringLiteral("Font(1, 2)")); }), 13);
        QCOMPARE(errorOf([] { Variant::parseLiteral(QStringLiteral("Picture(1, \"kein Bild\")")); }), 13);
    }

    void equality()
    {
        QVERIFY(Variant::fromInteger(1).equals(Variant::fromDouble(1.0)));
        QVERIFY(Variant::fromBool(true).equals(Variant::fromInteger(-1)));
        QVERIFY(Variant("5").equals(Variant::fromLong(5)));
        QVERIFY(!Variant("abc").equals(Variant::fromLong(0)));
        QVERIFY(Variant().equals(Variant("")));
        QVERIFY(Variant().equals(Variant::fromInteger(0)));
        QVERIFY(!Variant::null().equals(Variant::null()));
    }

    void dates()
    {
        const QDateTime moment(QDate(2026, 12, 8), QTime(12, 0));
        const Variant v = Variant::fromDate(moment);
        QCOMPARE(v.toDateSerial(), 46364.5);
        QCOMPARE(v.toDateTime(), moment);
        QCOMPARE(Variant::fromDate(QDateTime(QDate(1899, 12, 30), QTime(0, 0))).toDateSerial(), 0.0);
        QCOMPARE(Variant::fromDate(QDateTime(QDate(2026, 12, 8), QTime(0, 0))).display(),
                 QStringLiteral("08.12.2026"));
    }

    void dateRange_data()
    {
        QTest::addColumn<double>("serial");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("error");
        QTest::newRow("first day") << -657434.0 << "01.01.0100" << 0;
        QTest::newRow("first day, evening") << -657434.75 << "01.01.0100 18:00:00" << 0;
        QTest::newRow("last day") << 2958465.0 << "31.12.9999" << 0;
        QTest::newRow("before year 100") << -657435.0 << "" << 6;
        QTest::newRow("after year 9999") << 2958466.0 << "" << 6;
        QTest::newRow("huge") << 1e300 << "" << 6;
        QTest::newRow("hugely negative") << -1e18 << "" << 6;
        QTest::newRow("not a number") << std::nan("") << "" << 6;
    }

    void dateRange()
    {
        QFETCH(double, serial);
        QFETCH(QString, shown);
        QFETCH(int, error);
        QString display;
        QCOMPARE(errorOf([&] { display = Variant::fromDateSerial(serial).display(); }), error);
        QCOMPARE(display, shown);
        QCOMPARE(errorOf([&] { Variant::fromDouble(serial).convertedTo(VarType::Date); }), error);
        if (std::isfinite(serial))
            QCOMPARE(errorOf([&] { Variant::parseLiteral(QStringLiteral("#%1#").arg(serial, 0, 'g', 17)); }),
                     error);
    }
};

KV_TEST_MAIN(TestVariant)
#include "tst_Variant.moc"
