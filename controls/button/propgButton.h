#pragma once

#include "platform/com/Dispatched.h"
#include "platform/com/PropertyPage.h"

#include <array>
#include <utility>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace ostrevo
{

class Button;

// The button's own page: twelve of the first selected button's properties,
// each choice shown at once on a preview button of the page's own.
class propgButton : public com::Dispatched<propgButton, com::PropertyPage>
{
    Q_OBJECT
public:
    propgButton();
    ~propgButton() override;
    static void describe(com::Dispatcher<propgButton> &d);

    Button *DemoButton() const { return m_demo; }
    QComboBox *cbBorStyle() const { return m_cbBorStyle; }
    QComboBox *cbMode() const { return m_cbMode; }
    QComboBox *cbAlign() const { return m_cbAlign; }
    QComboBox *cbFont3D() const { return m_cbFont3D; }
    QListWidget *ConstList() const { return m_constList; }
    QCheckBox *chkPress() const { return m_chkPress; }
    QCheckBox *chk32() const { return m_chk32; }
    QCheckBox *chkGradient() const { return m_chkGradient; }
    QCheckBox *chkEnab() const { return m_chkEnab; }
    QCheckBox *bcFocusRect() const { return m_bcFocusRect; }
    QLineEdit *txtCaption() const { return m_txtCaption; }
    QLineEdit *txtToolTipText() const { return m_txtToolTipText; }
    // Value and Switched of the preview: as of its last mouse down or up, and of its last click.
    QLabel *Label2() const { return m_label2; }
    QLabel *Label5() const { return m_label5; }
    QLabel *Label6() const { return m_label6; }
    QLabel *Label7() const { return m_label7; }

protected:
    void selectionChanged() override;
    void applyChanges() override;

private:
    void fillLists();
    void onListChoice(const QString &property, int value);
    void onCheck(const QString &property, bool on);
    void showPreviewState(QLabel *value, QLabel *switched);
    // The check boxes and the lists of constants, each by the button property
    // it stands for, in the order a selection is shown and written.
    std::array<std::pair<const char *, QCheckBox *>, 5> checkBoxes() const;
    std::array<std::pair<const char *, QComboBox *>, 4> constantLists() const;

    Button *m_demo = nullptr;
    QComboBox *m_cbBorStyle;
    QComboBox *m_cbMode;
    QComboBox *m_cbAlign;
    QComboBox *m_cbFont3D;
    QListWidget *m_constList;
    QCheckBox *m_chkPress;
    QCheckBox *m_chk32;
    QCheckBox *m_chkGradient;
    QCheckBox *m_chkEnab;
    QCheckBox *m_bcFocusRect;
    QLineEdit *m_txtCaption;
    QLineEdit *m_txtToolTipText;
    QLabel *m_label2;
    QLabel *m_label5;
    QLabel *m_label6;
    QLabel *m_label7;
};

} // namespace ostrevo
