#pragma once

#include "platform/runtime/Form.h"

namespace ostrevo
{

class AboutLink;

// The library's about box; each control's ShowAboutBox shows a fresh one.
class frmAbout : public rt::Form
{
    Q_OBJECT
public:
    frmAbout();
    AboutLink *lblButton() const { return m_link; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void lblButton_Click();
    AboutLink *m_link = nullptr;
};

// Loads the about box, shows it modally without an owner and unloads it once
// the user has closed it.
void ShowAboutBox();

} // namespace ostrevo
