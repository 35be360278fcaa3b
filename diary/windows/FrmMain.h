#pragma once

#include "platform/com/Control.h"
#include "platform/runtime/Form.h"

#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenuBar;

namespace dao
{
class Database;
class Recordset;
} // namespace dao

namespace richtext
{
class RichTextBox;
}

namespace comdlg
{
class CommonDialog;
}

namespace kalvento
{

class CommandButton;
class DayList;
class OfficeMenu;

// The diary's main window: lists the days that have an entry, previews the
// chosen one and owns the entry database and its one recordset for the run.
class FrmMain : public rt::Form
{
    Q_OBJECT
public:
    FrmMain();
    ~FrmMain() override;

    // Rebuilds the list from the recordset, in table order.
    void RefreshList();
    // Append a record, or rewrite the current one (the last list click).
    // A failing write is shown to the user and raised again, with nothing
    // written, so the caller can keep what was typed; so is an entry too
    // large to be shown again. A current record that
    // is no longer in the file is only raised: the caller decides what
    // becomes of the text.
    void AddUser(const QString &datum, const QString &text);
    void EditUser(const QString &datum, const QString &text);

    DayList *List() const { return m_list; }
    QLineEdit *Text3() const { return m_text3; }
    richtext::RichTextBox *LblDbInfo(int index) const { return m_lblDbInfo.at(size_t(index)); }
    com::Control *xpFrame1() const { return m_xpFrame1; }
    com::Control *Label1() const { return m_label1; }
    com::AutomationObject &Dialog1() const;
    CommandButton *Command1() const { return m_command1; }
    CommandButton *Command2() const { return m_command2; }
    CommandButton *Command5() const { return m_command5; }
    CommandButton *xpButton1() const { return m_xpButton1; }
    QLabel *Image1() const { return m_image1; }
    comdlg::CommonDialog &CommonDialog1() const { return *m_commonDialog1; }
    OfficeMenu *OfficeMenu1() const { return m_officeMenu1; }
    QMenuBar *menuBar() const { return m_menuBar; }
    // Menu entries by their names ("xpdesign", "enden", ...).
    QAction *menuEntry(const QString &name) const;
    QWidget *innerArea() const { return m_area; }
    dao::Recordset *recordset() const { return m_rs.get(); }
    // Whether a write failed because its record was deleted meanwhile.
    static bool recordGone(const std::exception &error);
    // Says that the entry of that day was deleted meanwhile, elsewhere.
    static QString goneText(const QString &day);

    // What Quit does after the database is closed; ends the event loop
    // unless a test puts something else here.
    void setProgramEnd(std::function<void()> end) { m_programEnd = std::move(end); }

    void List_Click();
    // New and Edit: open the entry editor modally.
    void Command2_Click();
    void Command1_Click();
    void Command5_Click();
    void xpdesign_Click();
    void office2003er_Click();
    void office2007er_Click();
    void vbstudio05_Click();
    // Print: the chosen entry as the preview shows it, or its selection.
    void xpButton1_Click();
    void datenbanksichern_Click();
    void reini_Click();
    void updateee_Click();
    void enden_Click();
    void helpp_Click();
    // The about box; a click on Image1 opens it too.
    void copyr_Click();

protected:
    void onLoad() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildControls();
    bool openDatabase();
    void applyStoredLook();
    void chooseLook(int entry);
    void setCountCaption();
    void rightAlignDatePreview();
    bool todayListed() const;
    void showDatabaseError(const QString &what, const std::exception &error);
    // The chosen entry could not be shown: the preview says why, instead of
    // keeping another entry's text that the editor would then save over it.
    void showUnshown(const QString &why);
    // Says why, when the chosen entry is not shown, and returns true.
    bool refuseUnshown();
    // Tells that the chosen day's entry was deleted meanwhile.
    void tellGone(const QString &day);
    void writeRecord(bool append, const QString &datum, const QString &text);
    void closeDatabase();
    // Starts a program of the program folder and ends this one; when it
    // cannot be started, says so and goes on with the database reopened.
    void handOverTo(const QString &program, const QString &title, bool closeFirst, bool pause);

    QMenuBar *m_menuBar = nullptr;
    QWidget *m_area = nullptr;
    DayList *m_list = nullptr;
    QLineEdit *m_text3 = nullptr;
    std::array<richtext::RichTextBox *, 2> m_lblDbInfo{};
    QPointer<com::Control> m_xpFrame1;
    QPointer<com::Control> m_label1;
    QPointer<com::Control> m_dialog1;
    CommandButton *m_command1 = nullptr;
    CommandButton *m_command2 = nullptr;
    CommandButton *m_command5 = nullptr;
    CommandButton *m_xpButton1 = nullptr;
    QLabel *m_image1 = nullptr;
    comdlg::CommonDialog *m_commonDialog1 = nullptr;
    OfficeMenu *m_officeMenu1 = nullptr;
    std::array<QAction *, 4> m_looks{};
    QAction *m_enden = nullptr;
    std::function<void()> m_programEnd;
    QString m_unshown;      // why the chosen entry is not shown
    QString m_tight;        // why the chosen entry could not take a day's typing
    bool m_damaged = false; // the chosen entry's pages are damaged

    // The recordset must go before the database it was opened on.
    std::unique_ptr<dao::Database> m_db;
    std::unique_ptr<dao::Recordset> m_rs;
};

} // namespace kalvento
