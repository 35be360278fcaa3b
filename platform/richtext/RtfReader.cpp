#include "platform/richtext/RtfReader.h"

#include "platform/richtext/ParagraphPieces.h"
#include "platform/richtext/Picture.h"
#include "platform/runtime/Windows1252.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace richtext
{

namespace
{

constexpr int kMaxWordLength = 32;
constexpr int64_t kNumberLimit = 1'000'000'000;
constexpr int kMaxTwips = 31680; // 22 inches, the widest page RTF knows
constexpr double kTwipsPerPixel = 15.0;
constexpr double kTwipsPerInch = 1440.0;
constexpr double kHimetricPerInch = 2540.0;
// What a page holds: larger fonts are shown at this size (a few words a
// line already), and fonts and colours past these many are shown as the
// default. Qt's layout never ends for a document some eight million pixels
// tall in a large font (a few hundred kilobytes of text at 100 pt), so text
// above kLargeHalfPoints counts against a budget (characters weighted by their
// area at that size); beyond it, it is shown at kLargeHalfPoints.
constexpr int kMaxHalfPoints = 2 * 72;
constexpr int kLargeHalfPoints = 2 * 24;
constexpr double kLargeTextBudget = 500'000;
constexpr int kMaxFonts = 256;
// A longer word goes on in the paragraph's next piece.
constexpr qsizetype kMaxWordChars = 1024;
constexpr int kMaxColors = 256;
// Each face (family, size, weight, slant) costs the layout a font of its own:
// 20,000 of them took twelve seconds. Past these many an entry's text is
// shown in the nearest face it already uses.
constexpr qsizetype kMaxFaces = 256;

enum class Dest {
    Text, // document text
    FontTable,
    ColorTable,
    Pict,
    ListText, // the rendered bullet or number of a list paragraph
    Pn,       // old-style paragraph numbering properties
    Skip,
};

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    int color = 0;
    bool operator==(const CharState &) const = default;
};

struct Face {
    QString family; // empty: the document's default
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool operator==(const Face &) const = default;
};

size_t qHash(const Face &f, size_t seed = 0)
{
    return qHashMulti(seed, f.family, f.halfPoints, f.bold, f.italic);
}

struct ParaState {
    int align = 0; // 0 left, 1 right, 2 centre, 3 justified
    int left = 0;  // twips
    int first = 0;
    int right = 0;
    bool bullet = false;
    int listOverride = 0;
};

struct Group {
    CharState chr;
    ParaState para;
    Dest dest = Dest::Text;
    int uc = 1;
};

struct PictState {
    QByteArray bytes;
    QByteArray words; // the control words that describe the data, as read
    bool metafile = false;
    int picW = 0;
    int picH = 0;
    int goalW = 0;
    int goalH = 0;
    int scaleX = 100;
    int scaleY = 100;
    int nibble = -1;
    qint64 counted = 0; // data bytes, when only counted
};

constexpr int kMaxPictWords = 1024;

bool isHex(char16_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char16_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

// Characters the document gives a structural meaning to never come from the
// text itself: breaks come only from \par and \line, pictures from \pict.
bool acceptChar(QChar &c)
{
    if (c == QChar::ParagraphSeparator)
        c = QChar::LineSeparator;
    return !((c.unicode() < 0x20 && c != u'\t') || c == QChar::ObjectReplacementCharacter ||
             c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1); // frame marks
}

bool isLetter(char16_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int clampInt(int64_t v, int low, int high)
{
    return static_cast<int>(std::clamp<int64_t>(v, low, high));
}

// Destinations whose content is no document text.
bool isSkippedDestination(QStringView w)
{
    static const char *const names[] = {
        "stylesheet",   "info",
        "header",       "headerl",
        "headerr",      "headerf",
        "footer",       "footerl",
        "footerr",      "footerf",
        "footnote",     "annotation",
        "listtable",    "listoverridetable",
        "revtbl",       "rsidtbl",
        "nonshppict",   "objdata",
        "fldinst",      "sn",
        "sv",           "pntxtb",
        "pntxta",       "xmlnstbl",
        "themedata",    "colorschememapping",
        "latentstyles", "datastore",
        "generator",    "filetbl",
        "template",     "userprops",
        "docvar",       "bkmkstart",
        "bkmkend",      "xe",
        "tc",           "txe",
        "comment",      "atnid",
        "atnauthor",    "private",
        "picprop",      "blipuid",
        "shpinst",      "pgdsctbl",
        "mmathPr",      "fchars",
        "lchars",
    };
    for (const char *name : names) {
        if (w == QLatin1String(name))
            return true;
    }
    return false;
}

} // namespace

// The RTF as the parser sees it: text, or ASCII bytes widened into a text
// buffer of their length as far as the parser has looked, or (to be counted
// only) ASCII bytes read as they are, widening no more than a word.
class RtfReader::Input
{
public:
    explicit Input(QStringView text) : m_text(text.data()), m_size(text.size()), m_ready(text.size()) {}
    Input(const char *ascii, QChar *buffer, qsizetype size)
        : m_ascii(ascii), m_buffer(buffer), m_text(buffer), m_size(size)
    {
    }
    Input(const char *ascii, qsizetype size) : m_ascii(ascii), m_text(nullptr), m_size(size), m_direct(true)
    {
    }

    qsizetype size() const { return m_size; }
    QChar operator[](qsizetype i) const
    {
        if (m_direct)
            return QChar(static_cast<unsigned char>(m_ascii[i]));
        if (i >= m_ready)
            widen(i + 1);
        return m_text[i];
    }
    // Read as they are, the bytes are widened for words alone.
    QStringView sliced(qsizetype pos, qsizetype n) const
    {
        if (m_direct) {
            m_word = QLatin1String(m_ascii + pos, n);
            return m_word;
        }
        if (pos + n > m_ready)
            widen(pos + n);
        return QStringView(m_text + pos, n);
    }
    // Widens up to `to`, and a stretch beyond so that most looks find it done.
    void widen(qsizetype to) const
    {
        constexpr qsizetype kAhead = 64 * 1024;
        const qsizetype end = std::min(m_size, std::max(to, m_ready + kAhead));
        auto *out = reinterpret_cast<char16_t *>(m_buffer);
        for (qsizetype i = m_ready; i < end; ++i)
            out[i] = static_cast<unsigned char>(m_ascii[i]);
        m_ready = std::max(m_ready, end);
    }

private:
    const char *m_ascii = nullptr;
    QChar *m_buffer = nullptr;
    const QChar *m_text;
    qsizetype m_size;
    mutable qsizetype m_ready = 0;
    const bool m_direct = false;
    mutable QString m_word;
};

class RtfReader::Parser
{
public:
    Parser(const Input &in, QTextCursor &cursor) : m_in(in), m_cursor(cursor) { init(); }
    // Hands nothing to a document: counts what it would hand.
    struct Counting {
    };
    Parser(const Input &in, QTextCursor &none, Counting) : m_in(in), m_cursor(none), m_counting(true)
    {
        init();
    }

    qint64 handed() const { return m_handed; }
    qint64 breaks() const { return m_breaks; }
    qint64 written() const { return m_written; }

private:
    void init()
    {
        m_stack.reserve(kMaxDepth + 1);
        m_stack.push_back(Group{});
    }

public:
    void run() { runUntil(m_in.size()); }
    bool heldBack() const { return m_heldBack || m_budget.heldBack; }

    // Reads on until the input position reaches `until`, or to the end, where
    // it closes the document. Returns whether the whole input is read.
    bool runUntil(qsizetype until)
    {
        m_limit = std::min(until, m_in.size());
        while (m_pos < m_limit) {
            const char16_t c = m_in[m_pos].unicode();
            if (c == '{') {
                ++m_pos;
                openGroup();
            } else if (c == '}') {
                ++m_pos;
                closeGroup();
            } else if (c == '\\') {
                ++m_pos;
                controlSequence();
            } else if (m_overflow > 0) {
                ++m_pos;
            } else if (top().dest == Dest::Pict) {
                pictData();
            } else {
                plainText();
            }
        }
        if (m_pos < m_in.size()) {
            flushRun(); // what is read so far shows
            return false;
        }
        if (!m_finished) {
            m_finished = true;
            finish();
        }
        return true;
    }

private:
    const Input &m_in;
    qsizetype m_pos = 0;
    qsizetype m_limit = 0; // where this step of reading stops
    bool m_finished = false;
    QTextCursor &m_cursor;
    std::vector<Group> m_stack;
    int m_overflow = 0;  // groups past the depth limit, matched but dropped
    int m_skipChars = 0; // fallback characters still to skip after \u
    char16_t m_highSurrogate = 0;

    QHash<int, QString> m_fonts;
    int m_fontId = 0;
    QString m_fontName;
    int m_defaultFont = 0;
    QList<QColor> m_colors; // index 0 may be the automatic colour
    QList<bool> m_colorIsAuto;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;

    QHash<Face, Face> m_faces;      // each face asked for, and the one shown
    std::vector<Face> m_facesShown; // at most kMaxFaces, and the fallback

    QString m_run;
    CharState m_runState;
    static constexpr size_t kFormatCacheSize = 16;
    std::vector<std::pair<CharState, QTextCharFormat>> m_formatCache;

    bool m_pendingPar = false;
    QString m_listText;
    QTextCharFormat m_listTextFormat;
    bool m_hadListText = false;
    QPointer<QTextList> m_list;
    int m_listBlock = -1;
    bool m_anyContent = false;
    qsizetype m_pieceChars = 0;  // in the paragraph's last piece
    qsizetype m_wordChars = 0;   // of its last word so far
    bool m_piecePending = false; // a full piece wants a next before more text

    // What the layout is handed: characters of text and paragraph breaks
    // (a picture is counted as data). The same count decides whether an
    // entry is shown at all, so nothing reaches the layout uncounted.
    const bool m_counting = false;
    qint64 m_handed = 0;
    qint64 m_breaks = 0;  // paragraph and line breaks among them
    qint64 m_written = 0; // about as many bytes as the writer stores for it
    bool m_anyRun = false;

    PictState m_pict;
    Picture::Budget m_budget;
    bool m_heldBack = false; // something is shown other than the RTF says
    double m_largeText = 0;  // weighted characters in a large font so far

    Group &top() { return m_stack.back(); }

    void openGroup()
    {
        m_skipChars = 0;
        if (m_overflow > 0 || static_cast<int>(m_stack.size()) > kMaxDepth) {
            // Whatever it holds is left out: only the RTF keeps it.
            m_heldBack = true;
            ++m_overflow;
            return;
        }
        Group g = top();
        if (g.dest == Dest::Pict || g.dest == Dest::Pn || g.dest == Dest::ColorTable)
            g.dest = Dest::Skip; // nothing nested there carries text we use
        m_stack.push_back(g);
        // \* marks a destination a reader may ignore when it does not know it.
        if (peekStarDestination()) {
            m_pos += 2;
            starDestination();
        }
    }

    bool peekStarDestination() const
    {
        return m_pos + 1 < m_in.size() && m_in[m_pos] == u'\\' && m_in[m_pos + 1] == u'*';
    }

    void starDestination()
    {
        // Only a few starred destinations hold something we keep.
        const qsizetype save = m_pos;
        while (m_pos < m_in.size() && (m_in[m_pos] == u' ' || m_in[m_pos] == u'\r' || m_in[m_pos] == u'\n'))
            ++m_pos;
        if (m_pos < m_in.size() && m_in[m_pos] == u'\\') {
            qsizetype p = m_pos + 1;
            qsizetype start = p;
            while (p < m_in.size() && isLetter(m_in[p].unicode()) && p - start < kMaxWordLength)
                ++p;
            const QStringView word = m_in.sliced(start, p - start);
            if (word == QLatin1String("shppict") || word == QLatin1String("pn"))
                return; // the word itself is read as usual
        }
        m_pos = save;
        skipGroup();
    }

    // A destination left out where it could hold document text: the entry
    // is no longer whole without its RTF.
    void skipGroup()
    {
        if (m_stack.size() >= 2 && m_stack[m_stack.size() - 2].dest == Dest::Text)
            m_heldBack = true;
        top().dest = Dest::Skip;
    }

    void closeGroup()
    {
        m_skipChars = 0;
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (m_stack.size() <= 1)
            return; // an unmatched brace closes nothing
        const Group closing = top();
        const Dest parent = m_stack[m_stack.size() - 2].dest;
        if (closing.dest != parent) {
            if (closing.dest == Dest::Pict)
                finishPicture();
            else if (closing.dest == Dest::FontTable && !m_fontName.trimmed().isEmpty())
                storeFont();
            else if (closing.dest == Dest::ListText)
                m_hadListText = true;
        }
        if (closing.dest == Dest::Text && parent == Dest::Text &&
            !(closing.chr == m_stack[m_stack.size() - 2].chr))
            flushRun();
        m_stack.pop_back();
    }

    void controlSequence()
    {
        if (m_pos >= m_in.size())
            return;
        const char16_t c = m_in[m_pos].unicode();
        if (!isLetter(c)) {
            ++m_pos;
            controlSymbol(c);
            return;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_in.size() && isLetter(m_in[m_pos].unicode()))
            ++m_pos;
        const QStringView word = m_in.sliced(start, std::min<qsizetype>(m_pos - start, kMaxWordLength));
        bool hasParam = false;
        int64_t param = 0;
        bool negative = false;
        if (m_pos < m_in.size() && m_in[m_pos] == u'-' && m_pos + 1 < m_in.size() &&
            m_in[m_pos + 1].isDigit()) {
            negative = true;
            ++m_pos;
        }
        while (m_pos < m_in.size() && m_in[m_pos] >= u'0' && m_in[m_pos] <= u'9') {
            hasParam = true;
            param = std::min<int64_t>(param * 10 + (m_in[m_pos].unicode() - '0'), kNumberLimit);
            ++m_pos;
        }
        if (negative)
            param = -param;
        if (m_pos < m_in.size() && m_in[m_pos] == u' ')
            ++m_pos;
        if (m_overflow > 0)
            return;
        if (word == QLatin1String("bin")) {
            // Raw bytes follow: picture data, or skipped.
            const qsizetype count = std::clamp<int64_t>(param, 0, m_in.size() - m_pos);
            if (top().dest == Dest::Pict) {
                if (m_counting)
                    m_pict.counted += count;
                else
                    for (qsizetype i = 0; i < count; ++i)
                        m_pict.bytes.append(static_cast<char>(m_in[m_pos + i].unicode() & 0xFF));
            } else if (count > 0) {
                m_heldBack = true; // bytes nothing shows
            }
            m_pos += count;
            return;
        }
        if (m_skipChars > 0) {
            --m_skipChars;
            return;
        }
        controlWord(word, hasParam, param);
    }

    void controlSymbol(char16_t c)
    {
        if (m_overflow > 0)
            return;
        if (c == '\'') {
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_pos < m_in.size() && isHex(m_in[m_pos].unicode())) {
                value = value * 16 + hexValue(m_in[m_pos].unicode());
                ++m_pos;
                ++digits;
            }
            if (m_skipChars > 0) {
                --m_skipChars;
                return;
            }
            if (digits == 2)
                emitChar(rt::Windows1252::decodeByte(static_cast<unsigned char>(value)));
            return;
        }
        if (m_skipChars > 0) {
            --m_skipChars;
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            emitChar(c);
            break;
        case '~':
            emitChar(0x00A0);
            break;
        case '_':
            emitChar(0x2011);
            break;
        case '\r':
        case '\n':
            paragraph();
            break;
        case '*':
            if (top().dest != Dest::Skip)
                skipGroup(); // a \* not at the start of its group
            break;
        default:
            break; // \- \| \: and the rest mean nothing to us
        }
    }

    void controlWord(QStringView w, bool hasParam, int64_t param)
    {
        Group &g = top();
        if (g.dest == Dest::Skip)
            return;
        const bool on = !hasParam || param != 0;
        // Destinations first: they change what the rest of the group means.
        if (w == QLatin1String("fonttbl")) {
            g.dest = Dest::FontTable;
            m_fontName.clear();
            return;
        }
        if (w == QLatin1String("colortbl")) {
            g.dest = Dest::ColorTable;
            m_colorSet = false;
            m_red = m_green = m_blue = 0;
            return;
        }
        if (w == QLatin1String("pict")) {
            g.dest = Dest::Pict;
            m_pict = PictState{};
            return;
        }
        if (w == QLatin1String("listtext") || w == QLatin1String("pntext")) {
            g.dest = Dest::ListText;
            m_listText.clear();
            m_listTextFormat = charFormat(g.chr);
            return;
        }
        if (w == QLatin1String("pn")) {
            g.dest = Dest::Pn;
            return;
        }
        if (isSkippedDestination(w)) {
            if (g.dest == Dest::Text)
                m_heldBack = true; // left out: only the RTF keeps it
            g.dest = Dest::Skip;
            return;
        }
        if (g.dest == Dest::Pict) {
            pictWord(w, hasParam, param);
            return;
        }
        if (g.dest == Dest::Pn) {
            if (w == QLatin1String("pnlvlblt") && m_stack.size() >= 2)
                m_stack[m_stack.size() - 2].para.bullet = true;
            return;
        }
        if (g.dest == Dest::FontTable) {
            if (w == QLatin1String("f")) {
                if (!m_fontName.trimmed().isEmpty())
                    storeFont();
                m_fontId = clampInt(param, 0, kNumberLimit);
                m_fontName.clear();
            }
            return;
        }
        if (g.dest == Dest::ColorTable) {
            const int v = clampInt(param, 0, 255);
            if (w == QLatin1String("red")) {
                m_red = v;
                m_colorSet = true;
            } else if (w == QLatin1String("green")) {
                m_green = v;
                m_colorSet = true;
            } else if (w == QLatin1String("blue")) {
                m_blue = v;
                m_colorSet = true;
            }
            return;
        }

        // Text and list text.
        if (w == QLatin1String("u")) {
            if (!hasParam)
                return;
            int64_t v = param;
            if (v < 0)
                v += 65536;
            emitChar(static_cast<char16_t>(std::clamp<int64_t>(v, 0, 0xFFFF)));
            m_skipChars = g.uc;
            return;
        }
        if (w == QLatin1String("uc")) {
            g.uc = clampInt(param, 0, 16);
            return;
        }
        if (w == QLatin1String("deff")) {
            m_formatCache.clear();
            m_defaultFont = clampInt(param, 0, kNumberLimit);
            return;
        }
        // Character formatting.
        if (w == QLatin1String("plain")) {
            const int uc = g.uc;
            g.chr = CharState{};
            g.uc = uc;
        } else if (w == QLatin1String("b")) {
            g.chr.bold = on;
        } else if (w == QLatin1String("i")) {
            g.chr.italic = on;
        } else if (w == QLatin1String("ul") || w == QLatin1String("uld") || w == QLatin1String("uldb") ||
                   w == QLatin1String("ulw") || w == QLatin1String("uldash") ||
                   w == QLatin1String("ulwave") || w == QLatin1String("ulth")) {
            g.chr.underline = on;
        } else if (w == QLatin1String("ulnone")) {
            g.chr.underline = false;
        } else if (w == QLatin1String("strike") || w == QLatin1String("striked")) {
            g.chr.strike = on;
        } else if (w == QLatin1String("f")) {
            g.chr.font = clampInt(param, 0, kNumberLimit);
        } else if (w == QLatin1String("fs")) {
            g.chr.halfPoints = hasParam ? clampInt(param, 2, kMaxHalfPoints) : 24;
            m_heldBack = m_heldBack || param > kMaxHalfPoints;
        } else if (w == QLatin1String("cf")) {
            g.chr.color = clampInt(param, 0, kNumberLimit);
        }
        // Paragraph formatting.
        else if (w == QLatin1String("pard")) {
            g.para = ParaState{};
        } else if (w == QLatin1String("ql")) {
            g.para.align = 0;
        } else if (w == QLatin1String("qr")) {
            g.para.align = 1;
        } else if (w == QLatin1String("qc")) {
            g.para.align = 2;
        } else if (w == QLatin1String("qj")) {
            g.para.align = 3;
        } else if (w == QLatin1String("li")) {
            g.para.left = clampInt(param, -kMaxTwips, kMaxTwips);
        } else if (w == QLatin1String("fi")) {
            g.para.first = clampInt(param, -kMaxTwips, kMaxTwips);
        } else if (w == QLatin1String("ri")) {
            g.para.right = clampInt(param, -kMaxTwips, kMaxTwips);
        } else if (w == QLatin1String("ls")) {
            g.para.listOverride = clampInt(param, 0, kNumberLimit);
        } else if (w == QLatin1String("pnlvlblt")) {
            g.para.bullet = true;
        }
        // Special characters and breaks.
        else if (w == QLatin1String("par") || w == QLatin1String("sect") || w == QLatin1String("page") ||
                 w == QLatin1String("row")) {
            paragraph();
        } else if (w == QLatin1String("tab") || w == QLatin1String("cell")) {
            emitChar('\t');
        } else if (w == QLatin1String("line")) {
            emitChar(QChar::LineSeparator);
        } else if (w == QLatin1String("emdash")) {
            emitChar(0x2014);
        } else if (w == QLatin1String("endash")) {
            emitChar(0x2013);
        } else if (w == QLatin1String("bullet")) {
            emitChar(0x2022);
        } else if (w == QLatin1String("lquote")) {
            emitChar(0x2018);
        } else if (w == QLatin1String("rquote")) {
            emitChar(0x2019);
        } else if (w == QLatin1String("ldblquote")) {
            emitChar(0x201C);
        } else if (w == QLatin1String("rdblquote")) {
            emitChar(0x201D);
        } else if (w == QLatin1String("emspace")) {
            emitChar(0x2003);
        } else if (w == QLatin1String("enspace")) {
            emitChar(0x2002);
        }
    }

    // A picture's kind, its sizes and scaling, and what a bitmap needs to be
    // read again: written back unchanged with its data.
    static bool isPictDescription(QStringView w)
    {
        static const char *const names[] = {
            "pngblip",   "jpegblip",  "emfblip",      "wmetafile", "pmmetafile",    "macpict",
            "dibitmap",  "wbitmap",   "picw",         "pich",      "picwgoal",      "pichgoal",
            "picscalex", "picscaley", "piccropl",     "piccropr",  "piccropt",      "piccropb",
            "picbmp",    "picbpp",    "wbmbitspixel", "wbmplanes", "wbmwidthbytes",
        };
        for (const char *name : names) {
            if (w == QLatin1String(name))
                return true;
        }
        return false;
    }

    void pictWord(QStringView w, bool hasParam, int64_t param)
    {
        if (isPictDescription(w) && m_pict.words.size() < kMaxPictWords) {
            m_pict.words += '\\' + w.toLatin1();
            if (hasParam)
                m_pict.words += QByteArray::number(static_cast<qlonglong>(param));
        }
        if (w == QLatin1String("wmetafile") || w == QLatin1String("emfblip") ||
            w == QLatin1String("pmmetafile"))
            m_pict.metafile = true;
        else if (w == QLatin1String("picw"))
            m_pict.picW = clampInt(param, 0, kMaxTwips * 10);
        else if (w == QLatin1String("pich"))
            m_pict.picH = clampInt(param, 0, kMaxTwips * 10);
        else if (w == QLatin1String("picwgoal"))
            m_pict.goalW = clampInt(param, 0, kMaxTwips * 10);
        else if (w == QLatin1String("pichgoal"))
            m_pict.goalH = clampInt(param, 0, kMaxTwips * 10);
        else if (w == QLatin1String("picscalex"))
            m_pict.scaleX = clampInt(param, 1, 1000);
        else if (w == QLatin1String("picscaley"))
            m_pict.scaleY = clampInt(param, 1, 1000);
    }

    // Hex digits of a picture; the hot loop for large entries.
    void pictData()
    {
        const qsizetype n = m_limit;
        if (m_counting) {
            qsizetype digits = 0;
            for (; m_pos < n; ++m_pos) {
                const char16_t c = m_in[m_pos].unicode();
                if (c == '\\' || c == '{' || c == '}')
                    break;
                digits += isHex(c);
            }
            m_pict.counted += digits / 2;
            return;
        }
        if (m_pict.bytes.isEmpty())
            m_pict.bytes.reserve(std::min<qsizetype>((n - m_pos) / 2 + 1, 64 * 1024 * 1024));
        while (m_pos < n) {
            const char16_t c = m_in[m_pos].unicode();
            if (c == '\\' || c == '{' || c == '}')
                return;
            ++m_pos;
            if (!isHex(c))
                continue;
            if (m_pict.nibble < 0) {
                m_pict.nibble = hexValue(c);
            } else {
                m_pict.bytes.append(static_cast<char>((m_pict.nibble << 4) | hexValue(c)));
                m_pict.nibble = -1;
            }
        }
    }

    // Every picture with data is kept, drawn or not, so saving never loses it.
    void finishPicture()
    {
        if (m_counting) {
            const qint64 bytes = std::exchange(m_pict, PictState{}).counted;
            if (bytes > 0 && m_stack.size() >= 2 && m_stack[m_stack.size() - 2].dest == Dest::Text) {
                startContent();
                // As hex in lines, after its description.
                m_written += 2 * bytes + bytes / 64 + kMaxPictWords + 128;
            }
            return;
        }
        if (m_pict.bytes.isEmpty()) {
            m_pict = PictState{};
            return;
        }
        QSizeF size;
        if (m_pict.goalW > 0 && m_pict.goalH > 0) {
            size = QSizeF(m_pict.goalW * m_pict.scaleX / 100.0 / kTwipsPerPixel,
                          m_pict.goalH * m_pict.scaleY / 100.0 / kTwipsPerPixel);
        } else if (m_pict.metafile && m_pict.picW > 0 && m_pict.picH > 0) {
            // A metafile's own size is in hundredths of a millimetre.
            size = QSizeF(m_pict.picW * kTwipsPerInch / kHimetricPerInch / kTwipsPerPixel,
                          m_pict.picH * kTwipsPerInch / kHimetricPerInch / kTwipsPerPixel);
        }
        PictState pict = std::exchange(m_pict, PictState{});
        // The data was given room for the rest of the input; the picture
        // keeps only its own bytes.
        pict.bytes.squeeze();
        if (m_stack.size() < 2 || m_stack[m_stack.size() - 2].dest != Dest::Text)
            return;
        startContent();
        flushRun();
        nextPieceIfPending();
        Picture::insertRead(m_cursor, pict.bytes, pict.words, size, m_budget);
        ++m_pieceChars;
        m_wordChars = 0;
    }

    void plainText()
    {
        const qsizetype n = m_limit;
        while (m_pos < n) {
            // Plain ASCII text goes into the run as a whole stretch: large
            // entries are mostly that.
            if (m_skipChars == 0 && !m_highSurrogate && top().dest == Dest::Text) {
                qsizetype end = m_pos;
                while (end < n && isPlainAscii(m_in[end].unicode()))
                    ++end;
                if (end > m_pos) {
                    if (m_counting)
                        countPlain(end - m_pos);
                    else
                        appendPlain(m_in.sliced(m_pos, end - m_pos));
                    m_pos = end;
                    continue;
                }
            }
            const char16_t c = m_in[m_pos].unicode();
            if (c == '\\' || c == '{' || c == '}')
                return;
            ++m_pos;
            if (c == '\r' || c == '\n')
                continue;
            if (m_skipChars > 0) {
                --m_skipChars;
                continue;
            }
            if (c == '\t') {
                emitChar('\t');
            } else if (c < 0x20) {
                continue;
            } else if (c >= 0x80 && c <= 0xFF) {
                emitChar(rt::Windows1252::decodeByte(static_cast<unsigned char>(c)));
            } else {
                emitChar(c);
            }
        }
    }

    void emitChar(char16_t c)
    {
        Group &g = top();
        switch (g.dest) {
        case Dest::FontTable:
            if (c == ';')
                storeFont();
            else if (m_fontName.size() < 256)
                m_fontName.append(QChar(c));
            return;
        case Dest::ColorTable:
            if (c == ';') {
                if (m_colors.size() <= kMaxColors) { // the first may be the automatic one
                    m_formatCache.clear();
                    m_colors.append(QColor(m_red, m_green, m_blue));
                    m_colorIsAuto.append(!m_colorSet);
                } else {
                    m_heldBack = true;
                }
                m_colorSet = false;
                m_red = m_green = m_blue = 0;
            }
            return;
        case Dest::ListText: {
            // A marker is a symbol or a number; halves of wider characters
            // are not paired up there.
            QChar ch(QChar::isSurrogate(c) ? char16_t(QChar::ReplacementCharacter) : c);
            if (m_listText.size() < 64 && acceptChar(ch))
                m_listText.append(ch);
            return;
        }
        case Dest::Text:
            break;
        default:
            return;
        }
        // Pair up the halves of characters outside the 16-bit range.
        if (QChar::isHighSurrogate(c)) {
            if (m_highSurrogate)
                appendText(QChar::ReplacementCharacter);
            m_highSurrogate = c;
            return;
        }
        if (QChar::isLowSurrogate(c)) {
            if (m_highSurrogate) {
                appendText(QChar(m_highSurrogate));
                m_highSurrogate = 0;
                appendText(QChar(c));
            } else {
                appendText(QChar::ReplacementCharacter);
            }
            return;
        }
        if (m_highSurrogate) {
            m_highSurrogate = 0;
            appendText(QChar::ReplacementCharacter);
        }
        appendText(QChar(c));
    }

    static bool isPlainAscii(char16_t c)
    {
        return c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}';
    }

    void countPlain(qsizetype chars)
    {
        countRun();
        m_handed += chars;
        m_written += chars;
    }

    void appendPlain(QStringView text)
    {
        if (!m_run.isEmpty() && !(m_runState == top().chr))
            flushRun();
        startContent();
        if (m_run.isEmpty())
            m_runState = top().chr;
        m_run.append(text);
    }

    void appendText(QChar c)
    {
        if (!acceptChar(c))
            return;
        if (m_counting) {
            countRun();
            ++m_handed;
            m_breaks += c == QChar::LineSeparator;
            // As the writer escapes it.
            const char16_t u = c.unicode();
            m_written += u == '\t' ? 5 : u < 0x80 ? 2 : rt::Windows1252::encodeChar(u) >= 0 ? 4 : 9;
            return;
        }
        if (!m_run.isEmpty() && !(m_runState == top().chr))
            flushRun();
        startContent();
        if (m_run.isEmpty())
            m_runState = top().chr;
        m_run.append(c);
    }

    // A run in a format of its own is written with its control words.
    void countRun()
    {
        startContent();
        if (!m_anyRun || !(m_runState == top().chr)) {
            m_anyRun = true;
            m_runState = top().chr;
            m_written += 64;
        }
    }

    // Opens the paragraph that the last \par promised, once content follows.
    void startContent()
    {
        if (m_pendingPar && m_counting) {
            m_pendingPar = false;
            ++m_handed;
            ++m_breaks;
            m_written += 8;
        } else if (m_pendingPar) {
            flushRun();
            // Most paragraphs end with the properties they start with; then
            // closing them changes nothing.
            m_cursor.insertBlock(paragraphFormat(QTextBlockFormat(), top().para), QTextCharFormat());
            m_pendingPar = false;
            m_pieceChars = 0;
            m_wordChars = 0;
            m_piecePending = false;
        }
        m_anyContent = true;
    }

    void flushRun()
    {
        if (m_run.isEmpty())
            return;
        // Large text within the budget keeps its size, the rest is shown at
        // kLargeHalfPoints: counted by the character, so that reading in
        // steps gives what reading at once does.
        qsizetype large = m_run.size();
        if (m_runState.halfPoints > kLargeHalfPoints) {
            const double scale = double(m_runState.halfPoints) / kLargeHalfPoints;
            const double left = std::max(0.0, kLargeTextBudget - m_largeText) / (scale * scale);
            large = std::min<qsizetype>(large, static_cast<qsizetype>(left));
            if (large > 0 && large < m_run.size() && m_run[large - 1].isHighSurrogate())
                --large;
            m_largeText += scale * scale * large;
        }
        if (large > 0)
            insertRun(QStringView(m_run).first(large), cachedFormat(m_runState));
        if (large < m_run.size()) {
            CharState smaller = m_runState;
            smaller.halfPoints = kLargeHalfPoints;
            m_heldBack = true;
            insertRun(QStringView(m_run).sliced(large), cachedFormat(smaller));
        }
        m_run.clear();
    }

    // Inserts text of one format, in as many of the paragraph's pieces as
    // their bounds ask for.
    void insertRun(QStringView text, const QTextCharFormat &format)
    {
        using ParagraphPieces::kPieceChars;
        QStringView rest = text;
        while (!rest.isEmpty()) {
            const qsizetype used = m_piecePending ? 0 : m_pieceChars;
            qsizetype take = rest.size();
            bool full = false;
            if (used + rest.size() > kPieceChars) {
                // The cut goes after a space, where a line could break anyway.
                qsizetype cut = rest.indexOf(u' ', std::max<qsizetype>(0, kPieceChars - used));
                if (cut < 0 && used + rest.size() > 2 * kPieceChars) {
                    cut = std::max<qsizetype>(0, 2 * kPieceChars - used - 1);
                    if (rest[cut].isHighSurrogate() && cut + 1 < rest.size())
                        ++cut;
                }
                if (cut >= 0) {
                    take = cut + 1;
                    full = true;
                }
            }
            const qsizetype fits = wordFits(rest.first(take));
            if (fits < take) {
                take = fits;
                full = true;
            }
            if (!full)
                break;
            if (take > 0)
                insertPiece(rest.first(take), format);
            rest = rest.sliced(take);
            m_piecePending = true;
        }
        if (!rest.isEmpty())
            insertPiece(rest, format);
    }

    // Where a line may break without a space: Qt lays out a word longer
    // than a line again for each line it fills, so a word of a whole piece
    // takes minutes.
    static bool endsWord(QChar c)
    {
        const char16_t u = c.unicode();
        return u == ' ' || u == '\t' || u == '-' || u == QChar::LineSeparator ||
               (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7AF) || (u >= 0xF900 && u <= 0xFAFF) ||
               (u >= 0xFF00 && u <= 0xFFEF);
    }

    // How many of the characters the current piece takes before a word in
    // it grows longer than kMaxWordChars.
    qsizetype wordFits(QStringView text) const
    {
        qsizetype word = m_piecePending ? 0 : m_wordChars;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (endsWord(text[i]))
                word = 0;
            else if (++word > kMaxWordChars)
                return text[i].isLowSurrogate() && i > 0 ? i - 1 : i;
        }
        return text.size();
    }

    void insertPiece(QStringView text, const QTextCharFormat &format)
    {
        nextPieceIfPending();
        m_cursor.insertText(text.toString(), format);
        m_pieceChars += text.size();
        qsizetype i = text.size();
        while (i > 0 && !endsWord(text[i - 1]))
            --i;
        m_wordChars = i > 0 ? text.size() - i : m_wordChars + text.size();
    }

    // A paragraph's next piece starts only once it has text, so that no piece
    // is left empty at the paragraph's end.
    void nextPieceIfPending()
    {
        if (!m_piecePending)
            return;
        m_piecePending = false;
        // The properties in force go on the piece now: setting them on all
        // pieces at the paragraph's end would lay all of them out again.
        const QTextBlockFormat current = m_cursor.blockFormat();
        QTextBlockFormat bf = paragraphFormat(current, top().para);
        if (bf != current)
            m_cursor.setBlockFormat(bf);
        bf.setProperty(ParagraphPieces::kContinues, true);
        m_cursor.insertBlock(bf, QTextCharFormat());
        m_pieceChars = 0;
        m_wordChars = 0;
    }

    QTextCharFormat charFormat(const CharState &s)
    {
        QTextCharFormat f;
        const int font = s.font < 0 ? m_defaultFont : s.font;
        const auto it = m_fonts.constFind(font);
        const Face face =
            shownFace(Face{it != m_fonts.constEnd() ? *it : QString(), s.halfPoints, s.bold, s.italic});
        if (!face.family.isEmpty())
            f.setFontFamilies(QStringList{face.family});
        f.setFontPointSize(face.halfPoints / 2.0);
        f.setFontWeight(face.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(face.italic);
        f.setFontUnderline(s.underline);
        f.setFontStrikeOut(s.strike);
        if (s.color > 0 && s.color < m_colors.size() && !m_colorIsAuto[s.color])
            f.setForeground(m_colors[s.color]);
        return f;
    }

    // The face text asked to be in is shown in: itself while the entry uses
    // fewer than kMaxFaces, else the nearest in use (same family before same
    // style before the nearest size). That is never larger than the text
    // asked for, where large text counts against its budget; failing any,
    // the document's plain default face stands in.
    Face shownFace(const Face &asked)
    {
        const auto known = m_faces.constFind(asked);
        if (known != m_faces.constEnd())
            return *known;
        Face shown = asked;
        if (static_cast<qsizetype>(m_facesShown.size()) < kMaxFaces) {
            m_facesShown.push_back(asked);
        } else {
            m_heldBack = true;
            const int largest = std::max(asked.halfPoints, kLargeHalfPoints);
            int best = -1;
            for (const Face &f : m_facesShown) {
                if (f.halfPoints > largest)
                    continue;
                const int distance = (f.family != asked.family ? 4 * kMaxHalfPoints : 0) +
                                     (f.bold != asked.bold ? kMaxHalfPoints : 0) +
                                     (f.italic != asked.italic ? kMaxHalfPoints : 0) +
                                     std::abs(f.halfPoints - asked.halfPoints);
                if (best < 0 || distance < best) {
                    best = distance;
                    shown = f;
                }
            }
            if (best < 0) {
                shown = Face{};
                m_facesShown.push_back(shown);
            }
        }
        m_faces.insert(asked, shown);
        return shown;
    }

    // Runs switch among a few formats; building each anew costs more than
    // the text they carry.
    const QTextCharFormat &cachedFormat(const CharState &s)
    {
        for (const auto &[state, format] : m_formatCache) {
            if (state == s)
                return format;
        }
        if (m_formatCache.size() >= kFormatCacheSize)
            m_formatCache.erase(m_formatCache.begin());
        m_formatCache.emplace_back(s, charFormat(s));
        return m_formatCache.back().second;
    }

    void storeFont()
    {
        m_formatCache.clear();
        QString name = m_fontName.trimmed();
        if (name.endsWith(u';'))
            name.chop(1);
        if (!name.isEmpty() && !m_fonts.contains(m_fontId)) {
            if (m_fonts.size() < kMaxFonts)
                m_fonts.insert(m_fontId, name);
            else
                m_heldBack = true;
        }
        m_fontName.clear();
    }

    void paragraph()
    {
        if (top().dest != Dest::Text)
            return;
        if (m_highSurrogate) {
            m_highSurrogate = 0;
            appendText(QChar::ReplacementCharacter);
        }
        startContent();
        flushRun();
        finishParagraph(top().para);
        m_pendingPar = true;
    }

    // The paragraph's properties over the current block's other ones.
    static QTextBlockFormat paragraphFormat(const QTextBlockFormat &current, const ParaState &p)
    {
        QTextBlockFormat bf = current;
        static const Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter,
                                               Qt::AlignJustify};
        bf.setAlignment(aligns[p.align]);
        bf.setLeftMargin(p.left / kTwipsPerPixel);
        bf.setTextIndent(p.first / kTwipsPerPixel);
        bf.setRightMargin(p.right / kTwipsPerPixel);
        bf.clearProperty(QTextFormat::ObjectIndex);
        return bf;
    }

    void finishParagraph(const ParaState &p)
    {
        // A single non-digit symbol before the text is a bullet; a number or
        // letter sequence is a numbered list we keep as plain text.
        bool bullet = p.bullet;
        QString marker;
        if (m_hadListText) {
            marker = m_listText;
            const QString core = m_listText.trimmed();
            const bool symbol = core.size() <= 1 && (core.isEmpty() || !core.at(0).isLetterOrNumber());
            bullet = bullet || symbol;
        } else if (p.listOverride > 0) {
            bullet = true;
        }
        if (m_counting) {
            if (!bullet)
                m_handed += marker.size();
            // "\par"; a paragraph formatted otherwise, or a bullet, restates
            // its properties.
            const bool plain = p.align == 0 && p.left == 0 && p.first == 0 && p.right == 0 && !bullet;
            m_written += plain ? 8 + 9 * marker.size() : 128 + 9 * marker.size();
            m_listText.clear();
            m_hadListText = false;
            return;
        }
        QTextBlock block = m_cursor.block();
        const QTextBlockFormat current = block.blockFormat();
        const QTextBlockFormat bf = paragraphFormat(current, p);

        if (bf == current && !bullet && marker.isEmpty()) {
            m_listText.clear();
            m_hadListText = false;
            return;
        }
        // The paragraph's properties hold for all its pieces; its bullet or
        // marker goes with the first.
        const QTextBlock head = ParagraphPieces::head(block);
        if (bf != current) {
            for (QTextBlock b = head;; b = b.next()) {
                QTextBlockFormat piece = bf;
                if (b != head)
                    piece.setProperty(ParagraphPieces::kContinues, true);
                else
                    piece.clearProperty(ParagraphPieces::kContinues);
                QTextCursor(b).setBlockFormat(piece);
                if (b == block)
                    break;
            }
        }
        QTextCursor c(head);
        if (bullet) {
            if (m_list && m_listBlock == head.blockNumber() - 1) {
                m_list->add(head);
            } else {
                QTextListFormat lf;
                lf.setStyle(QTextListFormat::ListDisc);
                lf.setIndent(1);
                m_list = c.createList(lf);
            }
            m_listBlock = block.blockNumber();
        } else if (!marker.isEmpty()) {
            c.movePosition(QTextCursor::StartOfBlock);
            c.insertText(marker, m_listTextFormat);
        }
        m_listText.clear();
        m_hadListText = false;
    }

    void finish()
    {
        if (m_highSurrogate) {
            m_highSurrogate = 0;
            if (top().dest == Dest::Text)
                appendText(QChar::ReplacementCharacter);
        }
        flushRun();
        // The last paragraph mark closes the document; it adds no empty line.
        if (!m_pendingPar && m_anyContent)
            finishParagraph(top().para);
    }
};

bool RtfReader::isRtf(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    return text.sliced(i).startsWith(QLatin1String("{\\rtf"));
}

bool RtfReader::isRtf(QByteArrayView utf8)
{
    qsizetype i = 0;
    while (i < utf8.size() && QChar::isSpace(static_cast<unsigned char>(utf8[i])))
        ++i;
    return utf8.sliced(i).startsWith("{\\rtf");
}

RtfReader::Weight RtfReader::weigh(QByteArrayView stored)
{
    // As the box takes a stored entry: ASCII as its bytes, read where they
    // lie, anything else as UTF-8.
    const bool ascii = std::all_of(stored.begin(), stored.end(), [](char c) { return (c & 0x80) == 0; });
    const QString text = ascii ? QString() : QString::fromUtf8(stored);
    const Input input = ascii ? Input(stored.data(), stored.size()) : Input(text);
    QTextCursor none;
    Parser parser(input, none, Parser::Counting{});
    parser.run();
    return Weight{
        .chars = parser.handed(), .lines = parser.breaks() + 1, .written = parser.written() + kWrittenTables};
}

void RtfReader::read(QStringView rtf, QTextCursor &cursor)
{
    cursor.beginEditBlock();
    const Input input(rtf);
    Parser parser(input, cursor);
    parser.run();
    cursor.endEditBlock();
}

RtfReader::Stepwise::Stepwise(const QString &rtf, const QTextCursor &cursor)
    : m_rtf(rtf), m_input(std::make_unique<Input>(m_rtf)), m_cursor(cursor),
      m_parser(std::make_unique<Parser>(*m_input, m_cursor))
{
}

// The buffer is not written before the reader comes to each part: a large
// allocation takes memory from the system only as it is written.
RtfReader::Stepwise::Stepwise(const QByteArray &ascii, const QTextCursor &cursor)
    : m_rtf(ascii.size(), Qt::Uninitialized), m_ascii(ascii),
      m_input(std::make_unique<Input>(m_ascii.constData(), m_rtf.data(), m_rtf.size())), m_cursor(cursor),
      m_parser(std::make_unique<Parser>(*m_input, m_cursor))
{
}

RtfReader::Stepwise::~Stepwise() = default;

bool RtfReader::Stepwise::heldBack() const
{
    return m_parser->heldBack();
}

const QString &RtfReader::Stepwise::rtf()
{
    if (m_input->size() > 0)
        m_input->widen(m_input->size());
    return m_rtf;
}

bool RtfReader::Stepwise::step(qsizetype chars)
{
    if (m_done)
        return true;
    m_readTo = chars >= m_rtf.size() - m_readTo ? m_rtf.size() : m_readTo + chars;
    m_cursor.beginEditBlock();
    m_done = m_parser->runUntil(m_readTo);
    m_cursor.endEditBlock();
    return m_done;
}

} // namespace richtext
