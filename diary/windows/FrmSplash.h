#pragma once

#include "platform/com/Control.h"
#include "platform/runtime/Form.h"

#include <QPointer>

class QLabel;

namespace rt
{
class Timer;
}

namespace kalvento
{

// The start form: shows title and version, makes sure the password file
// exists, and after a short pause hands over to the password prompt, or
// straight to the main window when no password is set.
class FrmSplash : public rt::Form
{
    Q_OBJECT
public:
    FrmSplash();
    ~FrmSplash() override;

    com::Control *Label1() const { return m_label1; }
    com::Control *Label6() const { return m_label6; }
    QLabel *Label4() const { return m_label4; }
    rt::Timer *Timer1() const { return m_timer1; }

    void Timer1_Timer();

protected:
    void onLoad() override;

private:
    QPointer<com::Control> m_label1;
    QPointer<com::Control> m_label6;
    QLabel *m_label4 = nullptr;
    rt::Timer *m_timer1 = nullptr;
    QString m_storedPassword;
};

} // namespace kalvento
