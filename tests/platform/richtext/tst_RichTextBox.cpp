#include "tests/support/OddEntries.h"
#include "tests/support/TestMain.h"

#include "platform/com/AutomationError.h"
#include "platform/gdi/SystemColors.h"
#include "platform/richtext/ClipboardSource.h"
#include "platform/richtext/ImagePrintTarget.h"
#include "platform/richtext/Picture.h"
#include "platform/richtext/PrintProgressWindow.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/RtfWriter.h"
#include "platform/screen/ScreenPointer.h"
#include "tests/support/fakes/FakeScreenPointer.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QTimer>

#include <functional>
#include <vector>

using richtext::RichTextBox;

namespace
{

class FakeClipboard : public richtext::ClipboardSource
{
public:
    QString text() const override { return m_text; }
    QImage image() const override { return m_image; }
    QString m_text;
    QImage m_image;
};

// Three paragraphs: "Hallo Welt" with "Welt" bold and red, "zweite Zeile"
// centred, "dritte" right-aligned.
const char *kThreeParagraphs =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil Times New Roman;}}"
    "{\\colortbl ;\\red255\\green0\\blue0;}"
    "\\pard\\plain\\f0\\fs24 Hallo \\b\\cf1 Welt\\b0\\cf0\\par"
    "\\pard\\qc zweite Zeile\\par"
    "\\pard\\qr\\f1\\fs32 dritte\\par}";

// One paragraph of `words` words (every seventh bold), then "Ende" as a
// second; `expected` gets the text.
QString longParagraph(int words, QString *expected)
{
    QString rtf = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\f0\\fs24 ");
    expected->clear();
    for (int i = 0; i < words; ++i) {
        const QString n = QString::number(i);
        rtf += i % 7 == 0 ? QStringLiteral("\\b Wort%1\\b0  ").arg(n) : QStringLiteral("sch\\'f6n%1 ").arg(n);
        *expected += i % 7 == 0 ? QStringLiteral("Wort%1 ").arg(n) : QString::fromUtf8("schön%1 ").arg(n);
    }
    rtf += QLatin1String("\\par Ende\\par}");
    *expected += QLatin1String("\r\nEnde");
    return rtf;
}

// Many short paragraphs, long enough that the box reads them in steps.
QString manyParagraphs(int count, QString *expected)
{
    QString rtf = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\f0\\fs24 ");
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        rtf += QStringLiteral("Zeile %1 am Fluss\\par\r\n").arg(i);
        lines << QStringLiteral("Zeile %1 am Fluss").arg(i);
    }
    rtf += QLatin1Char('}');
    *expected = lines.join(QLatin1String("\r\n"));
    return rtf;
}

// Bytes of the pictures decoded for showing a document, each counted once.
qsizetype imageBytes(const QTextDocument &doc)
{
    QSet<QString> names;
    qsizetype bytes = 0;
    for (QTextBlock b = doc.begin(); b != doc.end(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat() && !names.contains(f.toImageFormat().name())) {
                names.insert(f.toImageFormat().name());
                bytes += doc.resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name()))
                             .value<QImage>()
                             .sizeInBytes();
            }
        }
    }
    return bytes;
}

int count(const QString &in, QLatin1String what)
{
    return static_cast<int>(in.count(what));
}

int countDark(const QImage &img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (qGray(img.pixel(x, y)) < 128)
                ++n;
        }
    }
    return n;
}

} // namespace

class TestRichTextBox : public QObject
{
    Q_OBJECT

private slots:
    void textCountsBreaksAsCrLf();
    void loadingKeepsTheBoxSettings();
    void largeEntrySavedWholeRightAfterLoading_data();
    void largeEntrySavedWholeRightAfterLoading();
    void largeEntryShowsAtOnceAndReadsOnInSteps();
    void veryTallEntryKeepsItsScrollBar();
    void emptinessKnownWithoutReadingTheRest();
    void editingWhileLoadingLeavesTheRestUnread();
    void longParagraphReadsAsOne();
    void longParagraphPropertiesCoverAllPieces();
    void newParagraphInsideAPieceStandsAlone_data();
    void newParagraphInsideAPieceStandsAlone();
    void selectionPositions_data();
    void selectionPositions();
    void positionsAgreeWithText_data();
    void positionsAgreeWithText();
    void negativeSelectionRaises();
    void selTextReplacesAndMovesCaret();
    void cutRebuildLeavesPlainText();
    void nonRtfTextIsPlain();
    void characterProperties_data();
    void characterProperties();
    void settersApplyToSelection();
    void invalidValuesRaise();
    void alignmentOverParagraphs_data();
    void alignmentOverParagraphs();
    void bulletOverParagraphs();
    void bulletToggleAsTheDiaryDoesIt();
    void find_data();
    void find();
    void findInsideHighlightedMatch();
    void pasteTakesPictureBeforeText();
    void pasteOfNothingKeepsSelection();
    void printsSelectionOrAll();
    void printsManyPages();
    void longPrintShowsProgressAndCancels_data();
    void longPrintShowsProgressAndCancels();
    void boxFontAppliesToText();
    void backColor();
};

void TestRichTextBox::textCountsBreaksAsCrLf()
{
    RichTextBox box;
    box.setText(QStringLiteral("eins\r\nzwei\ndrei"));
    QCOMPARE(box.text(), QStringLiteral("eins\r\nzwei\r\ndrei"));
    QCOMPARE(box.completedDocument()->blockCount(), 3);
    box.setSelStart(6); // the "z" after the first CR LF
    QCOMPARE(box.editor()->textCursor().position(), 5);
    box.setSelLength(4);
    QCOMPARE(box.selText(), QStringLiteral("zwei"));
}

void TestRichTextBox::selectionPositions_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("expectStart");
    QTest::addColumn<int>("expectLength");
    QTest::addColumn<QString>("selected");
    // "ab\r\ncd\r\nef": 10 characters of Text.
    QTest::newRow("start") << 0 << 2 << 0 << 2 << "ab";
    QTest::newRow("across break") << 1 << 4 << 1 << 4 << "b\r\nc";
    QTest::newRow("whole") << 0 << 10 << 0 << 10 << "ab\r\ncd\r\nef";
    QTest::newRow("length clamped") << 8 << 50 << 8 << 2 << "ef";
    QTest::newRow("start past end") << 99 << 3 << 10 << 0 << "";
    QTest::newRow("inside CR LF") << 3 << 0 << 2 << 0 << "";
}

void TestRichTextBox::selectionPositions()
{
    QFETCH(int, start);
    QFETCH(int, length);
    RichTextBox box;
    box.setText(QStringLiteral("ab\r\ncd\r\nef"));
    box.setSelStart(start);
    box.setSelLength(length);
    QTEST(box.selStart(), "expectStart");
    QTEST(box.selLength(), "expectLength");
    QTEST(box.selText(), "selected");
}

void TestRichTextBox::positionsAgreeWithText_data()
{
    QTest::addColumn<QString>("rtf");
    QTest::addColumn<QString>("extra"); // added after the RTF
    const QString head = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\f0 ");
    QTest::newRow("paragraphs") << head + QStringLiteral("eins\\par zwei\\par\\par drei Wort\\par}") << "";
    QTest::newRow("line breaks") << head + QStringLiteral("a\\line b\\line\\line c\\par d\\line}") << "";
    QTest::newRow("pictures") << head + QStringLiteral("vor\\par}") << "picture";
    QTest::newRow("table") << head + QStringLiteral("vor\\par nach}") << "table";
    QString expected;
    QTest::newRow("pieces") << longParagraph(12000, &expected) << "";
}

// Positions and Find answer from the document's positions; they must agree
// with text() wherever the caret stands, also after the text changed.
void TestRichTextBox::positionsAgreeWithText()
{
    QFETCH(QString, rtf);
    QFETCH(QString, extra);
    RichTextBox box;
    box.setTextRTF(rtf);
    QTextDocument *doc = box.completedDocument();
    QTextCursor end(doc);
    end.movePosition(QTextCursor::End);
    if (extra == QLatin1String("picture")) {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        for (int i = 0; i < 2; ++i) {
            richtext::Picture::insertImage(end, image);
            end.insertText(QStringLiteral("x"));
        }
    } else if (extra == QLatin1String("table")) {
        end.movePosition(QTextCursor::PreviousWord);
        end.insertTable(2, 2);
        end.insertText(QStringLiteral("Zelle"));
    }
    for (int round = 0; round < 2; ++round) {
        const QString all = box.text();
        // Every position near a block's start, and the end.
        std::vector<int> positions{doc->characterCount() - 1};
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            for (int p = b.position() - 3; p <= b.position() + 3; ++p) {
                if (p >= 0 && p < doc->characterCount())
                    positions.push_back(p);
            }
        }
        for (const int p : positions) {
            QTextCursor at(doc);
            at.setPosition(p);
            box.editor()->setTextCursor(at);
            const int start = box.selStart();
            at.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            box.editor()->setTextCursor(at);
            // (A selection into a table takes all of the table.)
            QCOMPARE(all.mid(box.selStart()), box.selText());
            QCOMPARE(box.selLength(), all.size() - box.selStart());
            // Placing the caret by its offset comes back to it; inside CR LF
            // it stands before the break.
            box.setSelStart(start);
            QCOMPARE(box.selStart(), start);
            if (start + 1 <= all.size()) {
                box.setSelStart(start + 1);
                const bool nextInside = all[start] == u'\r';
                QCOMPARE(box.selStart(), nextInside ? start : start + 1);
            }
            const QString word = all.mid(std::max(0, start - 2), 4);
            if (!word.contains(u'\r') && !word.contains(u'\n') && !word.isEmpty()) {
                QCOMPARE(box.find(word, 0, -1, RichTextBox::FindNoHighlight),
                         static_cast<int>(all.indexOf(word, 0, Qt::CaseInsensitive)));
                QCOMPARE(
                    box.find(word, start, -1, RichTextBox::FindWholeWord | RichTextBox::FindNoHighlight),
                    static_cast<int>(
                        QRegularExpression(
                            QStringLiteral("(?<![\\w])%1(?![\\w])").arg(QRegularExpression::escape(word)),
                            QRegularExpression::CaseInsensitiveOption |
                                QRegularExpression::UseUnicodePropertiesOption)
                            .match(all, start)
                            .capturedStart()));
            }
        }
        // A change inside the text moves every position after it.
        box.setSelStart(2);
        box.setSelText(QStringLiteral("neu\r\nAbsatz\nzwei"));
    }
}

void TestRichTextBox::negativeSelectionRaises()
{
    RichTextBox box;
    box.setText(QStringLiteral("abc"));
    for (int which = 0; which < 2; ++which) {
        try {
            which == 0 ? box.setSelStart(-1) : box.setSelLength(-1);
            QFAIL("no error raised");
        } catch (const com::AutomationError &e) {
            QCOMPARE(e.number(), 380);
        }
    }
}

void TestRichTextBox::selTextReplacesAndMovesCaret()
{
    RichTextBox box;
    box.setTextRTF(QString::fromLatin1(kThreeParagraphs));
    box.setSelStart(6);
    box.setSelLength(4); // "Welt", bold
    box.setSelText(QStringLiteral("Leute\r\nda"));
    QCOMPARE(box.text(), QStringLiteral("Hallo Leute\r\nda\r\nzweite Zeile\r\ndritte"));
    QCOMPARE(box.selStart(), 15);
    QCOMPARE(box.selLength(), 0);
    // The inserted text takes the format of where it went.
    box.setSelStart(6);
    box.setSelLength(5);
    QCOMPARE(box.selBold().toBool(), true);
}

void TestRichTextBox::cutRebuildLeavesPlainText()
{
    // The editor's cut: Text is rebuilt from its parts around the selection.
    RichTextBox box;
    box.setTextRTF(QString::fromLatin1(kThreeParagraphs));
    box.setSelStart(4);
    box.setSelLength(10); // "o Welt\r\nzw"
    const int s = box.selStart();
    const QString all = box.text();
    box.setText(all.left(s) + all.right(all.size() - (box.selLength() + s)));
    box.setSelStart(s);
    QCOMPARE(box.text(), QStringLiteral("Halleite Zeile\r\ndritte"));
    QCOMPARE(box.selStart(), 4);
    box.setSelStart(0);
    box.setSelLength(box.text().size());
    QCOMPARE(box.selBold().toBool(), false);
    QCOMPARE(box.selAlignment().toInteger(), int16_t(0));
}

void TestRichTextBox::nonRtfTextIsPlain()
{
    RichTextBox box;
    box.setTextRTF(QStringLiteral("Dienstag, 8. Dezember 2026"));
    QCOMPARE(box.text(), QStringLiteral("Dienstag, 8. Dezember 2026"));
    box.setTextRTF(QString());
    QCOMPARE(box.text(), QString());
}

void TestRichTextBox::characterProperties_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("expected"); // as the platform prints it
    // "Hallo Welt": "Hallo " plain black Arial 12, "Welt" bold red.
    QTest::newRow("bold plain") << 0 << 5 << "bold"
                                << "False";
    QTest::newRow("bold bold") << 6 << 4 << "bold"
                               << "True";
    QTest::newRow("bold mixed") << 3 << 5 << "bold"
                                << "Null";
    QTest::newRow("bold at caret after bold") << 10 << 0 << "bold"
                                              << "True";
    QTest::newRow("colour red") << 6 << 4 << "color"
                                << "255";
    QTest::newRow("colour automatic") << 0 << 5 << "color"
                                      << "0";
    QTest::newRow("colour mixed") << 0 << 10 << "color"
                                  << "Null";
    QTest::newRow("italic uniform across mixed bold") << 0 << 10 << "italic"
                                                      << "False";
    QTest::newRow("font one") << 0 << 10 << "font"
                              << "Arial";
    QTest::newRow("font mixed over paragraphs") << 0 << 40 << "font"
                                                << "Null";
    QTest::newRow("size") << 28 << 6 << "size"
                          << "16";
    QTest::newRow("size mixed") << 20 << 14 << "size"
                                << "Null";
    QTest::newRow("underline") << 0 << 40 << "underline"
                               << "False";
    QTest::newRow("strike") << 0 << 40 << "strike"
                            << "False";
}

void TestRichTextBox::characterProperties()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, property);
    RichTextBox box;
    box.setTextRTF(QString::fromLatin1(kThreeParagraphs));
    box.setSelStart(start);
    box.setSelLength(length);
    com::Variant v;
    if (property == QLatin1String("bold"))
        v = box.selBold();
    else if (property == QLatin1String("italic"))
        v = box.selItalic();
    else if (property == QLatin1String("underline"))
        v = box.selUnderline();
    else if (property == QLatin1String("strike"))
        v = box.selStrikeThru();
    else if (property == QLatin1String("color"))
        v = box.selColor();
    else if (property == QLatin1String("font"))
        v = box.selFontName();
    else if (property == QLatin1String("size"))
        v = box.selFontSize();
    QTEST(v.display(), "expected");
}

void TestRichTextBox::settersApplyToSelection()
{
    RichTextBox box;
    box.setTextRTF(QString::fromLatin1(kThreeParagraphs));
    box.setSelStart(0);
    box.setSelLength(10);
    QVERIFY(box.selBold().isNull());
    box.setSelBold(true);
    box.setSelItalic(true);
    box.setSelUnderline(true);
    box.setSelStrikeThru(true);
    box.setSelColor(0x00FF8000); // blue 255, green 128
    box.setSelFontName(QStringLiteral("Courier New"));
    box.setSelFontSize(10.5);
    QCOMPARE(box.selBold().display(), QStringLiteral("True"));
    QCOMPARE(box.selItalic().display(), QStringLiteral("True"));
    QCOMPARE(box.selUnderline().display(), QStringLiteral("True"));
    QCOMPARE(box.selStrikeThru().display(), QStringLiteral("True"));
    QCOMPARE(box.selColor().toLong(), 0x00FF8000);
    QCOMPARE(box.selFontName().toString(), QStringLiteral("Courier New"));
    QCOMPARE(box.selFontSize().toDouble(), 10.5);
    // What a font dialog left on a mixed selection hands back changes nothing.
    box.setSelFontName(QString());
    box.setSelFontSize(0);
    QCOMPARE(box.selFontName().toString(), QStringLiteral("Courier New"));
    QCOMPARE(box.selFontSize().toDouble(), 10.5);
    // The next paragraph kept its own.
    box.setSelStart(12);
    box.setSelLength(6);
    QCOMPARE(box.selBold().display(), QStringLiteral("False"));
    QCOMPARE(box.selFontName().toString(), QStringLiteral("Arial"));
    // With no selection the insertion point takes the format for typing.
    box.setSelStart(12);
    box.setSelBold(true);
    QCOMPARE(box.selBold().display(), QStringLiteral("True"));
    box.setSelText(QStringLiteral("X"));
    box.setSelStart(12);
    box.setSelLength(1);
    QCOMPARE(box.selText(), QStringLiteral("X"));
    QCOMPARE(box.selBold().display(), QStringLiteral("True"));
}

void TestRichTextBox::invalidValuesRaise()
{
    RichTextBox box;
    box.setText(QStringLiteral("abc"));
    const std::function<void()> calls[] = {
        [&] { box.setSelAlignment(3); },      [&] { box.setSelAlignment(-1); },
        [&] { box.setSelColor(0x01000000); }, [&] { box.setSelFontSize(2000); },
        [&] { box.setFontName(QString()); },
    };
    for (const auto &call : calls) {
        try {
            call();
            QFAIL("no error raised");
        } catch (const com::AutomationError &e) {
            QCOMPARE(e.number(), 380);
        }
    }
}

void TestRichTextBox::alignmentOverParagraphs_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("after"); // each paragraph once centred
    QTest::newRow("first") << 0 << 0 << "0"
                           << "2 2 1";
    QTest::newRow("second") << 13 << 2 << "2"
                            << "0 2 1";
    QTest::newRow("third") << 30 << 0 << "1"
                           << "0 2 2";
    QTest::newRow("first and second") << 3 << 12 << "Null"
                                      << "2 2 1";
    QTest::newRow("second and third") << 14 << 20 << "Null"
                                      << "0 2 2";
    QTest::newRow("all") << 0 << 40 << "Null"
                         << "2 2 2";
}

void TestRichTextBox::alignmentOverParagraphs()
{
    QFETCH(int, start);
    QFETCH(int, length);
    RichTextBox box;
    box.setTextRTF(QString::fromLatin1(kThreeParagraphs));
    box.setSelStart(start);
    box.setSelLength(length);
    QTEST(box.selAlignment().display(), "expected");
    box.setSelAlignment(RichTextBox::AlignCenter);
    QCOMPARE(box.selAlignment().display(), QStringLiteral("2"));
    QStringList after;
    for (int i = 0; i < 3; ++i) {
        box.setSelStart(std::vector<int>{0, 12, 26}[i]);
        after << box.selAlignment().display();
    }
    QTEST(after.join(QLatin1Char(' ')), "after");
}

void TestRichTextBox::bulletOverParagraphs()
{
    RichTextBox box;
    box.setText(QStringLiteral("a\r\nb\r\nc"));
    box.setSelStart(0);
    box.setSelLength(4); // a and b
    QCOMPARE(box.selBullet().display(), QStringLiteral("False"));
    box.setSelBullet(true);
    QCOMPARE(box.selBullet().display(), QStringLiteral("True"));
    box.setSelStart(0);
    box.setSelLength(7);
    QCOMPARE(box.selBullet().display(), QStringLiteral("Null"));
    box.setSelBullet(true); // partly bulleted turns on for all, as one list
    QCOMPARE(box.selBullet().display(), QStringLiteral("True"));
    const QTextDocument *doc = box.completedDocument();
    QVERIFY(doc->begin().textList() != nullptr);
    QCOMPARE(doc->begin().textList()->count(), 3);
    box.setSelStart(3);
    box.setSelBullet(false);
    QCOMPARE(box.selBullet().display(), QStringLiteral("False"));
    QCOMPARE(doc->findBlockByNumber(1).blockFormat().indent(), 0);
    box.setSelStart(0);
    box.setSelLength(7);
    QCOMPARE(box.selBullet().display(), QStringLiteral("Null"));
    QCOMPARE(box.text(), QStringLiteral("a\r\nb\r\nc"));
}

void TestRichTextBox::bulletToggleAsTheDiaryDoesIt()
{
    RichTextBox box;
    box.setText(QStringLiteral("eins\r\nzwei"));
    box.setSelStart(0);
    box.setSelLength(8);
    box.setSelBullet(true);
    box.setSelIndent(0.5);
    box.setSelHangingIndent(1.5);
    QCOMPARE(box.selIndent().toDouble(), 0.5);
    QCOMPARE(box.selHangingIndent().toDouble(), 1.5);
    box.setSelRightIndent(300);
    QCOMPARE(box.selRightIndent().toDouble(), 300.0);
    box.setSelBullet(false);
    box.setSelHangingIndent(0);
    QCOMPARE(box.selBullet().display(), QStringLiteral("False"));
    QCOMPARE(box.selIndent().toDouble(), 0.5);
    QCOMPARE(box.selHangingIndent().toDouble(), 0.0);
    // Indents of 720 and 360 twips survive a save.
    box.setSelIndent(720);
    box.setSelHangingIndent(360);
    RichTextBox other;
    other.setTextRTF(box.textRTF());
    other.setSelStart(0);
    other.setSelLength(8);
    QCOMPARE(other.selIndent().toDouble(), 720.0);
    QCOMPARE(other.selHangingIndent().toDouble(), 360.0);
    QCOMPARE(other.selRightIndent().toDouble(), 300.0);
}

void TestRichTextBox::find_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("expected");
    // "Der Baum. baumhoch\r\nBAUM und Bäume" (Text positions).
    QTest::newRow("first, any case") << "baum" << -1 << -1 << 0 << 4;
    QTest::newRow("match case") << "baum" << -1 << -1 << 4 << 10;
    QTest::newRow("whole word") << "baum" << 5 << -1 << 2 << 20;
    QTest::newRow("whole word and case") << "baum" << -1 << -1 << 6 << -1;
    QTest::newRow("range start") << "Baum" << 5 << -1 << 0 << 10;
    QTest::newRow("range end cuts match") << "BAUM" << 10 << 23 << 0 << 10;
    QTest::newRow("match must end inside") << "BAUM" << 11 << 23 << 0 << -1;
    QTest::newRow("umlaut any case") << "BÄUME" << -1 << -1 << 0 << 29;
    QTest::newRow("across break") << "hoch\r\nBAUM" << -1 << -1 << 4 << 14;
    QTest::newRow("empty term") << "" << -1 << -1 << 0 << -1;
    QTest::newRow("start after end") << "Baum" << 10 << 5 << 0 << -1;
}

void TestRichTextBox::find()
{
    QFETCH(QString, what);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, options);
    QFETCH(int, expected);
    RichTextBox box;
    box.setText(QString::fromUtf8("Der Baum. baumhoch\r\nBAUM und Bäume"));
    QCOMPARE(box.find(what, start, end, options), expected);
    if (expected >= 0) {
        QCOMPARE(box.selStart(), expected);
        QCOMPARE(box.selText().compare(what, Qt::CaseInsensitive), 0);
    }
}

void TestRichTextBox::findInsideHighlightedMatch()
{
    RichTextBox box;
    box.setText(QStringLiteral("Apfel Birne Apfel"));
    QCOMPARE(box.find(QStringLiteral("Birne"), -1, -1, RichTextBox::FindWholeWord), 6);
    // A second search runs inside the highlighted match only.
    QCOMPARE(box.find(QStringLiteral("Apfel"), -1, -1, RichTextBox::FindWholeWord), -1);
    QCOMPARE(box.find(QStringLiteral("irn")), 7);
    box.setSelStart(0);
    QCOMPARE(box.find(QStringLiteral("Apfel"), 1, -1, RichTextBox::FindNoHighlight), 12);
    QCOMPARE(box.selStart(), 0);
    QCOMPARE(box.selLength(), 0);
}

void TestRichTextBox::pasteTakesPictureBeforeText()
{
    FakeClipboard clip;
    clip.m_text = QStringLiteral("Text");
    clip.m_image = QImage(3, 2, QImage::Format_RGB32);
    clip.m_image.fill(Qt::blue);
    RichTextBox box;
    box.setClipboardSource(&clip);
    box.setText(QStringLiteral("ab"));
    box.setSelStart(1);
    box.paste();
    QCOMPARE(box.text(),
             QString(QStringLiteral("a") + QChar::ObjectReplacementCharacter + QStringLiteral("b")));
    QCOMPARE(box.selStart(), 2);
    QTextFragment frag;
    for (auto it = box.completedDocument()->begin().begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat())
            frag = it.fragment();
    }
    QVERIFY(richtext::Picture::isPicture(frag.charFormat()));
    QCOMPARE(richtext::Picture::kindOf(richtext::Picture::encoded(frag.charFormat())),
             richtext::Picture::Kind::Png);
    clip.m_image = QImage();
    box.paste();
    QCOMPARE(box.text(),
             QString(QStringLiteral("a") + QChar::ObjectReplacementCharacter + QStringLiteral("Textb")));
}

void TestRichTextBox::pasteOfNothingKeepsSelection()
{
    FakeClipboard clip;
    RichTextBox box;
    box.setClipboardSource(&clip);
    box.setText(QStringLiteral("abc"));
    box.setSelStart(1);
    box.setSelLength(1);
    box.paste();
    QCOMPARE(box.text(), QStringLiteral("abc"));
    QCOMPARE(box.selLength(), 1);
}

void TestRichTextBox::printsSelectionOrAll()
{
    RichTextBox box;
    box.setFontName(QStringLiteral("DejaVu Sans"));
    box.setFontSize(12);
    box.setText(QStringLiteral("Erste Zeile\r\nZweite Zeile\r\nDritte"));
    richtext::ImagePrintTarget all(QSize(400, 600), 96);
    box.selPrint(all);
    QVERIFY(all.finished());
    QCOMPARE(all.pages().size(), 1);
    const int inkAll = countDark(all.pages().first());
    QVERIFY(inkAll > 0);

    box.setSelStart(0);
    box.setSelLength(5);
    richtext::ImagePrintTarget part(QSize(400, 600), 96);
    box.selPrint(part);
    QCOMPARE(part.pages().size(), 1);
    const int inkPart = countDark(part.pages().first());
    QVERIFY(inkPart > 0);
    QVERIFY(inkPart < inkAll / 3);
    // Nothing is printed below the first line.
    const QImage page = part.pages().first();
    QCOMPARE(countDark(page.copy(0, 60, 400, 540)), 0);
}

void TestRichTextBox::printsManyPages()
{
    RichTextBox box;
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("Zeile %1").arg(i);
    box.setText(lines.join(QStringLiteral("\r\n")));
    // A higher resolution scales the same layout up: fewer lines a page.
    richtext::ImagePrintTarget low(QSize(300, 400), 96);
    box.selPrint(low);
    richtext::ImagePrintTarget high(QSize(600, 800), 192);
    box.selPrint(high);
    QVERIFY(low.pages().size() > 3);
    QCOMPARE(high.pages().size(), low.pages().size());
    QCOMPARE(high.pages().first().size(), QSize(600, 800));
}

void TestRichTextBox::longPrintShowsProgressAndCancels_data()
{
    QTest::addColumn<QString>("how"); // "" lets the print run to its end
    QTest::newRow("bis zum Ende") << QString();
    QTest::newRow("Abbrechen") << QStringLiteral("Abbrechen");
    QTest::newRow("Escape") << QStringLiteral("Escape");
}

void TestRichTextBox::longPrintShowsProgressAndCancels()
{
    QFETCH(QString, how);
    RichTextBox box;
    QString text;
    box.setTextRTF(manyParagraphs(3000, &text));
    richtext::ImagePrintTarget plain(QSize(300, 400), 96);
    QVERIFY(box.selPrint(plain));
    const int pages = static_cast<int>(plain.pages().size());
    QVERIFY(pages > 20);

    richtext::ImagePrintTarget target(QSize(300, 400), 96);
    richtext::PrintProgressWindow progress(nullptr, 0);
    QStringList seen;
    qsizetype paintedAtCancel = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QDialog *window = progress.window();
        if (!window || !window->isVisible() || paintedAtCancel >= 0)
            return;
        const QString line = window->findChild<QLabel *>()->text();
        if (seen.isEmpty() || seen.last() != line)
            seen << line;
        auto *cancel = window->findChild<QPushButton *>();
        QCOMPARE(cancel->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(window->focusWidget(), cancel);
        if (how.isEmpty() || window->findChild<QProgressBar *>()->value() < 3)
            return;
        paintedAtCancel = target.pages().size();
        if (how == QLatin1String("Escape"))
            QTest::keyClick(window, Qt::Key_Escape);
        else
            cancel->click();
    });
    watch.start(0);
    const bool printed = box.selPrint(target, &progress);
    watch.stop();

    QCOMPARE(progress.window()->windowTitle(), QStringLiteral("Drucken"));
    QVERIFY(seen.contains(QStringLiteral("Seite 1 von %1 wird gedruckt …").arg(pages)));
    if (how.isEmpty()) {
        QVERIFY(printed);
        QVERIFY(target.finished());
        QVERIFY(seen.contains(QStringLiteral("Seite %1 von %1 wird gedruckt …").arg(pages)));
        // Printed in steps, the pages come out as from one call.
        QCOMPARE(target.pages().size(), pages);
        for (int i = 0; i < pages; ++i)
            QCOMPARE(target.pages().at(i), plain.pages().at(i));
        return;
    }
    QVERIFY(!printed);
    QVERIFY(target.aborted());
    QVERIFY(!target.finished());
    QVERIFY(!progress.window()->isVisible());
    // Nothing painted after the cancel, and the box prints again as before.
    QCOMPARE(target.pages().size(), paintedAtCancel);
    QVERIFY(paintedAtCancel < pages);
    richtext::ImagePrintTarget again(QSize(300, 400), 96);
    QVERIFY(box.selPrint(again));
    QCOMPARE(again.pages().size(), pages);
}

void TestRichTextBox::boxFontAppliesToText()
{
    RichTextBox box;
    box.setTextRTF(QString::fromLatin1(kThreeParagraphs));
    box.setFontName(QStringLiteral("Arial"));
    box.setFontSize(12);
    QCOMPARE(box.fontName(), QStringLiteral("Arial"));
    QCOMPARE(box.fontSize(), 12.0);
    box.setSelStart(0);
    box.setSelLength(box.text().size());
    QCOMPARE(box.selFontName().toString(), QStringLiteral("Arial"));
    QCOMPARE(box.selFontSize().toDouble(), 12.0);
    box.setText(QString());
    QCOMPARE(box.selFontName().toString(), QStringLiteral("Arial"));
}

void TestRichTextBox::backColor()
{
    RichTextBox box;
    QCOMPARE(box.backColor(), 0x80000005u);
    box.setBackColor(0x0000FFFF); // yellow
    QCOMPARE(box.backColor(), 0x0000FFFFu);
    QCOMPARE(box.editor()->palette().color(QPalette::Base), QColor(255, 255, 0));
    box.setBackColor(0x8000000F); // the button face of the system-colour table
    const QRgb face = box.editor()->palette().color(QPalette::Base).rgb();
    QCOMPARE(gdi::rgb(qRed(face), qGreen(face), qBlue(face)), gdi::sysColor(gdi::ColorBtnFace));
    // Not part of the saved text.
    box.setText(QStringLiteral("x"));
    QVERIFY(!box.textRTF().contains(QLatin1String("255\\green255\\blue0")));
}

void TestRichTextBox::loadingKeepsTheBoxSettings()
{
    // Each entry loads into a fresh document; what the box was set to stays.
    RichTextBox box;
    box.setFontName(QStringLiteral("Courier New"));
    box.setFontSize(20);
    box.editor()->setReadOnly(true);
    for (const char *body : {"eins", "zwei\\par drei"}) {
        box.setTextRTF(QStringLiteral("{\\rtf1 %1}").arg(QLatin1String(body)));
        QCOMPARE(box.fontName(), QStringLiteral("Courier New"));
        QCOMPARE(box.fontSize(), 20.0);
        QVERIFY(box.editor()->isReadOnly());
        QVERIFY(box.completedDocument()->isUndoRedoEnabled());
        QCOMPARE(box.selStart(), 0);
    }
    QCOMPARE(box.text(), QStringLiteral("zwei\r\ndrei"));
}

void TestRichTextBox::largeEntrySavedWholeRightAfterLoading_data()
{
    QTest::addColumn<bool>("shortParagraphs");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("stored");   // as the diary reads it from its database
    QTest::addColumn<QString>("first"); // the text's first word, as it stands in the RTF
    // Or one of the entries asking for far more than a page shows: shown,
    // laid out and saved back unchanged, in time and with few pictures' bytes.
    QTest::addColumn<QString>("odd");
    QTest::addColumn<int>("boundMs");
    // What the user does while the rest is read by the timer, right after loading.
    QTest::addColumn<QString>("meanwhile");
    // Or the odd entry, edited and printed too, within three times the time
    // this one takes.
    QTest::addColumn<QString>("baseline");
    QTest::newRow("many paragraphs, shown")
        << true << true << false << QString() << QString() << 0 << QString() << QString();
    QTest::newRow("many paragraphs, hidden")
        << true << false << false << QString() << QString() << 0 << QString() << QString();
    QTest::newRow("one paragraph, shown")
        << false << true << false << QString() << QString() << 0 << QString() << QString();
    QTest::newRow("many paragraphs, stored")
        << true << true << true << QString() << QString() << 0 << QString() << QString();
    QTest::newRow("one paragraph, stored, not ASCII")
        << false << true << true << QString::fromUtf8("Grüße\u8364? ") << QString() << 0 << QString()
        << QString();
    // Each took gigabytes or minutes; the time covers both boxes laid out
    // whole at two widths.
    for (const char *odd : {"frames-2000", "png-8", "png-64", "png16-8", "display-size-50", "font-size",
                            "fonts-10k", "strike-100k", "colours-100k"})
        QTest::newRow(odd) << true << true << true << QString() << QString::fromLatin1(odd) << 20'000
                           << QString() << QString();
    for (const char *odd : {"tiny-runs", "word-5mb"})
        QTest::newRow(odd) << true << true << true << QString() << QString::fromLatin1(odd) << 60'000
                           << QString() << QString();
    // Each needs the rest at once, while the timer that reads it is due.
    for (const char *meanwhile : {"Ctrl+End", "Ctrl+A", "text", "find", "font"})
        QTest::addRow("theme-data, %s", meanwhile)
            << true << true << true << QString() << QStringLiteral("theme-data") << 0
            << QString::fromLatin1(meanwhile) << QString();
    QTest::newRow("faces-all") << true << true << true << QString() << QStringLiteral("faces-all") << 0
                               << QString() << QStringLiteral("faces-192");
}

void TestRichTextBox::largeEntrySavedWholeRightAfterLoading()
{
    // Long enough that the box lays it out in steps; whatever is still to be
    // laid out, the text and the saved entry are whole at once.
    QFETCH(bool, shortParagraphs);
    QFETCH(bool, shown);
    QFETCH(bool, stored);
    QFETCH(QString, first);
    QFETCH(QString, odd);
    QFETCH(int, boundMs);
    QFETCH(QString, meanwhile);
    QString rtf =
        QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\f0\\fs24 ") + first;
    QString expected = QString(first).replace(QLatin1String("\\u8364?"), QString::fromUtf8("€"));
    for (int i = 0; i < 8000; ++i) {
        const QString n = QString::number(i);
        rtf += (i % 7 == 0 ? QStringLiteral("\\b Absatz %1\\b0  sch\\'f6ner Tag")
                           : QStringLiteral("Absatz %1 sch\\'f6ner Tag"))
                   .arg(n);
        expected += QString::fromUtf8("Absatz %1 schöner Tag").arg(n);
        if (shortParagraphs) {
            rtf += QLatin1String("\\par\r\n");
            expected += QLatin1String("\r\n");
        } else {
            rtf += QLatin1Char(' ');
            expected += QLatin1Char(' ');
        }
    }
    rtf += QLatin1Char('}');
    if (expected.endsWith(QLatin1String("\r\n")))
        expected.chop(2);
    QFETCH(QString, baseline);
    if (!odd.isEmpty())
        rtf = QString::fromLatin1(oddentries::make(odd));

    const auto openAndSave = [&](const QString &name, const QString &rtf, qint64 *ms) {
        QElapsedTimer clock;
        clock.start();
        RichTextBox box;
        box.resize(300, 200);
        if (shown) {
            box.show();
            QVERIFY(QTest::qWaitForWindowExposed(&box));
        }
        if (stored)
            box.setStoredRTF(rtf.toUtf8());
        else
            box.setTextRTF(rtf);
        if (!meanwhile.isEmpty()) {
            QVERIFY(!box.editor()->document()->isUndoRedoEnabled());
            if (meanwhile == QLatin1String("Ctrl+End"))
                QTest::keyClick(box.editor(), Qt::Key_End, Qt::ControlModifier);
            else if (meanwhile == QLatin1String("Ctrl+A"))
                QTest::keyClick(box.editor(), Qt::Key_A, Qt::ControlModifier);
            else if (meanwhile == QLatin1String("text"))
                box.text();
            else if (meanwhile == QLatin1String("find"))
                QCOMPARE(box.find(QStringLiteral("Satz")), 19);
            else
                box.setFontName(QStringLiteral("Arial"));
            QVERIFY(box.editor()->document()->isUndoRedoEnabled());
        }
        const QString saved = box.textRTF();
        // A new font is a change; anything else saves the entry as it came.
        if (stored && first.isEmpty() && meanwhile != QLatin1String("font"))
            QCOMPARE(saved, rtf);
        if (!name.isEmpty())
            expected = oddentries::text(name);
        QCOMPARE(box.text(), expected);
        if (odd.isEmpty())
            QCOMPARE(box.editor()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);

        // As the editor takes it.
        RichTextBox reloaded;
        if (meanwhile == QLatin1String("font"))
            reloaded.setFontName(QStringLiteral("Arial"));
        reloaded.resize(600, 400);
        reloaded.setVisible(shown);
        reloaded.setTextRTF(saved);
        QCOMPARE(reloaded.text(), expected);
        QCOMPARE(reloaded.textRTF(), saved);
        if (boundMs == 0 && baseline.isEmpty())
            return;
        for (RichTextBox *laidOut : {&box, &reloaded}) {
            laidOut->editor()->document()->documentLayout()->documentSize();
            const double height = laidOut->editor()->document()->size().height();
            QVERIFY2(height < 8'000'000, qPrintable(QString::number(height)));
            laidOut->grab();
        }
        // What the budget counts is what the pictures take.
        for (RichTextBox *laidOut : {&box, &reloaded})
            QVERIFY(imageBytes(*laidOut->editor()->document()) <= 4 * richtext::Picture::Budget{}.pixels);
        if (!baseline.isEmpty()) {
            QTest::keyClick(reloaded.editor(), Qt::Key_X);
            RichTextBox edited;
            edited.setTextRTF(reloaded.textRTF());
            QCOMPARE(edited.text(), QString(expected).prepend(u'x'));
            richtext::ImagePrintTarget printed(QSize(100, 100), 24);
            QVERIFY(reloaded.selPrint(printed));
            QVERIFY(printed.pages().size() > 100);
        }
        *ms = clock.elapsed();
    };
    qint64 ms = 0;
    openAndSave(odd, rtf, &ms);
    if (QTest::currentTestFailed() || (boundMs == 0 && baseline.isEmpty()))
        return;
    if (!baseline.isEmpty()) {
        qint64 baselineMs = 0;
        openAndSave(baseline, QString::fromLatin1(oddentries::make(baseline)), &baselineMs);
        boundMs = static_cast<int>(3 * baselineMs + 1000);
    }
    QVERIFY2(ms < boundMs, qPrintable(QStringLiteral("%1 ms of %2").arg(ms).arg(boundMs)));
}

void TestRichTextBox::largeEntryShowsAtOnceAndReadsOnInSteps()
{
    QString expected;
    const QString rtf = manyParagraphs(40000, &expected);
    RichTextBox box;
    box.resize(300, 200);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.setTextRTF(rtf);
    const QTextDocument *shown = box.editor()->document();
    QVERIFY(shown->blockCount() > 1);
    QVERIFY(shown->blockCount() < 40000);
    QVERIFY(!shown->isUndoRedoEnabled());
    // Text nobody scrolls to is neither read nor laid out.
    QTest::qWait(200);
    const int read = shown->blockCount();
    QVERIFY(read < 40000);
    QTest::qWait(200);
    QCOMPARE(shown->blockCount(), read);
    // Moving the caret needs none of the rest; the end of the text needs all.
    QTest::keyClick(box.editor(), Qt::Key_PageDown);
    QTest::keyClick(box.editor(), Qt::Key_Down, Qt::ShiftModifier);
    QVERIFY(shown->blockCount() < 40000);
    // Scrolling to the end reads on, step by step, until all is there; a
    // caret at the end of what was read stays there.
    QTextCursor caret(box.editor()->document());
    caret.movePosition(QTextCursor::End);
    box.editor()->setTextCursor(caret);
    const int caretAt = caret.position();
    QScrollBar *bar = box.editor()->verticalScrollBar();
    bar->setValue(bar->maximum());
    QTRY_VERIFY(shown->blockCount() > read);
    QCOMPARE(box.editor()->textCursor().position(), caretAt);
    QVERIFY(!shown->isUndoRedoEnabled());
    // So does a character selected back from there.
    caret.movePosition(QTextCursor::End);
    box.editor()->setTextCursor(caret);
    const int readEnd = caret.position();
    QTest::keyClick(box.editor(), Qt::Key_Left, Qt::ShiftModifier);
    const QString selected = box.selText();
    const int readBefore = shown->blockCount();
    bar->setValue(bar->maximum());
    QTRY_VERIFY(shown->blockCount() > readBefore);
    QCOMPARE(box.editor()->textCursor().anchor(), readEnd);
    QCOMPARE(box.editor()->textCursor().position(), readEnd - 1);
    QCOMPARE(box.selText(), selected);
    // And the rest of the last line read, selected forward.
    caret.movePosition(QTextCursor::End);
    box.editor()->setTextCursor(caret);
    QTest::keyClick(box.editor(), Qt::Key_Home);
    const int lineStart = box.editor()->textCursor().position();
    QTest::keyClick(box.editor(), Qt::Key_End, Qt::ShiftModifier);
    const int lineEnd = box.editor()->textCursor().position();
    QVERIFY(lineStart < lineEnd);
    const int readBeforeLine = shown->blockCount();
    bar->setValue(bar->maximum());
    QTRY_VERIFY(shown->blockCount() > readBeforeLine);
    QCOMPARE(box.editor()->textCursor().anchor(), lineStart);
    QCOMPARE(box.editor()->textCursor().position(), lineEnd);
    // Selecting back to the start from there takes no more than is read.
    caret.movePosition(QTextCursor::End);
    box.editor()->setTextCursor(caret);
    const int laterReadEnd = caret.position();
    QTest::keyClick(box.editor(), Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!shown->isUndoRedoEnabled());
    QCOMPARE(box.editor()->textCursor().anchor(), laterReadEnd);
    QCOMPARE(box.editor()->textCursor().position(), 0);
    QElapsedTimer clock;
    clock.start();
    while (!shown->isUndoRedoEnabled() && clock.elapsed() < 20000) {
        bar->setValue(bar->maximum());
        QTest::qWait(10);
    }
    QCOMPARE(shown->blockCount(), 40000);
    QVERIFY(shown->isUndoRedoEnabled());
    QCOMPARE(box.text(), expected);

    // A new entry while one is still read replaces it whole.
    QString other;
    box.setTextRTF(rtf);
    box.setTextRTF(manyParagraphs(30000, &other));
    QTest::keyClick(box.editor(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(box.editor()->document()->blockCount(), 30000);
    QCOMPARE(box.text(), other);
    QVERIFY(box.editor()->document()->isUndoRedoEnabled());
}

void TestRichTextBox::emptinessKnownWithoutReadingTheRest()
{
    // The editor's save asks this of a large entry; reading the rest first
    // would hold the window for seconds.
    RichTextBox box;
    box.resize(300, 200);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QString expected;
    box.setTextRTF(manyParagraphs(40000, &expected));
    QVERIFY(!box.isTextEmpty());
    QVERIFY(box.editor()->document()->blockCount() < 40000);

    box.setTextRTF(QStringLiteral("{\\rtf1\\ansi }"));
    QVERIFY(box.isTextEmpty());
    box.setText(QStringLiteral("\r\n"));
    QVERIFY(!box.isTextEmpty());
}

void TestRichTextBox::veryTallEntryKeepsItsScrollBar()
{
    // Until a shorter text comes; a policy of the caller's own stays.
    QString expected;
    RichTextBox box;
    box.resize(300, 200);
    box.setTextRTF(manyParagraphs(60000, &expected));
    QCOMPARE(box.editor()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(box.text(), expected);
    QCOMPARE(box.editor()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    box.setTextRTF(manyParagraphs(3, &expected));
    QCOMPARE(box.editor()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    box.setTextRTF(manyParagraphs(60000, &expected));
    box.setText(QStringLiteral("kurz"));
    QCOMPARE(box.editor()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);

    box.editor()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box.setTextRTF(manyParagraphs(60000, &expected));
    QCOMPARE(box.editor()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void TestRichTextBox::editingWhileLoadingLeavesTheRestUnread()
{
    // Typing, formatting and undo work in the part read so far; the rest is
    // read after the changes and saved with them, and is never undone.
    QString expected;
    const QString rtf = manyParagraphs(40000, &expected);
    RichTextBox box;
    box.resize(300, 200);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.setTextRTF(rtf);
    const QTextDocument *doc = box.editor()->document();
    const int read = doc->blockCount();
    QVERIFY(read < 40000);
    QTest::keyClick(box.editor(), Qt::Key_X);
    box.setSelStart(0);
    box.setSelLength(1);
    box.setSelBold(true);
    QCOMPARE(box.selText(), QStringLiteral("x"));
    QCOMPARE(box.selBold().toBool(), true);
    QCOMPARE(box.selStart(), 0);
    box.setSelAlignment(RichTextBox::AlignCenter);
    box.editor()->undo();
    box.editor()->undo();
    QCOMPARE(box.selBold().toBool(), false);
    QCOMPARE(doc->begin().blockFormat().alignment(), Qt::AlignLeft);
    box.editor()->undo();
    QVERIFY(doc->begin().text().startsWith(QLatin1String("Zeile 0")));
    box.editor()->redo();
    QVERIFY(doc->begin().text().startsWith(QLatin1String("xZeile 0")));
    QCOMPARE(doc->blockCount(), read);

    // Reading the rest takes the hourglass, and leaves on one set around it.
    auto *pointer = new screen::FakeScreenPointer;
    rt::ServiceSlot<screen::ScreenPointer>::install(std::unique_ptr<screen::ScreenPointer>(pointer));
    RichTextBox saved;
    {
        const screen::WaitPointer saving;
        saved.setTextRTF(box.textRTF());
        QCOMPARE(pointer->history, (std::vector<int>{11, 11, 11}));
    }
    QCOMPARE(pointer->history.back(), 0);
    rt::ServiceSlot<screen::ScreenPointer>::reset();
    QCOMPARE(saved.text(), QLatin1Char('x') + expected);
    box.editor()->undo();
    QCOMPARE(box.text(), QLatin1Char('x') + expected);

    // Selecting up to the end of what is read selects the whole entry.
    box.setTextRTF(rtf);
    QTest::keyClick(box.editor(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(box.editor()->document()->blockCount(), 40000);
    QCOMPARE(box.selText(), expected);
    box.setTextRTF(rtf);
    box.editor()->selectAll();
    QCOMPARE(box.selText(), expected);
    box.setTextRTF(rtf);
    QTest::keyClick(box.editor(), Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(box.selText(), expected);

    // An unchanged entry prints whole without being read into the box
    // (tall, coarse pages keep the images few and small).
    box.setTextRTF(rtf);
    const int partly = box.editor()->document()->blockCount();
    richtext::ImagePrintTarget stored(QSize(30, 4000), 8);
    QVERIFY(box.selPrint(stored));
    QCOMPARE(box.editor()->document()->blockCount(), partly);
    richtext::ImagePrintTarget whole(QSize(30, 4000), 8);
    box.completedDocument();
    QVERIFY(box.selPrint(whole));
    QCOMPARE(stored.pages().size(), whole.pages().size());
    QCOMPARE(stored.pages().last(), whole.pages().last());
}

void TestRichTextBox::longParagraphReadsAsOne()
{
    // Held as several blocks; text, positions, selections, find and the saved
    // entry know one paragraph.
    QString expected;
    const QString rtf = longParagraph(30000, &expected);
    RichTextBox box;
    box.setTextRTF(rtf);
    const QTextDocument *doc = box.completedDocument();
    QVERIFY(doc->blockCount() > 4);
    QCOMPARE(box.text(), expected);
    // Unchanged, the box gives back the RTF it came as.
    QCOMPARE(box.textRTF(), rtf);
    const QString saved = QString::fromLatin1(richtext::RtfWriter::write(*doc));
    QCOMPARE(count(saved, QLatin1String("\\par\r\n")), 2);
    QCOMPARE(count(saved, QLatin1String("\\pard")), 1); // both paragraphs formatted alike

    int offset = 0;
    for (QTextBlock b = doc->begin(); b.next().isValid() && b.next().next().isValid(); b = b.next()) {
        offset += b.length() - 1;
        QTextCursor at(b.next());
        box.editor()->setTextCursor(at);
        QCOMPARE(box.selStart(), offset);
        box.setSelStart(offset - 3);
        box.setSelLength(6);
        QCOMPARE(box.selText(), expected.mid(offset - 3, 6));
        QCOMPARE(box.editor()->textCursor().selectionEnd(), b.next().position() + 3);
        const QString across = expected.mid(offset - 6, 12);
        QCOMPARE(box.find(across, 0), offset - 6);
        QCOMPARE(box.selLength(), 12);
    }
    box.setSelStart(0);
    QCOMPARE(box.find(QStringLiteral("Ende")), static_cast<int>(expected.size()) - 4);

    RichTextBox reloaded;
    reloaded.setTextRTF(saved);
    QCOMPARE(reloaded.text(), expected);
    QCOMPARE(reloaded.textRTF(), saved);
}

void TestRichTextBox::longParagraphPropertiesCoverAllPieces()
{
    QString expected;
    RichTextBox box;
    box.setTextRTF(longParagraph(30000, &expected));
    const QTextDocument *doc = box.completedDocument();
    const int pieces = doc->blockCount() - 1;
    const QTextBlock late = doc->findBlockByNumber(pieces - 1);
    box.editor()->setTextCursor(QTextCursor(late));
    box.setSelAlignment(RichTextBox::AlignCenter);
    for (int i = 0; i < pieces; ++i)
        QCOMPARE(doc->findBlockByNumber(i).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(doc->lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
             Qt::Alignment(Qt::AlignLeft));
    box.setSelBullet(true);
    QCOMPARE(box.selBullet(), com::Variant::fromBool(true));
    box.editor()->setTextCursor(QTextCursor(doc->firstBlock()));
    QCOMPARE(box.selAlignment(), com::Variant::fromInteger(RichTextBox::AlignCenter));
    QCOMPARE(box.selBullet(), com::Variant::fromBool(true));
    QVERIFY(doc->firstBlock().textList());
    QCOMPARE(doc->firstBlock().textList()->count(), 1);

    const QString saved = box.textRTF();
    QCOMPARE(count(saved, QLatin1String("\\pntext")), 1);
    QCOMPARE(count(saved, QLatin1String("\\qc")), 1);
    QCOMPARE(box.text(), expected);
    RichTextBox reloaded;
    reloaded.setTextRTF(saved);
    QCOMPARE(reloaded.text(), expected);
    reloaded.editor()->setTextCursor(
        QTextCursor(reloaded.completedDocument()->findBlockByNumber(pieces - 1)));
    QCOMPARE(reloaded.selBullet(), com::Variant::fromBool(true));
    QCOMPARE(reloaded.selAlignment(), com::Variant::fromInteger(RichTextBox::AlignCenter));

    // A paragraph still being read is read whole before it takes a format,
    // from whichever of its blocks the caret stands in.
    RichTextBox loading;
    loading.setTextRTF(longParagraph(30000, &expected));
    QVERIFY(loading.editor()->document()->blockCount() < pieces);
    loading.setSelAlignment(RichTextBox::AlignCenter);
    const QTextDocument *whole = loading.editor()->document();
    QCOMPARE(whole->blockCount(), pieces + 1);
    for (int i = 0; i < pieces; ++i)
        QCOMPARE(whole->findBlockByNumber(i).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::Alignment(Qt::AlignHCenter));
}

void TestRichTextBox::newParagraphInsideAPieceStandsAlone_data()
{
    QTest::addColumn<bool>("typed");
    QTest::newRow("Enter key") << true;
    QTest::newRow("SelText") << false;
}

void TestRichTextBox::newParagraphInsideAPieceStandsAlone()
{
    QFETCH(bool, typed);
    QString expected;
    RichTextBox box;
    box.setTextRTF(longParagraph(30000, &expected));
    const QTextBlock piece = box.completedDocument()->findBlockByNumber(2);
    QTextCursor at(piece);
    at.setPosition(piece.position() + 100);
    box.editor()->setTextCursor(at);
    const int offset = box.selStart();
    if (typed)
        QTest::keyClick(box.editor(), Qt::Key_Return);
    else
        box.setSelText(QStringLiteral("\r\n"));
    expected.insert(offset, QLatin1String("\r\n"));
    QCOMPARE(box.text(), expected);
    QCOMPARE(box.selStart(), offset + 2);
    const QString saved = box.textRTF();
    QCOMPARE(count(saved, QLatin1String("\\par\r\n")), 3);
    RichTextBox reloaded;
    reloaded.setTextRTF(saved);
    QCOMPARE(reloaded.text(), expected);

    // Joining them again leaves one paragraph.
    QTest::keyClick(box.editor(), Qt::Key_Backspace);
    expected.remove(offset, 2);
    QCOMPARE(box.text(), expected);
    QCOMPARE(count(box.textRTF(), QLatin1String("\\par\r\n")), 2);
}

KV_TEST_MAIN(TestRichTextBox)
#include "tst_RichTextBox.moc"
