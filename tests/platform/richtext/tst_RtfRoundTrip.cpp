#include "tests/support/TestMain.h"

#include "platform/richtext/ClipboardSource.h"
#include "platform/richtext/Picture.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/RtfWriter.h"

#include <QBuffer>
#include <QPair>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

using richtext::Picture;
using richtext::RichTextBox;
using richtext::RtfReader;

namespace
{

class FakeClipboard : public richtext::ClipboardSource
{
public:
    QString text() const override { return {}; }
    QImage image() const override { return m_image; }
    QImage m_image;
};

QByteArray encoded(const char *format, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x ^ y) % 256));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 90);
    return bytes;
}

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

// Every selection property as the platform prints it.
QString signature(RichTextBox &box, int start, int length)
{
    box.setSelStart(start);
    box.setSelLength(length);
    return QStringList{
        box.selBold().display(),       box.selItalic().display(),        box.selUnderline().display(),
        box.selStrikeThru().display(), box.selColor().display(),         box.selFontName().display(),
        box.selFontSize().display(),   box.selAlignment().display(),     box.selBullet().display(),
        box.selIndent().display(),     box.selHangingIndent().display(), box.selRightIndent().display()}
        .join(QLatin1Char('|'));
}

bool isAscii(const QString &s)
{
    for (QChar c : s) {
        if (c.unicode() > 0x7E || (c.unicode() < 0x20 && c != u'\r' && c != u'\n'))
            return false;
    }
    return true;
}

// A single-colour PNG of the given size: large in pixels, small as a file.
QByteArray plainPng(QSize size)
{
    QImage image(size, QImage::Format_Mono);
    image.fill(0);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Bytes that stand for a metafile; nothing here draws them.
QByteArray metafileBytes(int seed)
{
    QByteArray bytes("\x01\x00\x09\x00\x00\x03", 6);
    for (int i = 0; i < 300; ++i)
        bytes.append(static_cast<char>((i * 31 + seed) & 0xFF));
    return bytes;
}

// The \pict groups of an RTF text: their control words and their hex data.
QList<QPair<QString, QString>> pictGroups(const QString &rtf)
{
    QList<QPair<QString, QString>> out;
    for (qsizetype at = rtf.indexOf(QLatin1String("{\\pict")); at >= 0;
         at = rtf.indexOf(QLatin1String("{\\pict"), at + 1)) {
        const qsizetype end = rtf.indexOf(u'}', at);
        const QString group = rtf.mid(at + 1, end - at - 1);
        qsizetype dataStart = group.lastIndexOf(u'\\');
        while (dataStart < group.size() && !group[dataStart].isSpace())
            ++dataStart;
        QString hex = group.mid(dataStart);
        hex.remove(u'\r').remove(u'\n').remove(u' ');
        out.append({group.left(dataStart).trimmed(), hex});
    }
    return out;
}

} // namespace

class TestRtfRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void formatting_data();
    void formatting();
    void text_data();
    void text();
    void picturesByteForByte_data();
    void picturesByteForByte();
    void undrawnPicturesByteForByte_data();
    void undrawnPicturesByteForByte();
    void oversizedPictureInsertedUndrawn();
    void pastedBitmapStoredAsPng();
    void secondSaveEqualsFirst();
    void selectionCopyCarriesFormatting();
};

void TestRtfRoundTrip::formatting_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("bold") << "bold";
    QTest::newRow("italic") << "italic";
    QTest::newRow("underline") << "underline";
    QTest::newRow("strike-through") << "strike";
    QTest::newRow("colour") << "color";
    QTest::newRow("font name") << "font";
    QTest::newRow("font size") << "size";
    QTest::newRow("half point size") << "halfsize";
    QTest::newRow("centred") << "center";
    QTest::newRow("right") << "right";
    QTest::newRow("bullet") << "bullet";
    QTest::newRow("indents") << "indents";
    QTest::newRow("everything") << "all";
}

void TestRtfRoundTrip::formatting()
{
    QFETCH(QString, change);
    RichTextBox box;
    box.setFontName(QStringLiteral("Arial"));
    box.setFontSize(12);
    box.setText(QString::fromUtf8("Vor dem Wort\r\nDas Wort mit Ärger\r\nnach dem Wort"));
    box.setSelStart(18);
    box.setSelLength(4); // the second "Wort"
    QCOMPARE(box.selText(), QStringLiteral("Wort"));
    const bool all = change == QLatin1String("all");
    if (all || change == QLatin1String("bold"))
        box.setSelBold(true);
    if (all || change == QLatin1String("italic"))
        box.setSelItalic(true);
    if (all || change == QLatin1String("underline"))
        box.setSelUnderline(true);
    if (all || change == QLatin1String("strike"))
        box.setSelStrikeThru(true);
    if (all || change == QLatin1String("color"))
        box.setSelColor(0x0080FF);
    if (all || change == QLatin1String("font"))
        box.setSelFontName(QStringLiteral("Courier New"));
    if (all || change == QLatin1String("size"))
        box.setSelFontSize(18);
    if (change == QLatin1String("halfsize"))
        box.setSelFontSize(10.5);
    if (all || change == QLatin1String("center"))
        box.setSelAlignment(RichTextBox::AlignCenter);
    if (change == QLatin1String("right"))
        box.setSelAlignment(RichTextBox::AlignRight);
    if (all || change == QLatin1String("bullet"))
        box.setSelBullet(true);
    if (all || change == QLatin1String("indents")) {
        box.setSelIndent(570);
        box.setSelHangingIndent(285);
        box.setSelRightIndent(135);
    }
    const QString rtf = box.textRTF();
    QVERIFY(isAscii(rtf));
    RichTextBox other;
    other.setTextRTF(rtf);
    QCOMPARE(other.text(), box.text());
    // The word, its paragraph, the paragraphs around it, and all at once.
    const int ranges[][2] = {{18, 4}, {14, 3}, {0, 12}, {34, 13}, {0, 47}, {10, 15}};
    for (const auto &r : ranges)
        QCOMPARE(signature(other, r[0], r[1]), signature(box, r[0], r[1]));
}

void TestRtfRoundTrip::text_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("umlauts") << QString::fromUtf8("Äpfel, Öl, Übermut, süß, ÄÖÜäöüß");
    QTest::newRow("euro and quotes") << QString::fromUtf8("5 € – „Zitat“ ‚x‘ … ™ Œ š");
    QTest::newRow("outside 1252") << QString::fromUtf8("Ωmega Жук 中文 ĉ ő 😀 𝄞");
    QTest::newRow("RTF specials") << QStringLiteral("a\\b{c}d\\par e\tf");
    QTest::newRow("line breaks") << QStringLiteral("eins\r\nzwei\r\n\r\ndrei\r\n");
    QTest::newRow("spaces kept") << QStringLiteral("  x  \r\n ");
    QTest::newRow("no-break space and soft hyphen") << QString::fromUtf8("a\xC2\xA0"
                                                                         "b\xC2\xAD"
                                                                         "c");
    QTest::newRow("empty") << QString();
    QTest::newRow("only breaks") << QStringLiteral("\r\n\r\n");
}

void TestRtfRoundTrip::text()
{
    QFETCH(QString, text);
    RichTextBox box;
    box.setText(text);
    const QString rtf = box.textRTF();
    QVERIFY(isAscii(rtf));
    RichTextBox other;
    other.setTextRTF(rtf);
    QCOMPARE(other.text(), text);
}

void TestRtfRoundTrip::picturesByteForByte_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSizeF>("shown");
    QTest::newRow("png") << encoded("PNG", QSize(40, 30)) << QSizeF();
    QTest::newRow("jpeg") << encoded("JPEG", QSize(33, 17)) << QSizeF();
    QTest::newRow("png shown smaller") << encoded("PNG", QSize(40, 30)) << QSizeF(20, 15);
    QTest::newRow("large png") << encoded("PNG", QSize(700, 500)) << QSizeF();
}

void TestRtfRoundTrip::picturesByteForByte()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSizeF, shown);
    RichTextBox box;
    box.setText(QStringLiteral("vor  nach\r\nzweites"));
    QTextCursor c(box.completedDocument());
    c.setPosition(4);
    QVERIFY(Picture::insert(c, bytes, shown));
    c.setPosition(box.completedDocument()->characterCount() - 1);
    QVERIFY(Picture::insert(c, bytes));
    const QString rtf = box.textRTF();
    QVERIFY(isAscii(rtf));
    RichTextBox other;
    other.setTextRTF(rtf);
    const QString obj(QChar::ObjectReplacementCharacter);
    QCOMPARE(other.text(), QStringLiteral("vor ") + obj + QStringLiteral(" nach\r\nzweites") + obj);
    const QList<QTextCharFormat> pics = pictures(other.completedDocument());
    QCOMPARE(pics.size(), 2);
    QCOMPARE(Picture::encoded(pics[0]), bytes);
    QCOMPARE(Picture::encoded(pics[1]), bytes);
    const QSizeF natural = QImage::fromData(bytes).size();
    QCOMPARE(Picture::displaySize(pics[0]), shown.isValid() ? shown : natural);
    QCOMPARE(Picture::displaySize(pics[1]), natural);
}

void TestRtfRoundTrip::undrawnPicturesByteForByte_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSizeF>("shown");
    QTest::newRow("png of 16000 x 16000") << "\\pngblip\\picw16000\\pich16000\\picwgoal2400\\pichgoal1800"
                                          << plainPng(QSize(16000, 16000)) << QSizeF(160, 120);
    QTest::newRow("wmf") << "\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720" << metafileBytes(1)
                         << QSizeF(96, 48);
    QTest::newRow("wmf without goal, sized in hundredths of a millimetre")
        << "\\wmetafile8\\picw5080\\pich2540" << metafileBytes(2) << QSizeF(192, 96);
    QTest::newRow("emf scaled")
        << "\\emfblip\\picw100\\pich100\\picwgoal1500\\pichgoal3000\\picscalex50\\picscaley50"
        << metafileBytes(3) << QSizeF(50, 100);
    QTest::newRow("device-independent bitmap")
        << "\\dibitmap0\\picw4\\pich4\\picwgoal60\\pichgoal60\\picbmp\\picbpp24" << metafileBytes(4)
        << QSizeF(4, 4);
    QTest::newRow("no control words at all") << QString() << metafileBytes(5) << QSizeF(32, 32);
    QTest::newRow("png that does not decode") << "\\pngblip\\picw10\\pich10\\picwgoal150\\pichgoal150"
                                              << QByteArray("\x89PNG\r\n\x1a\nbroken", 14) << QSizeF(10, 10);
}

void TestRtfRoundTrip::undrawnPicturesByteForByte()
{
    QFETCH(QString, words);
    QFETCH(QByteArray, bytes);
    QFETCH(QSizeF, shown);
    const QString hex = QString::fromLatin1(bytes.toHex());
    const QString rtf = QStringLiteral("{\\rtf1\\ansi vor {\\pict%1\r\n%2} nach\\par}").arg(words, hex);
    // What the layout is handed as text: all but the picture.
    QCOMPARE(RtfReader::weigh(rtf.toLatin1()).chars, qint64(sizeof("vor  nach") - 1));
    RichTextBox box;
    box.setTextRTF(rtf);
    const QString obj(QChar::ObjectReplacementCharacter);
    QCOMPARE(box.text(), QStringLiteral("vor ") + obj + QStringLiteral(" nach"));
    const QList<QTextCharFormat> pics = pictures(box.completedDocument());
    QCOMPARE(pics.size(), 1);
    QCOMPARE(Picture::encoded(pics[0]), bytes);
    QCOMPARE(Picture::displaySize(pics[0]), shown);
    // Shown as a frame of its size, never decoded to a giant image.
    const QImage drawn = box.completedDocument()
                             ->resource(QTextDocument::ImageResource, QUrl(pics[0].toImageFormat().name()))
                             .value<QImage>();
    QVERIFY(!drawn.isNull());
    QVERIFY(drawn.width() <= 512 && drawn.height() <= 512);

    const QString saved = box.textRTF();
    QVERIFY(isAscii(saved));
    const auto groups = pictGroups(saved);
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups[0].first, QStringLiteral("\\pict") + words);
    QCOMPARE(groups[0].second, hex);

    // And again from what was saved.
    RichTextBox other;
    other.setTextRTF(saved);
    QCOMPARE(other.textRTF(), saved);
}

void TestRtfRoundTrip::oversizedPictureInsertedUndrawn()
{
    const QByteArray png = plainPng(QSize(16000, 16000));
    RichTextBox box;
    QTextCursor c(box.completedDocument());
    QVERIFY(Picture::insert(c, png, QSizeF(100, 100)));
    const auto groups = pictGroups(box.textRTF());
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups[0].first,
             QStringLiteral("\\pict\\pngblip\\picw16000\\pich16000\\picwgoal1500\\pichgoal1500"));
    QCOMPARE(groups[0].second, QString::fromLatin1(png.toHex()));
}

void TestRtfRoundTrip::pastedBitmapStoredAsPng()
{
    // A bitmap picture from the clipboard (as a loaded BMP arrives) is saved
    // as PNG and comes back with the same pixels.
    QImage bitmap(9, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 9; ++x)
            bitmap.setPixel(x, y, qRgb(x * 20, y * 40, 200));
    }
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    bitmap.save(&buffer, "BMP");
    FakeClipboard clip;
    clip.m_image = QImage::fromData(bmp, "BMP");
    RichTextBox box;
    box.setClipboardSource(&clip);
    box.paste();
    const QString rtf = box.textRTF();
    QVERIFY(rtf.contains(QLatin1String("\\pngblip")));
    QVERIFY(!rtf.contains(QLatin1String("424d"))); // no BMP header
    RichTextBox other;
    other.setTextRTF(rtf);
    const QList<QTextCharFormat> pics = pictures(other.completedDocument());
    QCOMPARE(pics.size(), 1);
    const QImage back = QImage::fromData(Picture::encoded(pics[0])).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(back, bitmap);
}

void TestRtfRoundTrip::secondSaveEqualsFirst()
{
    RichTextBox box;
    box.setText(QString::fromUtf8("Titel\r\nAufzählung eins\r\nAufzählung zwei\r\nEnde € 😀"));
    box.setSelStart(0);
    box.setSelLength(5);
    box.setSelBold(true);
    box.setSelFontSize(20);
    box.setSelAlignment(RichTextBox::AlignCenter);
    box.setSelStart(7);
    box.setSelLength(30);
    box.setSelBullet(true);
    box.setSelColor(0x00AA00);
    QTextCursor c(box.completedDocument());
    c.movePosition(QTextCursor::End);
    Picture::insert(c, encoded("PNG", QSize(5, 5)));
    const QString first = box.textRTF();
    RichTextBox other;
    other.setTextRTF(first);
    QCOMPARE(other.textRTF(), first);
}

void TestRtfRoundTrip::selectionCopyCarriesFormatting()
{
    RichTextBox box;
    box.setText(QStringLiteral("abc def"));
    box.setSelStart(4);
    box.setSelLength(3);
    box.setSelItalic(true);
    const QByteArray part = richtext::RtfWriter::write(*box.completedDocument(), 2, 6);
    RichTextBox other;
    other.setTextRTF(QString::fromLatin1(part));
    QCOMPARE(other.text(), QStringLiteral("c de"));
    QCOMPARE(signature(other, 0, 2).section(QLatin1Char('|'), 1, 1), QStringLiteral("False"));
    QCOMPARE(signature(other, 2, 2).section(QLatin1Char('|'), 1, 1), QStringLiteral("True"));
}

KV_TEST_MAIN(TestRtfRoundTrip)
#include "tst_RtfRoundTrip.moc"
