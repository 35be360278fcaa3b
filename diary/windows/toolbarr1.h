#pragma once

#include "platform/runtime/Form.h"

#include <memory>

namespace comdlg
{
class CommonDialog;
}

namespace kalvento
{

class KeyedToolBar;
class SelectionCommands;
class frmScreen;

// The floating tool bar of the full-screen editor: formats its text. The
// character, colour, paste and close buttons close it after their action;
// bullets and alignment leave it open. From the keyboard, the focus starts on
// the first button; Tab and the arrows go from button to button, Space and
// Return press the one with the focus, and Escape closes the tool bar.
class toolbarr1 : public rt::Form
{
    Q_OBJECT
public:
    explicit toolbarr1(frmScreen &screen);
    ~toolbarr1() override;

    KeyedToolBar *Coolbar1() const { return m_coolbar; }
    comdlg::CommonDialog *CommonDialog1() const { return m_commonDialog1; }

    // Runs the command of the button with this exact key.
    void Coolbar1_ButtonClick(const QString &key);
    // Closes the tool bar, then runs the font dialog on the selection.
    void schrift();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    KeyedToolBar *m_coolbar;
    comdlg::CommonDialog *m_commonDialog1;
    std::unique_ptr<SelectionCommands> m_commands;
};

} // namespace kalvento
