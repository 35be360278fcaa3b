#include "tests/support/OddEntries.h"
#include "tests/support/TestMain.h"

#include "platform/richtext/ParagraphPieces.h"
#include "platform/richtext/Picture.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

namespace ParagraphPieces = richtext::ParagraphPieces;
using richtext::Picture;
using richtext::RichTextBox;
using richtext::RtfReader;
using richtext::RtfWriter;

namespace
{

QByteArray encodedImage(const char *format, QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    image.setPixelColor(0, 0, Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QString wrap(const QString &body)
{
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}}") + body +
           QLatin1Char('}');
}

// Pictures in document order.
QList<QTextCharFormat> pictures(const QTextDocument *doc)
{
    QList<QTextCharFormat> out;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (Picture::isPicture(it.fragment().charFormat()))
                out << it.fragment().charFormat();
        }
    }
    return out;
}

QString select(RichTextBox &box, const QString &what)
{
    const int at = box.text().indexOf(what);
    box.setSelStart(std::max(0, at));
    box.setSelLength(what.size());
    return box.selText();
}

const QString obj = QString(QChar::ObjectReplacementCharacter);

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private slots:
    void escapes_data();
    void escapes();
    void malformed_data();
    void malformed();
    void deepNestingIsBoundedAndFast();
    void clampedNumbers();
    void colourTable();
    void wordStyleDocument();
    void wordPadStyleDocument();
    void officeSuiteStyleDocument();
    void pictureSizes_data();
    void pictureSizes();
    void stepwiseReadEqualsWholeRead_data();
    void stepwiseReadEqualsWholeRead();
};

void TestRtfReader::escapes_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hex umlauts") << "\\'e4\\'f6\\'fc\\'df\\'c4" << QString::fromUtf8("äöüßÄ");
    QTest::newRow("hex upper case") << "\\'C4\\'D6" << QString::fromUtf8("ÄÖ");
    QTest::newRow("euro in 1252") << "\\'80 \\'84x\\'93" << QString::fromUtf8("€ „x“");
    QTest::newRow("unicode with fallback") << "\\u8364\\'80 x" << QString::fromUtf8("€ x");
    QTest::newRow("fallback is a literal") << "\\u937?mega" << QString::fromUtf8("Ωmega");
    QTest::newRow("uc2") << "{\\uc2\\u937\\'3f\\'3f}a" << QString::fromUtf8("Ωa");
    QTest::newRow("uc0") << "\\uc0\\u937 a" << QString::fromUtf8("Ωa");
    QTest::newRow("uc scoped to group") << "{\\uc0\\u937 }\\u937?b" << QString::fromUtf8("ΩΩb");
    QTest::newRow("brace ends fallback") << "{\\uc3\\u937 a}b" << QString::fromUtf8("Ωb");
    QTest::newRow("surrogate pair") << "\\u-10179?\\u-8704?" << QString::fromUtf8("😀");
    QTest::newRow("lone high surrogate") << "\\u-10179?x" << QString::fromUtf8("\xEF\xBF\xBDx");
    QTest::newRow("lone low surrogate") << "x\\u-8704?" << QString::fromUtf8("x\xEF\xBF\xBD");
    QTest::newRow("escaped braces") << "\\{a\\}\\\\"
                                    << "{a}\\";
    QTest::newRow("tab and line") << "a\\tab b\\line c"
                                  << "a\tb\r\nc";
    QTest::newRow("typographic words") << "\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote\\~"
                                       << QString::fromUtf8("—–•‘’“”\xC2\xA0");
    QTest::newRow("unknown words") << "a\\foo123 b\\xyz c"
                                   << "abc";
    QTest::newRow("overlong word") << "a\\abcdefghijabcdefghijabcdefghijabcdefghij b"
                                   << "ab";
    QTest::newRow("starred destination") << "a{\\*\\unknown text {nested}}b"
                                         << "ab";
    QTest::newRow("skipped destinations")
        << "{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}{\\*\\generator G;}x"
        << "x";
    QTest::newRow("bin skips raw bytes") << "a\\bin3 {}}b"
                                         << "ab";
    QTest::newRow("paragraphs, last mark dropped") << "a\\par b\\par"
                                                   << "a\r\nb";
    QTest::newRow("empty last paragraph kept") << "a\\par\\par"
                                               << "a\r\n";
    QTest::newRow("escaped newline is a paragraph") << "a\\\nb"
                                                    << "a\r\nb";
    QTest::newRow("raw newlines ignored") << "a\r\nb\nc"
                                          << "abc";
    QTest::newRow("raw 8-bit as 1252") << QString::fromLatin1("\xe4\x80") << QString::fromUtf8("ä€");
    QTest::newRow("raw beyond Latin-1") << QString::fromUtf8("Жx") << QString::fromUtf8("Жx");
    QTest::newRow("control characters dropped") << QString::fromLatin1("a\0\x01\x1f"
                                                                       "b",
                                                                       5)
                                                << "ab";
    QTest::newRow("field result kept, instruction not")
        << "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt Verweis}}"
        << "Verweis";
    QTest::newRow("hidden shape properties") << "{\\sp{\\sn fLine}{\\sv 0}}t"
                                             << "t";
}

void TestRtfReader::escapes()
{
    QFETCH(QString, body);
    RichTextBox box;
    box.setTextRTF(wrap(body));
    QTEST(box.text(), "expected");
}

void TestRtfReader::malformed_data()
{
    QTest::addColumn<QString>("rtf");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unclosed groups") << "{\\rtf1 abc{\\b def"
                                     << "abcdef";
    QTest::newRow("extra closing braces") << "{\\rtf1 abc}}}def}"
                                          << "abcdef";
    QTest::newRow("truncated hex") << "{\\rtf1 ab\\'e"
                                   << "ab";
    QTest::newRow("hex cut by brace") << "{\\rtf1 ab\\'e}c"
                                      << "abc";
    QTest::newRow("quote at end") << "{\\rtf1 ab\\'"
                                  << "ab";
    QTest::newRow("backslash at end") << "{\\rtf1 ab\\"
                                      << "ab";
    QTest::newRow("minus without digits is text") << "{\\rtf1 ab\\li-"
                                                  << "ab-";
    QTest::newRow("u without number") << "{\\rtf1 ab\\u"
                                      << "ab";
    QTest::newRow("structural characters from u") << "{\\rtf1 a\\u0?\\u13?\\u10?\\u65532?\\u-560?\\u8233?b}"
                                                  << "a\r\nb";
    QTest::newRow("control bytes from hex") << "{\\rtf1 a\\'0d\\'0a\\'00\\'09b}"
                                            << "a\tb";
    QTest::newRow("bin beyond end") << "{\\rtf1 a\\bin99999999 bc"
                                    << "a";
    QTest::newRow("negative bin") << "{\\rtf1 a\\bin-5 bc}"
                                  << "abc";
    QTest::newRow("truncated picture") << "{\\rtf1 a{\\pict\\pngblip 89504e470d0a1a"
                                       << "a";
    QTest::newRow("odd hex digits") << "{\\rtf1 a{\\pict\\pngblip 0}b}"
                                    << "ab";
    // Data that does not decode is still kept, shown as an undrawn picture.
    QTest::newRow("picture that is no picture")
        << "{\\rtf1 a{\\pict\\pngblip 00112233}b}" << QStringLiteral("a\uFFFCb");
    QTest::newRow("jpeg header only")
        << "{\\rtf1 a{\\pict\\jpegblip ffd8ffe000}b}" << QStringLiteral("a\uFFFCb");
    QTest::newRow("unterminated font table") << "{\\rtf1{\\fonttbl{\\f0 Arial"
                                             << "";
    QTest::newRow("unterminated colour table") << "{\\rtf1{\\colortbl;\\red9"
                                               << "";
    QTest::newRow("list text never closed") << "{\\rtf1 a\\par{\\listtext x"
                                            << "a";
    QTest::newRow("control byte in list marker") << "{\\rtf1 {\\listtext\\'001.}a\\par}"
                                                 << "1.a";
    QTest::newRow("half character in list marker")
        << "{\\rtf1 {\\listtext\\u-10179?x}a\\par}" << QString::fromUtf8("\xEF\xBF\xBDxa");
    QTest::newRow("star alone") << "{\\rtf1 a{\\*}b}"
                                << "ab";
    QTest::newRow("star at end") << "{\\rtf1 a{\\*"
                                 << "a";
    QTest::newRow("only braces") << "{\\rtf1{{{{}}}}}"
                                 << "";
    QTest::newRow("empty document") << "{\\rtf1}"
                                    << "";
}

void TestRtfReader::malformed()
{
    QFETCH(QString, rtf);
    RichTextBox box;
    box.setTextRTF(rtf);
    QTEST(box.text(), "expected");
}

void TestRtfReader::deepNestingIsBoundedAndFast()
{
    const int depth = 200000;
    QString rtf = QStringLiteral("{\\rtf1 a");
    rtf += QString(depth, u'{') + QStringLiteral("\\b x") + QString(depth, u'}');
    rtf += QStringLiteral("{{{{{{{{{{y}}}}}}}}}}z}");
    QElapsedTimer timer;
    timer.start();
    RichTextBox box;
    box.setTextRTF(rtf);
    // Text nested past the limit is dropped; what follows is read again.
    QCOMPARE(box.text(), QStringLiteral("ayz"));
    QVERIFY(timer.elapsed() < 5000);

    QString within = QStringLiteral("{\\rtf1 ") + QString(100, u'{') + QStringLiteral("\\i w") +
                     QString(100, u'}') + QStringLiteral("}");
    box.setTextRTF(within);
    QCOMPARE(box.text(), QStringLiteral("w"));
    box.setSelStart(0);
    box.setSelLength(1);
    QCOMPARE(box.selItalic().toBool(), true);
}

void TestRtfReader::clampedNumbers()
{
    RichTextBox box;
    box.setTextRTF(QStringLiteral("{\\rtf1\\fs99999999999999999999 a\\u99999999999999 b"
                                  "\\li-99999999999\\fi99999999999 c\\par}"));
    QCOMPARE(box.text(), QStringLiteral("a") + QChar(0xFFFF) + QStringLiteral("c"));
    box.setSelStart(0);
    box.setSelLength(1);
    QCOMPARE(box.selFontSize().toDouble(), 72.0); // what a page holds
    QCOMPARE(box.selIndent().toDouble(), 0.0);    // -31680 + 31680
    QCOMPARE(box.selHangingIndent().toDouble(), -31680.0);
    box.setTextRTF(QStringLiteral("{\\rtf1\\fs0 a\\fs-4 b}"));
    box.setSelStart(0);
    box.setSelLength(2);
    QCOMPARE(box.selFontSize().toDouble(), 1.0);
}

void TestRtfReader::colourTable()
{
    RichTextBox box;
    box.setTextRTF(QStringLiteral("{\\rtf1{\\colortbl;\\red300\\green-5\\blue20;\\red1\\green2\\blue3;}"
                                  "\\cf1 a\\cf2 b\\cf999 c\\cf0 d}"));
    QCOMPARE(box.text(), QStringLiteral("abcd"));
    const QList<qint32> expected{0x1400FF, 0x030201, 0, 0};
    for (int i = 0; i < 4; ++i) {
        box.setSelStart(i);
        box.setSelLength(1);
        QCOMPARE(box.selColor().toLong(), expected[i]);
    }
}

void TestRtfReader::wordStyleDocument()
{
    const QByteArray png = encodedImage("PNG", QSize(12, 12), Qt::red);
    const QString rtf =
        QStringLiteral(
            "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff0\\deff0\\stshfdbch0\\stshfloch31506"
            "\\deflang1031\\deflangfe1031\\themelang1031"
            "{\\fonttbl{\\f0\\fbidi \\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Times New "
            "Roman;}"
            "{\\f3\\fbidi \\froman\\fcharset2\\fprq2{\\*\\panose 05050102010706020507}Symbol;}\r\n"
            "{\\f37\\fbidi \\fswiss\\fcharset0\\fprq2{\\*\\panose 020f0502020204030204}Calibri;}}\r\n"
            "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green0\\blue0;}\r\n"
            "{\\*\\defchp \\f31506\\fs22 }{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\wrapdefault\\aspalpha"
            "\\rtlch\\fcs1 \\af0\\afs22\\alang1025 \\ltrch\\fcs0 \\f37\\fs22\\lang1031 \\snext0 \\sqformat "
            "\\spriority0 Normal;}{\\*\\cs10 \\additive \\ssemihidden Default Paragraph Font;}}\r\n"
            "{\\*\\listtable{\\list\\listtemplateid-1\\listhybrid{\\listlevel\\levelnfc23\\levelnfcn23"
            "\\leveljc0\\levelfollow0\\levelstartat1{\\leveltext\\leveltemplateid67567617\\'01\\u-3913 ?;}"
            "{\\levelnumbers;}\\f3\\fbias0 \\fi-360\\li720\\lin720 }{\\listname ;}\\listid1}}\r\n"
            "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\r\n"
            "{\\*\\rsidtbl \\rsid123\\rsid456}{\\*\\generator Textprogramm 16.0;}{\\info{\\title Tagebuch}"
            "{\\author Jemand}{\\creatim\\yr2026\\mo12\\dy8\\hr10\\min5}}\r\n"
            "\\paperw11906\\paperh16838\\margl1417\\margr1417\\margt1417\\margb1134\\gutter0\\ltrsect \r\n"
            "{\\*\\xmlnstbl {\\xmlns1 http://schemas.example.invalid/wordml}}\r\n"
            "\\pard\\plain \\ltrpar\\qc \\li0\\ri0\\widctlpar\\wrapdefault\\rin0\\lin0\\itap0 \\rtlch\\fcs1 "
            "\\af0\\afs22 \\ltrch\\fcs0 \\f37\\fs22\\lang1031 {\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 "
            "\\b\\fs32\\insrsid123 \\'dcberschrift}{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\insrsid123 \\par "
            "}\r\n"
            "\\pard \\ltrpar\\ql \\li0\\ri0\\widctlpar {\\ltrch\\fcs0 Ein }{\\ltrch\\fcs0 \\i\\cf2 kursiver}"
            "{\\ltrch \\ul  Satz}{ mit \\strike alt\\strike0  und \\'80.\\par }\r\n"
            "{\\listtext\\pard\\plain\\ltrpar \\rtlch\\fcs1 \\af0\\afs22 \\ltrch\\fcs0 "
            "\\f3\\fs22\\insrsid456 "
            "\\loch\\af3\\dbch\\af0\\hich\\f3 \\'b7\\tab}\\pard \\ltrpar\\ql \\fi-360\\li720\\ri0\\widctlpar"
            "\\ls1\\adjustright\\rin0\\lin720\\itap0\\pararsid456 {\\ltrch\\insrsid456 Punkt eins\\par }\r\n"
            "{\\listtext\\pard\\plain\\f3\\fs22 \\'b7\\tab}Punkt zwei\\par \r\n"
            "\\pard\\plain \\ltrpar\\qr\\f37\\fs22 {\\*\\shppict{\\pict{\\*\\picprop\\shplid1025{\\sp{\\sn "
            "shapeType}{\\sv 75}}{\\sp{\\sn fFlipH}{\\sv 0}}}\\picscalex100\\picscaley100\\piccropl0"
            "\\picw265\\pich265\\picwgoal150\\pichgoal150\\pngblip\\bliptag-12345{\\*\\blipuid "
            "0123456789abcdef}\r\n%1}}{\\nonshppict{\\pict\\picscalex100\\picscaley100\\picw265\\pich265"
            "\\picwgoal150\\pichgoal150\\wmetafile8\\bliptag-12345 0100090000}}\\par \r\n"
            "{\\field{\\*\\fldinst {HYPERLINK \"http://example.invalid/\"}}{\\fldrslt {\\ul\\cf2 Verweis}}}"
            "\\par }")
            .arg(QString::fromLatin1(png.toHex()));
    RichTextBox box;
    box.setTextRTF(rtf);
    QCOMPARE(box.text(), QString::fromUtf8("Überschrift\r\nEin kursiver Satz mit alt und €.\r\n"
                                           "Punkt eins\r\nPunkt zwei\r\n") +
                             obj + QStringLiteral("\r\nVerweis"));

    select(box, QString::fromUtf8("Überschrift"));
    QCOMPARE(box.selBold().display(), QStringLiteral("True"));
    QCOMPARE(box.selFontSize().toDouble(), 16.0);
    QCOMPARE(box.selFontName().toString(), QStringLiteral("Calibri"));
    QCOMPARE(box.selAlignment().display(), QStringLiteral("2"));
    select(box, QStringLiteral("kursiver"));
    QCOMPARE(box.selItalic().display(), QStringLiteral("True"));
    QCOMPARE(box.selColor().toLong(), 0xFF0000); // blue
    QCOMPARE(box.selBold().display(), QStringLiteral("False"));
    select(box, QStringLiteral("Satz"));
    QCOMPARE(box.selUnderline().display(), QStringLiteral("True"));
    select(box, QStringLiteral("alt"));
    QCOMPARE(box.selStrikeThru().display(), QStringLiteral("True"));
    select(box, QStringLiteral("Punkt eins\r\nPunkt zwei"));
    QCOMPARE(box.selBullet().display(), QStringLiteral("True"));
    QCOMPARE(box.selIndent().toDouble(), 360.0);
    QCOMPARE(box.selHangingIndent().toDouble(), 360.0);
    select(box, QStringLiteral("Ein"));
    QCOMPARE(box.selBullet().display(), QStringLiteral("False"));
    select(box, obj);
    QCOMPARE(box.selAlignment().display(), QStringLiteral("1"));

    const QList<QTextCharFormat> pics = pictures(box.completedDocument());
    QCOMPARE(pics.size(), 1);
    QCOMPARE(Picture::encoded(pics[0]), png);
    QCOMPARE(Picture::displaySize(pics[0]), QSizeF(10, 10));
    select(box, QStringLiteral("Verweis"));
    QCOMPARE(box.selColor().toLong(), 0xFF0000);
}

void TestRtfReader::wordPadStyleDocument()
{
    const QString rtf = QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 "
        "Calibri;}{\\f1\\fnil\\fcharset2 Symbol;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "{\\*\\generator Editor 10.0.19041}\\viewkind4\\uc1 \r\n"
        "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang7 Normal \\cf1\\b rot fett\\cf0\\b0\\par\r\n"
        "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720"
        "\\sa200\\sl276\\slmult1 Eins\\par\r\n{\\pntext\\f1\\'B7\\tab}Zwei\\par\r\n"
        "\\pard\\sa200\\sl276\\slmult1\\qc Mitte\\par\r\n"
        "\\pard\\sa200\\sl276\\slmult1\\qr Rechts\\line zweite\\tab Spalte\\par\r\n}\r\n");
    RichTextBox box;
    box.setTextRTF(rtf);
    QCOMPARE(box.text(),
             QStringLiteral("Normal rot fett\r\nEins\r\nZwei\r\nMitte\r\nRechts\r\nzweite\tSpalte"));
    select(box, QStringLiteral("rot fett"));
    QCOMPARE(box.selBold().display(), QStringLiteral("True"));
    QCOMPARE(box.selColor().toLong(), 0x0000FF);
    QCOMPARE(box.selFontSize().toDouble(), 11.0);
    select(box, QStringLiteral("Eins\r\nZwei"));
    QCOMPARE(box.selBullet().display(), QStringLiteral("True"));
    select(box, QStringLiteral("Normal"));
    QCOMPARE(box.selBullet().display(), QStringLiteral("False"));
    select(box, QStringLiteral("Mitte"));
    QCOMPARE(box.selAlignment().display(), QStringLiteral("2"));
    QCOMPARE(box.selBullet().display(), QStringLiteral("False"));
    select(box, QStringLiteral("Spalte"));
    QCOMPARE(box.selAlignment().display(), QStringLiteral("1"));
}

void TestRtfReader::officeSuiteStyleDocument()
{
    const QByteArray jpeg = encodedImage("JPEG", QSize(4, 3), Qt::green);
    const QString rtf =
        QStringLiteral(
            "{\\rtf1\\ansi\\deff3\\adeflang1025\r\n"
            "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f3\\fswiss\\fprq2\\fcharset0 "
            "Liberation Sans{\\*\\falt Arial};}}\r\n"
            "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green128\\blue0;}\r\n"
            "{\\stylesheet{\\s0\\snext0\\hich\\af3\\dbch\\af4\\afs24\\loch\\f3\\fs24 Normal;}}\r\n"
            "{\\*\\generator Office/7.4$Linux_X86_64}{\\info{\\creatim\\yr2026\\mo12\\dy8}}\\deftab709\r\n"
            "{\\*\\pgdsctbl{\\pgdsc0\\pgdscuse451\\pgwsxn11906\\pghsxn16838{\\*\\pgdscnxt0 Default Page "
            "Style;}}}\r\n"
            "\\pard\\plain \\s0\\ql\\ls0 {\\listtext\\pard\\plain 1.\\tab}\\fi-360\\li720\\ls2 {\\loch "
            "Erster "
            "Punkt}\\par\r\n{\\listtext\\pard\\plain 2.\\tab}{\\loch\\cf2 Gr\\u252\\'fcn}\\par\r\n"
            "\\pard\\plain \\s0\\qj {\\*\\bkmkstart b1}{\\*\\bkmkend b1}{\\loch Block }{\\*\\shppict{\\pict"
            "\\picw4\\pich3\\picwgoal60\\pichgoal45\\jpegblip %1}}\\par\r\n}")
            .arg(QString::fromLatin1(jpeg.toHex()));
    RichTextBox box;
    box.setTextRTF(rtf);
    // A numbered list keeps its numbers as text: the box knows bullets only.
    QCOMPARE(box.text(), QStringLiteral("1.\tErster Punkt\r\n2.\tGr") + QChar(0xFC) +
                             QStringLiteral("n\r\nBlock ") + obj);
    select(box, QStringLiteral("Erster"));
    QCOMPARE(box.selBullet().display(), QStringLiteral("False"));
    QCOMPARE(box.selFontName().toString(), QStringLiteral("Liberation Sans"));
    QCOMPARE(box.selIndent().toDouble(), 360.0);
    select(box, QStringLiteral("Gr") + QChar(0xFC) + QStringLiteral("n"));
    QCOMPARE(box.selColor().toLong(), 0x008000);
    const QList<QTextCharFormat> pics = pictures(box.completedDocument());
    QCOMPARE(pics.size(), 1);
    QCOMPARE(Picture::encoded(pics[0]), jpeg);
    QCOMPARE(Picture::kindOf(Picture::encoded(pics[0])), Picture::Kind::Jpeg);
    QCOMPARE(Picture::naturalSize(pics[0]), QSize(4, 3));
}

void TestRtfReader::pictureSizes_data()
{
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("count"); // different pictures alike: the last is checked
    QTest::addColumn<QString>("words");
    QTest::addColumn<QSizeF>("shown");
    QTest::addColumn<QSize>("decoded"); // empty: shown as the stand-in
    const QSize own(8, 6);
    const int rgb = QImage::Format_RGB32;
    QTest::newRow("own size") << own << rgb << 1 << "" << QSizeF(8, 6) << own;
    QTest::newRow("goal in twips") << own << rgb << 1 << "\\picwgoal300\\pichgoal150" << QSizeF(20, 10)
                                   << own;
    QTest::newRow("goal scaled") << own << rgb << 1 << "\\picwgoal300\\pichgoal150\\picscalex50\\picscaley200"
                                 << QSizeF(10, 20) << own;
    QTest::newRow("scale clamped") << own << rgb << 1
                                   << "\\picwgoal15\\pichgoal15\\picscalex0\\picscaley99999"
                                   << QSizeF(0.01, 10) << own;
    QTest::newRow("decoded as shown")
        << QSize(400, 300) << rgb << 1 << "\\picwgoal1500\\pichgoal750" << QSizeF(100, 50) << QSize(100, 50);
    QTest::newRow("16 bits a channel")
        << QSize(600, 400) << int(QImage::Format_RGBA64) << 1 << "" << QSizeF(600, 400) << QSize(600, 400);
    QTest::newRow("more pixels than one picture may have")
        << QSize(4100, 4100) << rgb << 1 << "" << QSizeF(2000, 2000) << QSize();
    QTest::newRow("more pixels than an entry decodes")
        << QSize(4096, 4096) << rgb << 5 << "\\picwgoal1500\\pichgoal1500" << QSizeF(100, 100) << QSize();
}

void TestRtfReader::pictureSizes()
{
    QFETCH(QSize, natural);
    QFETCH(int, format);
    QFETCH(int, count);
    QFETCH(QString, words);
    QImage image(natural, static_cast<QImage::Format>(format));
    image.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&buffer, "PNG"));
    QString rtf;
    for (int i = 0; i < count; ++i) // a PNG reader stops at its end mark
        rtf += QStringLiteral("{\\pict\\pngblip%1 %2%3}")
                   .arg(words, QString::fromLatin1(png.toHex()))
                   .arg(i, 2, 16, QChar(u'0'));
    RichTextBox box;
    box.setTextRTF(wrap(rtf + QStringLiteral(" Text danach").repeated(2000)));
    const QList<QTextCharFormat> pics = pictures(box.completedDocument());
    QCOMPARE(pics.size(), count);
    QTEST(Picture::displaySize(pics.last()), "shown");
    // It keeps only its own bytes, not the room it was read into.
    QCOMPARE(Picture::encoded(pics.last()).size(), png.size() + 1);
    QVERIFY(Picture::encoded(pics.last()).capacity() < 2 * png.size());
    QFETCH(QSize, decoded);
    QCOMPARE(Picture::isUndrawn(pics.last()), decoded.isEmpty());
    const QImage shown =
        box.completedDocument()
            ->resource(QTextDocument::ImageResource, QUrl(pics.last().toImageFormat().name()))
            .value<QImage>();
    if (!decoded.isEmpty()) {
        QCOMPARE(shown.size(), decoded);
        QCOMPARE(shown.sizeInBytes(), 4 * decoded.width() * decoded.height()); // as the budget counts it
    }
}

void TestRtfReader::stepwiseReadEqualsWholeRead_data()
{
    QTest::addColumn<QString>("rtf");
    QTest::addColumn<int>("stepChars");
    QTest::addColumn<bool>("shownOtherwise"); // then an unedited save keeps the RTF
    const QString formatted = wrap(
        QString::fromLatin1(
            "{\\colortbl ;\\red255\\green0\\blue0;}\\pard\\qc\\f0\\fs24 Hallo \\b\\cf1 Welt\\b0\\cf0\\par"
            "{\\pntext\\f0\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf0{\\pntxtb\\'B7}}\\fi-200\\li400 Punkt\\par"
            "\\pard\\uc1 \\u-10179?\\u-8704?\\u8364? \\'e4\\line zwei\\tab drei\\par"
            "{\\pict\\pngblip\\picw2\\pich2 ") +
        QString::fromLatin1(encodedImage("PNG", QSize(2, 2), Qt::red).toHex()) + QLatin1String("} Ende"));
    QString longText = QStringLiteral("\\pard\\qr ");
    for (int i = 0; i < 20000; ++i)
        longText += i % 50 == 0 ? QStringLiteral("{\\i kursiv%1} ").arg(i) : QStringLiteral("wort%1 ").arg(i);
    longText += QStringLiteral("\\par\\pard Schluss\\par");
    QString noSpaces = QStringLiteral("\\pard ");
    noSpaces += QString(131071, u'x'); // the pair falls on the cut
    noSpaces += QStringLiteral("\\u-10179?\\u-8704?");
    noSpaces += QString(70000, u'y');
    for (const int step : {1, 5, 4096}) {
        QTest::addRow("formatted, steps of %d", step) << formatted << step << false;
    }
    QTest::addRow("long paragraph, steps of 999") << wrap(longText) << 999 << false;
    QTest::addRow("long paragraph, steps of 65536") << wrap(longText) << 65536 << false;
    QTest::addRow("no spaces, steps of 7777") << wrap(noSpaces) << 7777 << false;
    QTest::addRow("large font past its budget, steps of 7777")
        << wrap(QStringLiteral("\\pard\\fs200 ") + QStringLiteral("Wort ").repeated(30000)) << 7777 << true;
    QTest::addRow("every face, steps of 65536")
        << QString::fromLatin1(oddentries::make(QStringLiteral("faces-all"))) << 65536 << true;
}

void TestRtfReader::stepwiseReadEqualsWholeRead()
{
    QFETCH(QString, rtf);
    QFETCH(int, stepChars);
    QTextDocument whole;
    QTextCursor cursor(&whole);
    RtfReader::read(rtf, cursor);

    QTextDocument stepped;
    RtfReader::Stepwise reader(rtf, QTextCursor(&stepped));
    int steps = 0;
    while (!reader.step(stepChars))
        ++steps;
    QCOMPARE(steps > 0, rtf.size() > stepChars);
    QVERIFY(reader.step(stepChars));
    QTEST(reader.heldBack(), "shownOtherwise");
    QCOMPARE(stepped.toRawText(), whole.toRawText());
    QCOMPARE(stepped.blockCount(), whole.blockCount());
    QCOMPARE(RtfWriter::write(stepped), RtfWriter::write(whole));

    // A long paragraph is held in pieces of bounded size, and written whole;
    // the text is in at most 256 faces (and the default), each costing the
    // layout a font.
    QSet<QFont> faces;
    for (QTextBlock b = whole.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it)
            faces.insert(it.fragment().charFormat().font());
        QVERIFY2(b.length() <= 2 * 32 * 1024 + 2, qPrintable(QString::number(b.length())));
        // Or it ends in a word too long for a line to break it.
        if (b.next().isValid() && ParagraphPieces::continues(b.next()))
            QVERIFY2(b.length() > 32 * 1024 || !b.text().right(1024).contains(u' '),
                     qPrintable(QString::number(b.length())));
    }
    QVERIFY2(faces.size() <= 257, qPrintable(QString::number(faces.size())));
    QTextDocument again;
    QTextCursor in(&again);
    RtfReader::read(QString::fromLatin1(RtfWriter::write(whole)), in);
    QCOMPARE(again.toRawText(), whole.toRawText());
    QCOMPARE(RtfWriter::write(again), RtfWriter::write(whole));
}

KV_TEST_MAIN(TestRtfReader)
#include "tst_RtfReader.moc"
