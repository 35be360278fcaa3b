#include "tests/support/TestMain.h"

#include "platform/richtext/ImagePrintTarget.h"
#include "platform/richtext/Picture.h"
#include "platform/richtext/PrintProgress.h"
#include "platform/richtext/PrinterTarget.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/RichTextEdit.h"
#include "platform/richtext/RtfReader.h"

#include <QFile>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

namespace
{

// Stops a print before the page `stopAt` (counted from 0).
class StopAt : public richtext::PrintProgress
{
public:
    explicit StopAt(int page) : m_page(page) {}
    bool advance(int page, int) override { return page < m_page; }

private:
    int m_page;
};

// Opens up the clipboard hooks that QTextEdit calls for copy, paste and drop.
class ProbeEdit : public richtext::RichTextEdit
{
public:
    using RichTextEdit::canInsertFromMimeData;
    using RichTextEdit::createMimeDataFromSelection;
    using RichTextEdit::insertFromMimeData;

    void load(const QString &rtf)
    {
        QTextCursor c(document());
        richtext::RtfReader::read(rtf, c);
    }
    void selectRange(int from, int to)
    {
        QTextCursor c(document());
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        setTextCursor(c);
    }
    bool boldAt(int pos) const
    {
        QTextCursor c(document());
        c.setPosition(pos + 1);
        return c.charFormat().fontWeight() >= QFont::Bold;
    }
};

} // namespace

class TestRichTextEdit : public QObject
{
    Q_OBJECT

private slots:
    void copyThenPasteKeepsFormatting();
    void copyAcrossPiecesOfALongParagraph();
    void pasteKinds_data();
    void pasteKinds();
    void printsThroughPrinterToPdf();
    void cancelledPrintLeavesNoFile();
};

void TestRichTextEdit::copyThenPasteKeepsFormatting()
{
    ProbeEdit source;
    source.load(QStringLiteral("{\\rtf1 ab\\b cd\\b0 ef\\par gh}"));
    source.selectRange(1, 5); // "bcde"
    const std::unique_ptr<QMimeData> mime(source.createMimeDataFromSelection());
    QCOMPARE(mime->text(), QStringLiteral("bcde"));
    QVERIFY(mime->hasFormat(QStringLiteral("text/rtf")));

    ProbeEdit target;
    target.setPlainText(QStringLiteral("XY"));
    target.selectRange(1, 1);
    QVERIFY(target.canInsertFromMimeData(mime.get()));
    target.insertFromMimeData(mime.get());
    QCOMPARE(target.toPlainText(), QStringLiteral("XbcdeY"));
    const bool expected[] = {false, false, true, true, false, false};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(target.boldAt(i), expected[i]);
    QCOMPARE(target.textCursor().position(), 5);
}

void TestRichTextEdit::copyAcrossPiecesOfALongParagraph()
{
    QString rtf = QStringLiteral("{\\rtf1 ");
    QString text;
    for (int i = 0; i < 8000; ++i) {
        rtf += QStringLiteral("wort%1 ").arg(i);
        text += QStringLiteral("wort%1 ").arg(i);
    }
    rtf += QLatin1String("\\par zwei}");
    ProbeEdit source;
    source.load(rtf);
    QVERIFY(source.document()->blockCount() > 2);
    const int cut = source.document()->findBlockByNumber(1).position() - 1;
    source.selectRange(cut - 10, cut + 11);
    const std::unique_ptr<QMimeData> mime(source.createMimeDataFromSelection());
    const QString expected = text.mid(cut - 10, 20);
    QCOMPARE(mime->text(), expected);

    ProbeEdit target;
    target.setPlainText(QStringLiteral("XY"));
    target.selectRange(1, 1);
    target.insertFromMimeData(mime.get());
    QCOMPARE(target.toPlainText(), QLatin1Char('X') + expected + QLatin1Char('Y'));
}

void TestRichTextEdit::pasteKinds_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("blocks");
    QTest::addColumn<bool>("singleLine");
    const QString obj(QChar::ObjectReplacementCharacter);
    QTest::newRow("text with CR LF") << "text" << 1 << 1 << "a1\n2\t3b" << 2 << false;
    QTest::newRow("text over the selection") << "text" << 0 << 2 << "1\n2\t3" << 2 << false;
    QTest::newRow("picture") << "image" << 1 << 1 << QStringLiteral("a") + obj + "b" << 1 << false;
    QTest::newRow("RTF before text") << "rtf" << 1 << 1 << "aRTFb" << 1 << false;
    // A one-line box holds a key such as a date: no break, no tab, no format.
    QTest::newRow("one line: breaks and tabs") << "text" << 1 << 1 << "a1 2 3b" << 1 << true;
    QTest::newRow("one line: RTF as its text") << "rtf" << 1 << 1 << "a1 2 3b" << 1 << true;
}

void TestRichTextEdit::pasteKinds()
{
    QFETCH(QString, kind);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, singleLine);
    ProbeEdit edit;
    edit.setSingleLine(singleLine);
    edit.setPlainText(QStringLiteral("ab"));
    edit.selectRange(from, to);
    QMimeData mime;
    mime.setText(QStringLiteral("1\r\n2\t3"));
    if (kind == QLatin1String("image")) {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        mime.setImageData(image);
        mime.setText(QString());
    }
    if (kind == QLatin1String("rtf"))
        mime.setData(QStringLiteral("text/rtf"), "{\\rtf1 RTF}");
    edit.insertFromMimeData(&mime);
    QString plain = edit.document()->toRawText();
    plain.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    QTEST(plain, "expected");
    QTEST(edit.document()->blockCount(), "blocks");
    if (kind == QLatin1String("image")) {
        QTextCharFormat picture;
        for (auto it = edit.document()->begin().begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                picture = it.fragment().charFormat();
        }
        QVERIFY(richtext::Picture::isPicture(picture));
        QCOMPARE(richtext::Picture::kindOf(richtext::Picture::encoded(picture)),
                 richtext::Picture::Kind::Png);
    }
}

void TestRichTextEdit::printsThroughPrinterToPdf()
{
    // A PDF file in a temporary folder stands in for the printer.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("eintrag.pdf"));
    QPrinter printer;
    printer.setResolution(150);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    richtext::RichTextBox box;
    QStringList lines;
    for (int i = 0; i < 150; ++i)
        lines << QStringLiteral("Zeile %1").arg(i);
    box.setText(lines.join(QStringLiteral("\r\n")));
    richtext::PrinterTarget target(printer);
    box.selPrint(target);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF"));
    // As many pages as the same page size gives on the image stand-in.
    richtext::ImagePrintTarget images(printer.pageRect(QPrinter::DevicePixel).size().toSize(),
                                      printer.resolution());
    box.selPrint(images);
    QVERIFY(images.pages().size() > 1);
    const QRegularExpressionMatch count =
        QRegularExpression(QStringLiteral("/Count (\\d+)")).match(QString::fromLatin1(pdf));
    QVERIFY(count.hasMatch());
    QCOMPARE(count.captured(1).toInt(), images.pages().size());
}

void TestRichTextEdit::cancelledPrintLeavesNoFile()
{
    // Qt's PDF engine cannot abort a job; the pages begun must not stay behind.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("eintrag.pdf"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    richtext::RichTextBox box;
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines << QStringLiteral("Zeile %1").arg(i);
    box.setText(lines.join(QStringLiteral("\r\n")));
    StopAt stop(2);
    {
        richtext::PrinterTarget target(printer);
        QVERIFY(!box.selPrint(target, &stop));
    }
    QVERIFY(!QFile::exists(path));
}

KV_TEST_MAIN(TestRichTextEdit)
#include "tst_RichTextEdit.moc"
