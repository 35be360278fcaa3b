#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QTextCursor>

#include <memory>

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
    // The same for text as stored, UTF-8.
    static bool isRtf(QByteArrayView utf8);

    // What reading an entry as stored (UTF-8) hands the layout, counted by
    // the reader itself without a document (text characters and paragraph
    // breaks; pictures are data), the lines its breaks make, and about as
    // many bytes as the writer stores for it again, rather more than fewer.
    struct Weight {
        qint64 chars = 0;
        qint64 lines = 0;
        qint64 written = 0;
    };
    static Weight weigh(QByteArrayView stored);
    // What the writer's tables of fonts and colours and its heading take at most.
    static constexpr qint64 kWrittenTables = 64 * 1024;

    // Inserts the document at the cursor; the cursor ends after it.
    static void read(QStringView rtf, QTextCursor &cursor);

    class Stepwise;

private:
    class Input;
    class Parser;
};

// Reads a document in steps, for a box that shows the first part at once and
// takes the rest from its event loop. Meanwhile the document may change
// before the reader's position; what it reads goes on after it.
class RtfReader::Stepwise
{
public:
    Stepwise(const QString &rtf, const QTextCursor &cursor);
    // RTF held as ASCII bytes, as it is stored: each part is widened to text
    // only when the reader comes to it, so the first part shows without
    // converting the whole entry first.
    Stepwise(const QByteArray &ascii, const QTextCursor &cursor);
    ~Stepwise();
    Stepwise(const Stepwise &) = delete;
    Stepwise &operator=(const Stepwise &) = delete;

    // Reads about `chars` more characters of the RTF; returns whether all of
    // it is read.
    bool step(qsizetype chars);
    bool done() const { return m_done; }
    // Whether anything read so far is shown other than the RTF says (a
    // picture as a stand-in or smaller, a font smaller or the default one):
    // then only the RTF itself holds the entry whole.
    bool heldBack() const;
    // The RTF being read, all of it.
    const QString &rtf();
    qsizetype size() const { return m_rtf.size(); }

private:
    QString m_rtf;
    QByteArray m_ascii;
    std::unique_ptr<Input> m_input;
    QTextCursor m_cursor;
    std::unique_ptr<Parser> m_parser;
    qsizetype m_readTo = 0;
    bool m_done = false;
};

} // namespace richtext
