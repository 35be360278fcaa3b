#pragma once

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>

namespace richtext
{

// Qt lays a block out in one go, at a cost that grows much faster than its
// length, so the reader holds an over-long paragraph as several blocks. Every
// piece after the first carries kContinues; the text, character positions,
// the writer and the paragraph properties treat the pieces as one paragraph.
namespace ParagraphPieces
{

constexpr int kContinues = QTextFormat::UserProperty + 0x171;
// A paragraph is cut at the first space after this many characters, or
// anywhere once a piece holds twice as many.
constexpr int kPieceChars = 32 * 1024;

inline bool continues(const QTextBlock &b)
{
    return b.blockFormat().boolProperty(kContinues);
}

// The first piece of b's paragraph.
inline QTextBlock head(QTextBlock b)
{
    while (b.isValid() && continues(b) && b.previous().isValid())
        b = b.previous();
    return b;
}

// The last piece of b's paragraph.
inline QTextBlock last(QTextBlock b)
{
    for (QTextBlock n = b.next(); n.isValid() && continues(n); n = n.next())
        b = n;
    return b;
}

// Blocks that begin after `from` up to `to` were made by breaking a
// paragraph: each starts one of its own, whatever piece it came from.
inline void startParagraphs(QTextDocument &doc, int from, int to)
{
    for (QTextBlock b = doc.findBlock(from).next(); b.isValid() && b.position() <= to; b = b.next()) {
        if (continues(b)) {
            QTextBlockFormat f = b.blockFormat();
            f.clearProperty(kContinues);
            QTextCursor(b).setBlockFormat(f);
        }
    }
}

} // namespace ParagraphPieces

} // namespace richtext
