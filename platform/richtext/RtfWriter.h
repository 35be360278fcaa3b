#pragma once

#include <QByteArray>

class QTextDocument;

namespace richtext
{

// Writes a text document as RTF that word processors open: a font and a
// colour table, character and paragraph formatting, bullets, and pictures as
// the PNG or JPEG bytes they were inserted with. The output is plain ASCII;
// characters outside it go as Windows-1252 escapes or \u with a "?" fallback.
class RtfWriter
{
public:
    static QByteArray write(const QTextDocument &doc);
    // Only the characters between two document positions (a selection).
    static QByteArray write(const QTextDocument &doc, int from, int to);

private:
    class Writer;
};

} // namespace richtext
