#pragma once

#include "platform/com/Dispatched.h"
#include "platform/com/PropertyPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QScrollBar;

namespace ostrevo
{

// The page that edits the 3-D captions: text, shadow direction and
// distance, transparency and tool tip of the selected controls.
class TextMode : public com::Dispatched<TextMode, com::PropertyPage>
{
    Q_OBJECT
public:
    TextMode();
    static void describe(com::Dispatcher<TextMode> &d);

    QLineEdit *txtCaption() const { return m_txtCaption; }
    QComboBox *cbTextMode() const { return m_cbTextMode; }
    QLineEdit *txtxDist() const { return m_txtxDist; }
    QScrollBar *VSxSize() const { return m_vsxSize; }
    QCheckBox *chkTransp() const { return m_chkTransp; }
    QLineEdit *txtTTT() const { return m_txtTTT; }

protected:
    void selectionChanged() override;
    void applyChanges() override;

private:
    void txtxDist_Change();
    void VSxSize_Change();

    QLineEdit *m_txtCaption;
    QComboBox *m_cbTextMode;
    QLineEdit *m_txtxDist;
    QScrollBar *m_vsxSize;
    QCheckBox *m_chkTransp;
    QLineEdit *m_txtTTT;
};

} // namespace ostrevo
