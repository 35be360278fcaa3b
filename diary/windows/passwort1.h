#pragma once

#include "platform/com/Control.h"
#include "platform/runtime/Form.h"

#include <QPointer>

class QLabel;
class QLineEdit;

namespace kalvento
{

class CommandButton;

// Sets, changes and deletes the start password; it takes effect at the
// next start.
class passwort1 : public rt::Form
{
    Q_OBJECT
public:
    passwort1();
    ~passwort1() override;

    QLineEdit *Text1() const { return m_text1; }
    QLineEdit *Text2() const { return m_text2; }
    QLineEdit *Text3() const { return m_text3; }
    QLabel *Label4() const { return m_label4; }
    CommandButton *Command2() const { return m_command2; }
    CommandButton *Command3() const { return m_command3; }
    CommandButton *xpButton2() const { return m_xpButton2; }
    com::AutomationObject &Dialog1() const;

    void Command2_Click();
    void Command3_Click();
    void xpButton2_Click();

protected:
    void onLoad() override;

private:
    // False, after telling the user, when the file cannot be written.
    bool store(const QString &line);

    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QLineEdit *m_text3 = nullptr;
    QLabel *m_label4 = nullptr;
    CommandButton *m_command2 = nullptr;
    CommandButton *m_command3 = nullptr;
    CommandButton *m_xpButton2 = nullptr;
    QPointer<com::Control> m_dialog1;
};

} // namespace kalvento
