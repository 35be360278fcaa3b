#pragma once

#include "platform/shell/ShellDialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace shell
{

// Asks for a program, folder, document or address to open.
class RunDialog : public QDialog
{
    Q_OBJECT
public:
    RunDialog(QWidget *owner, const RunRequest &request);
    QString command() const;
    // Opens what was entered through the shell and keeps it as the next
    // dialog's default entry; false when the shell could not open it.
    bool start();

private:
    void browse();

    int m_options = 0;
    QComboBox *m_command = nullptr; // the widgets are owned by the dialog
    QLabel *m_prompt = nullptr;
    QPushButton *m_browse = nullptr;
};

} // namespace shell
