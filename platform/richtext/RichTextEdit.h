#pragma once

#include <QTextEdit>

namespace richtext
{

// The editing widget inside a RichTextBox. Copy and paste carry RTF through
// our own reader and writer, so formatting and pictures survive them; a
// pasted or dropped bitmap becomes a PNG picture.
class RichTextEdit : public QTextEdit
{
    Q_OBJECT
public:
    explicit RichTextEdit(QWidget *parent = nullptr);

    // A one-line box takes neither tabs nor line breaks: Tab moves the focus,
    // Return is left to the window, pasted or dropped text has them as blanks.
    bool isSingleLine() const { return m_singleLine; }
    void setSingleLine(bool on);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    bool m_singleLine = false;
};

} // namespace richtext
