#pragma once

#include "platform/runtime/Form.h"

#include <memory>

class QLabel;

namespace comdlg
{
class CommonDialog;
}

namespace richtext
{
class RichTextBox;
}

namespace kalvento
{

class FrmNew;
class SelectionCommands;

// The full-screen editor: the entry's body on the whole screen, without a
// border. Esc closes it, and a changed body goes back to the entry editor;
// the caret keeps its place both ways.
class frmScreen : public rt::Form
{
    Q_OBJECT
public:
    explicit frmScreen(FrmNew &editor);
    ~frmScreen() override;

    richtext::RichTextBox *txtScreen() const { return m_txtScreen; }
    QLabel *pic1() const { return m_pic1; }
    comdlg::CommonDialog *CommonDialog1() const { return m_commonDialog1; }
    SelectionCommands &commands() const { return *m_commands; }

    // Font (Ctrl+S), colour (Ctrl+F) and picture (Ctrl+G) of the selection.
    void fontt();
    void schfarbe();
    void grafikeinfuegen();

    // A typed character's code: Esc closes, Ctrl+S, Ctrl+F and Ctrl+G run
    // their commands. Returns whether the key was a command, which then
    // reaches the text as nothing.
    bool txtScreen_KeyPress(int keyAscii);
    // The right button (2) opens the floating tool bar; so do the menu key
    // and Shift+F10, at the caret.
    void txtScreen_MouseDown(int button, int shift, double x, double y);

protected:
    void onLoad() override;
    void onUnload(bool &cancel) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Resize();
    // The right button pressed at this point of the text's viewport.
    void rightButtonAt(QPoint viewportPixels, Qt::KeyboardModifiers modifiers);

    FrmNew &m_editor;
    richtext::RichTextBox *m_txtScreen;
    QLabel *m_pic1;
    comdlg::CommonDialog *m_commonDialog1;
    std::unique_ptr<SelectionCommands> m_commands;
    bool m_resizing = false;
};

} // namespace kalvento
