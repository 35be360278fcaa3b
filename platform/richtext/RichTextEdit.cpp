#include "platform/richtext/RichTextEdit.h"

#include "platform/richtext/ParagraphPieces.h"
#include "platform/richtext/Picture.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

namespace richtext
{

namespace
{

const QString kRtfMime = QStringLiteral("text/rtf");
const QString kRtfMimeAlt = QStringLiteral("application/rtf");

} // namespace

RichTextEdit::RichTextEdit(QWidget *parent) : QTextEdit(parent)
{
    setAcceptRichText(true);
}

QMimeData *RichTextEdit::createMimeDataFromSelection() const
{
    auto data = std::make_unique<QMimeData>();
    const QTextCursor cursor = textCursor();
    QString text = cursor.selectedText();
    // The pieces of a long paragraph join without a break.
    const int start = cursor.selectionStart();
    const QTextBlock first = document()->findBlock(start);
    const QTextBlock last = document()->findBlock(cursor.selectionEnd());
    for (QTextBlock b = last; b.isValid() && b != first; b = b.previous()) {
        if (ParagraphPieces::continues(b))
            text.remove(b.position() - 1 - start, 1);
    }
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.remove(QChar::ObjectReplacementCharacter);
    data->setText(text);
    data->setData(kRtfMime, RtfWriter::write(*document(), cursor.selectionStart(), cursor.selectionEnd()));
    return data.release(); // the caller owns it, as QTextEdit's contract says
}

void RichTextEdit::setSingleLine(bool on)
{
    m_singleLine = on;
    setTabChangesFocus(on);
}

void RichTextEdit::keyPressEvent(QKeyEvent *event)
{
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (m_singleLine && (tab || lineBreak)) {
        event->ignore();
        return;
    }
    // Where Tab moves the focus, a tab is still typed with Ctrl+Tab.
    if (tabChangesFocus() && event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier &&
        !isReadOnly()) {
        insertPlainText(QStringLiteral("\t"));
        return;
    }
    const int from = textCursor().selectionStart();
    QTextEdit::keyPressEvent(event);
    // A new paragraph typed inside a piece of a long one starts on its own.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        ParagraphPieces::startParagraphs(*document(), from, textCursor().position());
}

bool RichTextEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source && (source->hasFormat(kRtfMime) || source->hasFormat(kRtfMimeAlt) || source->hasImage() ||
                      source->hasText());
}

void RichTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || isReadOnly())
        return;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    if (m_singleLine) {
        // Only the text, on one line: the box holds a key such as a date.
        QString text = source->text();
        text.replace(QLatin1String("\r\n"), QLatin1String(" "));
        for (QChar &c : text)
            if (c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' ||
                c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
                c = QLatin1Char(' ');
        cursor.insertText(text);
        cursor.endEditBlock();
        setTextCursor(cursor);
        return;
    }
    const QString rtfFormat = source->hasFormat(kRtfMime) ? kRtfMime : kRtfMimeAlt;
    if (source->hasFormat(rtfFormat)) {
        RtfReader::read(QString::fromLatin1(source->data(rtfFormat)), cursor);
    } else if (source->hasImage()) {
        Picture::insertImage(cursor, qvariant_cast<QImage>(source->imageData()));
    } else {
        QString text = source->text();
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        const int from = cursor.position();
        cursor.insertText(text);
        ParagraphPieces::startParagraphs(*document(), from, cursor.position());
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

} // namespace richtext
