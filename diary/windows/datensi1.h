#pragma once

#include "diary/storage/EntryBackup.h"
#include "platform/com/Control.h"
#include "platform/com/EventHandlers.h"
#include "platform/runtime/Form.h"

#include <QPointer>
#include <memory>

class QLabel;
class QLineEdit;

namespace kalvento
{

class CommandButton;
class FileListBox;

// Backs the entry database up into ".dsi" files of a folder picked in the
// tree, restores it from them and deletes them. The work itself is
// EntryBackup's; the window asks and reports.
class datensi1 : public rt::Form
{
    Q_OBJECT
public:
    explicit datensi1(EntryStore store = {});
    ~datensi1() override;

    com::Control *TreeEx1() const { return m_treeEx1; }
    FileListBox *File1() const { return m_file1; }
    com::Control *xpCheck1() const { return m_xpCheck1; }
    QLineEdit *Text1() const { return m_text1; }
    CommandButton *Command1() const { return m_command1; }
    CommandButton *Command2() const { return m_command2; }
    CommandButton *Command3() const { return m_command3; }
    CommandButton *xpButton1() const { return m_xpButton1; }
    QLabel *Label1() const { return m_label1; }
    com::AutomationObject &Dialog1() const;

    // The folder a restore writes into: the program folder's "data", with a
    // trailing separator.
    QString restoreFolder() const { return m_restoreFolder; }
    // Where a backup goes now, as the switch and the date choose.
    QString backupFilePath();

    void TreeEx1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void xpButton1_Click();

protected:
    void onLoad() override;

private:
    QString folder();
    QString selectedFilePath();
    void listBackups();
    EntryBackup work() const { return EntryBackup(m_store, m_restoreFolder); }
    // False, after telling the user, when the backup could not be written.
    bool PackFiles(const QString &target);
    bool UnpackFiles(const QString &backupFile);
    void refuseRestore(const QString &backupFile, const QString &reason);
    void failRestore(const QString &backupFile, const QString &reason);

    EntryStore m_store;
    // Owned by a child that goes after the controls calling it.
    com::EventHandlers *m_handlers = nullptr;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    QString m_restoreFolder;
    QPointer<com::Control> m_treeEx1;
    FileListBox *m_file1 = nullptr;
    QPointer<com::Control> m_xpCheck1;
    QLineEdit *m_text1 = nullptr;
    CommandButton *m_command1 = nullptr;
    CommandButton *m_command2 = nullptr;
    CommandButton *m_command3 = nullptr;
    CommandButton *m_xpButton1 = nullptr;
    QLabel *m_label1 = nullptr;
    QPointer<com::Control> m_dialog1;
};

} // namespace kalvento
