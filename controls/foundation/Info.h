#pragma once

#include "platform/com/Dispatched.h"
#include "platform/com/PropertyPage.h"

namespace ostrevo
{

class AboutLink;

// The property page that identifies the library beside the controls' own
// pages. It changes nothing, so it has nothing to apply.
class Info : public com::Dispatched<Info, com::PropertyPage>
{
    Q_OBJECT
public:
    Info();
    static void describe(com::Dispatcher<Info> &d);
    AboutLink *lblButton() const { return m_link; }

private:
    void lblButton_Click();
    AboutLink *m_link = nullptr;
};

} // namespace ostrevo
