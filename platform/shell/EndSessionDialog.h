#pragma once

#include "platform/session/SessionManager.h"

#include <QComboBox>
#include <QDialog>

namespace shell
{

// Asks how the session is to end: log off, restart or shut down.
class EndSessionDialog : public QDialog
{
    Q_OBJECT
public:
    explicit EndSessionDialog(QWidget *owner);
    session::Ending ending() const;

private:
    QComboBox *m_choice = nullptr; // owned by the dialog
};

} // namespace shell
