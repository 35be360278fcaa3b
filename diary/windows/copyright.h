#pragma once

#include "platform/com/Control.h"
#include "platform/kernel/PlatformVersion.h"
#include "platform/runtime/Form.h"

#include <QPointer>

class QLabel;

namespace kalvento
{

class CommandButton;

// The about box: the product and its version, the operating system the
// program found and how to reach its makers.
class copyright : public rt::Form
{
    Q_OBJECT
public:
    copyright();
    ~copyright() override;

    com::Control *Label3D1() const { return m_label3D1; }
    QLabel *Label1() const { return m_label1; }
    QLabel *windowsversion() const { return m_windowsversion; }
    CommandButton *Command1() const { return m_command1; }
    // The contact block's links, in the order shown.
    QList<com::Control *> links() const;

    void Command1_Click();

    // The operating-system text of a version record, as shown under
    // "Folgendes Betriebssystem wurde erkannt:".
    static QString systemText(const kernel::VersionRecord &record);

protected:
    void onLoad() override;

private:
    QPointer<com::Control> m_label3D1;
    QLabel *m_label1 = nullptr;
    QLabel *m_windowsversion = nullptr;
    CommandButton *m_command1 = nullptr;
    QList<QPointer<com::Control>> m_links;
};

} // namespace kalvento
