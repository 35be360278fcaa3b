#pragma once

#include "platform/runtime/Form.h"

class QPushButton;

namespace kalvento
{

class frmScreen;

// A one-button tool window for the full-screen editor: the button turns the
// selection's bold on or off and closes the window.
class tools1 : public rt::Form
{
    Q_OBJECT
public:
    explicit tools1(frmScreen &screen);

    QPushButton *Command1() const { return m_command1; }
    void Command1_Click();

private:
    frmScreen &m_screen;
    QPushButton *m_command1;
};

} // namespace kalvento
