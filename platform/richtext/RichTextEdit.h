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

protected:
    void keyPressEvent(QKeyEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};

} // namespace richtext
