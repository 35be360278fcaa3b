#pragma once

#include "platform/com/Control.h"
#include "platform/runtime/Form.h"

#include <QPointer>

class QLineEdit;

namespace kalvento
{

class CommandButton;

// The start-up password prompt: opens the main window on the stored
// password, ends the program on cancel or when closed.
class passwort2 : public rt::Form
{
    Q_OBJECT
public:
    passwort2();
    ~passwort2() override;

    QLineEdit *pw() const { return m_pw; }
    QLineEdit *Text1() const { return m_text1; }
    QLineEdit *Text2() const { return m_text2; }
    QLineEdit *Text3() const { return m_text3; }
    CommandButton *xpButton1() const { return m_xpButton1; }
    CommandButton *xpButton2() const { return m_xpButton2; }
    com::AutomationObject &Dialog1() const;

    void xpButton1_Click();
    void xpButton2_Click();

protected:
    void onLoad() override;
    void onUnload(bool &cancel) override;

private:
    // Ends the program once, and closes the prompt so its modal wait returns.
    void endProgram();

    QLineEdit *m_pw = nullptr;
    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QLineEdit *m_text3 = nullptr;
    CommandButton *m_xpButton1 = nullptr;
    CommandButton *m_xpButton2 = nullptr;
    QPointer<com::Control> m_dialog1;
    // The main window was opened or the end already asked for: closing the
    // prompt then must not end the program (again).
    bool m_done = false;
};

} // namespace kalvento
