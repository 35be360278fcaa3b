#pragma once

#include "platform/com/Control.h"
#include "platform/com/Variant.h"
#include "platform/runtime/Form.h"

#include <QPointer>
#include <array>
#include <memory>

class QAction;
class QLabel;
class QMenuBar;

namespace comdlg
{
class CommonDialog;
}

namespace richtext
{
class RichTextBox;
}

namespace kalvento
{

class CommandButton;
class FrmMain;
class KeyedToolBar;
class MonthView;
class OfficeMenu;
class SelectionCommands;

// The entry editor: writes the entry of a new day or edits an existing one
// and saves it through the main window's entry store.
class FrmNew : public rt::Form
{
    Q_OBJECT
public:
    explicit FrmNew(FrmMain &main);
    ~FrmNew() override;

    // Searches the body for a whole word the user types.
    void Suchen();
    // Warns, and on Yes shows the calendar to pick another date.
    void DatumAendern();

    // The date line's plain text, without a trailing paragraph break.
    QString dateLine() const;

    richtext::RichTextBox *Txt(int index) const { return m_txt.at(size_t(index)); }
    CommandButton *CmdOk() const { return m_cmdOk; }
    CommandButton *Command3() const { return m_command3; }
    CommandButton *CmdCancel() const { return m_cmdCancel; }
    com::Control *Label1() const { return m_label1; }
    QLabel *Label2() const { return m_label2; }
    com::Control *Ruler1() const { return m_ruler1; }
    com::Control *Dialog1() const { return m_dialog1; }
    MonthView *sevMonthView1() const { return m_monthView; }
    KeyedToolBar *Coolbar1() const { return m_coolbar; }
    comdlg::CommonDialog *CommonDialog1() const { return m_commonDialog1; }
    QLabel *pic1() const { return m_pic1; }
    QMenuBar *menuBar() const { return m_menuBar; }
    // Menu entries by their names ("neusp", "editierter", ...).
    QAction *menuEntry(const QString &name) const;

    void CmdOk_Click();
    void Command3_Click();
    void CmdCancel_Click();
    void schloe_Click();
    void sevMonthView1_DateChosen(const com::Variant &date);
    // Runs the command of the tool-bar button with this exact key.
    void Coolbar1_ButtonClick(const QString &key);
    void ausschneiden_Click();
    void kopier_Click();
    void einfuegennn_Click();
    void graf_Click();
    void loesch_Click();
    void allesausw_Click();
    void zwischenleer_Click();
    void schrift_Click();
    void schriftfarbe_Click();
    // Opens the body in the full-screen editor.
    void vollbild_Click();

protected:
    void onLoad() override;
    void onUnload(bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildControls();
    void fitToArea();
    void buildToolBar();
    void applyNewMode();
    void applyEditMode();
    void setHeading(const QString &caption, const QString &help);
    void save(bool append);
    // The edited entry was deleted meanwhile: asks whether to keep the text
    // as a new entry, and saves it so on Yes.
    void offerSavingAsNew();

    FrmMain &m_main;
    QMenuBar *m_menuBar = nullptr;
    QWidget *m_area = nullptr;
    std::array<richtext::RichTextBox *, 2> m_txt{};
    CommandButton *m_cmdOk = nullptr;
    CommandButton *m_command3 = nullptr;
    CommandButton *m_cmdCancel = nullptr;
    QPointer<com::Control> m_label1;
    QLabel *m_label2 = nullptr;
    QPointer<com::Control> m_ruler1;
    QPointer<com::Control> m_dialog1;
    MonthView *m_monthView = nullptr;
    KeyedToolBar *m_coolbar = nullptr;
    QLabel *m_pic1 = nullptr;
    OfficeMenu *m_officeMenu1 = nullptr;
    comdlg::CommonDialog *m_commonDialog1 = nullptr;
    std::unique_ptr<SelectionCommands> m_commands;
    QAction *m_neusp = nullptr;
    QAction *m_editierter = nullptr;
    bool m_entryGone = false;
};

} // namespace kalvento
