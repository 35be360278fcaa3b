#pragma once

#include "platform/com/Variant.h"
#include "platform/richtext/RtfReader.h"

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QTextCharFormat;
class QTextCursor;
class QTextDocument;
class QTextEdit;
class QTimer;

namespace richtext
{

class ClipboardSource;
class PrintProgress;
class PrintTarget;
class RichTextEdit;
class SystemClipboard;

// The rich-text box the diary's windows show entries in.
//
// Positions and lengths count characters of text(), where a paragraph or line
// break is the two characters CR LF and a picture is one character. Selection
// properties read as Null (com::Variant::null()) when the selected characters
// or paragraphs differ; with no selection they describe the insertion point.
// Colours are OLE colours, 0x00BBGGRR; indents are in twips.
class RichTextBox : public QWidget
{
    Q_OBJECT
public:
    enum FindOption { FindWholeWord = 2, FindMatchCase = 4, FindNoHighlight = 8 };
    enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

    explicit RichTextBox(QWidget *parent = nullptr);
    ~RichTextBox() override;

    QString text();
    // Whether text() is empty, answered without reading the rest of a large
    // entry when the part read so far already has text.
    bool isTextEmpty();
    // Replaces everything by unformatted text; CR LF, CR or LF break paragraphs.
    void setText(const QString &text);
    QString textRTF();
    // Text that is not RTF is taken as plain text.
    void setTextRTF(const QString &rtf);
    // The same for an entry as stored (UTF-8); a large one shows its first
    // part without converting the rest first.
    void setStoredRTF(const QByteArray &utf8);

    int selStart();
    // Places the insertion point and drops the selection; negative raises 380.
    void setSelStart(int start);
    int selLength();
    void setSelLength(int length);
    QString selText() const;
    // Replaces the selection, formatted as the insertion point; the insertion
    // point ends after it.
    void setSelText(const QString &text);

    com::Variant selBold() const;
    void setSelBold(bool on);
    com::Variant selItalic() const;
    void setSelItalic(bool on);
    com::Variant selUnderline() const;
    void setSelUnderline(bool on);
    com::Variant selStrikeThru() const;
    void setSelStrikeThru(bool on);
    com::Variant selColor() const;
    void setSelColor(uint32_t oleColor);
    com::Variant selFontName() const;
    // An empty name (a font dialog left on a mixed selection) changes nothing.
    void setSelFontName(const QString &name);
    com::Variant selFontSize() const;
    // Sizes of 0 or less change nothing; above 1638 points raise 380.
    void setSelFontSize(double points);

    com::Variant selAlignment() const;
    void setSelAlignment(int alignment);
    com::Variant selBullet() const;
    void setSelBullet(bool on);
    // First line's distance from the left edge.
    com::Variant selIndent() const;
    void setSelIndent(double twips);
    // How much further the other lines start than the first.
    com::Variant selHangingIndent() const;
    void setSelHangingIndent(double twips);
    com::Variant selRightIndent() const;
    void setSelRightIndent(double twips);

    // Off: a one-line box, taking neither tabs nor line breaks from the
    // user (Tab moves the focus on, Return is left to the window, pasted
    // breaks and tabs become blanks).
    bool multiLine() const;
    void setMultiLine(bool on);
    // On: Tab and Shift+Tab move the focus on, and Ctrl+Tab types a tab.
    void setTabMovesFocus(bool on);

    uint32_t backColor() const { return m_backColor; }
    void setBackColor(uint32_t oleColor);
    // The box's font: the whole text and what is typed next.
    QString fontName() const;
    void setFontName(const QString &name);
    double fontSize() const;
    void setFontSize(double points);

    // Searches text() for `what` between start and end (character positions;
    // -1 for not given). With neither given it searches the selection, or the
    // whole text when nothing is selected. Returns the match's position and
    // selects it (unless FindNoHighlight), or -1.
    int find(const QString &what, int start = -1, int end = -1, int options = 0);

    // Prints the selection, or the whole text when nothing is selected.
    // Raises 482 when the device fails, and 6 (overflow) with nothing printed
    // when the text is too tall to lay out whole. With `progress`, the print
    // goes in steps that report to it; when it says stop, the job is aborted
    // and the result is false. The box may change meanwhile: what is printed
    // is the text as it stood at the call.
    bool selPrint(PrintTarget &target, PrintProgress *progress = nullptr);

    // Inserts the clipboard's picture, or else its text, at the selection.
    void paste();
    // Not owned; nullptr returns to the system clipboard.
    void setClipboardSource(const ClipboardSource *source);

    QTextEdit *editor() const;
    // The document with all of the entry in it: reads the rest of a large
    // entry first.
    QTextDocument *completedDocument();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<SystemClipboard> m_systemClipboard;
    const ClipboardSource *m_clipboard = nullptr;
    RichTextEdit *m_edit;              // child widget, owned through Qt's parent
    uint32_t m_backColor = 0x80000005; // the system's window colour
    // The rest of a large entry, still to be read; every call that needs the
    // whole text reads it first, scrolling near the end reads on.
    std::unique_ptr<RtfReader::Stepwise> m_loading;
    bool m_reading = false; // the reader changes the document
    std::unique_ptr<QTimer> m_feed;
    // A large entry's RTF, until anything but the reader changes it: saved
    // and printed as it came. While it is read, the reader holds it.
    bool m_asStored = false;
    QString m_source;
    bool m_sourcePlain = false;            // m_source is text without formatting
    QMetaObject::Connection m_storedWatch; // drops the entry kept as stored
    bool m_barKept = false;                // shown for a very tall text
    // The text offset at which each block starts, for the blocks from the top
    // that no change has touched since they were counted: positions cost the
    // blocks before them once, not the whole text each time.
    std::vector<int> m_blockOffsets;
    // What Find searches, until the text changes.
    struct SearchText {
        QString text;                 // the characters, without the breaks between pieces
        std::vector<int> cuts;        // the document positions of the breaks taken out
        std::vector<int> pieceStarts; // where the piece after each starts in `text`
        bool valid = false;
    } m_search;

    bool nearEndOfRead() const;
    void readOnWhenNeeded();
    void load(const std::function<std::unique_ptr<RtfReader::Stepwise>(const QTextCursor &)> &reader);
    QString storedRTF();
    // Text that is not RTF, kept as it came until it is changed.
    void setStoredPlain(const QString &text);
    void keepAsStored(QTextDocument *doc);
    void feedLoad();
    void completeLoad();
    bool readOn(qsizetype chars);
    void beforeChange();
    void readParagraphAt(int position);
    void endLoad();
    void dropLoad();
    void releaseBar();
    void watch(QTextDocument *doc);
    std::vector<int> pieceBreaks() const;
    template <typename Fn> void forEachWidth(const QString &raw, int from, int to, Fn fn) const;
    QString plainOf(const QString &raw, int from, int to) const;
    QString rawText() const;
    void countBlocksUpTo(int blockNumber);
    int blockOffset(int blockNumber);
    int docPos(int textOffset);
    int textOffset(int docPos);
    void searchText();
    int findInRaw(const QString &what, int from, int to, int options);
    void select(int startOffset, int endOffset, bool highlight = true);
    template <typename Fn> com::Variant charProperty(Fn fn) const;
    template <typename Fn> com::Variant blockProperty(Fn fn) const;
    template <typename Fn> void forEachSelectedBlock(Fn fn);
    void mergeChar(const QTextCharFormat &format);
    void insertPlain(QTextCursor &cursor, const QString &text);
};

} // namespace richtext
