#include "platform/richtext/RichTextBox.h"

#include "platform/gdi/SystemColors.h"

#include "platform/com/AutomationError.h"
#include "platform/richtext/ClipboardSource.h"
#include "platform/richtext/ParagraphPieces.h"
#include "platform/richtext/Picture.h"
#include "platform/richtext/PrintProgress.h"
#include "platform/richtext/PrintTarget.h"
#include "platform/richtext/RichTextEdit.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"
#include "platform/richtext/SystemClipboard.h"
#include "platform/runtime/FontSubstitutes.h"
#include "platform/screen/ScreenPointer.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTimer>
#include <QVBoxLayout>

#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace richtext
{

namespace
{

constexpr double kTwipsPerPixel = 15.0;
constexpr double kMaxFontPoints = 1638;
constexpr int ErrPrinter = 482;
// RTF characters read before a large entry first shows, and per step after.
constexpr qsizetype kFirstChars = 128 * 1024;
constexpr qsizetype kStepChars = 32 * 1024;
// A step of reading gives the event loop back after this long.
constexpr qint64 kStepMs = 12;
// Characters from which a text is taller than the editor's scroll bar
// handles as needed, in any box.
constexpr int kTallChars = 1'000'000;

// Qt lays text out in fixed-point pixels that wrap past about 33.5 million
// (some 900,000 lines at 24 pt): a taller text comes out with its positions
// running backwards and a page count that is wrong, even below one. The
// layout holds the whole text when, laid out to its end, the parts of the
// root frame (paragraphs, tables) follow one another downwards and the
// document ends below the last of them.
bool laidOutWhole(const QTextDocument &doc)
{
    const QAbstractTextDocumentLayout *layout = doc.documentLayout();
    const double height = layout->documentSize().height(); // lays out the rest
    double top = 0;
    for (auto part = doc.rootFrame()->begin(); !part.atEnd(); ++part) {
        const QRectF rect = part.currentFrame() ? layout->frameBoundingRect(part.currentFrame())
                                                : layout->blockBoundingRect(part.currentBlock());
        if (rect.top() < top || rect.height() < 0)
            return false;
        top = rect.top();
    }
    return height >= top;
}

bool isBreak(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Modifiers alone and keys that move the caret or the view, or select, within
// the text read so far (selecting all or to the end reads the rest).
bool movesOnly(const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}

// The C library keeps memory freed below later allocations for the process;
// after the hundreds of megabytes a long print lays out, it is given back
// (some milliseconds).
void giveBackFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

uint32_t toOleColor(const QColor &c)
{
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
           (static_cast<uint32_t>(c.blue()) << 16);
}

QColor fromOleColor(uint32_t v)
{
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

// Indents come back through pixels; a thousandth of a twip is below anything
// a caller sets.
double roundTwips(double pixels)
{
    return std::round(pixels * kTwipsPerPixel * 1000.0) / 1000.0;
}

bool sameValue(const com::Variant &a, const com::Variant &b)
{
    return a.type() == b.type() && a.equals(b);
}

} // namespace

RichTextBox::RichTextBox(QWidget *parent)
    : QWidget(parent), m_systemClipboard(std::make_unique<SystemClipboard>()), m_edit(new RichTextEdit(this)),
      m_feed(std::make_unique<QTimer>())
{
    m_feed->setInterval(0);
    connect(m_feed.get(), &QTimer::timeout, this, &RichTextBox::feedLoad);
    m_edit->installEventFilter(this);
    m_edit->viewport()->installEventFilter(this);
    connect(m_edit->verticalScrollBar(), &QScrollBar::valueChanged, this, &RichTextBox::readOnWhenNeeded);
    connect(m_edit->verticalScrollBar(), &QScrollBar::rangeChanged, this, &RichTextBox::readOnWhenNeeded);
    // Selecting all that is read from its start (Select All, however it is
    // asked for) means all of the entry; any other selection stays as the
    // user made it, also one taken back from the end to the start.
    connect(m_edit, &QTextEdit::selectionChanged, this, [this] {
        QTextCursor c = m_edit->textCursor();
        if (!m_loading || m_reading || !c.hasSelection() || c.anchor() != 0 ||
            c.position() < m_edit->document()->characterCount() - 1)
            return;
        completeLoad();
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        m_edit->setTextCursor(c);
    });
    // Entries name Windows faces ("Arial" and whatever the font dialog gave).
    rt::FontSubstitutes::install();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    setFocusProxy(m_edit);
    watch(m_edit->document());
}

RichTextBox::~RichTextBox() = default;

bool RichTextBox::multiLine() const
{
    return !m_edit->isSingleLine();
}

void RichTextBox::setMultiLine(bool on)
{
    m_edit->setSingleLine(!on);
}

void RichTextBox::setTabMovesFocus(bool on)
{
    m_edit->setTabChangesFocus(on);
}

QTextEdit *RichTextBox::editor() const
{
    return m_edit;
}

QTextDocument *RichTextBox::completedDocument()
{
    completeLoad();
    return m_edit->document();
}

void RichTextBox::watch(QTextDocument *doc)
{
    m_blockOffsets.clear();
    m_search = {};
    // A change leaves the blocks before it as they were; the block it starts
    // in may have lost or gained its break.
    connect(doc, &QTextDocument::contentsChange, this, [this, doc](int position) {
        const int first = doc->findBlock(std::max(0, position - 1)).blockNumber();
        if (first >= 0 && static_cast<size_t>(first) < m_blockOffsets.size())
            m_blockOffsets.resize(static_cast<size_t>(first));
        m_search = {};
    });
}

// ---- loading ----------------------------------------------------------------

bool RichTextBox::nearEndOfRead() const
{
    if (!m_edit->isVisible())
        return false;
    const QScrollBar *bar = m_edit->verticalScrollBar();
    return bar->value() >= bar->maximum() - 2 * std::max(bar->pageStep(), m_edit->viewport()->height());
}

void RichTextBox::readOnWhenNeeded()
{
    if (m_loading && nearEndOfRead())
        m_feed->start();
}

// Reads on while the view stands near the end of what is read: laying out
// text costs far more than reading it, and nobody waits for text unseen.
void RichTextBox::feedLoad()
{
    if (!m_loading || !nearEndOfRead()) {
        m_feed->stop();
        return;
    }
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (readOn(kStepChars))
            break;
        if (clock.elapsed() >= kStepMs)
            return;
    }
    endLoad();
}

void RichTextBox::completeLoad()
{
    if (!m_loading)
        return;
    const screen::WaitPointer busy; // seconds for the largest entries
    // Without a page size nothing is laid out while the rest goes in; the
    // editor then lays the whole text out again in steps from the top.
    QTextDocument *doc = m_edit->document();
    const QSizeF page = doc->pageSize();
    doc->setPageSize(QSizeF(0, 0));
    readOn(std::numeric_limits<qsizetype>::max());
    doc->setPageSize(page);
    endLoad();
}

bool RichTextBox::readOn(qsizetype chars)
{
    // What the reader adds is the entry as stored, nothing to undo. Qt keeps
    // no history across a pause in recording: changes made before more of
    // the entry is read can no longer be undone afterwards.
    QTextDocument *doc = m_edit->document();
    const bool recording = doc->isUndoRedoEnabled();
    if (recording)
        doc->setUndoRedoEnabled(false);
    // Qt moves a caret or selection end standing where text goes in; at the
    // end of what is read they stay where the user put them.
    QTextCursor caret = m_edit->textCursor();
    const int anchor = caret.anchor();
    const int at = caret.position();
    m_reading = true;
    const bool done = m_loading->step(chars);
    const QTextCursor moved = m_edit->textCursor();
    if (moved.anchor() != anchor || moved.position() != at) {
        // Putting the caret back would scroll to it; the view stays.
        QScrollBar *bar = m_edit->verticalScrollBar();
        const int top = bar->value();
        caret.setPosition(anchor);
        caret.setPosition(at, QTextCursor::KeepAnchor);
        m_edit->setTextCursor(caret);
        bar->setValue(top);
    }
    m_reading = false;
    if (recording)
        doc->setUndoRedoEnabled(true);
    return done;
}

void RichTextBox::beforeChange()
{
    // The text read so far takes changes as it is; from the first one on
    // they can be undone.
    if (m_loading)
        m_edit->document()->setUndoRedoEnabled(true);
}

void RichTextBox::readParagraphAt(int position)
{
    // A paragraph still being read may go on in the part not read yet: then
    // the last block it holds so far is the document's last.
    const QTextDocument *doc = m_edit->document();
    if (m_loading && ParagraphPieces::last(doc->findBlock(position)) == doc->lastBlock())
        completeLoad();
}

void RichTextBox::endLoad()
{
    m_feed->stop();
    if (m_asStored)
        m_source = m_loading->rtf();
    m_loading.reset();
    m_edit->document()->setUndoRedoEnabled(true);
    if (m_edit->document()->characterCount() <= kTallChars)
        releaseBar();
}

void RichTextBox::releaseBar()
{
    if (m_barKept) {
        m_barKept = false;
        m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
}

bool RichTextBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Resize)
        readOnWhenNeeded();
    // The user works in the text read so far; going to its end reads all of
    // it, moving through it reads on as the view nears the end of what is read.
    if (m_loading) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride: {
            const auto &key = *static_cast<QKeyEvent *>(event);
            if (key.matches(QKeySequence::MoveToEndOfDocument) ||
                key.matches(QKeySequence::SelectEndOfDocument) || key.matches(QKeySequence::SelectAll))
                completeLoad();
            else if (!movesOnly(key))
                beforeChange();
            break;
        }
        case QEvent::InputMethod:
        case QEvent::ContextMenu:
        case QEvent::Drop:
            beforeChange();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- text and positions -------------------------------------------------

QString RichTextBox::rawText() const
{
    return m_edit->document()->toRawText();
}

std::vector<int> RichTextBox::pieceBreaks() const
{
    std::vector<int> breaks;
    const QTextDocument *doc = m_edit->document();
    for (QTextBlock b = doc->begin().next(); b.isValid(); b = b.next()) {
        if (ParagraphPieces::continues(b))
            breaks.push_back(b.position() - 1);
    }
    return breaks;
}

// Walks the document's raw text with the width each position has in text():
// a break is CR LF, the break between two pieces of a paragraph nothing.
template <typename Fn> void RichTextBox::forEachWidth(const QString &raw, int from, int to, Fn fn) const
{
    const std::vector<int> pieces = pieceBreaks();
    auto piece = std::lower_bound(pieces.begin(), pieces.end(), from);
    for (int p = from; p < to; ++p) {
        int width = 1;
        if (isBreak(raw[p])) {
            width = 2;
            if (piece != pieces.end() && *piece == p) {
                width = 0;
                ++piece;
            }
        }
        if (!fn(p, width))
            return;
    }
}

namespace
{

// Line breaks inside a block before `length` characters of it: each is CR LF
// in text(), one character in the document.
int lineBreaksIn(const QTextBlock &block, int length)
{
    if (length <= 0)
        return 0;
    const QString shown = block.text();
    return static_cast<int>(QStringView(shown).left(length).count(QChar::LineSeparator));
}

} // namespace

void RichTextBox::countBlocksUpTo(int blockNumber)
{
    const QTextDocument *doc = m_edit->document();
    if (m_blockOffsets.empty())
        m_blockOffsets.push_back(0);
    QTextBlock b = doc->findBlockByNumber(static_cast<int>(m_blockOffsets.size()) - 1);
    // Without tables every block ends in a paragraph break.
    const bool frames = !doc->rootFrame()->childFrames().isEmpty();
    while (static_cast<int>(m_blockOffsets.size()) <= blockNumber) {
        const QTextBlock next = b.next();
        if (!next.isValid())
            return;
        // A break is CR LF, the break between two pieces of a paragraph
        // nothing, a frame mark one character.
        int width = 1;
        if (!frames || isBreak(doc->characterAt(next.position() - 1)))
            width = ParagraphPieces::continues(next) ? 0 : 2;
        const int content = b.length() - 1;
        m_blockOffsets.push_back(m_blockOffsets.back() + content + lineBreaksIn(b, content) + width);
        b = next;
    }
}

int RichTextBox::blockOffset(int blockNumber)
{
    countBlocksUpTo(blockNumber);
    return m_blockOffsets[static_cast<size_t>(blockNumber)];
}

int RichTextBox::docPos(int offset)
{
    QTextDocument *doc = m_edit->document();
    // The last block starting at or before the offset; an offset past what
    // is read needs the rest.
    while (m_blockOffsets.empty() || m_blockOffsets.back() <= offset) {
        const size_t counted = m_blockOffsets.size();
        countBlocksUpTo(static_cast<int>(counted));
        if (m_blockOffsets.size() == counted) {
            if (!m_loading)
                break;
            completeLoad();
        }
    }
    const auto after = std::upper_bound(m_blockOffsets.begin(), m_blockOffsets.end(), offset);
    const int number = static_cast<int>(after - m_blockOffsets.begin()) - 1;
    const QTextBlock b = doc->findBlockByNumber(std::max(0, number));
    const int content = b.length() - 1;
    int t = m_blockOffsets[static_cast<size_t>(std::max(0, number))];
    if (lineBreaksIn(b, content) == 0)
        return b.position() + std::clamp(offset - t, 0, content); // inside CR LF stands before the break
    const QString shown = b.text();
    for (int k = 0; k < content; ++k) {
        const int width = shown[k] == QChar::LineSeparator ? 2 : 1;
        if (offset < t + width)
            return b.position() + k;
        t += width;
    }
    return b.position() + content;
}

int RichTextBox::textOffset(int pos)
{
    const QTextDocument *doc = m_edit->document();
    pos = std::clamp(pos, 0, doc->characterCount() - 1);
    const QTextBlock b = doc->findBlock(pos);
    const int inside = pos - b.position();
    return blockOffset(b.blockNumber()) + inside + lineBreaksIn(b, inside);
}

QString RichTextBox::plainOf(const QString &raw, int from, int to) const
{
    QString out;
    out.reserve(to - from + (to - from) / 16);
    forEachWidth(raw, from, to, [&](int p, int width) {
        if (width == 2)
            out += QLatin1String("\r\n");
        else if (width == 1)
            out += raw[p];
        return true;
    });
    return out;
}

QString RichTextBox::text()
{
    completeLoad();
    const QString raw = rawText();
    return plainOf(raw, 0, static_cast<int>(raw.size()));
}

bool RichTextBox::isTextEmpty()
{
    if (m_loading) {
        for (QTextBlock b = m_edit->document()->begin(); b.isValid(); b = b.next()) {
            QString shown = b.text();
            shown.remove(QChar::ObjectReplacementCharacter);
            if (!shown.isEmpty())
                return false;
        }
    }
    return text().isEmpty();
}

void RichTextBox::insertPlain(QTextCursor &cursor, const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // A picture has no plain-text form to come back from.
    t.remove(QChar::ObjectReplacementCharacter);
    const int from = cursor.position();
    cursor.insertText(t);
    ParagraphPieces::startParagraphs(*cursor.document(), from, cursor.position());
}

void RichTextBox::setText(const QString &text)
{
    dropLoad();
    releaseBar();
    QTextDocument *doc = m_edit->document();
    doc->clear();
    QTextCursor cursor(doc);
    insertPlain(cursor, text);
    doc->clearUndoRedoStacks();
    m_edit->setTextCursor(QTextCursor(doc));
}

QString RichTextBox::textRTF()
{
    // A large entry nothing has changed since it came is still the RTF it
    // came as: saving or opening it needs no wait for the rest to be read.
    const QString stored = storedRTF();
    if (!stored.isNull())
        return stored;
    if (m_asStored && m_sourcePlain)
        return m_source;
    return QString::fromLatin1(RtfWriter::write(*completedDocument()));
}

QString RichTextBox::storedRTF()
{
    if (!m_asStored || m_sourcePlain)
        return QString();
    return m_loading ? m_loading->rtf() : m_source;
}

void RichTextBox::dropLoad()
{
    if (m_loading)
        endLoad();
    disconnect(m_storedWatch);
    m_asStored = false;
    m_sourcePlain = false;
    m_source = QString();
}

// The entry is given back as it came until anything but the reader changes
// the document: an unchanged save stores nothing new.
void RichTextBox::keepAsStored(QTextDocument *doc)
{
    m_asStored = true;
    m_storedWatch = connect(doc, &QTextDocument::contentsChange, this, [this] {
        if (m_reading)
            return;
        disconnect(m_storedWatch);
        m_asStored = false;
        m_sourcePlain = false;
        m_source = QString();
    });
}

void RichTextBox::setStoredPlain(const QString &text)
{
    setText(text); // drops what was kept before
    keepAsStored(m_edit->document());
    m_sourcePlain = true;
    m_source = text;
}

void RichTextBox::setTextRTF(const QString &rtf)
{
    if (!RtfReader::isRtf(rtf)) {
        setStoredPlain(rtf);
        return;
    }
    load([&rtf](const QTextCursor &at) { return std::make_unique<RtfReader::Stepwise>(rtf, at); });
}

void RichTextBox::setStoredRTF(const QByteArray &utf8)
{
    // The writer stores pure ASCII, whose bytes are its characters: they
    // are widened to text only as far as they are read. Anything else is
    // converted first.
    // Eight bytes at a time: the scan must cost little against the read.
    quint64 any = 0;
    qsizetype i = 0;
    for (; i + 8 <= utf8.size(); i += 8) {
        quint64 word;
        std::memcpy(&word, utf8.constData() + i, sizeof word);
        any |= word;
    }
    for (; i < utf8.size(); ++i)
        any |= static_cast<unsigned char>(utf8[i]);
    if (any & 0x8080808080808080ull) {
        setTextRTF(QString::fromUtf8(utf8));
        return;
    }
    if (!RtfReader::isRtf(QByteArrayView(utf8))) {
        setStoredPlain(QString::fromLatin1(utf8));
        return;
    }
    load([&utf8](const QTextCursor &at) { return std::make_unique<RtfReader::Stepwise>(utf8, at); });
}

void RichTextBox::load(const std::function<std::unique_ptr<RtfReader::Stepwise>(const QTextCursor &)> &reader)
{
    // The entry is read into a document of its own and handed to the editor
    // whole: a document no view lays out takes the text at the speed of its
    // parsing, and the editor then lays it out in steps as it is shown,
    // instead of all at once while the entry loads.
    dropLoad();
    QTextDocument *shown = m_edit->document();
    auto *doc = new QTextDocument(m_edit); // owned by the editor widget
    watch(doc);
    doc->setDefaultFont(shown->defaultFont());
    doc->setDefaultTextOption(shown->defaultTextOption());
    doc->setDocumentMargin(shown->documentMargin());
    doc->setIndentWidth(shown->indentWidth());
    doc->setUseDesignMetrics(shown->useDesignMetrics());
    // No page size: nothing is laid out before the editor sets its width on
    // the hand-over; a long paragraph is laid out in one go, so each layout
    // too many costs as much as the whole load.
    doc->setPageSize(QSizeF(0, 0));
    doc->setUndoRedoEnabled(false);
    // A large entry shows its first part at once; the event loop reads the
    // rest in steps (Qt takes each paragraph at some microseconds).
    std::unique_ptr<RtfReader::Stepwise> loading = reader(QTextCursor(doc));
    const bool whole = loading->step(kFirstChars);
    if (whole)
        doc->setUndoRedoEnabled(true);
    // A text this long overflows any box: the scroll bar takes its room now,
    // while the old document is laid out, so the new one is laid out once at
    // its final width and not again when the bar appears.
    constexpr int kSurelyScrolls = 100'000;
    const Qt::ScrollBarPolicy policy = m_barKept ? Qt::ScrollBarAsNeeded : m_edit->verticalScrollBarPolicy();
    const bool barFirst =
        policy == Qt::ScrollBarAsNeeded && (!whole || doc->characterCount() > kSurelyScrolls);
    // Past some twenty million pixels of height, with the bar shown as
    // needed, the editor lays the whole text out again as it grows (seconds
    // each time); with the bar always shown it does not. A text that tall
    // keeps its bar.
    const bool tall = (whole ? doc->characterCount() : loading->size()) > kTallChars;
    if (barFirst)
        m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The editor drops a document of its own; one we handed it before is ours.
    std::unique_ptr<QTextDocument> replaced(shown->parent() == m_edit ? shown : nullptr);
    m_edit->setDocument(doc);
    m_barKept = barFirst && tall;
    if (!m_barKept && m_edit->verticalScrollBarPolicy() != policy)
        m_edit->setVerticalScrollBarPolicy(policy);
    replaced.reset();
    m_edit->setTextCursor(QTextCursor(doc));
    // An entry shown other than it says is saved as it came, as is a large
    // one read on later, until the user changes it.
    if (whole && !loading->heldBack())
        return;
    keepAsStored(doc);
    if (whole) {
        m_source = loading->rtf();
        return;
    }
    m_loading = std::move(loading);
    readOnWhenNeeded();
}

int RichTextBox::selStart()
{
    return textOffset(m_edit->textCursor().selectionStart());
}

int RichTextBox::selLength()
{
    const QTextCursor c = m_edit->textCursor();
    return textOffset(c.selectionEnd()) - textOffset(c.selectionStart());
}

void RichTextBox::select(int startOffset, int endOffset, bool highlight)
{
    QTextCursor c = m_edit->textCursor();
    c.setPosition(docPos(startOffset));
    c.setPosition(docPos(endOffset), QTextCursor::KeepAnchor);
    if (highlight)
        m_edit->setTextCursor(c);
}

void RichTextBox::setSelStart(int start)
{
    if (start < 0)
        com::raise(com::ErrInvalidPropertyValue);
    select(start, start); // past the end stands at the end
}

void RichTextBox::setSelLength(int length)
{
    if (length < 0)
        com::raise(com::ErrInvalidPropertyValue);
    const int start = selStart();
    select(start,
           static_cast<int>(std::min<int64_t>(int64_t(start) + length, std::numeric_limits<int>::max())));
}

QString RichTextBox::selText() const
{
    const QTextCursor c = m_edit->textCursor();
    const QString raw = rawText();
    const int end = std::min(c.selectionEnd(), static_cast<int>(raw.size()));
    return plainOf(raw, std::min(c.selectionStart(), end), end);
}

void RichTextBox::setSelText(const QString &text)
{
    beforeChange();
    QTextCursor c = m_edit->textCursor();
    c.beginEditBlock();
    if (c.hasSelection()) {
        // Typed-over text takes the format of the first character it replaces.
        QTextCursor first(m_edit->document());
        first.setPosition(c.selectionStart() + 1);
        const QTextCharFormat format = first.charFormat();
        c.removeSelectedText();
        c.setCharFormat(format);
    }
    insertPlain(c, text);
    c.endEditBlock();
    m_edit->setTextCursor(c);
}

// ---- character properties -------------------------------------------------

template <typename Fn> com::Variant RichTextBox::charProperty(Fn fn) const
{
    const QTextCursor c = m_edit->textCursor();
    if (!c.hasSelection())
        return fn(c.charFormat());
    const int start = c.selectionStart();
    const int end = c.selectionEnd();
    const QTextDocument *doc = m_edit->document();
    bool first = true;
    com::Variant value;
    for (QTextBlock b = doc->findBlock(start); b.isValid() && b.position() < end; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.position() + f.length() <= start || f.position() >= end)
                continue;
            const com::Variant v = fn(f.charFormat());
            if (first) {
                value = v;
                first = false;
            } else if (!sameValue(v, value)) {
                return com::Variant::null();
            }
        }
    }
    // Only paragraph breaks selected: they carry the insertion point's format.
    return first ? fn(c.charFormat()) : value;
}

void RichTextBox::mergeChar(const QTextCharFormat &format)
{
    beforeChange();
    m_edit->mergeCurrentCharFormat(format);
}

com::Variant RichTextBox::selBold() const
{
    return charProperty(
        [](const QTextCharFormat &f) { return com::Variant::fromBool(f.fontWeight() >= QFont::DemiBold); });
}

void RichTextBox::setSelBold(bool on)
{
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeChar(f);
}

com::Variant RichTextBox::selItalic() const
{
    return charProperty([](const QTextCharFormat &f) { return com::Variant::fromBool(f.fontItalic()); });
}

void RichTextBox::setSelItalic(bool on)
{
    QTextCharFormat f;
    f.setFontItalic(on);
    mergeChar(f);
}

com::Variant RichTextBox::selUnderline() const
{
    return charProperty([](const QTextCharFormat &f) { return com::Variant::fromBool(f.fontUnderline()); });
}

void RichTextBox::setSelUnderline(bool on)
{
    QTextCharFormat f;
    f.setFontUnderline(on);
    mergeChar(f);
}

com::Variant RichTextBox::selStrikeThru() const
{
    return charProperty([](const QTextCharFormat &f) { return com::Variant::fromBool(f.fontStrikeOut()); });
}

void RichTextBox::setSelStrikeThru(bool on)
{
    QTextCharFormat f;
    f.setFontStrikeOut(on);
    mergeChar(f);
}

com::Variant RichTextBox::selColor() const
{
    return charProperty([](const QTextCharFormat &f) {
        const bool set = f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush;
        return com::Variant::fromColor(set ? toOleColor(f.foreground().color()) : 0);
    });
}

void RichTextBox::setSelColor(uint32_t oleColor)
{
    if (oleColor > 0xFFFFFF)
        com::raise(com::ErrInvalidPropertyValue);
    QTextCharFormat f;
    f.setForeground(fromOleColor(oleColor));
    mergeChar(f);
}

com::Variant RichTextBox::selFontName() const
{
    const QString fallback = fontName();
    return charProperty([&fallback](const QTextCharFormat &f) {
        const QString family = f.fontFamilies().toStringList().value(0);
        return com::Variant::fromString(family.isEmpty() ? fallback : family);
    });
}

void RichTextBox::setSelFontName(const QString &name)
{
    if (name.trimmed().isEmpty())
        return;
    QTextCharFormat f;
    f.setFontFamilies(QStringList{name});
    mergeChar(f);
}

com::Variant RichTextBox::selFontSize() const
{
    const double fallback = fontSize();
    return charProperty([fallback](const QTextCharFormat &f) {
        const double size = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : fallback;
        return com::Variant::fromSingle(static_cast<float>(size));
    });
}

void RichTextBox::setSelFontSize(double points)
{
    if (!(points > 0))
        return;
    if (points > kMaxFontPoints)
        com::raise(com::ErrInvalidPropertyValue);
    QTextCharFormat f;
    f.setFontPointSize(points);
    mergeChar(f);
}

// ---- paragraph properties -------------------------------------------------

template <typename Fn> com::Variant RichTextBox::blockProperty(Fn fn) const
{
    const QTextCursor c = m_edit->textCursor();
    const QTextDocument *doc = m_edit->document();
    const QTextBlock last = doc->findBlock(c.selectionEnd());
    com::Variant value;
    bool first = true;
    // A paragraph's first piece holds its properties and its bullet.
    for (QTextBlock b = ParagraphPieces::head(doc->findBlock(c.selectionStart())); b.isValid();
         b = b.next()) {
        if (b == last && ParagraphPieces::continues(b))
            break;
        if (ParagraphPieces::continues(b))
            continue;
        const com::Variant v = fn(b);
        if (first) {
            value = v;
            first = false;
        } else if (!sameValue(v, value)) {
            return com::Variant::null();
        }
        if (b == last)
            break;
    }
    return value;
}

template <typename Fn> void RichTextBox::forEachSelectedBlock(Fn fn)
{
    readParagraphAt(m_edit->textCursor().selectionEnd());
    beforeChange();
    const QTextCursor c = m_edit->textCursor();
    QTextDocument *doc = m_edit->document();
    const QTextBlock last = ParagraphPieces::last(doc->findBlock(c.selectionEnd()));
    QTextCursor edit(doc);
    edit.beginEditBlock();
    for (QTextBlock b = ParagraphPieces::head(doc->findBlock(c.selectionStart())); b.isValid();
         b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        fn(f);
        edit.setPosition(b.position());
        edit.setBlockFormat(f);
        if (b == last)
            break;
    }
    edit.endEditBlock();
}

com::Variant RichTextBox::selAlignment() const
{
    return blockProperty([](const QTextBlock &b) {
        const Qt::Alignment a = b.blockFormat().alignment();
        int16_t value = AlignLeft;
        if (a & Qt::AlignHCenter)
            value = AlignCenter;
        else if ((a & Qt::AlignRight) && !(a & Qt::AlignJustify))
            value = AlignRight;
        return com::Variant::fromInteger(value);
    });
}

void RichTextBox::setSelAlignment(int alignment)
{
    Qt::Alignment a;
    switch (alignment) {
    case AlignLeft:
        a = Qt::AlignLeft;
        break;
    case AlignRight:
        a = Qt::AlignRight;
        break;
    case AlignCenter:
        a = Qt::AlignHCenter;
        break;
    default:
        com::raise(com::ErrInvalidPropertyValue);
    }
    forEachSelectedBlock([a](QTextBlockFormat &f) { f.setAlignment(a); });
}

com::Variant RichTextBox::selBullet() const
{
    return blockProperty([](const QTextBlock &b) { return com::Variant::fromBool(b.textList() != nullptr); });
}

void RichTextBox::setSelBullet(bool on)
{
    if (on) {
        const com::Variant now = selBullet();
        if (!now.isNull() && now.toBool())
            return;
        QTextListFormat lf;
        lf.setStyle(QTextListFormat::ListDisc);
        lf.setIndent(1);
        readParagraphAt(m_edit->textCursor().selectionEnd());
        beforeChange();
        const QTextCursor selection = m_edit->textCursor();
        QTextDocument *doc = m_edit->document();
        const QTextBlock head = ParagraphPieces::head(doc->findBlock(selection.selectionStart()));
        const QTextBlock last = ParagraphPieces::last(doc->findBlock(selection.selectionEnd()));
        QTextCursor c(doc);
        c.beginEditBlock();
        c.setPosition(head.position());
        c.setPosition(last.position(), QTextCursor::KeepAnchor);
        QTextList *list = c.createList(lf);
        // One bullet a paragraph, on its first piece.
        for (QTextBlock b = head; list && b.isValid(); b = b.next()) {
            if (ParagraphPieces::continues(b))
                list->remove(b);
            if (b == last)
                break;
        }
        c.endEditBlock();
        return;
    }
    forEachSelectedBlock([](QTextBlockFormat &f) {
        f.clearProperty(QTextFormat::ObjectIndex);
        f.setIndent(0);
    });
}

com::Variant RichTextBox::selIndent() const
{
    return blockProperty([](const QTextBlock &b) {
        const QTextBlockFormat f = b.blockFormat();
        return com::Variant::fromDouble(roundTwips(f.leftMargin() + f.textIndent()));
    });
}

void RichTextBox::setSelIndent(double twips)
{
    forEachSelectedBlock(
        [twips](QTextBlockFormat &f) { f.setLeftMargin(twips / kTwipsPerPixel - f.textIndent()); });
}

com::Variant RichTextBox::selHangingIndent() const
{
    return blockProperty([](const QTextBlock &b) {
        return com::Variant::fromDouble(roundTwips(-b.blockFormat().textIndent()));
    });
}

void RichTextBox::setSelHangingIndent(double twips)
{
    forEachSelectedBlock([twips](QTextBlockFormat &f) {
        const double first = f.leftMargin() + f.textIndent();
        f.setTextIndent(-twips / kTwipsPerPixel);
        f.setLeftMargin(first + twips / kTwipsPerPixel);
    });
}

com::Variant RichTextBox::selRightIndent() const
{
    return blockProperty([](const QTextBlock &b) {
        return com::Variant::fromDouble(roundTwips(b.blockFormat().rightMargin()));
    });
}

void RichTextBox::setSelRightIndent(double twips)
{
    forEachSelectedBlock([twips](QTextBlockFormat &f) { f.setRightMargin(twips / kTwipsPerPixel); });
}

// ---- the box --------------------------------------------------------------

void RichTextBox::setBackColor(uint32_t oleColor)
{
    m_backColor = oleColor;
    // A system colour (high bit) comes from the one system-colour table.
    const QColor color = fromOleColor(gdi::oleToColorRef(oleColor) & 0xFFFFFF);
    QPalette p = m_edit->palette();
    p.setColor(QPalette::Base, color);
    m_edit->setPalette(p);
}

QString RichTextBox::fontName() const
{
    const QFont f = m_edit->document()->defaultFont();
    return f.families().value(0, f.family());
}

double RichTextBox::fontSize() const
{
    return m_edit->document()->defaultFont().pointSizeF();
}

void RichTextBox::setFontName(const QString &name)
{
    completeLoad();
    if (name.trimmed().isEmpty())
        com::raise(com::ErrInvalidPropertyValue);
    QFont f = m_edit->font();
    f.setFamilies(QStringList{name});
    m_edit->setFont(f);
    completedDocument()->setDefaultFont(f);
    QTextCharFormat cf;
    cf.setFontFamilies(QStringList{name});
    QTextCursor all(completedDocument());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(cf);
}

void RichTextBox::setFontSize(double points)
{
    completeLoad();
    if (!(points > 0) || points > kMaxFontPoints)
        com::raise(com::ErrInvalidPropertyValue);
    QFont f = m_edit->font();
    f.setPointSizeF(points);
    m_edit->setFont(f);
    completedDocument()->setDefaultFont(f);
    QTextCharFormat cf;
    cf.setFontPointSize(points);
    QTextCursor all(completedDocument());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(cf);
}

// ---- find -------------------------------------------------------------------

int RichTextBox::find(const QString &what, int start, int end, int options)
{
    completeLoad();
    if (what.isEmpty())
        return -1;
    constexpr int kNoEnd = std::numeric_limits<int>::max();
    int from = 0;
    int to = kNoEnd; // every match ends within the text
    if (start < 0 && end < 0) {
        const int selected = selLength();
        if (selected > 0) {
            from = selStart();
            to = from + selected;
        }
    } else {
        from = start < 0 ? 0 : start;
        to = end < 0 ? kNoEnd : end;
    }
    if (from > to)
        return -1;
    const int found = findInRaw(what, from, to, options);
    if (found >= 0 && !(options & FindNoHighlight))
        select(found, found + static_cast<int>(what.size()));
    return found;
}

// The document's characters with the breaks between the pieces of a
// paragraph taken out.
void RichTextBox::searchText()
{
    QTextDocument *doc = completedDocument();
    // Reading a document's characters walks all of its fragments, many
    // times slower than searching them: kept until the text changes.
    if (m_search.valid)
        return;
    QString joined = doc->toRawText();
    // The breaks taken out (document positions) and where the piece after
    // each starts in `joined`; only a document that has pieces at all is
    // walked for them.
    std::vector<int> cuts;
    std::vector<int> pieceStarts;
    const QList<QTextFormat> formats = doc->allFormats();
    const bool anyPieces = std::any_of(formats.begin(), formats.end(), [](const QTextFormat &f) {
        return f.isBlockFormat() && f.boolProperty(ParagraphPieces::kContinues);
    });
    if (anyPieces) {
        QChar *data = joined.data();
        int write = 0;
        int read = 0;
        // Moves what lies between two cuts to the left, over the cuts before.
        const auto keep = [&](int until) {
            if (write != read)
                std::copy(data + read, data + until, data + write);
            write += until - read;
        };
        for (QTextBlock b = doc->begin().next(); b.isValid(); b = b.next()) {
            const int cut = b.position() - 1;
            if (!ParagraphPieces::continues(b) || !isBreak(data[cut]))
                continue;
            keep(cut);
            read = cut + 1;
            cuts.push_back(cut);
            pieceStarts.push_back(write);
        }
        keep(static_cast<int>(joined.size()));
        joined.truncate(write);
    }
    m_search.text = std::move(joined);
    m_search.cuts = std::move(cuts);
    m_search.pieceStarts = std::move(pieceStarts);
    m_search.valid = true;
}

// Searches the document's own characters, with the breaks between the pieces
// of a paragraph taken out: a word that contains no break matches there
// exactly where it matches in text(), and the neighbours a whole word needs
// are no word characters in either. A word with a break in it is looked for
// in text() itself.
int RichTextBox::findInRaw(const QString &what, int from, int to, int options)
{
    const int n = static_cast<int>(what.size());
    const Qt::CaseSensitivity cs = (options & FindMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    // The first match in `all` from `pos` on that ends by `to`, as an offset
    // in text(); offsetOf turns a position in `all` into one.
    const auto firstMatch = [&](const QString &all, qsizetype pos, const auto &offsetOf) {
        for (;;) {
            const qsizetype j = all.indexOf(what, pos, cs);
            if (j < 0)
                return -1;
            const int i = offsetOf(j);
            if (int64_t(i) + n > to)
                return -1;
            if (!(options & FindWholeWord) ||
                ((j == 0 || !isWordChar(all[j - 1])) && (j + n >= all.size() || !isWordChar(all[j + n]))))
                return i;
            pos = j + 1;
        }
    };
    if (what.contains(u'\r') || what.contains(u'\n') || what.contains(QChar::ParagraphSeparator) ||
        what.contains(QChar::LineSeparator))
        return firstMatch(text(), from, [](qsizetype i) { return static_cast<int>(i); });

    searchText();
    const QString &joined = m_search.text;
    const std::vector<int> &cuts = m_search.cuts;
    const std::vector<int> &pieceStarts = m_search.pieceStarts;
    const auto docPosOf = [&pieceStarts](qsizetype j) {
        return static_cast<int>(
            j + (std::upper_bound(pieceStarts.begin(), pieceStarts.end(), j) - pieceStarts.begin()));
    };
    const int fromPos = docPos(from);
    const qsizetype fromJoined =
        fromPos - (std::lower_bound(cuts.begin(), cuts.end(), fromPos) - cuts.begin());
    return firstMatch(joined, fromJoined, [&](qsizetype j) { return textOffset(docPosOf(j)); });
}

// ---- printing and the clipboard ----------------------------------------

bool RichTextBox::selPrint(PrintTarget &target, PrintProgress *progress)
{
    // A selection lies within what is read; an entry nothing has changed is
    // printed from the RTF it came as, without reading it into the box.
    const QTextCursor c = m_edit->textCursor();
    QString rtf = storedRTF();
    if (c.hasSelection())
        rtf =
            QString::fromLatin1(RtfWriter::write(*m_edit->document(), c.selectionStart(), c.selectionEnd()));
    else if (rtf.isNull())
        rtf = QString::fromLatin1(RtfWriter::write(*completedDocument()));
    const auto giveBack = qScopeGuard(giveBackFreedMemory); // once the print copy is gone
    QTextDocument page;
    page.setDefaultFont(m_edit->document()->defaultFont());
    // No layout while the text is read: read in steps, each step would lay
    // out the text so far again.
    page.setPageSize(QSizeF(0, 0));
    // From here on the box is not touched: a progress that serves the event
    // loop lets it change or go.
    const auto stop = [&] {
        target.abort();
        return false;
    };
    // Each step runs for about kStepMs, then hears from the progress.
    QElapsedTimer step;
    step.start();
    const auto goOn = [&](int pageNo, int pages) {
        if (!progress || step.elapsed() < kStepMs)
            return true;
        const bool on = progress->advance(pageNo, pages);
        step.restart();
        return on;
    };
    if (!progress) {
        QTextCursor in(&page);
        RtfReader::read(rtf, in);
    } else {
        RtfReader::Stepwise reading(rtf, QTextCursor(&page));
        while (!reading.step(kStepChars))
            if (!goOn(0, 0))
                return stop();
    }

    const QScreen *screen = QGuiApplication::primaryScreen();
    const double layoutDpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    const double scale = target.resolution() / layoutDpi;
    const QSizeF device = target.pageSize();
    if (scale <= 0 || device.isEmpty())
        com::raise(ErrPrinter, QStringLiteral("Druckerfehler"));
    const QSizeF layoutSize(device.width() / scale, device.height() / scale);
    page.setPageSize(layoutSize);

    // Laid out a stretch at a time; the layout stops at the block holding
    // the position asked for.
    if (progress) {
        const QAbstractTextDocumentLayout *layout = page.documentLayout();
        for (int pos = 0; pos < page.characterCount(); pos += kStepChars) {
            layout->blockBoundingRect(page.findBlock(pos));
            if (!goOn(0, 0))
                return stop();
        }
    }
    if (!laidOutWhole(page)) {
        target.abort();
        com::raise(com::ErrOverflow,
                   QStringLiteral("Der Text ist zu lang, um vollständig gedruckt zu werden."));
    }
    const int pages = std::max(1, page.pageCount());
    for (int i = 0; i < pages; ++i) {
        if (progress && !progress->advance(i, pages))
            return stop();
        QPainter *painter = target.beginPage();
        if (!painter)
            com::raise(ErrPrinter, QStringLiteral("Druckerfehler"));
        painter->save();
        painter->scale(scale, scale);
        const QRectF view(0, i * layoutSize.height(), layoutSize.width(), layoutSize.height());
        painter->translate(0, -view.top());
        painter->setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = view;
        ctx.palette.setColor(QPalette::Text, Qt::black);
        page.documentLayout()->draw(painter, ctx);
        painter->restore();
        target.endPage();
    }
    if (!target.finish())
        com::raise(ErrPrinter, QStringLiteral("Druckerfehler"));
    return true;
}

void RichTextBox::setClipboardSource(const ClipboardSource *source)
{
    m_clipboard = source;
}

void RichTextBox::paste()
{
    beforeChange();
    const ClipboardSource &source = m_clipboard ? *m_clipboard : *m_systemClipboard;
    const QByteArray encoded = source.encodedPicture();
    const QImage image = source.image();
    if (!image.isNull() || Picture::kindOf(encoded) != Picture::Kind::None) {
        QTextCursor c = m_edit->textCursor();
        c.beginEditBlock();
        c.removeSelectedText();
        if (!Picture::insert(c, encoded))
            Picture::insertImage(c, image);
        c.endEditBlock();
        m_edit->setTextCursor(c);
        return;
    }
    const QString text = source.text();
    if (!text.isEmpty())
        setSelText(text);
}

} // namespace richtext
