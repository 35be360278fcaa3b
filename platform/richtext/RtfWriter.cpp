#include "platform/richtext/RtfWriter.h"

#include "platform/richtext/ParagraphPieces.h"
#include "platform/richtext/Picture.h"
#include "platform/runtime/Windows1252.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>
#include <QUrl>

#include <cmath>

namespace richtext
{

namespace
{

constexpr double kTwipsPerPixel = 15.0;
constexpr int kHexPerLine = 128;

struct RunState {
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int color = 0;
    bool operator==(const RunState &) const = default;
};

int twips(double pixels)
{
    return static_cast<int>(std::nearbyint(pixels * kTwipsPerPixel));
}

} // namespace

class RtfWriter::Writer
{
public:
    Writer(const QTextDocument &doc, int from, int to) : m_doc(doc), m_from(from), m_to(to)
    {
        m_fonts.append(familyOf(doc.defaultFont()));
    }

    QByteArray run()
    {
        collectTables();
        QByteArray body;
        body.reserve(4096);
        std::swap(m_out, body);
        writeBody();
        std::swap(m_out, body);

        m_out.reserve(body.size() + 1024);
        m_out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl";
        for (int i = 0; i < m_fonts.size(); ++i) {
            m_out += "{\\f" + QByteArray::number(i);
            m_out += m_fonts[i] == QLatin1String("Symbol") ? "\\fnil\\fcharset2 " : "\\fnil\\fcharset0 ";
            writeText(m_fonts[i]);
            m_out += ";}";
        }
        m_out += "}\r\n";
        if (!m_colors.isEmpty()) {
            m_out += "{\\colortbl ;";
            for (const QRgb rgb : m_colors) {
                m_out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
                         QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) + ';';
            }
            m_out += "}\r\n";
        }
        m_out += "\\viewkind4\\uc1\r\n";
        m_out += body;
        m_out += "}\r\n";
        return m_out;
    }

private:
    const QTextDocument &m_doc;
    int m_from;
    int m_to;
    QByteArray m_out;
    QStringList m_fonts;
    QList<QRgb> m_colors;
    int m_symbolFont = -1;
    RunState m_state;
    bool m_stateWritten = false;
    // The paragraph properties in force, as written after the last \pard.
    QByteArray m_lastParagraph;
    bool m_lastParagraphList = false;
    bool m_paragraphWritten = false;

    static QString familyOf(const QFont &font)
    {
        const QString family = font.families().value(0, font.family());
        return family.isEmpty() ? QStringLiteral("Arial") : family;
    }

    QString familyOf(const QTextCharFormat &f) const
    {
        const QStringList families = f.fontFamilies().toStringList();
        if (!families.isEmpty() && !families.first().isEmpty())
            return families.first();
        return m_fonts.first();
    }

    template <typename Fn> void forEachFragment(Fn fn) const
    {
        for (QTextBlock b = m_doc.findBlock(m_from); b.isValid() && b.position() <= m_to; b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment frag = it.fragment();
                const int start = std::max(frag.position(), m_from);
                const int end = std::min(frag.position() + frag.length(), m_to);
                if (start < end)
                    fn(frag, start, end);
            }
        }
    }

    void collectTables()
    {
        forEachFragment([this](const QTextFragment &frag, int, int) {
            const QTextCharFormat f = frag.charFormat();
            const QString family = familyOf(f);
            if (!m_fonts.contains(family))
                m_fonts.append(family);
            if (f.hasProperty(QTextFormat::ForegroundBrush)) {
                const QRgb rgb = f.foreground().color().rgb() & 0xFFFFFF;
                if (!m_colors.contains(rgb | 0xFF000000u))
                    m_colors.append(rgb | 0xFF000000u);
            }
        });
        for (QTextBlock b = m_doc.findBlock(m_from); b.isValid() && b.position() <= m_to; b = b.next()) {
            if (b.textList()) {
                m_symbolFont = m_fonts.indexOf(QStringLiteral("Symbol"));
                if (m_symbolFont < 0) {
                    m_symbolFont = m_fonts.size();
                    m_fonts.append(QStringLiteral("Symbol"));
                }
                break;
            }
        }
    }

    RunState stateOf(const QTextCharFormat &f) const
    {
        RunState s;
        s.font = std::max<int>(0, m_fonts.indexOf(familyOf(f)));
        double points =
            f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : m_doc.defaultFont().pointSizeF();
        if (points <= 0)
            points = 12;
        s.halfPoints = std::clamp(static_cast<int>(std::nearbyint(points * 2)), 2, 3276);
        s.bold = f.fontWeight() >= QFont::DemiBold;
        s.italic = f.fontItalic();
        s.underline = f.fontUnderline();
        s.strike = f.fontStrikeOut();
        if (f.hasProperty(QTextFormat::ForegroundBrush))
            s.color = m_colors.indexOf(f.foreground().color().rgb() | 0xFF000000u) + 1;
        return s;
    }

    void writeState(const RunState &s)
    {
        if (m_stateWritten && s == m_state)
            return;
        m_out += "\\plain\\f" + QByteArray::number(s.font) + "\\fs" + QByteArray::number(s.halfPoints);
        if (s.bold)
            m_out += "\\b";
        if (s.italic)
            m_out += "\\i";
        if (s.underline)
            m_out += "\\ul";
        if (s.strike)
            m_out += "\\strike";
        if (s.color > 0)
            m_out += "\\cf" + QByteArray::number(s.color);
        m_out += ' ';
        m_state = s;
        m_stateWritten = true;
    }

    void writeBody()
    {
        const QTextBlock first = m_doc.findBlock(m_from);
        for (QTextBlock b = first; b.isValid() && b.position() <= m_to; b = b.next()) {
            // The pieces of a long paragraph go out as the one paragraph.
            if (b == first || !ParagraphPieces::continues(b))
                writeParagraphStart(b);
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment frag = it.fragment();
                const int start = std::max(frag.position(), m_from);
                const int end = std::min(frag.position() + frag.length(), m_to);
                if (start >= end)
                    continue;
                const QTextCharFormat f = frag.charFormat();
                writeState(stateOf(f));
                const QString text = frag.text().mid(start - frag.position(), end - start);
                if (f.isImageFormat()) {
                    for (int i = 0; i < text.size(); ++i)
                        writePicture(f);
                } else {
                    writeText(text);
                }
            }
            const QTextBlock next = b.next();
            if (!(next.isValid() && next.position() <= m_to && ParagraphPieces::continues(next)))
                m_out += "\\par\r\n";
        }
    }

    void writeParagraphStart(const QTextBlock &b)
    {
        const QTextBlockFormat bf = b.blockFormat();
        QByteArray words;
        const Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignJustify)
            words += "\\qj";
        else if (a & Qt::AlignHCenter)
            words += "\\qc";
        else if (a & Qt::AlignRight)
            words += "\\qr";
        if (const int fi = twips(bf.textIndent()))
            words += "\\fi" + QByteArray::number(fi);
        if (const int li = twips(bf.leftMargin()))
            words += "\\li" + QByteArray::number(li);
        if (const int ri = twips(bf.rightMargin()))
            words += "\\ri" + QByteArray::number(ri);
        // A paragraph's properties hold until the next \pard: a paragraph
        // formatted as the one before needs none (a bullet is restated).
        const bool list = b.textList() != nullptr;
        if (m_paragraphWritten && !list && !m_lastParagraphList && words == m_lastParagraph)
            return;
        m_paragraphWritten = true;
        m_lastParagraphList = list;
        m_lastParagraph = words;
        m_out += "\\pard" + words;
        if (list) {
            // Both the marker old readers show and the property that marks a
            // bullet paragraph.
            const QByteArray sym = QByteArray::number(m_symbolFont);
            m_out += "{\\pntext\\f" + sym + "\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf" + sym +
                     "\\pnindent0{\\pntxtb\\'B7}}";
            // The marker's font may stay with a reader; the next run restates
            // its own, and its control words start right after the brace.
            m_stateWritten = false;
            return;
        }
        m_out += ' ';
    }

    static bool isPlainAscii(char16_t c)
    {
        return c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}';
    }

    void writeText(const QString &text)
    {
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            // Stretches of plain ASCII go out as they are, in one piece.
            qsizetype end = i;
            while (end < n && isPlainAscii(text[end].unicode()))
                ++end;
            if (end > i) {
                const qsizetype at = m_out.size();
                m_out.resize(at + (end - i));
                char *out = m_out.data() + at;
                for (qsizetype k = i; k < end; ++k)
                    *out++ = static_cast<char>(text[k].unicode());
                i = end - 1;
                continue;
            }
            const char16_t c = text[i].unicode();
            if (c == '\\' || c == '{' || c == '}') {
                m_out += '\\';
                m_out += static_cast<char>(c);
            } else if (c == '\t') {
                m_out += "\\tab ";
            } else if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
                m_out += "\\line ";
            } else if (c >= 0x20 && c < 0x7F) {
                m_out += static_cast<char>(c);
            } else if (c < 0x20 || c == QChar::ObjectReplacementCharacter) {
                continue;
            } else if (const int byte = rt::Windows1252::encodeChar(c); byte >= 0) {
                static const char digits[] = "0123456789abcdef";
                m_out += "\\'";
                m_out += digits[byte >> 4];
                m_out += digits[byte & 15];
            } else {
                m_out += "\\u" + QByteArray::number(static_cast<int16_t>(c)) + '?';
            }
        }
    }

    void writePicture(const QTextCharFormat &f)
    {
        QByteArray bytes = Picture::encoded(f);
        if (Picture::isUndrawn(f)) {
            // Its data goes back as it came, described as it was.
            m_out += "{\\pict" + Picture::pictWords(f) + "\r\n";
            writeHex(bytes);
            m_out += "}";
            return;
        }
        if (bytes.isEmpty()) {
            // An image that came without its file form: store it as PNG.
            const QVariant res = m_doc.resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name()));
            const QImage image = res.value<QImage>();
            if (image.isNull())
                return;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
        }
        const Picture::Kind kind = Picture::kindOf(bytes);
        if (kind == Picture::Kind::None)
            return;
        QSize natural = Picture::naturalSize(f);
        if (natural.isEmpty())
            natural = QImage::fromData(bytes).size();
        QSizeF shown = Picture::displaySize(f);
        if (shown.isEmpty())
            shown = natural;
        m_out += kind == Picture::Kind::Png ? "{\\pict\\pngblip" : "{\\pict\\jpegblip";
        m_out += "\\picw" + QByteArray::number(natural.width()) + "\\pich" +
                 QByteArray::number(natural.height()) + "\\picwgoal" +
                 QByteArray::number(twips(shown.width())) + "\\pichgoal" +
                 QByteArray::number(twips(shown.height())) + "\r\n";
        writeHex(bytes);
        m_out += "}";
    }

    void writeHex(const QByteArray &bytes)
    {
        static const char digits[] = "0123456789abcdef";
        const qsizetype n = bytes.size();
        const qsizetype start = m_out.size();
        m_out.resize(start + n * 2 + n / (kHexPerLine / 2) + 2);
        char *out = m_out.data() + start;
        const auto *in = reinterpret_cast<const unsigned char *>(bytes.constData());
        for (qsizetype i = 0; i < n; ++i) {
            *out++ = digits[in[i] >> 4];
            *out++ = digits[in[i] & 15];
            if ((i + 1) % (kHexPerLine / 2) == 0)
                *out++ = '\n';
        }
        m_out.truncate(out - m_out.constData());
    }
};

QByteArray RtfWriter::write(const QTextDocument &doc)
{
    return write(doc, 0, doc.characterCount() - 1);
}

QByteArray RtfWriter::write(const QTextDocument &doc, int from, int to)
{
    const int last = doc.characterCount() - 1;
    from = std::clamp(from, 0, last);
    to = std::clamp(to, from, last);
    return Writer(doc, from, to).run();
}

} // namespace richtext
