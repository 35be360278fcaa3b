// The text half of DeviceContext: Qt draws the glyphs (without antialiasing),
// we place them and paint their background as the platform does.
#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/Raster.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

namespace gdi
{

namespace
{

struct TextLine {
    QString text;
    int prefixAt = -1; // the character to underline, -1 for none
};

// Takes out the '&' marks of a line: "&&" stands for '&', "&x" underlines x.
TextLine stripPrefixes(const QString &line, bool underline)
{
    TextLine result;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] != QLatin1Char('&')) {
            result.text += line[i];
            continue;
        }
        if (i + 1 >= line.size())
            break;
        ++i;
        if (line[i] != QLatin1Char('&') && underline && result.prefixAt < 0)
            result.prefixAt = static_cast<int>(result.text.size());
        result.text += line[i];
    }
    return result;
}

QString expandTabs(const QString &line)
{
    QString out;
    for (const QChar c : line) {
        if (c == QLatin1Char('\t')) {
            do
                out += QLatin1Char(' ');
            while (out.size() % 8);
        } else {
            out += c;
        }
    }
    return out;
}

// Breaks a line at blanks so that each piece fits width; a word wider than
// the width keeps a line of its own.
QStringList wrap(const QString &line, int width, const QFontMetrics &fm)
{
    QStringList lines;
    QString current;
    for (const QString &word : line.split(QLatin1Char(' '))) {
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (!current.isEmpty() && fm.horizontalAdvance(candidate) > width) {
            lines << current;
            current = word;
        } else {
            current = candidate;
        }
    }
    lines << current;
    return lines;
}

QString withEllipsis(const QString &text, int width, const QFontMetrics &fm)
{
    if (fm.horizontalAdvance(text) <= width)
        return text;
    const QString dots = QStringLiteral("...");
    QString kept = text;
    while (!kept.isEmpty() && fm.horizontalAdvance(kept + dots) > width)
        kept.chop(1);
    return kept + dots;
}

} // namespace

QSize DeviceContext::textExtent(const QString &text) const
{
    const QFontMetrics fm(m_font, m_target);
    return QSize(fm.horizontalAdvance(text), fm.height());
}

int DeviceContext::textAscent() const
{
    return QFontMetrics(m_font, m_target).ascent();
}

int DeviceContext::textHeight() const
{
    return QFontMetrics(m_font, m_target).height();
}

void DeviceContext::drawTextLine(int x, int y, const QString &text, int prefixAt, const QRegion *extraClip)
{
    const QFontMetrics fm(m_font, m_target);
    const QSize extent(fm.horizontalAdvance(text), fm.height());
    std::optional<QRegion> combined;
    if (extraClip)
        combined = clip() ? clip()->intersected(*extraClip) : *extraClip;
    const QRegion *lineClip = combined ? &*combined : clip();

    if (m_bkMode == Opaque) {
        raster::Surface s(*m_target, lineClip);
        s.fillRect(QRect(x, y, extent.width(), extent.height()), raster::RopMasks{0, deviceRgb(m_bkColor)});
    }
    const uint32_t color = deviceRgb(m_textColor);
    {
        QPainter painter(m_target);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        if (lineClip)
            painter.setClipRegion(*lineClip);
        painter.setFont(m_font);
        painter.setPen(QColor(QRgb(0xFF000000u | color)));
        painter.drawText(x, y + fm.ascent(), text);
    }
    if (prefixAt >= 0 && prefixAt < text.size()) {
        const int ux = x + fm.horizontalAdvance(text.left(prefixAt));
        const int uw = fm.horizontalAdvance(text.at(prefixAt));
        raster::Surface s(*m_target, lineClip);
        s.span(y + fm.ascent() + 1, ux, ux + uw, raster::RopMasks{0, color});
    }
}

bool DeviceContext::textOut(int x, int y, const QString &text)
{
    const QSize extent = textExtent(text);
    const bool updateCp = m_textAlign & TaUpdateCp;
    if (updateCp) {
        x = m_position.x();
        y = m_position.y();
    }
    const unsigned horizontal = m_textAlign & TaCenter;
    if (horizontal == TaCenter)
        x -= extent.width() / 2;
    else if (horizontal == TaRight)
        x -= extent.width();
    const unsigned vertical = m_textAlign & TaBaseline;
    if (vertical == TaBaseline)
        y -= textAscent();
    else if (vertical == TaBottom)
        y -= extent.height();
    drawTextLine(x, y, text, -1, nullptr);
    if (updateCp && horizontal == TaLeft)
        m_position.rx() += extent.width();
    return true;
}

int DeviceContext::drawText(Rect &rect, const QString &text, unsigned format)
{
    const QFontMetrics fm(m_font, m_target);
    const int lineHeight = fm.height() + ((format & DtExternalLeading) ? fm.leading() : 0);
    const bool prefixes = !(format & DtNoPrefix);
    const bool underline = !(format & DtHidePrefix);

    QStringList raw;
    if (format & DtSingleLine) {
        raw << text;
    } else {
        QString t = text;
        t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        raw = t.split(QLatin1Char('\n'));
    }
    std::vector<TextLine> lines;
    for (QString line : raw) {
        if (format & DtExpandTabs)
            line = expandTabs(line);
        TextLine stripped = prefixes ? stripPrefixes(line, underline) : TextLine{line, -1};
        if ((format & DtWordBreak) && !(format & DtSingleLine)) {
            const QStringList pieces = wrap(stripped.text, rect.width(), fm);
            int offset = 0;
            for (const QString &piece : pieces) {
                const int at = stripped.prefixAt - offset;
                lines.push_back({piece, at >= 0 && at < piece.size() ? at : -1});
                offset += static_cast<int>(piece.size()) + 1;
            }
        } else {
            if ((format & DtEndEllipsis) && (format & DtSingleLine))
                stripped.text = withEllipsis(stripped.text, rect.width(), fm);
            lines.push_back(stripped);
        }
    }

    int maxWidth = 0;
    for (const TextLine &line : lines)
        maxWidth = std::max(maxWidth, fm.horizontalAdvance(line.text));
    const int total = lineHeight * static_cast<int>(lines.size());
    if (format & DtCalcRect) {
        rect.right = rect.left + maxWidth;
        rect.bottom = rect.top + total;
        return total;
    }

    int y = rect.top;
    if (format & DtSingleLine) {
        if (format & DtVCenter)
            y = rect.top + (rect.height() - lineHeight) / 2;
        else if (format & DtBottom)
            y = rect.bottom - lineHeight;
    }
    const QRegion box(rect.toQRect());
    const QRegion *extraClip = (format & DtNoClip) ? nullptr : &box;
    int lineY = y;
    for (const TextLine &line : lines) {
        const int w = fm.horizontalAdvance(line.text);
        int x = rect.left;
        if (format & DtCenter)
            x = (rect.left + rect.right - w) / 2;
        else if (format & DtRight)
            x = rect.right - w;
        drawTextLine(x, lineY, line.text, line.prefixAt, extraClip);
        lineY += lineHeight;
    }
    // With vertical placement the platform returns how far the text's bottom
    // lies below the rectangle's top.
    if ((format & DtSingleLine) && (format & (DtVCenter | DtBottom)))
        return y - rect.top + total;
    return total;
}

} // namespace gdi
