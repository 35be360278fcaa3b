#pragma once

#include <QStringView>

class QTextCursor;

namespace richtext
{

// Reads RTF into a text document: fonts, colours, sizes, bold, italic,
// underline, strike-through, alignment, indents, bullets, tabs, line breaks,
// PNG and JPEG pictures, Windows-1252 escapes and \u with its fallback count.
// Unknown control words and skipped destinations leave no trace.
//
// Malformed input never fails: whatever could be read is kept. Nesting is
// bounded, numbers are clamped, and every scan stops at the end of the input.
//
// The text is taken as read from storage: characters up to U+00FF stand for
// the bytes of the file, anything above for itself.
class RtfReader
{
public:
    // Deeper groups are still matched up but their content is dropped.
    static constexpr int kMaxDepth = 128;

    // Whether the text starts as an RTF document does.
    static bool isRtf(QStringView text);

    // Inserts the document at the cursor; the cursor ends after it.
    static void read(QStringView rtf, QTextCursor &cursor);

private:
    class Parser;
};

} // namespace richtext
