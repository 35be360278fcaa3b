#pragma once

#include "platform/com/Variant.h"
#include "platform/richtext/RtfReader.h"

#include <QString>
#include <QWidget>
#include <cstdint>
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

    QString text() const;
    // Whether text() is empty, answered without reading the rest of a large
    // entry when the part read so far already has text.
    bool isTextEmpty() const;
    // Replaces everything by unformatted text; CR LF, CR or LF break paragraphs.
    void setText(const QString &text);
    QString textRTF() const;
    // Text that is not RTF is taken as plain text.
    void setTextRTF(const QString &rtf);

    int selStart() const;
    // Places the insertion point and drops the selection; negative raises 380.
    void setSelStart(int start);
    int selLength() const;
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
    // Raises 482 when the device fails. With `progress`, the print goes in
    // steps that report to it; when it says stop, the job is aborted and the
    // result is false. The box may change meanwhile: what is printed is the
    // text as it stood at the call.
    bool selPrint(PrintTarget &target, PrintProgress *progress = nullptr) const;

    // Inserts the clipboard's picture, or else its text, at the selection.
    void paste();
    // Not owned; nullptr returns to the system clipboard.
    void setClipboardSource(const ClipboardSource *source);

    QTextEdit *editor() const;
    QTextDocument *document() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<SystemClipboard> m_systemClipboard;
    const ClipboardSource *m_clipboard = nullptr;
    RichTextEdit *m_edit;              // child widget, owned through Qt's parent
    uint32_t m_backColor = 0x80000005; // the system's window colour
    // The rest of a large entry, still to be read; every call that needs the
    // whole text reads it first.
    mutable std::unique_ptr<RtfReader::Stepwise> m_loading;
    mutable bool m_reading = false; // the reader changes the document
    std::unique_ptr<QTimer> m_feed;
    // A large entry's RTF, until anything but the reader changes it.
    QString m_source;
    mutable bool m_barKept = false; // shown for a very tall text

    QTextDocument *loaded() const;
    void feedLoad();
    void finishLoad() const;
    void endLoad() const;
    void dropLoad();
    void releaseBar() const;
    std::vector<int> pieceBreaks() const;
    template <typename Fn> void forEachWidth(const QString &raw, int from, int to, Fn fn) const;
    QString plainOf(const QString &raw, int from, int to) const;
    QString rawText() const;
    int docPos(int textOffset) const;
    int textOffset(int docPos) const;
    int textLength() const;
    void select(int startOffset, int endOffset, bool highlight = true);
    template <typename Fn> com::Variant charProperty(Fn fn) const;
    template <typename Fn> com::Variant blockProperty(Fn fn) const;
    template <typename Fn> void forEachSelectedBlock(Fn fn);
    void mergeChar(const QTextCharFormat &format);
    void insertPlain(QTextCursor &cursor, const QString &text);
};

} // namespace richtext
