#pragma once

#include "platform/com/Dispatched.h"
#include "platform/com/PropertyPage.h"

class QCheckBox;
class QListWidget;

namespace ostrevo
{

// The progress bar's own page: drawing style, percentage text, AutoRedraw
// and the blue XP chunks of the first selected bar.
class Settings : public com::Dispatched<Settings, com::PropertyPage>
{
    Q_OBJECT
public:
    Settings();
    static void describe(com::Dispatcher<Settings> &d);

    QListWidget *lstModes() const { return m_lstModes; }
    QCheckBox *chkShowText() const { return m_chkShowText; }
    QCheckBox *chkXPc() const { return m_chkXPc; }
    QCheckBox *chkAutoRedraw() const { return m_chkAutoRedraw; }

protected:
    void selectionChanged() override;
    void applyChanges() override;

private:
    QListWidget *m_lstModes;
    QCheckBox *m_chkShowText;
    QCheckBox *m_chkXPc;
    QCheckBox *m_chkAutoRedraw;
};

} // namespace ostrevo
